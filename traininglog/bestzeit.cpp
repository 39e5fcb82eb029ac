#include "traininglog/bestzeit.h"

#include "ui_bestzeit.h"

#include <QGuiApplication>
#include <QMenu>
#include <QPainter>
#include <QScreen>

#include "core/main.h"
#include "core/orvdbserver.h"
#include "core/views.h"
#include "platform/vcl/databinding.h"
#include "platform/vcl/events.h"
#include "traininglog/categorytree.h"
#include "traininglog/managerglyphs.h"

Tbestzeit* bestzeit = nullptr;

namespace {

// A list beside a form: the view button.
QPixmap viewGlyph()
{
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setPen(QColor(30, 100, 170));
    p.setBrush(Qt::white);
    p.drawRect(1, 2, 13, 11);
    for (int y = 5; y <= 11; y += 3)
        p.drawLine(3, y, 12, y);
    return pm;
}

class FlagScope {
public:
    explicit FlagScope(bool& flag) : flag_(flag), old_(flag) { flag_ = true; }
    ~FlagScope() { flag_ = old_; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    bool& flag_;
    bool old_;
};

}  // namespace

TCategorySource BestTimeCategorySource()
{
    // Within a category the best times come by distance (5000 m before 10000 m), then by text.
    return TCategorySource{
        QStringLiteral("bestzeit"), QStringLiteral("bes_kategorie"), QStringLiteral("bes_id"), QString(),
        [](TDataSet& row) {
            const QVariant sport = orvServer ? orvServer->sportart.Lookup(QStringLiteral("spo_id"),
                                                                           row.FieldByName(QStringLiteral("bes_sportart"))->Value(),
                                                                           QStringLiteral("spo_name"))
                                             : QVariant();
            return row.FieldByName(QStringLiteral("bes_meter"))->DisplayText() + QStringLiteral(" - ") +
                   (sport.isNull() ? QString() : sport.toString());
        },
        [](TDataSet& row) -> std::optional<double> {
            TField* meter = row.FieldByName(QStringLiteral("bes_meter"));
            if (meter->IsNull())
                return std::nullopt;
            return meter->AsFloat();
        }};
}

Tbestzeit::Tbestzeit(QWidget* Owner) : TForm(Owner, Qt::Dialog), ui(std::make_unique<Ui::Tbestzeit>())
{
    ui->setupUi(this);
    setObjectName(QStringLiteral("bestzeit"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFixedSize(size());
    TreeView1 = ui->TreeView1;
    DBGrid1 = ui->DBGrid1;
    Panel1 = ui->Panel1;
    DBEdit1 = ui->DBEdit1;
    DBEdit2 = ui->DBEdit2;
    DBComboBox1 = ui->DBComboBox1;
    DBEdit3 = ui->DBEdit3;
    DBEdit4 = ui->DBEdit4;
    DBEdit5 = ui->DBEdit5;
    DBMemo1 = ui->DBMemo1;
    DBLookupComboBox1 = ui->DBLookupComboBox1;

    SetUpCategoryTree(TreeView1);
    const QStringList types = {QStringLiteral("PB"), QStringLiteral("SB"), QStringLiteral("JB")};
    DBComboBox1->SetItems(types);
    DBEdit1->setMaxLength(8);
    DBEdit3->setMaxLength(8);
    struct Col {
        const char* field;
        int width;
    };
    // Date and time get the room their texts take in this font.
    for (const Col c : {Col{"bes_sportLookup", 96}, Col{"bes_datum", 62}, Col{"bes_meter", 53}, Col{"bes_zeit", 58},
                        Col{"bes_ort", 100}, Col{"bes_typ", 36}, Col{"bes_kategorie", 105}}) {
        TColumn* col = DBGrid1->Columns().Add();
        col->SetFieldName(QString::fromLatin1(c.field));
        col->SetWidth(c.width);
        if (QLatin1String(c.field) == QLatin1String("bes_typ"))
            col->SetPickList(types);
    }
    Panel1->setVisible(false);

    createActions();
    if (orvServer)
        BindDataControls(this, [](const QString& name) { return orvServer->FindDataSource(name); });

    connect(TreeView1, &QTreeWidget::itemClicked, this, [this] {
        if (!treeBusy_)
            Handler(this, &Tbestzeit::TreeView1Click)(TreeView1);
    });
    connect(TreeView1, &QTreeWidget::currentItemChanged, this, [this] {
        if (!treeBusy_ && TreeView1->hasFocus())
            Handler(this, &Tbestzeit::TreeView1Click)(TreeView1);
    });
    OnShow = Handler(this, &Tbestzeit::FormShow);
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    RegisterView<BestTimeManagerView>(this);
}

Tbestzeit::~Tbestzeit()
{
    UnregisterView<BestTimeManagerView>(this);
    if (bestzeit == this)
        bestzeit = nullptr;
}

void Tbestzeit::createActions()
{
    ActionManager1 = new TActionList(this);
    ActionManager1->setObjectName(QStringLiteral("ActionManager1"));
    ImageList1 = new TImageList(this, 16, 16);
    for (int k = daFirst; k <= daCancel; ++k)
        ImageList1->Add(DataSetActionGlyph(TDataSetActionKind(k)));
    const int viewImage = ImageList1->Add(viewGlyph());
    const int helpImage = ImageList1->Add(QPixmap::fromImage(ManagerGlyph(mgHelp)));
    ActionManager1->SetImages(ImageList1);

    DataSetFirst1 = new TDataSetFirst(ActionManager1, QStringLiteral("DataSetFirst1"));
    DataSetPrior1 = new TDataSetPrior(ActionManager1, QStringLiteral("DataSetPrior1"));
    DataSetNext1 = new TDataSetNext(ActionManager1, QStringLiteral("DataSetNext1"));
    DataSetLast1 = new TDataSetLast(ActionManager1, QStringLiteral("DataSetLast1"));
    DataSetInsert1 = new TDataSetInsert(ActionManager1, QStringLiteral("DataSetInsert1"));
    DataSetDelete1 = new TDataSetDelete(ActionManager1, QStringLiteral("DataSetDelete1"));
    DataSetPost1 = new TDataSetPost(ActionManager1, QStringLiteral("DataSetPost1"));
    DataSetCancel1 = new TDataSetCancel(ActionManager1, QStringLiteral("DataSetCancel1"));
    const QList<TDataSetAction*> dataActions = {DataSetFirst1,  DataSetPrior1,  DataSetNext1, DataSetLast1,
                                                DataSetInsert1, DataSetDelete1, DataSetPost1, DataSetCancel1};
    const char* const hints[] = {QT_TR_NOOP("Erster Datensatz"),      QT_TR_NOOP("Vorheriger Datensatz"),
                                 QT_TR_NOOP("Nächster Datensatz"),    QT_TR_NOOP("Letzter Datensatz"),
                                 QT_TR_NOOP("Neue Bestzeit eingeben"), QT_TR_NOOP("Bestzeit löschen"),
                                 QT_TR_NOOP("Speichern"),             QT_TR_NOOP("Abbrechen")};
    for (int i = 0; i < dataActions.size(); ++i) {
        dataActions[i]->SetImageIndex(dataActions[i]->Kind());
        dataActions[i]->SetDataSource(orvServer ? &orvServer->dsBestzeiten : nullptr);
        dataActions[i]->SetHint(tr(hints[i]));
    }
    auto action = [&](const char* name, const char* caption, const char* hint, int image,
                      void (Tbestzeit::*handler)(QObject*)) {
        auto* a = new TAction(ActionManager1, QString::fromLatin1(name));
        a->SetCaption(tr(caption));
        a->SetHint(tr(hint));
        a->SetImageIndex(image);
        a->OnExecute = Handler(this, handler);
        return a;
    };
    Action4 = action("Action4", QT_TR_NOOP("Liste/Formular"), QT_TR_NOOP("Liste/Formular"), viewImage,
                     &Tbestzeit::Action4Execute);
    Action3 = action("Action3", QT_TR_NOOP("Liste"), QT_TR_NOOP("Liste"), -1, &Tbestzeit::Action3Execute);
    Action2 = action("Action2", QT_TR_NOOP("Formular"), QT_TR_NOOP("Formular"), -1, &Tbestzeit::Action2Execute);
    Action1 = action("Action1", QT_TR_NOOP("Hilfe"), QT_TR_NOOP("Hilfe"), helpImage, &Tbestzeit::Action1Execute);
    // "Liste" and "Formular" are one group: exactly one of them is checked.
    Action3->qaction()->setCheckable(true);
    Action2->qaction()->setCheckable(true);
    Action3->SetChecked(true);

    ActionToolBar1 = new QToolBar(ui->Panel2);
    ActionToolBar1->setObjectName(QStringLiteral("ActionToolBar1"));
    ActionToolBar1->setIconSize(QSize(16, 16));
    ActionToolBar1->setToolButtonStyle(Qt::ToolButtonIconOnly);
    ActionToolBar1->setMovable(false);
    ActionToolBar1->setGeometry(ui->Panel2->rect());
    for (TDataSetAction* a : dataActions) {
        if (a == DataSetInsert1)
            ActionToolBar1->addSeparator();
        AddActionButton(ActionToolBar1, a);
    }
    ActionToolBar1->addSeparator();
    QAction* view = AddActionButton(ActionToolBar1, Action4);
    ViewButton = qobject_cast<QToolButton*>(ActionToolBar1->widgetForAction(view));
    if (ViewButton) {
        ViewButton->setObjectName(QStringLiteral("ViewButton"));
        auto* menu = new QMenu(ViewButton);
        menu->setObjectName(QStringLiteral("ViewMenu"));
        menu->addAction(Action3->qaction());
        menu->addAction(Action2->qaction());
        ViewButton->setMenu(menu);
        ViewButton->setPopupMode(QToolButton::MenuButtonPopup);
    }
    AddActionButton(ActionToolBar1, Action1);
    // Tab stops on the tool bar's buttons too; Space presses the focused one.
    for (QToolBar* bar : {ActionToolBar1})
        for (QAction* a : bar->actions())
            if (QWidget* button = bar->widgetForAction(a); button && !a->isSeparator())
                button->setFocusPolicy(Qt::StrongFocus);
    ActionManager1->UpdateActions();
}

void Tbestzeit::FormShow(QObject*)
{
    if (!orvServer)
        return;
    orvServer->bestzeiten.SetFilter(QString());
    orvServer->bestzeiten.SetFiltered(false);
    fillTreeView();
    synchronizeOverview();
    TreeView1->setFocus();
}

void Tbestzeit::fillTreeView()
{
    if (!orvServer)
        return;
    FlagScope busy(treeBusy_);
    FillCategoryTree(TreeView1, ReadCategoryGroups(orvServer->orvDB, BestTimeCategorySource()), NoCategoryCaption());
}

void Tbestzeit::synchronizeOverview()
{
    if (!orvServer)
        return;
    FlagScope busy(treeBusy_);
    SynchronizeCategoryTree(TreeView1, orvServer->bestzeiten, QStringLiteral("bes_id"));
}

void Tbestzeit::TreeView1Click(QObject*)
{
    if (!orvServer)
        return;
    const qint64 id = SelectedCategoryKey(TreeView1);
    if (id <= 0)
        return;
    TTable& best = orvServer->bestzeiten;
    if (!best.IsEmpty() && best.State() == dsBrowse && best.FieldByName(QStringLiteral("bes_id"))->AsLargeInt() == id)
        return;
    best.Locate(QStringLiteral("bes_id"), id);
}

void Tbestzeit::showView()
{
    DBGrid1->setVisible(Action3->Checked());
    Panel1->setVisible(!Action3->Checked());
}

void Tbestzeit::Action2Execute(QObject*)
{
    Action2->SetChecked(true);
    Action3->SetChecked(false);
    showView();
}

void Tbestzeit::Action3Execute(QObject*)
{
    Action3->SetChecked(true);
    Action2->SetChecked(false);
    showView();
}

void Tbestzeit::Action4Execute(QObject*)
{
    Action3->Execute();
}

void Tbestzeit::Action1Execute(QObject*)
{
    bool callHelp = true;
    if (MainForm)
        MainForm->showHelp(1, QStringLiteral("Bestzeiten"), callHelp);
}
