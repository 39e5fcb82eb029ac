#include "analysis/zeitraumneu.h"

#include "ui_zeitraumneu.h"

#include <QCursor>
#include <QFileInfo>
#include <QHash>

#include <algorithm>
#include <QLineEdit>
#include <QMenu>
#include <QStyle>

#include "analysis/calchelp.h"
#include "analysis/infos.h"
#include "core/language.h"
#include "core/main.h"
#include "core/messageids.h"
#include "core/orvdbserver.h"
#include "core/orvtools.h"
#include "platform/db/fields.h"
#include "platform/db/query.h"
#include "platform/vcl/buttonclick.h"
#include "platform/vcl/dbgrids.h"
#include "platform/vcl/events.h"

TZeitNeu* ZeitNeu = nullptr;

int32_t TrainingUnitCount = 0;
int32_t MeterSum = 0;
int32_t HeightSum = 0;
QString DistanceUnitName = QStringLiteral("m");

namespace {

// The grid's design-time columns: field, width (0: the field's own) and title (the field's label
// in the interface language; none: the label the data module gives).
struct ColumnSpec {
    const char* field;
    int width;
    const char* title;
};
const ColumnSpec kColumns[] = {
    {"dat_Id", 0, nullptr},
    {"Datum", 62, QT_TRANSLATE_NOOP("TZeitNeu", "Datum")},
    {"Tag", 24, QT_TRANSLATE_NOOP("TZeitNeu", "Tag")},
    {"Spo_Name", 66, QT_TRANSLATE_NOOP("TZeitNeu", "Sportart")},
    {"For_Form", 59, QT_TRANSLATE_NOOP("TZeitNeu", "Form")},
    {"Ort", 173, QT_TRANSLATE_NOOP("TZeitNeu", "Ort")},
    {"distance", 47, QT_TRANSLATE_NOOP("TZeitNeu", "Distanz")},
    {"Zeit", 46, QT_TRANSLATE_NOOP("TZeitNeu", "Zeit")},
    {"lSpeed", 94, QT_TRANSLATE_NOOP("TZeitNeu", "Speed")},
    {"kmh", 40, QT_TRANSLATE_NOOP("TZeitNeu", "kmh")},
    {"bel_Name", 58, QT_TRANSLATE_NOOP("TZeitNeu", "Bel.Stufe")},
    {"bea_Name", 61, QT_TRANSLATE_NOOP("TZeitNeu", "Bel.Art")},
    {"Puls", 27, QT_TRANSLATE_NOOP("TZeitNeu", "Puls")},
    {"Hoehendifferenz", 35, QT_TRANSLATE_NOOP("TZeitNeu", "HDiff")},
    {"Startzeit", 48, QT_TRANSLATE_NOOP("TZeitNeu", "Startzeit")},
    {"Gefuehl", 75, QT_TRANSLATE_NOOP("TZeitNeu", "Gefühl")},
    {"Wetter", 74, QT_TRANSLATE_NOOP("TZeitNeu", "Wetter")},
    {"Wind", 58, QT_TRANSLATE_NOOP("TZeitNeu", "Wind")},
    {"Temperatur", 0, QT_TRANSLATE_NOOP("TZeitNeu", "Temp.")},
    {"Streckenbeschreibung", 157, QT_TRANSLATE_NOOP("TZeitNeu", "Streckenbeschreibung")},
    {"Gli", 27, QT_TRANSLATE_NOOP("TZeitNeu", "Gli")},
    {"Gewicht", 0, QT_TRANSLATE_NOOP("TZeitNeu", "Gew.")},
    {"User1", 85, nullptr},  // the free fields keep the labels the settings give them
    {"User2", 48, nullptr},
    {"Maxpuls", 43, QT_TRANSLATE_NOOP("TZeitNeu", "Maxpuls")},
    {"Ruhepuls", 0, QT_TRANSLATE_NOOP("TZeitNeu", "Ruhepuls")},
    {"Erholungspuls", 0, QT_TRANSLATE_NOOP("TZeitNeu", "Erh.puls")},
    {"Fett", 33, QT_TRANSLATE_NOOP("TZeitNeu", "Fett")},
    {"kcal", 34, QT_TRANSLATE_NOOP("TZeitNeu", "kcal")},
    {"platz", 29, QT_TRANSLATE_NOOP("TZeitNeu", "Platz")},
};

// Ticked items' ids (kept in the item's data) of a check list.
QList<int> tickedIds(QListWidget* list)
{
    QList<int> ids;
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->checkState() == Qt::Checked)
            ids << list->item(i)->data(Qt::UserRole).toInt();
    return ids;
}

