#include "analysis/wochenstat.h"

#include "ui_wochenstat.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QProgressBar>
#include <QToolButton>

#include "analysis/calchelp.h"
#include "analysis/wochenstatgraf.h"
#include "controls/flatbuttonkeys.h"
#include "controls/xpbutton.h"
#include "core/busy.h"
#include "core/language.h"
#include "core/messageids.h"
#include "core/orvdbserver.h"
#include "platform/db/fields.h"
#include "platform/report/printercanvas.h"
#include "platform/vcl/buttonclick.h"
#include "platform/vcl/datetimepicker.h"
#include "platform/vcl/dbgrids.h"
#include "platform/vcl/events.h"

TWochenstat* Wochenstat = nullptr;

namespace {

// Columns of the week table: 0 week, 1 distance, 2 time, 3 height, 4 from, 5 to, 6 kind.
constexpr int kKindCol = 6;

// The busy window around a fill: shown with its animation, closed however the fill ends.
class FillBusyScope {
public:
    FillBusyScope()
    {
        if (!BusyDlg)
            return;
        BusyDlg->Show();
        BusyDlg->Animate1->SetActive(true);
        BusyDlg->repaint();
    }
    ~FillBusyScope()
    {
        if (!BusyDlg)
            return;
        BusyDlg->Close();
        BusyDlg->Animate1->SetActive(false);
    }
    FillBusyScope(const FillBusyScope&) = delete;
    FillBusyScope& operator=(const FillBusyScope&) = delete;
};

}  // namespace

