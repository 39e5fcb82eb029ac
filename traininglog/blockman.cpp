#include "traininglog/blockman.h"

#include "ui_blockman.h"

#include <QPainter>
#include <QStyledItemDelegate>

#include "core/language.h"
#include "core/main.h"
#include "core/messageids.h"
#include "core/orvdatabase.h"
#include "core/orvdbserver.h"
#include "core/views.h"
#include "platform/vcl/databinding.h"
#include "platform/vcl/dialogs.h"
#include "platform/vcl/events.h"
#include "traininglog/blockmanlogic.h"
#include "traininglog/datenselect.h"
#include "controls/flatbuttonkeys.h"
#include "traininglog/managerglyphs.h"

Tblockman* blockman = nullptr;

namespace {

constexpr int kIndentStep = 12;  // pixels per indent step of the filter list

bool editing(const TDataSet& ds)
{
    return ds.State() == dsEdit || ds.State() == dsInsert;
}

// Draws the filter list's entries indented by their steps, the picture before the caption.
class IndentDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QStyleOptionViewItem o(option);
        o.rect.setLeft(o.rect.left() + index.data(Tblockman::IndentRole).toInt() * kIndentStep);
        painter->fillRect(option.rect, (option.state & QStyle::State_Selected) ? option.palette.highlight()
                                                                               : option.palette.base());
        QStyledItemDelegate::paint(painter, o, index);
    }
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QSize s = QStyledItemDelegate::sizeHint(option, index);
        s.rwidth() += index.data(Tblockman::IndentRole).toInt() * kIndentStep;
        return s.expandedTo(QSize(0, 18));
    }
};

}  // namespace