struct ListEntry {
    QString name;
    int id;
    bool tickedByDefault;
};

// Name, id and the flag of the default tick (or of no tick, when `inverted`) of a lookup table.
QList<ListEntry> readEntries(const QString& sql, bool inverted)
{
    QList<ListEntry> entries;
    TQuery q;
    q.SetConnection(&orvServer->orvDB);
    q.SetSQLText(sql);
    q.Open();
    for (; !q.Eof(); q.Next())
        entries << ListEntry{q.Field(0)->AsString(), q.Field(1)->IsNull() ? 0 : q.Field(1)->AsInteger(),
                             q.Field(2)->Value().toBool() != inverted};
    return entries;
}

// Fills a check list; names that stay keep their tick when `keep` is set, the others get the
// table's default.
void fillList(QListWidget* list, const QList<ListEntry>& entries, bool keep)
{
    QHash<QString, Qt::CheckState> old;
    if (keep)
        for (int i = 0; i < list->count(); ++i)
            old.insert(list->item(i)->text(), list->item(i)->checkState());
    const QSignalBlocker block(list);
    list->clear();
    for (const ListEntry& e : entries) {
        auto* item = new QListWidgetItem(e.name, list);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setData(Qt::UserRole, e.id);
        item->setCheckState(old.value(e.name, e.tickedByDefault ? Qt::Checked : Qt::Unchecked));
    }
}

QStringList itemTexts(QListWidget* list)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts << list->item(i)->text();
    return texts;
}

}  // namespace

