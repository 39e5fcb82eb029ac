#include "traininglog/bestzeit.h"

#include "ui_bestzeit.h"

#include <QGuiApplication>
#include <QMenu>
#include <QScopedValueRollback>
#include <QScreen>

#include "core/main.h"
#include "core/orvdbserver.h"
#include "core/views.h"
#include "platform/vcl/databinding.h"
#include "platform/vcl/events.h"
#include "traininglog/categorytree.h"
#include "traininglog/managerglyphs.h"

Tbestzeit* bestzeit = nullptr;

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
        const char* title;  // the field's label, in the interface language
    };
    // Date and time get the room their texts take in this font.
    for (const Col c : {Col{"bes_sportLookup", 96, QT_TR_NOOP("Sportart")}, Col{"bes_datum", 62, QT_TR_NOOP("Datum")},
                        Col{"bes_meter", 53, QT_TR_NOOP("Distanz")}, Col{"bes_zeit", 58, QT_TR_NOOP("Zeit")},
                        Col{"bes_ort", 100, QT_TR_NOOP("Ort")}, Col{"bes_typ", 36, QT_TR_NOOP("Typ")},
                        Col{"bes_kategorie", 105, QT_TR_NOOP("Kategorie")}}) {
        TColumn* col = DBGrid1->Columns().Add();
        col->SetFieldName(QString::fromLatin1(c.field));
        col->SetWidth(c.width);
        col->Title().SetCaption(tr(c.title));
        if (QLatin1String(c.field) == QLatin1String("bes_typ"))
            col->SetPickList(types);
    }
    // A best time is typed into the list cell by cell: Tab moves on to the next cell of the row
    // (the row is posted when it is left), Ctrl+Tab leaves the list for the tree and the tool bar.
    Panel1->setVisible(false);

    createActions();
    if (orvServer)
        BindDataControls(this, [](const QString& name) { return orvServer->FindDataSource(name); });

    BindCategoryTreeClick(TreeView1, treeBusy_, Handler(this, &Tbestzeit::TreeView1Click));
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
    AddDataSetActionImages(ImageList1);
    const int viewImage = ImageList1->Add(QPixmap::fromImage(ManagerGlyph(mgView)));
    const int helpImage = ImageList1->Add(QPixmap::fromImage(ManagerGlyph(mgHelp)));
    ActionManager1->SetImages(ImageList1);

    const QStringList hints = {tr("Erster Datensatz"), tr("Vorheriger Datensatz"),   tr("Nächster Datensatz"),
                               tr("Letzter Datensatz"), tr("Neue Bestzeit eingeben"), tr("Bestzeit löschen"),
                               tr("Speichern"),        tr("Abbrechen")};
    const TDataSetActions best = CreateDataSetActions(ActionManager1, DataSetActionNames(1),
                                                      orvServer ? &orvServer->dsBestzeiten : nullptr, hints);
    std::tie(DataSetFirst1, DataSetPrior1, DataSetNext1, DataSetLast1, DataSetInsert1, DataSetDelete1, DataSetPost1,
             DataSetCancel1) = best.Tuple();
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

    ActionToolBar1 = CreateActionToolBar(ui->Panel2, QStringLiteral("ActionToolBar1"));
    AddDataSetButtons(ActionToolBar1, best);
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
    LetKeyboardReachButtons(ActionToolBar1);
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
    const QScopedValueRollback busy(treeBusy_, true);
    FillCategoryTree(TreeView1, ReadCategoryGroups(orvServer->orvDB, BestTimeCategorySource()), NoCategoryCaption());
}

void Tbestzeit::synchronizeOverview()
{
    if (!orvServer)
        return;
    const QScopedValueRollback busy(treeBusy_, true);
    SynchronizeCategoryTree(TreeView1, orvServer->bestzeiten, QStringLiteral("bes_id"));
}

void Tbestzeit::TreeView1Click(QObject*)
{
    if (!orvServer)
        return;
    LocateSelectedCategoryRecord(TreeView1, orvServer->bestzeiten, QStringLiteral("bes_id"));
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