Tblockman::Tblockman(QWidget* Owner) : TForm(Owner, Qt::Dialog), ui(std::make_unique<Ui::Tblockman>())
{
    ui->setupUi(this);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    ImageList1 = new TImageList(this, 16, 16);
    ImageList1->setObjectName(QStringLiteral("ImageList1"));
    DBGrid1 = ui->DBGrid1;
    DBGrid2 = ui->DBGrid2;
    DBEdit1 = ui->DBEdit1;
    DBEdit2 = ui->DBEdit2;
    DBEdit3 = ui->DBEdit3;
    DBDateTimePicker1 = ui->DBDateTimePicker1;
    DBLookupComboBox1 = ui->DBLookupComboBox1;
    DBLookupComboBox2 = ui->DBLookupComboBox2;
    Edit1 = ui->Edit1;
    Edit2 = ui->Edit2;
    Edit3 = ui->Edit3;
    combo1 = ui->combo1;
    XPButton1 = ui->XPButton1;
    XPButton2 = ui->XPButton2;
    XPButton3 = ui->XPButton3;
    XPButton4 = ui->XPButton4;
    XPButton6 = ui->XPButton6;
    XPButton7 = ui->XPButton7;
    XPButton8 = ui->XPButton8;
    XPButton9 = ui->XPButton9;
    XPButton10 = ui->XPButton10;
    XPButton11 = ui->XPButton11;
    XPButton12 = ui->XPButton12;
    XPButton13 = ui->XPButton13;
    XPButton15 = ui->XPButton15;
    XPButton16 = ui->XPButton16;
    SpeedButton1 = ui->SpeedButton1;

    BindDataControls(this, [](const QString& n) { return orvServer ? orvServer->FindDataSource(n) : nullptr; });

    struct Col {
        const char* field;
        const char* title;
        int width;
    };
    if (orvServer)
        DBGrid1->SetDataSource(orvServer->FindDataSource(QStringLiteral("dstrainblockman")));
    DBGrid1->SetReadOnly(true);
    DBGrid1->SetOptions(dgTitles | dgIndicator | dgColLines | dgRowLines | dgRowSelect | dgAlwaysShowSelection);
    TColumn* name = DBGrid1->Columns().Add();
    name->SetFieldName(QStringLiteral("trb_Name"));
    name->Title().SetCaption(tr("Name"));
    name->SetWidth(220);

    if (orvServer)
        DBGrid2->SetDataSource(orvServer->FindDataSource(QStringLiteral("dsTrainblockmandetail")));
    DBGrid2->SetReadOnly(true);
    DBGrid2->SetOptions(dgTitles | dgIndicator | dgColumnResize | dgColLines | dgRowLines | dgRowSelect |
                        dgAlwaysShowSelection);
    for (const Col c : {Col{"Datum", QT_TR_NOOP("Datum"), 76}, Col{"FormName", QT_TR_NOOP("Form"), 64},
                        Col{"SportName", QT_TR_NOOP("Sportart"), 64}, Col{"Meter", QT_TR_NOOP("Distanz"), 52},
                        Col{"Zeit", QT_TR_NOOP("Zeit"), 62}, Col{"Ort", QT_TR_NOOP("Ort"), 82},
                        Col{"Hoehendifferenz", QT_TR_NOOP("HDiff"), 36}, Col{"Puls", QT_TR_NOOP("Puls"), 36}}) {
        TColumn* col = DBGrid2->Columns().Add();
        col->SetFieldName(QString::fromLatin1(c.field));
        col->Title().SetCaption(tr(c.title));
        col->SetWidth(c.width);
    }
    DBGrid2->OnDblClick = Handler(this, &Tblockman::DBGrid2DblClick);

    combo1->setItemDelegate(new IndentDelegate(combo1));
    combo1->setIconSize(QSize(16, 16));
    connect(combo1, &QComboBox::activated, this, [this] { Handler(this, &Tblockman::combo1Change)(combo1); });
    connect(Edit3, &QLineEdit::textChanged, this, [this] { Handler(this, &Tblockman::Edit3Change)(Edit3); });

    const std::pair<TXPButton*, TManagerGlyph> glyphs[] = {
        {XPButton1, mgFirst},  {XPButton2, mgPrior},      {XPButton3, mgNext},   {XPButton4, mgLast},
        {XPButton7, mgNew},    {XPButton8, mgDelete},     {XPButton9, mgDeleteAll}, {XPButton15, mgPost},
        {XPButton16, mgCancel}, {XPButton6, mgHelp},       {XPButton10, mgFirst}, {XPButton11, mgPrior},
        {XPButton13, mgNext},  {XPButton12, mgLast},      {SpeedButton1, mgAddUnits}};
    for (const auto& [button, glyph] : glyphs)
        button->SetGlyph(ManagerGlyph(glyph));
    XPButton1->OnClick = Handler(this, &Tblockman::XPButton1Click);
    XPButton2->OnClick = Handler(this, &Tblockman::XPButton2Click);
    XPButton3->OnClick = Handler(this, &Tblockman::XPButton3Click);
    XPButton4->OnClick = Handler(this, &Tblockman::XPButton4Click);
    XPButton6->OnClick = Handler(this, &Tblockman::XPButton6Click);
    XPButton7->OnClick = Handler(this, &Tblockman::XPButton7Click);
    XPButton8->OnClick = Handler(this, &Tblockman::XPButton8Click);
    XPButton9->OnClick = Handler(this, &Tblockman::XPButton9Click);
    XPButton10->OnClick = Handler(this, &Tblockman::XPButton10Click);
    XPButton11->OnClick = Handler(this, &Tblockman::XPButton11Click);
    XPButton12->OnClick = Handler(this, &Tblockman::XPButton12Click);
    XPButton13->OnClick = Handler(this, &Tblockman::XPButton13Click);
    XPButton15->OnClick = Handler(this, &Tblockman::XPButton15Click);
    XPButton16->OnClick = Handler(this, &Tblockman::XPButton16Click);
    SpeedButton1->OnClick = Handler(this, &Tblockman::SpeedButton1Click);
    OnShow = Handler(this, &Tblockman::FormShow);

    LetKeyboardPressButtons({XPButton1, XPButton2, XPButton3, XPButton4, XPButton7, XPButton8, XPButton9, XPButton15,
                             XPButton16, XPButton6, XPButton10, XPButton11, XPButton13, XPButton12, SpeedButton1});
    // Tab goes along the tool bar, the list, the block's fields and the units' buttons and list.
    QWidget* order[] = {XPButton1, XPButton2, XPButton3, XPButton4, XPButton7, XPButton8, XPButton9,
                        XPButton15, XPButton16, XPButton6, combo1, Edit3, DBGrid1, DBEdit1,
                        DBDateTimePicker1, DBEdit3, DBEdit2, DBLookupComboBox2, DBLookupComboBox1,
                        XPButton10, XPButton11, XPButton13, XPButton12, SpeedButton1, DBGrid2};
    for (size_t i = 0; i + 1 < std::size(order); ++i)
        setTabOrder(order[i], order[i + 1]);
    Edit1->setFocusPolicy(Qt::NoFocus);
    Edit2->setFocusPolicy(Qt::NoFocus);

    RegisterView<BlockManagerView>(this);
}

Tblockman::~Tblockman()
{
    UnregisterView<BlockManagerView>(this);
    DBGrid1->SetDataSource(nullptr);
    DBGrid2->SetDataSource(nullptr);
}

void Tblockman::UpdateListView() {}

void Tblockman::setTotals(const QString& distance, const QString& time)
{
    Edit1->setText(distance);
    Edit2->setText(time);
}

void Tblockman::FormShow(QObject*)
{
    if (!orvServer)
        return;
    TDataSet& units = orvServer->trainblockman_detail;
    units.Close();
    units.Open();

    ImageList1->Clear();
    combo1->clear();
    for (const TBlockFilterEntry& e : BlockFilterEntries(orvServer->sportart, orvServer->form)) {
        const int image = e.Picture.isNull() ? -1 : ImageList1->Add(QPixmap::fromImage(e.Picture));
        combo1->addItem(image < 0 ? QIcon() : ImageList1->GetIcon(image), e.Caption, e.Key);
        combo1->setItemData(combo1->count() - 1, e.Indent, IndentRole);
    }
    // The list is not filtered until the user picks an entry.
    combo1->setCurrentIndex(-1);
    orvServer->dstrainblockmanDataChange(nullptr, nullptr);
}