TZeitNeu::TZeitNeu(QWidget* Owner)
    : TForm(Owner, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint),
      ui(std::make_unique<Ui::TZeitNeu>())
{
    ui->setupUi(this);
    SpeedButton8 = ui->SpeedButton8;
    SpeedButton7 = ui->SpeedButton7;
    SpeedButton10 = ui->SpeedButton10;
    XPButton2 = ui->XPButton2;
    XPButton4 = ui->XPButton4;
    XPButton5 = ui->XPButton5;
    XPButton6 = ui->XPButton6;
    ComboBox3 = ui->ComboBox3;
    SpeedButton11 = ui->SpeedButton11;
    SpeedButton9 = ui->SpeedButton9;
    SpeedButton12 = ui->SpeedButton12;
    SpeedButton1 = ui->SpeedButton1;
    SpeedButton2 = ui->SpeedButton2;
    Panel6 = ui->Panel6;
    Panel11 = ui->Panel11;
    CheckBox1 = ui->CheckBox1;
    ComboBox1 = ui->ComboBox1;
    ComboBox2 = ui->ComboBox2;
    CheckListBox2 = ui->CheckListBox2;
    CheckListBox1 = ui->CheckListBox1;
    DateTimePicker1 = ui->DateTimePicker1;
    DateTimePicker2 = ui->DateTimePicker2;
    SpeedButton3 = ui->SpeedButton3;
    SpeedButton4 = ui->SpeedButton4;
    SpeedButton5 = ui->SpeedButton5;
    SpeedButton6 = ui->SpeedButton6;
    Label10 = ui->Label10;
    Label9 = ui->Label9;
    Label11 = ui->Label11;
    XPButton3 = ui->XPButton3;
    DBGrid1 = ui->DBGrid1;
    Panel10 = ui->Panel10;
    PageControl1 = ui->PageControl1;
    TabSheet1 = ui->TabSheet1;
    TabSheet2 = ui->TabSheet2;
    TabSheet3 = ui->TabSheet3;
    Memo1 = ui->Memo1;
    BitBtn2 = ui->BitBtn2;
    Button3 = ui->Button3;
    Button1 = ui->Button1;
    SpeedButton13 = ui->SpeedButton13;
    SpeedButton15 = ui->SpeedButton15;
    XPButton1 = ui->XPButton1;
    XPButton7 = ui->XPButton7;
    XPButton8 = ui->XPButton8;
    CheckListBox3 = ui->CheckListBox3;
    Button4 = ui->Button4;
    Button6 = ui->Button6;
    Button2 = ui->Button2;

    // Load and save show the style's open and save pictures.
    SpeedButton13->SetGlyph(style()->standardIcon(QStyle::SP_DialogOpenButton).pixmap(16, 16).toImage());
    SpeedButton15->SetGlyph(style()->standardIcon(QStyle::SP_DialogSaveButton).pixmap(16, 16).toImage());

    ui->Image1->setPixmap(style()->standardIcon(QStyle::SP_FileDialogDetailedView).pixmap(64, 64));

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    PopupMenu1->setStyle(new FlatMenuStyle(style()));

    ComboBox3->SetStyle(csDropDownList);
    DBGrid1->SetDataSource(&orvServer->dsZeitraum);
    DBGrid1->SetReadOnly(true);
    DBGrid1->SetOptions(dgTitles | dgIndicator | dgColumnResize | dgColLines | dgRowLines | dgAlwaysShowSelection);
    createColumns();

    const QString sqlFilter = tr("Filterbedingungen (*.sql)|*.sql|Alle Dateien|*.*");
    for (TOpenDialog* d : {static_cast<TOpenDialog*>(&OpenDialog1), static_cast<TOpenDialog*>(&SaveDialog1)}) {
        d->SetFilter(sqlFilter);
        d->SetDefaultExt(QStringLiteral("sql"));
        d->SetOptions(d->Options() | ofNoChangeDir);
    }
    OpenDialog2.SetFilter(QStringLiteral("*.co5|*.co5"));
    ColumnDialog.SetTitle(tr("Ansicht speichern"));
    ColumnDialog.SetFilter(QStringLiteral("*.co5|*.co5"));
    ColumnDialog.SetDefaultExt(QStringLiteral("co5"));

    // Settings: every change runs the quick query again.
    auto change = Handler(this, &TZeitNeu::ComboBox2Change);
    for (QComboBox* box : {ComboBox1, ComboBox2}) {
        connect(box, QOverload<int>::of(&QComboBox::activated), this, [change, box](int) { change(box); });
        connect(box->lineEdit(), &QLineEdit::textEdited, this, [change, box](const QString&) { change(box); });
    }
    for (QListWidget* list : {CheckListBox1, CheckListBox2})
        connect(list, &QListWidget::itemChanged, this, [change, list](QListWidgetItem*) { change(list); });
    DateTimePicker1->OnChange = change;
    DateTimePicker2->OnChange = change;
    OnButtonClick(CheckBox1, change);

    OnButtonClick(SpeedButton3, Handler(this, &TZeitNeu::SpeedButton3Click));
    OnButtonClick(SpeedButton4, Handler(this, &TZeitNeu::SpeedButton4Click));
    OnButtonClick(SpeedButton5, Handler(this, &TZeitNeu::SpeedButton5Click));
    OnButtonClick(SpeedButton6, Handler(this, &TZeitNeu::SpeedButton6Click));
    OnButtonClick(SpeedButton10, Handler(this, &TZeitNeu::SpeedButton10Click));
    OnButtonClick(SpeedButton11, Handler(this, &TZeitNeu::SpeedButton11Click));
    OnButtonClick(SpeedButton1, Handler(this, &TZeitNeu::SpeedButton1Click));
    OnButtonClick(SpeedButton2, Handler(this, &TZeitNeu::SpeedButton2Click));
    OnButtonClick(SpeedButton12, Handler(this, &TZeitNeu::SpeedButton12Click));
    XPButton2->OnClick = Handler(this, &TZeitNeu::XPButton2Click);
    XPButton4->OnClick = Handler(this, &TZeitNeu::XPButton4Click);
    XPButton5->OnClick = Handler(this, &TZeitNeu::XPButton5Click);
    XPButton6->OnClick = Handler(this, &TZeitNeu::XPButton6Click);
    XPButton3->OnClick = Handler(this, &TZeitNeu::XPButton3Click);
    DBGrid1->OnTitleClick = Handler(this, &TZeitNeu::DBGrid1TitleClick);
    DBGrid1->OnColumnMoved = Handler(this, &TZeitNeu::DBGrid1ColumnMoved);
    Events(DBGrid1).OnDblClick = Handler(this, &TZeitNeu::SpeedButton10Click);
    PageControlEvents(PageControl1).OnChange = Handler(this, &TZeitNeu::PageControl1Change);

    OnButtonClick(BitBtn2, Handler(this, &TZeitNeu::BitBtn2Click));
    OnButtonClick(Button3, Handler(this, &TZeitNeu::Button3Click));
    OnButtonClick(Button1, Handler(this, &TZeitNeu::Button1Click));
    XPButton1->OnClick = Handler(this, &TZeitNeu::XPButton1Click);
    XPButton7->OnClick = Handler(this, &TZeitNeu::XPButton7Click);
    XPButton8->OnClick = Handler(this, &TZeitNeu::XPButton8Click);
    SpeedButton13->OnClick = Handler(this, &TZeitNeu::SpeedButton13Click);
    SpeedButton15->OnClick = Handler(this, &TZeitNeu::SpeedButton15Click);

    connect(CheckListBox3, &QListWidget::itemChanged, this, [this](QListWidgetItem*) {
        Handler(this, &TZeitNeu::UpdateColumns)(CheckListBox3);
    });
    ComboBox3->OnDropDown = Handler(this, &TZeitNeu::ComboBox3DropDown);
    ComboBox3->OnChange = Handler(this, &TZeitNeu::ComboBox3Change);
    OnButtonClick(Button4, Handler(this, &TZeitNeu::Button4Click));
    OnButtonClick(Button6, Handler(this, &TZeitNeu::Button6Click));

    OnShow = Handler(this, &TZeitNeu::FormShow);
    FormCreate(this);
}

