#include "core/explorerframe.h"

#include "ui_explorerframe.h"

#include "core/language.h"
#include "core/main.h"
#include "core/messageids.h"
#include "core/orvdbserver.h"
#include "core/startframe.h"
#include "platform/vcl/events.h"
#include "traininglog/einheiteneingabe.h"

TexplorerFrm* explorerFrm = nullptr;

namespace {

constexpr int kCategoryRole = Qt::UserRole + 1;
constexpr int kValueRole = Qt::UserRole + 2;

// Adds one child per row of a shared dataset, in the dataset's order; the dataset returns to its
// row and its controls are not told about the walk.
void addRows(QTreeWidgetItem* parent, TDataSet& ds, const char* idField, const char* nameField)
{
    if (!ds.Active())
        return;
    const TBookmark mark = ds.GetBookmark();
    ds.DisableControls();
    try {
        TField* id = ds.FieldByName(QString::fromLatin1(idField));
        TField* name = ds.FieldByName(QString::fromLatin1(nameField));
        for (ds.First(); !ds.Eof(); ds.Next()) {
            auto* node = new QTreeWidgetItem(parent, QStringList(name->AsString()));
            node->setData(0, kCategoryRole, parent->data(0, kCategoryRole));
            node->setData(0, kValueRole, id->Value());
        }
    } catch (...) {
        ds.EnableControls();
        throw;
    }
    if (!mark.IsNull() && ds.BookmarkValid(mark))
        ds.GotoBookmark(mark);
    ds.EnableControls();
}

}  // namespace

TexplorerFrm::TexplorerFrm(QWidget* Owner) : TFrame(Owner), ui(std::make_unique<Ui::TexplorerFrm>())
{
    ui->setupUi(this);
    UiNavPanel1 = ui->UiNavPanel1;
    UiNavPanel5 = ui->UiNavPanel5;
    CheckBox1 = ui->CheckBox1;
    Edit1 = ui->Edit1;
    TreeView1 = ui->TreeView1;
    ProgressBar1 = ui->ProgressBar1;
    XPButton5 = ui->XPButton5;
    ApplyControlCaptions(this);
    UiNavPanel1->SetPanelType(ptTitle);
    UiNavPanel5->SetPanelType(ptButton);
    UiNavPanel5->OnClick = Handler(this, &TexplorerFrm::XPButton22Click);
    XPButton5->OnClick = Handler(this, &TexplorerFrm::XPButton5Click);
    ProgressBar1->hide();

    TreeView1->setHeaderHidden(true);
    TreeView1->setColumnCount(1);
    TreeView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // The selection stays visible while another control has the focus.
    QPalette pal = TreeView1->palette();
    pal.setColor(QPalette::Inactive, QPalette::Highlight, pal.color(QPalette::Active, QPalette::Highlight));
    pal.setColor(QPalette::Inactive, QPalette::HighlightedText, pal.color(QPalette::Active, QPalette::HighlightedText));
    TreeView1->setPalette(pal);
    connect(TreeView1, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* node, QTreeWidgetItem*) {
        if (building_)
            return;
        if (node)
            node->setExpanded(true);  // a chosen node shows its children
        Handler(this, &TexplorerFrm::TreeView1Change)(TreeView1, node);
    });
    connect(CheckBox1, &QCheckBox::clicked, this, [this] { Handler(this, &TexplorerFrm::CheckBox1Click)(CheckBox1); });
    // Enter in the days box applies the new number to the chosen node.
    connect(Edit1, &QLineEdit::returnPressed, this, [this] { Handler(this, &TexplorerFrm::XPButton5Click)(Edit1); });
}

TexplorerFrm::~TexplorerFrm()
{
    if (explorerFrm == this)
        explorerFrm = nullptr;
}

TExplorerCategory TexplorerFrm::Category(const QTreeWidgetItem* node)
{
    return node ? TExplorerCategory(node->data(0, kCategoryRole).toInt()) : ecCategoryCount;
}