void ShowStatChoices(QListWidget* sports, QComboBox* units)
{
    if (!orvServer || !orvServer->sportart.Active() || !orvServer->distancespeed.Active())
        return;
    const TStatChoices choices = ReadStatChoices(orvServer->sportart, orvServer->distancespeed, orvServer->config);
    for (const QString& sport : choices.Sports) {
        auto* item = new QListWidgetItem(sport, sports);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
    units->addItems(choices.Units);
    units->setCurrentIndex(choices.ChosenUnit);
}

TColor WeekKindColor(const QString& kind)
{
    if (kind == QLatin1String("B"))
        return clNavy;
    if (kind == QLatin1String("P"))
        return clRed;
    return clBlack;
}

QString SportDistanceText(double metres, const QVariant& sportId)
{
    if (orvServer && !sportId.isNull()) {
        const QVariant unitId =
            orvServer->sportart.Lookup(QStringLiteral("Spo_Id"), sportId, QStringLiteral("Spo_distance"));
        const QVariant unit = unitId.isNull() ? QVariant()
                                              : orvServer->distancespeed.Lookup(QStringLiteral("unt_Id"), unitId,
                                                                                QStringLiteral("unt_calc;unt_shortname"));
        if (!unit.isNull()) {
            const QVariantList values = unit.toList();
            if (!values.value(0).isNull())
                return FloatToStr(metres * values.value(0).toDouble()) + QLatin1Char(' ') + values.value(1).toString();
        }
    }
    // A sport without a distance unit shows plain metres.
    return FloatToStr(metres) + QStringLiteral(" m");
}

TWochenstat::TWochenstat(QWidget* Owner) : TForm(Owner), ui(std::make_unique<Ui::TWochenstat>())
{
    ui->setupUi(this);
    setObjectName(QStringLiteral("Wochenstat"));
    XPButton1 = ui->XPButton1;
    SpeedButton3 = ui->SpeedButton3;
    XPButton4 = ui->XPButton4;
    XPButton2 = ui->XPButton2;
    XPButton6 = ui->XPButton6;
    XPButton7 = ui->XPButton7;
    tab_zeitraum = ui->tab_zeitraum;
    tab_filter = ui->tab_filter;
    DateTimePicker1 = ui->DateTimePicker1;
    Edit1 = ui->Edit1;
    ComboBox1 = ui->ComboBox1;
    CheckBox2 = ui->CheckBox2;
    CheckBox3 = ui->CheckBox3;
    CheckBox1 = ui->CheckBox1;
    CheckListBox1 = ui->CheckListBox1;
    SpeedButton4 = ui->SpeedButton4;
    XPButton9 = ui->XPButton9;
    XPButton10 = ui->XPButton10;
    tab_jahr = ui->tab_jahr;
    tab_woche = ui->tab_woche;
    Label9 = ui->Label9;
    Label10 = ui->Label10;
    Label11 = ui->Label11;
    Label12 = ui->Label12;
    Label16 = ui->Label16;
    Label17 = ui->Label17;
    DBGrid2 = ui->DBGrid2;
    DBGrid1 = ui->DBGrid1;
    XPButton3 = ui->XPButton3;
    StringGrid1 = ui->StringGrid1;
    ProgressBar1 = ui->ProgressBar1;

    QPalette pal = ui->Panel1->palette();
    pal.setColor(QPalette::Window, ToQColor(16251903));
    ui->Panel1->setPalette(pal);
    // The flat buttons take the keyboard focus too, so that Tab reaches every control.
    PressFlatButtonsOnSpace(this);
    tab_woche->setVisible(false);
    tab_filter->setVisible(false);

    StringGrid1->SetColCount(7);
    StringGrid1->SetDefaultColWidth(61);
    StringGrid1->SetDefaultRowHeight(17);
    StringGrid1->SetFixedRows(1);
    StringGrid1->SetFixedCols(1);
    StringGrid1->SetOptions(StringGrid1->Options() | goRowSelect);
    StringGrid1->setFrameShape(QFrame::NoFrame);
    // Wide enough for the week's name and the dates in the user's format.
    for (const auto& [col, width] : {std::pair{0, 68}, {1, 52}, {2, 58}, {3, 44}, {4, 74}, {5, 74}})
        StringGrid1->SetColWidths(col, width);
    StringGrid1->OnSelectCell = Handler(this, &TWochenstat::StringGrid1SelectCell);
    StringGrid1->OnDrawCell = Handler(this, &TWochenstat::StringGrid1DrawCell);

    // The selected week's units and its sums per sport.
    Query1.SetName(QStringLiteral("Query1"));
    ADOQuery1.SetName(QStringLiteral("ADOQuery1"));
    if (orvServer) {
        Query1.SetConnection(&orvServer->orvDB);
        ADOQuery1.SetConnection(&orvServer->orvDB);
    }
    Query1.AddField(QStringLiteral("Datum"), ftDateTime);
    Query1.AddField(QStringLiteral("sportart"), ftInteger)->SetVisible(false);
    Query1.AddField(QStringLiteral("Meter"), ftInteger)->OnGetText = [this](TField* f, QString& t, bool d) {
        Query1MeterGetText(f, t, d);
    };
    Query1.AddField(QStringLiteral("Zeit"), ftDateTime)->SetDisplayFormat(QStringLiteral("hh:mm:ss"));
    Query1.AddField(QStringLiteral("HDiff"), ftInteger);
    Query1.AddField(QStringLiteral("dat_id"), ftInteger);
    ADOQuery1.AddField(QStringLiteral("sportart"), ftInteger);
    ADOQuery1.AddField(QStringLiteral("smeter"), ftFloat)->OnGetText = [this](TField* f, QString& t, bool d) {
        ADOQuery1smeterGetText(f, t, d);
    };
    ADOQuery1.AddField(QStringLiteral("szeit"), ftFloat);
    ADOQuery1.AddField(QStringLiteral("shdiff"), ftFloat);
    ADOQuery1.AddField(QStringLiteral("ameter"), ftFloat);
    ADOQuery1.AddField(QStringLiteral("aHDiff"), ftFloat);
    ADOQuery1.AddField(QStringLiteral("Anzahl"), ftInteger);
    if (orvServer)
        ADOQuery1.AddLookupField(QStringLiteral("sportName"), ftString, 30, &orvServer->sportart,
                                 QStringLiteral("sportart"), QStringLiteral("Spo_Id"), QStringLiteral("Spo_Name"));
    DataSource1.SetDataSet(&Query1);
    DataSource2.SetDataSet(&ADOQuery1);

    struct Col {
        const char* field;
        const char* title;
        int width;
    };
    DBGrid1->SetDataSource(&DataSource1);
    DBGrid1->SetReadOnly(true);
    DBGrid1->SetOptions(dgTitles | dgIndicator | dgColLines | dgRowLines | dgRowSelect | dgAlwaysShowSelection);
    for (const Col c : {Col{"Datum", QT_TR_NOOP("Datum"), 72}, Col{"Meter", QT_TR_NOOP("Meter"), 52},
                        Col{"Zeit", QT_TR_NOOP("Zeit"), 54}, Col{"HDiff", QT_TR_NOOP("HDiff"), 30}}) {
        TColumn* col = DBGrid1->Columns().Add();
        col->SetFieldName(QString::fromLatin1(c.field));
        col->Title().SetCaption(tr(c.title));
        col->SetWidth(c.width);
    }
    DBGrid2->SetDataSource(&DataSource2);
    DBGrid2->SetReadOnly(true);
    DBGrid2->SetOptions(dgTitles | dgIndicator | dgColLines | dgRowLines | dgRowSelect | dgAlwaysShowSelection);
    for (const Col c : {Col{"sportName", QT_TR_NOOP("Sportart"), 70}, Col{"smeter", QT_TR_NOOP("Distanz"), 56},
                        Col{"shdiff", QT_TR_NOOP("HDiff"), 40}, Col{"ameter", QT_TR_NOOP("Ø Meter"), 50},
                        Col{"aHDiff", QT_TR_NOOP("Ø HDiff"), 44}, Col{"Anzahl", QT_TR_NOOP("Anz."), 34}}) {
        TColumn* col = DBGrid2->Columns().Add();
        col->SetFieldName(QString::fromLatin1(c.field));
        col->Title().SetCaption(tr(c.title));
        col->SetWidth(c.width);
    }
    DBGrid1->OnDblClick = Handler(this, &TWochenstat::DBGrid1DblClick);

    XPButton1->OnClick = Handler(this, &TWochenstat::XPButton1Click);
    OnButtonClick(SpeedButton3, Handler(this, &TWochenstat::SpeedButton3Click));
    XPButton4->OnClick = Handler(this, &TWochenstat::XPButton4Click);
    XPButton2->OnClick = Handler(this, &TWochenstat::SpeedButton1Click);
    XPButton6->OnClick = Handler(this, &TWochenstat::XPButton6Click);
    XPButton7->OnClick = Handler(this, &TWochenstat::XPButton6Click);
    XPButton9->OnClick = Handler(this, &TWochenstat::XPButton9Click);
    XPButton10->OnClick = Handler(this, &TWochenstat::XPButton9Click);
    XPButton3->OnClick = Handler(this, &TWochenstat::DBGrid1DblClick);
    OnButtonClick(SpeedButton4, Handler(this, &TWochenstat::SpeedButton4Click));
    connect(CheckBox1, &QCheckBox::clicked, this, [this] { Handler(this, &TWochenstat::CheckBox1Click)(CheckBox1); });
    connect(CheckBox2, &QCheckBox::clicked, this, [this] { Handler(this, &TWochenstat::CheckBox2Click)(CheckBox2); });
    OnShow = Handler(this, &TWochenstat::FormShow);
    OnClose = [this](QObject* s, TCloseAction& a) { FormClose(s, a); };

    FormCreate(this);
}

TWochenstat::~TWochenstat() = default;

void TWochenstat::FormCreate(QObject*)
{
    ShowStatChoices(CheckListBox1, ComboBox1);
}

void TWochenstat::FormShow(QObject*)
{
    StringGrid1->SetCells(0, 0, LoadStr(msg::WeekRow));
    StringGrid1->SetCells(1, 0, LoadStr(msg::DistanceTitle));
    StringGrid1->SetCells(2, 0, LoadStr(msg::MarchTime));
    StringGrid1->SetCells(3, 0, LoadStr(msg::ColHoehe));
    StringGrid1->SetCells(4, 0, LoadStr(msg::PeriodFrom));
    StringGrid1->SetCells(5, 0, LoadStr(msg::PeriodTo));
    StringGrid1->SetColWidths(kKindCol, -1);
    DateTimePicker1->SetDateTime(FirstDayOfIsoWeek1(YearOf(Date())));
    fillWeeks();
}

double TWochenstat::unitCalc(const QString& unitName) const
{
    return orvServer ? DistanceUnitCalc(orvServer->distancespeed, unitName) : 1.0;
}

TWeekSettings TWochenstat::settings() const
{
    TWeekSettings s;
    s.Start = DateTimePicker1->DateTime();
    s.Weeks = WeekCountFromText(Edit1->text());
    s.UnitCalc = unitCalc(ComboBox1->currentText());
    s.SportFilter = CheckBox1->isChecked();
    for (int i = 0; i < CheckListBox1->count(); ++i)
        if (CheckListBox1->item(i)->checkState() == Qt::Checked)
            s.Sports << CheckListBox1->item(i)->text();
    s.WithPlanning = CheckBox3->isChecked();
    return s;
}

void TWochenstat::fillWeeks()
{
    // A number of weeks that is no whole number above 0 is refused before anything changes.
    const TWeekSettings s = settings();
    if (!orvServer)
        return;
    std::vector<TWeek> weeks;
    {
        FillBusyScope busy;
        ProgressBar1->setMaximum(s.Weeks);
        try {
            weeks = FillWeeks(orvServer->orvDB, s, [this](int week) { ProgressBar1->setValue(week); });
        } catch (...) {
            ProgressBar1->setValue(0);
            throw;
        }
        ProgressBar1->setValue(0);
    }
    weeks_ = std::move(weeks);
    filledUnitName_ = ComboBox1->currentText();
    filledUnitCalc_ = s.UnitCalc;
    filledStart_ = double(Trunc(s.Start));

    showWeekRows(int(weeks_.size()));
    updateTotals(int(weeks_.size()));
    bool can = true;
    StringGrid1SelectCell(StringGrid1, 1, 1, can);
    QApplication::processEvents();
}

void TWochenstat::updateTotals(int n)
{
    QList<QStringList> rows;
    for (int r = 1; r <= n; ++r)
        rows << QStringList{StringGrid1->Cells(1, r), StringGrid1->Cells(2, r), StringGrid1->Cells(3, r)};
    const TWeekTotals t = WeekTotals(rows, n);
    Label9->setText(t.Distance);
    Label10->setText(t.AvgDistance);
    Label11->setText(t.Height);
    Label12->setText(t.AvgHeight);
    Label16->setText(t.Time);
    Label17->setText(t.AvgTime);
}

void TWochenstat::StringGrid1SelectCell(QObject*, int, int ARow, bool&)
{
    if (ARow < 1 || ARow > int(weeks_.size()) || !orvServer)
        return;
    QString filter;
    if (CheckBox1->isChecked()) {
        for (int i = 0; i < CheckListBox1->count(); ++i) {
            if (CheckListBox1->item(i)->checkState() != Qt::Checked)
                continue;
            const QVariant id = orvServer->sportart.Lookup(QStringLiteral("spo_Name"), CheckListBox1->item(i)->text(),
                                                           QStringLiteral("spo_id"));
            filter += (filter.isEmpty() ? QStringLiteral("(sportart = ") : QStringLiteral(" or (sportart = ")) +
                      QString::number(id.toLongLong()) + QStringLiteral(") ");
        }
        if (!filter.isEmpty())
            filter = QStringLiteral(" (") + filter + QStringLiteral(") and ");
    }
    // A form without a row is no planning form, as in the week table.
    if (!CheckBox3->isChecked())
        filter += QStringLiteral(" not(Nz(DLookup(\"[for_planung]\",\"form\",\"for_id = \" & form), 0)) and ");
    // The first two conditions hold for every unit of the week and let the date index find them
    // (each row chosen asks anew); the rounded comparisons decide, as always.
    const QString week = QStringLiteral("(datum >= CDate(\"") + StringGrid1->Cells(4, ARow) +
                         QStringLiteral("\") - 1) and (datum < CDate(\"") + StringGrid1->Cells(5, ARow) +
                         QStringLiteral("\") + 2) and (CLng(datum) >= CLng(CDate(\"") + StringGrid1->Cells(4, ARow) +
                         QStringLiteral("\"))) and (CLng(datum) <= CLng(CDate(\"") + StringGrid1->Cells(5, ARow) +
                         QStringLiteral("\"");
    Query1.Close();
    Query1.SetSQLText(QStringLiteral("Select Datum,sportart,Meter,Zeit,Hoehendifferenz as HDiff, dat_id From daten "
                                     "Where ") +
                      filter + week + QStringLiteral(")))"));
    Query1.Open();
    ADOQuery1.Close();
    ADOQuery1.SetSQLText(QStringLiteral("Select sportart, sum(meter) as smeter, sum(zeit) as szeit, "
                                        "sum(Hoehendifferenz) as shdiff, avg(meter) as ameter, "
                                        "avg(hoehendifferenz) as aHDiff, count(*) as Anzahl from (SELECT * FROM "
                                        "daten Where ") +
                         filter + week + QStringLiteral(")))) group by sportart"));
    ADOQuery1.Open();
}

void TWochenstat::StringGrid1DrawCell(QObject*, int ACol, int ARow, const QRect& Rect, TGridDrawState)
{
    QPainter* canvas = StringGrid1->Canvas();
    if (!canvas || ARow < 1 || ACol < 1)
        return;
    // The grid wrote the text in black; the row's kind gives its colour.
    DrawPeriodCell(*canvas, Rect, StringGrid1->Cells(ACol, ARow), ARow == StringGrid1->Row(),
                   ToQColor(WeekKindColor(StringGrid1->Cells(kKindCol, ARow))), StringGrid1->Color());
}

void TWochenstat::SpeedButton4Click(QObject*)
{
    fillWeeks();
    CheckBox2Click(CheckBox2);
}

void TWochenstat::CheckBox1Click(QObject*)
{
    CheckListBox1->setEnabled(CheckBox1->isChecked());
}

void TWochenstat::CheckBox2Click(QObject*)
{
    // Only the rows of the last fill are shown: with the box ticked those of its weeks that
    // have begun by today, otherwise all of them. The table is not refilled.
    int rows = int(weeks_.size());
    if (CheckBox2->isChecked()) {
        std::vector<TDateTime> starts;
        for (const TWeek& w : weeks_)
            starts.push_back(w.From);
        rows = RowsBeginningBy(starts, Date());
    }
    showWeekRows(rows);
}

void TWochenstat::showWeekRows(int rows)
{
    // The grid forgets the cells of rows it drops, so the rows are written anew from the weeks.
    StringGrid1->SetRowCount(rows + 1);
    for (int i = 0; i < rows && i < int(weeks_.size()); ++i) {
        const QStringList texts = WeekRowTexts(weeks_[size_t(i)], i + 1);
        for (int c = 0; c < texts.size(); ++c)
            StringGrid1->SetCells(c, i + 1, texts[c]);
    }
    StringGrid1->update();
}

void TWochenstat::XPButton6Click(QObject*)
{
    tab_zeitraum->setVisible(XPButton6->Down());
    tab_filter->setVisible(XPButton7->Down());
}

void TWochenstat::XPButton9Click(QObject*)
{
    tab_jahr->setVisible(XPButton9->Down());
    tab_woche->setVisible(XPButton10->Down());
}

void TWochenstat::DBGrid1DblClick(QObject*)
{
    if (!Query1.Active() || Query1.IsEmpty() || !orvServer)
        return;
    orvServer->daten.Locate(QStringLiteral("dat_id"), Query1.FieldByName(QStringLiteral("dat_id"))->Value());
    Close();
}

void TWochenstat::printTable(TPrinterCanvas& printer)
{
    TPeriodPrint print;
    print.Title = tr("Wochenstatistik vom ") + DateToStr(filledStart_) + QStringLiteral(", ") +
                  QString::number(weeks_.size()) + tr(" Wochen");
    print.Headings = {LoadStr(msg::WeekRow), filledUnitName_, LoadStr(msg::MarchTime), tr("Höhe"), tr("Vom"),
                      tr("Bis zum")};
    print.Columns = {200, 600, 1000, 1300, 1500, 1900};
    // A font wider than the one the columns were measured for moves them apart instead of
    // printing the texts over each other.
    print.WidenColumns = true;
    for (int r = 1; r < StringGrid1->RowCount(); ++r) {
        QStringList row;
        for (int c = 0; c < 6; ++c)
            row << StringGrid1->Cells(c, r);
        print.Rows << row;
    }
    PrintPeriodTable(printer, print);
}

void TWochenstat::SpeedButton3Click(QObject*)
{
    TPrinterCanvas printer;
    printTable(printer);
}

void TWochenstat::XPButton4Click(QObject*)
{
    if (wochenstatgraf)
        wochenstatgraf->ShowModal();
}

void TWochenstat::SpeedButton1Click(QObject*)
{
    ShowCalculatorHelp(QStringLiteral("Wochenstatistik"));
}

void TWochenstat::XPButton1Click(QObject*)
{
    Close();
}

void TWochenstat::FormClose(QObject*, TCloseAction&)
{
    Query1.Close();
}

void TWochenstat::Query1MeterGetText(TField* Sender, QString& Text, bool)
{
    if (Sender->IsNull())
        return;
    Text = SportDistanceText(Sender->AsFloat(), Query1.FieldByName(QStringLiteral("sportart"))->Value());
}

void TWochenstat::ADOQuery1smeterGetText(TField* Sender, QString& Text, bool)
{
    if (Sender->IsNull())
        return;
    Text = SportDistanceText(Sender->AsFloat(), ADOQuery1.FieldByName(QStringLiteral("sportart"))->Value());
}
