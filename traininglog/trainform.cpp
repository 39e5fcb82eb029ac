#include "traininglog/trainform.h"

#include "ui_plandelete.h"
#include "ui_trainform.h"

#include <QActionGroup>
#include <QCursor>

#include "core/language.h"
#include "core/main.h"
#include "core/messageids.h"
#include "core/orvdbserver.h"
#include "core/orvtools.h"
#include "core/views.h"
#include "platform/report/report.h"
#include "platform/vcl/databinding.h"
#include "platform/vcl/dialogs.h"
#include "platform/vcl/events.h"
#include "traininglog/datenselect.h"
#include "traininglog/eingabefrm.h"
#include "traininglog/managerglyphs.h"
#include "traininglog/planlogic.h"
#include "traininglog/trainmanprint.h"
#include "traininglog/trainplanwoche.h"

Tplan_delete* plan_delete = nullptr;
TTrainForm* TrainForm = nullptr;

namespace {

bool editing(const TDataSet& ds)
{
    return ds.State() == dsEdit || ds.State() == dsInsert;
}

}  // namespace

Tplan_delete::Tplan_delete(QWidget* Owner) : TForm(Owner, Qt::Dialog), ui(std::make_unique<Ui::Tplan_delete>())
{
    ui->setupUi(this);
    setObjectName(QStringLiteral("plan_delete"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFixedSize(size());
    Label1 = ui->Label1;
    RadioButton1 = ui->RadioButton1;
    RadioButton2 = ui->RadioButton2;
    Button1 = ui->Button1;
    Button2 = ui->Button2;
}

Tplan_delete::~Tplan_delete() = default;

TTrainForm::TTrainForm(QWidget* Owner) : TForm(Owner, Qt::Dialog), ui(std::make_unique<Ui::TTrainForm>())
{
    ui->setupUi(this);
    setObjectName(QStringLiteral("TrainForm"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    DBGrid1 = ui->DBGrid1;
    DBGrid2 = ui->DBGrid2;
    DBEdit1 = ui->DBEdit1;
    DBEdit2 = ui->DBEdit2;
    DBMemo1 = ui->DBMemo1;
    DBCheckBox1 = ui->DBCheckBox1;
    DBComboBox1 = ui->DBComboBox1;
    Edit1 = ui->Edit1;
    Edit2 = ui->Edit2;
    Label4 = ui->Label4;
    XPButton1 = ui->XPButton1;
    XPButton2 = ui->XPButton2;
    XPButton3 = ui->XPButton3;
    XPButton4 = ui->XPButton4;
    XPButton5 = ui->XPButton5;
    XPButton6 = ui->XPButton6;
    XPButton7 = ui->XPButton7;
    XPButton8 = ui->XPButton8;
    XPButton9 = ui->XPButton9;
    XPButton10 = ui->XPButton10;
    XPButton11 = ui->XPButton11;
    XPButton12 = ui->XPButton12;
    XPButton13 = ui->XPButton13;
    XPButton14 = ui->XPButton14;
    XPButton15 = ui->XPButton15;
    XPButton16 = ui->XPButton16;
    XPButton19 = ui->XPButton19;
    XPButton20 = ui->XPButton20;
    XPButton21 = ui->XPButton21;
    XPButton22 = ui->XPButton22;
    PopupMenu6 = new QMenu(this);
    PopupMenu6->setObjectName(QStringLiteral("PopupMenu6"));
    PopupMenu6->setStyle(new FlatMenuStyle(style()));
    connect(PopupMenu6, &QMenu::triggered, this, [this](QAction* a) { distanceUnitClick(a); });

    DBCheckBox1->SetValueChecked(tr("Wahr"));
    DBCheckBox1->SetValueUnchecked(tr("Falsch"));
    DBComboBox1->SetItems({QStringLiteral("VP1"), QStringLiteral("VP2"), QStringLiteral("WP"), QStringLiteral("ÜP")});
    // The realised flags read "Wahr" and "Falsch", as the grid's pick list offers them.
    const QString yesNo = tr("Wahr") + QLatin1Char(';') + tr("Falsch");
    if (orvServer)
        for (TField* flag : {orvServer->Plan.FieldByName(QStringLiteral("pla_Realisiert")),
                             orvServer->plan_daten.FieldByName(QStringLiteral("pld_realisiert"))}) {
            flagTexts_.append({flag, flag->DisplayValues()});
            flag->SetDisplayValues(yesNo);
        }
    BindDataControls(this, [](const QString& n) { return orvServer ? orvServer->FindDataSource(n) : nullptr; });

    struct Col {
        const char* field;
        const char* title;
        int width;
        bool editable;
    };
    if (orvServer)
        DBGrid1->SetDataSource(&orvServer->dsPlan);
    DBGrid1->SetReadOnly(true);
    DBGrid1->SetOptions(dgTitles | dgIndicator | dgColLines | dgRowLines | dgRowSelect | dgAlwaysShowSelection);
    for (const Col c : {Col{"pla_Name", QT_TR_NOOP("Name"), 150, false},
                        Col{"pla_Realisiert", QT_TR_NOOP("Realisiert"), 60, false}}) {
        TColumn* col = DBGrid1->Columns().Add();
        col->SetFieldName(QString::fromLatin1(c.field));
        col->Title().SetCaption(tr(c.title));
        col->SetWidth(c.width);
    }

    if (orvServer)
        DBGrid2->SetDataSource(&orvServer->dsPlan_daten);
    // Tab leaves the grid (the arrow keys move between its cells): most of its columns are read-only,
    // and Tab kept in the cells would never reach the buttons behind it.
    DBGrid2->SetOptions(dgEditing | dgTitles | dgIndicator | dgColumnResize | dgColLines | dgRowLines |
                        dgAlwaysShowSelection);
    const Col unitColumns[] = {
        {"Woche", QT_TR_NOOP("Woche"), 44, true},          {"Tag", QT_TR_NOOP("Tag"), 30, false},
        {"Datum", QT_TR_NOOP("Datum"), 72, false},         {"pld_realisiert", QT_TR_NOOP("Realisiert"), 62, true},
        {"SportName", QT_TR_NOOP("Sportart"), 70, false},  {"Ort", QT_TR_NOOP("Ort"), 90, false},
        {"Meter", QT_TR_NOOP("Meter"), 50, false},         {"Zeit", QT_TR_NOOP("Zeit"), 58, false},
        {"belArtName", QT_TR_NOOP("Bel.art"), 70, false},  {"belStufeName", QT_TR_NOOP("Bel.stufe"), 60, false},
        {"formName", QT_TR_NOOP("Form"), 60, false},       {"Hoehendifferenz", QT_TR_NOOP("HDiff"), 36, false},
        {"Puls", QT_TR_NOOP("Puls"), 36, false},           {"Streckenbeschreibung", QT_TR_NOOP("Streckenbeschreibung"), 160, true}};
    for (const Col& c : unitColumns) {
        TColumn* col = DBGrid2->Columns().Add();
        col->SetFieldName(QString::fromLatin1(c.field));
        col->Title().SetCaption(tr(c.title));
        col->SetWidth(c.width);
        col->SetReadOnly(!c.editable);
    }
    QFont bold = DBGrid2->font();
    bold.setBold(true);
    DBGrid2->Columns()[0]->SetFont(bold);
    DBGrid2->Columns()[1]->SetFont(bold);
    DBGrid2->Columns()[3]->SetPickList({tr("Wahr"), tr("Falsch")});
    DBGrid2->OnDblClick = Handler(this, &TTrainForm::DBGrid2DblClick);

    const std::pair<TXPButton*, TManagerGlyph> glyphs[] = {
        {XPButton1, mgFirst},  {XPButton2, mgPrior},   {XPButton3, mgNext},    {XPButton4, mgLast},
        {XPButton7, mgNew},    {XPButton8, mgDelete},  {XPButton15, mgPost},   {XPButton16, mgCancel},
        {XPButton9, mgFirst},  {XPButton10, mgPrior},  {XPButton11, mgNext},   {XPButton12, mgLast},
        {XPButton13, mgAddUnits}, {XPButton14, mgDelete}, {XPButton21, mgPost}, {XPButton20, mgCancel},
        {XPButton6, mgHelp}};
    for (const auto& [button, glyph] : glyphs)
        button->SetGlyph(ManagerGlyph(glyph));
    XPButton1->OnClick = Handler(this, &TTrainForm::XPButton1Click);
    XPButton2->OnClick = Handler(this, &TTrainForm::XPButton2Click);
    XPButton3->OnClick = Handler(this, &TTrainForm::XPButton3Click);
    XPButton4->OnClick = Handler(this, &TTrainForm::XPButton4Click);
    XPButton5->OnClick = Handler(this, &TTrainForm::XPButton5Click);
    XPButton6->OnClick = Handler(this, &TTrainForm::XPButton6Click);
    XPButton7->OnClick = Handler(this, &TTrainForm::XPButton7Click);
    XPButton8->OnClick = Handler(this, &TTrainForm::XPButton8Click);
    XPButton9->OnClick = Handler(this, &TTrainForm::XPButton9Click);
    XPButton10->OnClick = Handler(this, &TTrainForm::XPButton10Click);
    XPButton11->OnClick = Handler(this, &TTrainForm::XPButton11Click);
    XPButton12->OnClick = Handler(this, &TTrainForm::XPButton12Click);
    XPButton13->OnClick = Handler(this, &TTrainForm::XPButton13Click);
    XPButton14->OnClick = Handler(this, &TTrainForm::XPButton14Click);
    XPButton15->OnClick = Handler(this, &TTrainForm::XPButton15Click);
    XPButton16->OnClick = Handler(this, &TTrainForm::XPButton16Click);
    XPButton19->OnClick = Handler(this, &TTrainForm::XPButton19Click);
    XPButton20->OnClick = Handler(this, &TTrainForm::XPButton20Click);
    XPButton21->OnClick = Handler(this, &TTrainForm::XPButton21Click);
    XPButton22->OnClick = Handler(this, &TTrainForm::XPButton22Click);
    OnShow = Handler(this, &TTrainForm::FormShow);

    // The keyboard reaches every button in the order of the work: the plan list and its moving, new
    // and delete buttons, the plan's fields with their save and cancel, the distance units, the
    // units with their buttons, grid, save and cancel, then overview, print and help. A focused flat
    // button answers Space and Return itself.
    for (TXPButton* b : {XPButton1, XPButton2, XPButton3, XPButton4, XPButton7, XPButton8, XPButton15, XPButton16,
                         XPButton22, XPButton9, XPButton10, XPButton11, XPButton12, XPButton13, XPButton14,
                         XPButton21, XPButton20, XPButton5, XPButton19, XPButton6})
        b->setFocusPolicy(Qt::StrongFocus);
    QWidget* order[] = {DBGrid1,    XPButton1,  XPButton2,   XPButton3,   XPButton4,  XPButton7,  XPButton8,
                        DBEdit1,    DBEdit2,    DBCheckBox1, DBComboBox1, DBMemo1,    XPButton15, XPButton16,
                        XPButton22, XPButton9,  XPButton10,  XPButton11,  XPButton12, XPButton13, XPButton14,
                        DBGrid2,    XPButton21, XPButton20,  XPButton5,   XPButton19, XPButton6};
    for (size_t i = 0; i + 1 < std::size(order); ++i)
        setTabOrder(order[i], order[i + 1]);
    DBMemo1->setTabChangesFocus(true);
    Edit1->setFocusPolicy(Qt::NoFocus);
    Edit2->setFocusPolicy(Qt::NoFocus);
    XPButton15->setEnabled(false);
    XPButton16->setEnabled(false);
    XPButton20->setEnabled(false);
    XPButton21->setEnabled(false);

    RegisterView<PlanManagerView>(this);
}

TTrainForm::~TTrainForm()
{
    UnregisterView<PlanManagerView>(this);
    for (const auto& [flag, texts] : flagTexts_)
        flag->SetDisplayValues(texts);
    DBGrid1->SetDataSource(nullptr);
    DBGrid2->SetDataSource(nullptr);
}

// ---------------------------------------------------------------------------------------------
// What the plan rules show.

void TTrainForm::setEdit1(const QString& text)
{
    Edit1->setText(text);
}

void TTrainForm::setEdit2(const QString& text)
{
    Edit2->setText(text);
}

void TTrainForm::setLabel4(const QString& text)
{
    Label4->setText(text);
}

void TTrainForm::setTotalMeters(qint64 meters)
{
    gesamtMeter = meters;
}

void TTrainForm::checkPopupMenu6First()
{
    const QList<QAction*> items = PopupMenu6->actions();
    if (!items.isEmpty())
        items.first()->setChecked(true);
}

void TTrainForm::setPostButtonsEnabled(bool enabled)
{
    XPButton15->setEnabled(enabled);
    XPButton16->setEnabled(enabled);
}

void TTrainForm::setUnitButtonsEnabled(bool enabled)
{
    XPButton20->setEnabled(enabled);
    XPButton21->setEnabled(enabled);
}

// ---------------------------------------------------------------------------------------------
// Showing, the distance units.

void TTrainForm::FormShow(QObject*)
{
    gesamtMeter = 0;
    fillPopupMenu6();
    if (!orvServer || !orvServer->plan_daten.Active())
        return;
    orvServer->plan_daten.Refresh();
    // The totals of the plan shown, also when the window is shown again on the same plan.
    orvServer->dsPlanDataChange(nullptr, nullptr);
    orvServer->dsPlanStateChange(nullptr);
}

void TTrainForm::fillPopupMenu6()
{
    PopupMenu6->clear();
    auto* group = new QActionGroup(PopupMenu6);
    group->setExclusive(true);
    if (orvServer)
        for (const QString& name : DistanceUnitNames(orvServer->distancespeed)) {
            QAction* item = PopupMenu6->addAction(name);
            item->setCheckable(true);
            group->addAction(item);
        }
    checkPopupMenu6First();
}

void TTrainForm::distanceUnitClick(QAction* item)
{
    double factor = 0;
    if (!orvServer || !DistanceUnitFactor(orvServer->distancespeed, item->text(), factor))
        return;
    item->setChecked(true);
    Edit1->setText(FloatToStr(double(gesamtMeter) * factor));
    Label4->setText(item->text() + QLatin1Char(':'));
}

QString TTrainForm::distanceUnitName() const
{
    if (PopupMenu6->actions().size() < 2)
        return QString();
    QString name = Label4->text();
    if (name.endsWith(QLatin1Char(':')))
        name.chop(1);
    return name;
}

void TTrainForm::XPButton22Click(QObject*)
{
    fillPopupMenu6();
    PopupMenu6->popup(QCursor::pos());
}

// ---------------------------------------------------------------------------------------------
// Plans.

void TTrainForm::XPButton1Click(QObject*)
{
    orvServer->Plan.First();
}

void TTrainForm::XPButton2Click(QObject*)
{
    orvServer->Plan.Prior();
}

void TTrainForm::XPButton3Click(QObject*)
{
    orvServer->Plan.Next();
}

void TTrainForm::XPButton4Click(QObject*)
{
    orvServer->Plan.Last();
}

void TTrainForm::XPButton7Click(QObject*)
{
    orvServer->Plan.Insert();
}

void TTrainForm::XPButton8Click(QObject*)
{
    TTable& plans = orvServer->Plan;
    if (!plans.Active() || (plans.IsEmpty() && plans.State() != dsInsert))
        return;
    if (MessageDlg(LoadStr(msg::ConfirmDeletePlan), mtConfirmation, mbYesNo) == mrYes)
        plans.Delete();
}

void TTrainForm::XPButton15Click(QObject*)
{
    if (editing(orvServer->Plan))
        orvServer->Plan.Post();
}

void TTrainForm::XPButton16Click(QObject*)
{
    if (editing(orvServer->Plan))
        orvServer->Plan.Cancel();
}

void TTrainForm::XPButton5Click(QObject*)
{
    ModalForm<TtrainplanWoche> overview(trainplanWoche, this);
    overview->ShowModal();
}

void TTrainForm::XPButton6Click(QObject*)
{
    bool callHelp = true;
    if (MainForm)
        MainForm->showHelp(1, QStringLiteral("Trainingsplanmanager"), callHelp);
}

void TTrainForm::XPButton19Click(QObject*)
{
    TTable& plans = orvServer->Plan;
    // What is typed into the plan is printed: it is saved first.
    plans.CheckBrowseMode();
    const TBookmark keep = plans.GetBookmark();
    const QString unitName = distanceUnitName();
    auto restore = [&plans, &keep] {
        plans.SetFilter(QString());
        plans.SetFiltered(false);
        if (plans.BookmarkValid(keep))
            plans.GotoBookmark(keep);
    };
    try {
        if (plans.Active() && !plans.IsEmpty()) {
            plans.SetFilter(QStringLiteral("pla_id = ") +
                            QString::number(plans.FieldByName(QStringLiteral("pla_ID"))->AsInteger()));
            plans.SetFiltered(true);
            std::unique_ptr<TReport> print = BuildTrainManPrint(*orvServer, unitName);
            print->Preview(this);
        } else {
            MessageDlg(LoadStr(msg::NoPlan), mtInformation, TMsgDlgButtons{mbOK});
        }
    } catch (...) {
        restore();
        throw;
    }
    restore();
}

// ---------------------------------------------------------------------------------------------
// Plan units.

void TTrainForm::XPButton9Click(QObject*)
{
    orvServer->plan_daten.First();
}

void TTrainForm::XPButton10Click(QObject*)
{
    orvServer->plan_daten.Prior();
}

void TTrainForm::XPButton11Click(QObject*)
{
    orvServer->plan_daten.Next();
}

void TTrainForm::XPButton12Click(QObject*)
{
    orvServer->plan_daten.Last();
}

void TTrainForm::XPButton20Click(QObject*)
{
    if (editing(orvServer->plan_daten))
        orvServer->plan_daten.Cancel();
}

void TTrainForm::XPButton21Click(QObject*)
{
    if (editing(orvServer->plan_daten))
        orvServer->plan_daten.Post();
}

void TTrainForm::XPButton14Click(QObject*)
{
    TDataSet& units = orvServer->plan_daten;
    // Without a saved plan unit there is nothing to remove.
    if (!units.Active() || units.IsEmpty() || editing(orvServer->Plan))
        return;
    units.CheckBrowseMode();
    ModalForm<Tplan_delete> dialog(plan_delete, this);
    if (dialog->ShowModal() != mrOk)
        return;
    RemovePlanUnit(*orvServer, dialog->RadioButton2->isChecked() ? TPlanUnitRemoval::DeleteUnit
                                                                 : TPlanUnitRemoval::FromThisPlan);
    orvServer->dsPlanDataChange(nullptr, nullptr);
}

void TTrainForm::XPButton13Click(QObject*)
{
    bool existing = true;
    {
        ModalForm<Tplan_delete> dialog(plan_delete, this);
        dialog->RadioButton1->setText(LoadStr(msg::InsertExistingUnit));
        dialog->RadioButton2->setText(LoadStr(msg::InsertNewUnit));
        dialog->setWindowTitle(LoadStr(msg::InsertPlanUnit));
        if (dialog->ShowModal() != mrOk)
            return;
        existing = dialog->RadioButton1->isChecked();
    }
    // Units are linked to a saved plan only.
    if (!PostCurrentPlan(*orvServer)) {
        MessageDlg(LoadStr(msg::NoPlan), mtInformation, TMsgDlgButtons{mbOK});
        return;
    }
    if (existing)
        insertExistingUnits();
    else
        insertNewUnit();
}

void TTrainForm::insertExistingUnits()
{
    QStringList ids;
    {
        ModalForm<TDatenSelect> selection(DatenSelect, this);
        if (selection->ShowModal() == mrOk)
            ids = selection->selectedIds;
    }
    try {
        AddUnitsToPlan(*orvServer, ids);
    } catch (...) {
        ReloadPlanUnits(*orvServer);
        throw;
    }
    ReloadPlanUnits(*orvServer);
}

void TTrainForm::insertNewUnit()
{
    TDataSet& daten = orvServer->daten;
    try {
        daten.Insert();
        ModalForm<TeingabeWin> window(eingabeWin, this);
        window->XPButton15->hide();
        window->XPButton16->hide();
        window->eingabeFrm1->DBNavigator2->hide();
        window->eingabeFrm1->DBNavigator3->hide();
        window->XPButton1->show();
        if (window->ShowModal() == mrOk) {
            PostNewPlanUnit(*orvServer);
            ReloadPlanUnits(*orvServer);
        } else {
            daten.Cancel();
        }
    } catch (const EAbort&) {
        if (editing(daten))
            daten.Cancel();
        throw;
    } catch (const std::exception&) {
        MessageDlg(LoadStr(msg::PlanUnitEntryError), mtError, TMsgDlgButtons{mbOK});
        if (editing(daten))
            daten.Cancel();
        ReloadPlanUnits(*orvServer);
    }
}

void TTrainForm::DBGrid2DblClick(QObject*)
{
    TDataSet& units = orvServer->plan_daten;
    if (!units.Active() || units.IsEmpty())
        return;
    units.CheckBrowseMode();
    TDataSet& daten = orvServer->daten;
    // Re-reading daten would drop the entry window's pending edit: it is saved first.
    daten.CheckBrowseMode();
    daten.Close();
    daten.Open();
    daten.Locate(QStringLiteral("dat_id"), units.FieldByName(QStringLiteral("pld_DatenID"))->AsString());
    {
        ModalForm<TeingabeWin> window(eingabeWin, this);
        window->ShowModal();
    }
    units.Close();
    units.Open();
    orvServer->dsPlanDataChange(nullptr, nullptr);
}