QVariant TexplorerFrm::RowValue(const QTreeWidgetItem* node)
{
    return node ? node->data(0, kValueRole) : QVariant();
}

QTreeWidgetItem* TexplorerFrm::CategoryNode(TExplorerCategory category) const
{
    for (int i = 0; i < TreeView1->topLevelItemCount(); ++i)
        if (Category(TreeView1->topLevelItem(i)) == category)
            return TreeView1->topLevelItem(i);
    return nullptr;
}

void TexplorerFrm::showExplorer()
{
    building_ = true;
    TreeView1->setUpdatesEnabled(false);
    TreeView1->clear();
    try {
        const std::pair<TExplorerCategory, int> headers[] = {
            {ecAll, msg::AllNode},          {ecSport, msg::Sportart},      {ecForm, msg::Form},
            {ecLoadLevel, msg::Belastungsstufe}, {ecLoadType, msg::Belastungsart}, {ecPlace, msg::PlaceTitle},
            {ecEquipment, msg::EquipmentNode}};
        QTreeWidgetItem* nodes[ecCategoryCount] = {};
        for (const auto& [category, text] : headers) {
            auto* node = new QTreeWidgetItem(TreeView1, QStringList(LoadStr(text)));
            node->setData(0, kCategoryRole, int(category));
            node->setData(0, kValueRole, -1);  // category nodes carry -1
            nodes[category] = node;
        }
        if (orvServer && orvServer->orvDB.Connected()) {
            addRows(nodes[ecSport], orvServer->sportart, "spo_Id", "spo_Name");
            addRows(nodes[ecForm], orvServer->form, "for_id", "for_Form");
            addRows(nodes[ecLoadLevel], orvServer->belStufe, "bel_id", "bel_Name");
            addRows(nodes[ecLoadType], orvServer->belArt, "bea_id", "bea_Name");
            TQuery q;
            q.SetConnection(&orvServer->orvDB);
            q.SetSQLText(QStringLiteral("Select distinct ort from daten order by ort"));
            q.Open();
            for (q.First(); !q.Eof(); q.Next()) {
                auto* node = new QTreeWidgetItem(nodes[ecPlace], QStringList(q.Field(0)->AsString()));
                node->setData(0, kCategoryRole, int(ecPlace));
                node->setData(0, kValueRole, q.Field(0)->IsNull() ? QVariant() : QVariant(q.Field(0)->AsString()));
            }
            q.Close();
            addRows(nodes[ecEquipment], orvServer->equipment, "equ_id", "Bezeichnung");
        }
    } catch (...) {
        TreeView1->setUpdatesEnabled(true);
        building_ = false;
        throw;
    }
    TreeView1->setUpdatesEnabled(true);
    building_ = false;
}

void TexplorerFrm::TreeView1Change(QTreeWidget*, QTreeWidgetItem* Node)
{
    if (!Node)
        return;
    const TExplorerCategory category = Category(Node);
    // A header other than "Alle" changes nothing, not even a days box that holds no number.
    if (!IsChild(Node) && category != ecAll)
        return;
    const QString dateClause =
        ExplorerDateClause(CheckBox1->isChecked(), CheckBox1->isChecked() ? StrToInt(Edit1->text().trimmed()) : 0, Date());
    const std::optional<TExplorerCondition> c = ExplorerCondition(category, IsChild(Node), RowValue(Node), dateClause);
    if (c && eingabe)
        eingabe->fillExplorer(c->Where, c->WithEquipment);
}

void TexplorerFrm::CheckBox1Click(QObject*)
{
    TreeView1Change(TreeView1, TreeView1->currentItem());
}

void TexplorerFrm::XPButton5Click(QObject*)
{
    TreeView1Change(TreeView1, TreeView1->currentItem());
}

void TexplorerFrm::XPButton22Click(QObject*)
{
    bool callHelp = false;
    if (MainForm)
        MainForm->showHelp(1, QStringLiteral("Explorer"), callHelp);
}