TZeitNeu::~TZeitNeu()
{
    if (ZeitNeu == this)
        ZeitNeu = nullptr;
}

void TZeitNeu::createColumns()
{
    // The widths were chosen for a narrower screen font; they grow with the font the grid uses.
    const double scale = std::max(1.0, DBGrid1->fontMetrics().averageCharWidth() / 5.5);
    DBGrid1->Columns().Clear();
    for (const ColumnSpec& spec : kColumns) {
        TColumn* col = DBGrid1->Columns().Add();
        col->SetFieldName(QString::fromLatin1(spec.field));
        if (spec.width > 0)
            col->SetWidth(int(Round(spec.width * scale)));
        if (spec.title)
            col->Title().SetCaption(tr(spec.title));
    }
    DBGrid1->Columns()[0]->SetVisible(false);
}

void TZeitNeu::FormCreate(QObject*)
{
    // The view the settings ask for, when its file is in the views' folder.
    ComboBox3DropDown(ComboBox3);
    ComboBox3->setCurrentIndex(0);
    TField* active = orvServer->config.Active() ? orvServer->config.FindField(QStringLiteral("cfg_zeitraumCO5aktiv"))
                                                : nullptr;
    if (active && !active->IsNull() && active->AsBoolean()) {
        const QFileInfo file(orvServer->config.FieldByName(QStringLiteral("cfg_zeitraumCO5"))->AsString());
        const int i = ComboBox3->findText(file.fileName());
        if (file.exists() && i > 0)
            ComboBox3->setCurrentIndex(i);
    }
    ComboBox1->setCurrentIndex(0);  // "Datum"
    ComboBox2->setCurrentIndex(9);  // "Startzeit"
    refillLists();
    SpeedButton5Click(SpeedButton5);  // "Jahr": the first quick query
}