void Tblockman::combo1Change(QObject*)
{
    const int index = combo1->currentIndex();
    if (index < 0 || !orvServer)
        return;
    TTable& blocks = orvServer->trainblockman;
    blocks.SetFilter(BlockFilterText(combo1->itemData(index, KeyRole).toInt()));
    blocks.SetFiltered(true);
    if (index == 0)  // "Alle"
        blocks.SetFiltered(false);
}

void Tblockman::Edit3Change(QObject*)
{
    if (orvServer && orvServer->trainblockman.Active())
        orvServer->trainblockman.Locate(QStringLiteral("trb_Name"), Edit3->text(), loPartialKey);
}

void Tblockman::DBGrid2DblClick(QObject*)
{
    TDataSet& units = orvServer->trainblockman_detail;
    // A double click beside the rows of an empty list chooses no unit.
    if (!units.Active() || units.IsEmpty())
        return;
    orvServer->daten.Locate(QStringLiteral("dat_id"), units.FieldByName(QStringLiteral("dat_Id"))->AsString());
    Close();
}

void Tblockman::XPButton1Click(QObject*)
{
    orvServer->trainblockman.First();
}

void Tblockman::XPButton2Click(QObject*)
{
    orvServer->trainblockman.Prior();
}

void Tblockman::XPButton3Click(QObject*)
{
    orvServer->trainblockman.Next();
}

void Tblockman::XPButton4Click(QObject*)
{
    orvServer->trainblockman.Last();
}

void Tblockman::XPButton6Click(QObject*)
{
    bool callHelp = true;
    if (MainForm)
        MainForm->showHelp(1, QStringLiteral("Blockmanager"), callHelp);
}

void Tblockman::XPButton7Click(QObject*)
{
    orvServer->trainblockman.Insert();
}

void Tblockman::XPButton8Click(QObject*)
{
    TTable& blocks = orvServer->trainblockman;
    if (!blocks.Active() || (blocks.IsEmpty() && blocks.State() != dsInsert))
        return;  // no block to delete
    if (orvServer->trainblockman_detail.RecordCount() != 0) {
        MessageDlg(LoadStr(msg::BlockHasUnits), mtInformation, TMsgDlgButtons{mbOK});
        return;
    }
    if (MessageDlg(LoadStr(msg::ConfirmDeleteBlock), mtConfirmation, TMsgDlgButtons{mbYes, mbNo}) == mrYes)
        blocks.Delete();
}

void Tblockman::XPButton9Click(QObject*)
{
    if (MessageDlg(LoadStr(msg::ConfirmDeleteEmptyBlocks), mtConfirmation, TMsgDlgButtons{mbYes, mbNo}) != mrYes)
        return;
    TTable& blocks = orvServer->trainblockman;
    // Reopening the list would drop an edit of the current block: it is saved first.
    blocks.CheckBrowseMode();
    orvServer->del_OldTB.ExecSQL();
    blocks.Close();
    blocks.Open();
    blocks.Last();
}

void Tblockman::XPButton10Click(QObject*)
{
    orvServer->trainblockman_detail.First();
}

void Tblockman::XPButton11Click(QObject*)
{
    orvServer->trainblockman_detail.Prior();
}

void Tblockman::XPButton12Click(QObject*)
{
    orvServer->trainblockman_detail.Last();
}

void Tblockman::XPButton13Click(QObject*)
{
    orvServer->trainblockman_detail.Next();
}

void Tblockman::XPButton15Click(QObject*)
{
    if (editing(orvServer->trainblockman))
        orvServer->trainblockman.Post();
}

void Tblockman::XPButton16Click(QObject*)
{
    if (editing(orvServer->trainblockman))
        orvServer->trainblockman.Cancel();
}

void Tblockman::SpeedButton1Click(QObject*)
{
    TTable& blocks = orvServer->trainblockman;
    if (editing(blocks)) {
        if (MessageDlg(LoadStr(msg::SaveBlockBeforeAdding), mtConfirmation, TMsgDlgButtons{mbYes, mbNo}) != mrYes)
            return;
        blocks.Post();
    }
    // Without a current block the units would lose the block they have.
    if (!blocks.Active() || blocks.IsEmpty())
        return;
    const int blockId = blocks.FieldByName(QStringLiteral("trb_Id"))->AsInteger();
    {
        ModalForm<TDatenSelect> selection(DatenSelect, this);
        if (selection->ShowModal() == mrOk) {
            AddUnitsToBlock(orvServer->daten, selection->selectedIds, blockId);
            TDataSet& units = orvServer->trainblockman_detail;
            units.Close();
            units.Open();
            // The totals follow the units the block now has.
            orvServer->dstrainblockmanDataChange(nullptr, nullptr);
        }
    }
    if (!CheckBlockDate(blockId))
        MessageDlg(LoadStr(msg::UnitNewerThanBlock), mtWarning, TMsgDlgButtons{mbOK});
}