void TZeitNeu::FormShow(QObject*)
{
    setWindowState(windowState() | Qt::WindowMaximized);
    // Another database (or changed sports and forms) since the last showing: the lists follow,
    // and the result of the closed database is read again from the open one.
    if (refillLists() || !orvServer->zeitraum.Active())
        PageControl1Change(PageControl1);
    UPDATECLB3();
    ComboBox3Change(ComboBox3);
}

bool TZeitNeu::refillLists()
{
    if (!orvServer->orvDB.Connected())
        return false;
    const QList<ListEntry> sports = readEntries(
        QStringLiteral("SELECT Spo_Name, Spo_Id, Spo_ZeitraumStandard FROM sportart ORDER BY Spo_orderID"), false);
    // Planning forms are not ticked at first.
    const QList<ListEntry> forms =
        readEntries(QStringLiteral("SELECT For_Form, For_Id, For_Planung FROM form ORDER BY For_orderId"), true);
    auto names = [](const QList<ListEntry>& entries) {
        QStringList n;
        for (const ListEntry& e : entries)
            n << e.name;
        return n;
    };
    const bool sameDatabase = listsDatabase_ == orvServer->DatabasePath();
    if (sameDatabase && names(sports) == itemTexts(CheckListBox2) && names(forms) == itemTexts(CheckListBox1))
        return false;
    fillList(CheckListBox2, sports, sameDatabase);
    fillList(CheckListBox1, forms, sameDatabase);
    listsDatabase_ = orvServer->DatabasePath();
    return true;
}

void TZeitNeu::openStatement(const QString& sql)
{
    TQuery& q = orvServer->zeitraum;
    q.Close();
    q.SetSQLText(sql);
    q.SetReadOnlySQL(true);
    q.DisableControls();
    try {
        q.Open();
    } catch (...) {
        q.EnableControls();
        throw;
    }
    q.EnableControls();
}

void TZeitNeu::showResultTotals()
{
    TQuery& q = orvServer->zeitraum;
    q.DisableControls();
    TPeriodTotals totals;
    try {
        totals = SumResult(q);
        q.First();
    } catch (...) {
        q.EnableControls();
        throw;
    }
    q.EnableControls();
    totals_ = totals;
    TrainingUnitCount = totals.Units;
    MeterSum = int32_t(totals.Meters);
    HeightSum = int32_t(totals.Height);
    Label11->setText(MsToTimeStr(totals.Milliseconds));
    Label9->setText(QString::number(HeightSum));
}

void TZeitNeu::ApplyQuickSQL()
{
    try {
        const QString sports = SportCondition(tickedIds(CheckListBox2));
        const QString forms = FormCondition(tickedIds(CheckListBox1));
        QuickWhere = PeriodCondition(DateOf(DateTimePicker1->DateTime()), DateOf(DateTimePicker2->DateTime()), sports,
                                     forms, FormatSettings());
        QString primary, secondary;
        if (!CheckBox1->isChecked()) {
            const QStringList columns = ResultColumns(orvServer->zeitraum);
            const std::optional<QString> p = SortExpression(ComboBox1->currentText(), columns);
            const std::optional<QString> s = SortExpression(ComboBox2->currentText(), columns);
            if (!p || !s) {
                // A sort text that names no column: nothing is run, as for a statement the
                // database refuses.
                orvServer->zeitraum.Close();
                return;
            }
            primary = *p;
            secondary = *s;
        }
        QuickSQL = QuickStatement(QuickWhere, CheckBox1->isChecked(), primary, secondary);
        openStatement(QuickSQL);
        showResultTotals();
        showDistanceIn(QStringLiteral("unt_id"),
                       orvServer->config.FieldByName(QStringLiteral("cfg_wochenmonatUnt"))->Value());
    } catch (...) {
        // The settings panel runs the query at every change; its failures stay silent.
    }
}

void TZeitNeu::ComboBox2Change(QObject*)
{
    ComboBox1->setEnabled(!CheckBox1->isChecked());
    ComboBox2->setEnabled(!CheckBox1->isChecked());
    ApplyQuickSQL();
}

void TZeitNeu::setPeriod(const TPeriod& period)
{
    DateTimePicker1->SetDateTime(period.From);
    DateTimePicker2->SetDateTime(period.To);
    ApplyQuickSQL();
}

void TZeitNeu::SpeedButton3Click(QObject*)
{
    setPeriod(WeekPeriod(Date()));
}

void TZeitNeu::SpeedButton4Click(QObject*)
{
    setPeriod(MonthPeriod(Date()));
}

void TZeitNeu::SpeedButton5Click(QObject*)
{
    setPeriod(YearPeriod(Date()));
}

void TZeitNeu::SpeedButton6Click(QObject*)
{
    // The first day of the earliest unit; 30.12.1899 when there is none.
    const QVariant first = orvServer->orvDB.ExecuteScalar(QStringLiteral("SELECT Min(Datum) FROM daten"));
    setPeriod({first.isNull() ? 0 : DateOf(first.toDouble()), DateOf(Date())});
}

void TZeitNeu::DBGrid1TitleClick(TColumn* Column)
{
    // A calculated column has nothing to sort by; the distance text sorts by its metres and the
    // form by its id.
    const QString field = Column->FieldName();
    if (ResultColumns(orvServer->zeitraum).contains(field, Qt::CaseInsensitive)) {
        static const QHash<QString, QString> sortOf = {{QStringLiteral("For_Form"), QStringLiteral("Form")},
                                                       {QStringLiteral("distance"), QStringLiteral("Meter")}};
        ComboBox1->setEditText(sortOf.value(field, field));
    }
    if (!sqlPageInForce())
        ApplyQuickSQL();
}

void TZeitNeu::SpeedButton10Click(QObject*)
{
    TQuery& q = orvServer->zeitraum;
    auto noRecord = [] { MessageDlg(LoadStr(msg::NoRecordSelected), mtError, {mbOK}); };
    if (!q.Active() || q.IsEmpty()) {
        noRecord();
        return;
    }
    try {
        const int id = q.FieldByName(QStringLiteral("dat_Id"))->AsInteger();
        if (id > 0) {
            if (!orvServer->daten.Locate(QStringLiteral("dat_Id"), id))
                throw EDatabaseError(QString());
            SpeedButton12->setChecked(false);
            SpeedButton12Click(SpeedButton12);
            Close();
            return;
        }
        TDataSet& blocks = orvServer->trainblockman;
        if (!blocks.Active())
            blocks.Open();
        if (!blocks.Locate(QStringLiteral("trb_id"), -id))
            throw EDatabaseError(QString());
        // A flat button as sender keeps the located block current in the block manager.
        if (MainForm && MainForm->Action17 && MainForm->Action17->OnExecute)
            MainForm->Action17->OnExecute(XPButton3);
        q.Close();
        q.Open();
    } catch (...) {
        noRecord();
    }
}

void TZeitNeu::XPButton2Click(QObject*)
{
    if (orvServer->zeitraum.Active())
        orvServer->zeitraum.First();
}

void TZeitNeu::XPButton4Click(QObject*)
{
    if (orvServer->zeitraum.Active())
        orvServer->zeitraum.Prior();
}

void TZeitNeu::XPButton5Click(QObject*)
{
    if (orvServer->zeitraum.Active())
        orvServer->zeitraum.Next();
}

void TZeitNeu::XPButton6Click(QObject*)
{
    if (orvServer->zeitraum.Active())
        orvServer->zeitraum.Last();
}

void TZeitNeu::fillDistanceMenu()
{
    PopupMenu1->clear();
    TQuery q;
    q.SetConnection(&orvServer->orvDB);
    q.SetSQLText(QStringLiteral("SELECT unt_name FROM unit WHERE unt_type = 1 ORDER BY unt_id"));
    q.Open();
    for (; !q.Eof(); q.Next()) {
        const QString name = q.Field(0)->AsString();
        // "&&": the caption stays the exact unit name, without an accelerator.
        QAction* item = PopupMenu1->addAction(QString(name).replace(QLatin1Char('&'), QLatin1String("&&")));
        item->setData(name);
        connect(item, &QAction::triggered, this, [this, item] { Handler(this, &TZeitNeu::distanz1Click)(item); });
    }
}

void TZeitNeu::XPButton3Click(QObject*)
{
    fillDistanceMenu();
    PopupMenu1->popup(QCursor::pos());
}

void TZeitNeu::distanz1Click(QObject* Sender)
{
    auto* item = qobject_cast<QAction*>(Sender);
    if (!item)
        return;
    showDistanceIn(QStringLiteral("unt_name"), item->data());
}

void TZeitNeu::showDistanceIn(const QString& keyField, const QVariant& key)
{
    const QVariant unit = orvServer->distancespeed.Lookup(keyField, key, QStringLiteral("unt_calc;unt_shortname"));
    if (unit.isNull())
        return;
    const QVariantList values = unit.toList();
    DistanceUnitName = values.value(1).toString();
    Label10->setText(DistanceTotalText(MeterSum, values.value(0).toDouble(), DistanceUnitName));
}

void TZeitNeu::SpeedButton11Click(QObject*)
{
    const QVariant calc =
        orvServer->distancespeed.Lookup(QStringLiteral("unt_shortname"), DistanceUnitName, QStringLiteral("unt_calc"));
    const double factor = calc.isNull() ? 1.0 : calc.toDouble();
    ModalForm<TInfos> box(Infos, this);
    box->fill(Label10->text(), Label9->text(), Label11->text(), totals_, factor, DistanceUnitName);
    box->ShowModal();
}

void TZeitNeu::SpeedButton1Click(QObject*)
{
    ShowCalculatorHelp(QStringLiteral("Zeitraumstatistik"));
}

void TZeitNeu::XPButton8Click(QObject*)
{
    ShowCalculatorHelp(QStringLiteral("SQLAbfragesprache"));
}

bool TZeitNeu::sqlPageInForce() const
{
    return SpeedButton12->isChecked() && PageControl1->currentWidget() == TabSheet1;
}

void TZeitNeu::layoutSidePanels()
{
    const bool shown = SpeedButton2->isChecked();
    Panel6->setVisible(shown && !sqlPageInForce());
    Panel11->setVisible(shown && sqlPageInForce());
    Panel6->setEnabled(!sqlPageInForce());
}

void TZeitNeu::SpeedButton2Click(QObject*)
{
    layoutSidePanels();
}

void TZeitNeu::SpeedButton12Click(QObject*)
{
    Panel10->setVisible(SpeedButton12->isChecked());
    PageControl1Change(PageControl1);
}

void TZeitNeu::PageControl1Change(QObject*)
{
    layoutSidePanels();
    if (!sqlPageInForce())
        ApplyQuickSQL();
}

void TZeitNeu::BitBtn2Click(QObject*)
{
    // The memo's text runs read-only: a refused statement reaches the error box and changes
    // nothing.
    openStatement(FreeStatement(Memo1->toPlainText()));
    try {
        showResultTotals();
        Label10->setText(QString::number(MeterSum));
    } catch (...) {
        // Failures while summing leave the totals as they were.
    }
}

void TZeitNeu::XPButton1Click(QObject*)
{
    Memo1->setPlainText(QuickSQL.mid(int(sizeof(kZeitraumSelect)) - 2));
}

void TZeitNeu::XPButton7Click(QObject*)
{
    Memo1->setPlainText(Memo1->toPlainText() + QStringLiteral(" and (dat_id > 0)"));
}
