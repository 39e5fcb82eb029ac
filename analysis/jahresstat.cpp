#include "analysis/jahresstat.h"

#include "ui_jahresstat.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>

#include "analysis/calchelp.h"
#include "analysis/monatstatgraf.h"
#include "analysis/weekstat.h"
#include "analysis/wochenstat.h"
#include "controls/flatbuttonkeys.h"
#include "controls/uinavbar.h"
#include "controls/xpbutton.h"
#include "core/language.h"
#include "core/messageids.h"
#include "core/orvdbserver.h"
#include "platform/db/fields.h"
#include "platform/report/printercanvas.h"
#include "platform/vcl/events.h"

Tjahresstat* jahresstat = nullptr;

namespace {

// The tool bar's panels act as buttons: they take the focus with Tab, show it by their pressed
// look, and Space or Return presses them, as a click does.
void pressPanelsByKeyboard(std::initializer_list<TUiNavPanel*> panels)
{
    for (TUiNavPanel* panel : panels) {
        panel->SetPanelType(ptButton);
        panel->setFocusPolicy(Qt::StrongFocus);
        Events(panel).OnKeyDown = [panel](QObject*, int& key, Qt::KeyboardModifiers) {
            if (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter) {
                key = 0;
                panel->Click();
            }
        };
        Events(panel).OnEnter = [panel](QObject*) { panel->SetDown(true); };
        Events(panel).OnExit = [panel](QObject*) { panel->SetDown(false); };
    }
}

}  // namespace

Tjahresstat::Tjahresstat(QWidget* Owner) : TForm(Owner), ui(std::make_unique<Ui::Tjahresstat>())
{
    ui->setupUi(this);
    setObjectName(QStringLiteral("jahresstat"));
    UiNavPanel2 = ui->UiNavPanel2;
    UiNavPanel3 = ui->UiNavPanel3;
    UiNavPanel4 = ui->UiNavPanel4;
    UiNavPanel5 = ui->UiNavPanel5;
    ComboBox1 = ui->ComboBox1;
    Edit1 = ui->Edit1;
    Edit2 = ui->Edit2;
    ComboBox2 = ui->ComboBox2;
    CheckBox2 = ui->CheckBox2;
    XPButton5 = ui->XPButton5;
    CheckBox1 = ui->CheckBox1;
    CheckListBox1 = ui->CheckListBox1;
    CheckBox3 = ui->CheckBox3;
    Label43 = ui->Label43;
    Label45 = ui->Label45;
    Label46 = ui->Label46;
    StringGrid1 = ui->StringGrid1;

    QPalette pal = ui->Panel1->palette();
    pal.setColor(QPalette::Window, ToQColor(16251903));
    ui->Panel1->setPalette(pal);
    ui->UiNavPanel1->SetPanelType(ptDivider);
    pressPanelsByKeyboard({UiNavPanel2, UiNavPanel3, UiNavPanel4, UiNavPanel5});
    PressFlatButtonsOnSpace(this);
    // The tool bar comes last in the Tab order, after the table.
    setTabOrder(StringGrid1, UiNavPanel2);
    setTabOrder(UiNavPanel2, UiNavPanel3);
    setTabOrder(UiNavPanel3, UiNavPanel4);
    setTabOrder(UiNavPanel4, UiNavPanel5);

    for (int m = 1; m <= 12; ++m)
        ComboBox1->addItem(QString::number(m));

    StringGrid1->SetColCount(5);
    StringGrid1->SetDefaultRowHeight(17);
    StringGrid1->SetDefaultColWidth(70);
    StringGrid1->SetFixedRows(1);
    StringGrid1->SetFixedCols(1);
    StringGrid1->SetRowCount(2);
    StringGrid1->SetOptions(StringGrid1->Options() | goRowSelect);
    StringGrid1->setFrameShape(QFrame::NoFrame);
    StringGrid1->OnDrawCell = Handler(this, &Tjahresstat::StringGrid1DrawCell);

    monatQuery.SetName(QStringLiteral("monatQuery"));
    if (orvServer)
        monatQuery.SetConnection(&orvServer->orvDB);
    monatQuery.AddField(QStringLiteral("Monat"), ftSmallint);
    monatQuery.AddField(QStringLiteral("Jahr"), ftSmallint);
    monatQuery.AddField(QStringLiteral("SummevonZeit"), ftFloat);
    monatQuery.AddField(QStringLiteral("SummevonMeter"), ftFloat)->OnGetText = [this](TField* f, QString& t, bool d) {
        monatQuerySummevonMeterGetText(f, t, d);
    };
    monatQuery.AddField(QStringLiteral("SummevonHoehendifferenz"), ftFloat);

    UiNavPanel2->OnClick = Handler(this, &Tjahresstat::XPButton1Click);
    UiNavPanel3->OnClick = Handler(this, &Tjahresstat::SpeedButton2Click);
    UiNavPanel4->OnClick = Handler(this, &Tjahresstat::XPButton2Click);
    UiNavPanel5->OnClick = Handler(this, &Tjahresstat::SpeedButton1Click);
    XPButton5->OnClick = Handler(this, &Tjahresstat::XPButton5Click);
    connect(CheckBox1, &QCheckBox::clicked, this, [this] { Handler(this, &Tjahresstat::CheckBox1Click)(CheckBox1); });
    connect(CheckBox3, &QCheckBox::clicked, this, [this] { Handler(this, &Tjahresstat::CheckBox1Click)(CheckBox3); });
    connect(CheckBox2, &QCheckBox::clicked, this, [this] { Handler(this, &Tjahresstat::CheckBox2Click)(CheckBox2); });
    // Return in a settings field recomputes, as the button does.
    for (QLineEdit* edit : {Edit1, Edit2})
        connect(edit, &QLineEdit::returnPressed, this, [this] { XPButton5->Click(); });
    OnShow = Handler(this, &Tjahresstat::FormShow);

    FormCreate(this);
}

Tjahresstat::~Tjahresstat() = default;

void Tjahresstat::FormCreate(QObject*)
{
    ComboBox1->setCurrentIndex(0);
    Edit1->setText(QString::number(YearOf(Date())));
    ShowStatChoices(CheckListBox1, ComboBox2);
}

void Tjahresstat::FormShow(QObject*)
{
    Edit1->setText(QString::number(YearOf(Date())));
    StringGrid1->SetColWidths(4, -1);
    // Column 0 is 72 pixels wide, or as wide as the longest month name of the user's locale needs.
    const QFontMetrics metrics(StringGrid1->font());
    int monthWidth = 72;
    for (const QString& name : FormatSettings().LongMonthNames)
        monthWidth = std::max(monthWidth, metrics.horizontalAdvance(name + QStringLiteral(".00")) + 6);
    StringGrid1->SetColWidths(0, monthWidth);
    StringGrid1->SetCells(1, 0, LoadStr(msg::DistanceTitle));
    StringGrid1->SetCells(2, 0, LoadStr(msg::MarchTime));
    StringGrid1->SetCells(3, 0, LoadStr(msg::ColHoehe));
    XPButton5->Click();
}

double Tjahresstat::unitCalc(const QString& unitName) const
{
    return orvServer ? DistanceUnitCalc(orvServer->distancespeed, unitName) : 1.0;
}

TMonthSettings Tjahresstat::settings() const
{
    TMonthSettings s;
    s.StartMonth = StrToInt(ComboBox1->currentText());
    s.Year = StrToInt(Edit1->text().trimmed());
    s.Months = MonthCountFromText(Edit2->text());
    s.UnitCalc = unitCalc(ComboBox2->currentText());
    s.SportFilter = CheckBox1->isChecked();
    if (s.SportFilter && orvServer)
        for (int i = 0; i < CheckListBox1->count(); ++i)
            if (CheckListBox1->item(i)->checkState() == Qt::Checked)
                s.SportIds << orvServer->sportart
                                  .Lookup(QStringLiteral("spo_name"), CheckListBox1->item(i)->text(),
                                          QStringLiteral("spo_id"))
                                  .toDouble();
    s.WithPlanning = CheckBox3->isChecked();
    return s;
}

void Tjahresstat::fillGrid()
{
    // Settings that are no numbers are refused before anything changes; a failing query leaves
    // the table of the last fill as it was.
    const TMonthSettings s = settings();
    if (!orvServer)
        return;
    TMonthRun run = FillMonths(monatQuery, s);
    run_ = std::move(run);
    filledUnitName_ = ComboBox2->currentText();
    filledUnitCalc_ = s.UnitCalc;
    filledTitle_ = LoadStr(msg::MonthStatTitle) + QString::number(s.StartMonth) + QStringLiteral("/") +
                   QString::number(s.Year) + QStringLiteral(", ") + QString::number(s.Months) +
                   LoadStr(msg::MonthStatMonths);

    showMonthRows(int(run_.Months.size()));
    const TMonthTotals totals = MonthTotals(run_, s.UnitCalc);
    Label43->setText(totals.Time);
    Label45->setText(totals.Distance);
    Label46->setText(totals.Height);
}

void Tjahresstat::showMonthRows(int rows)
{
    // The grid forgets the cells of rows it drops, so the rows are written anew from the months.
    StringGrid1->SetRowCount(rows + 1);
    // A table cut to no month row lost its fixed heading row; it gets it back with its rows.
    if (rows > 0 && StringGrid1->FixedRows() < 1)
        StringGrid1->SetFixedRows(1);
    for (int i = 0; i < rows && i < int(run_.Months.size()); ++i) {
        const QStringList texts = run_.Months[size_t(i)].RowTexts();
        for (int c = 0; c < texts.size(); ++c)
            StringGrid1->SetCells(c, i + 1, texts[c]);
    }
    StringGrid1->update();
}

void Tjahresstat::XPButton5Click(QObject*)
{
    fillGrid();
    CheckBox2Click(CheckBox2);
}

void Tjahresstat::CheckBox1Click(QObject*)
{
    CheckListBox1->setEnabled(CheckBox1->isChecked());
}

void Tjahresstat::CheckBox2Click(QObject*)
{
    // The months of the last fill: with the box ticked those that have begun by today, else all.
    int rows = int(run_.Months.size());
    if (CheckBox2->isChecked())
        rows = RowsBeginningBy(MonthStarts(run_), Date());
    showMonthRows(rows);
}

void Tjahresstat::monatQuerySummevonMeterGetText(TField* Sender, QString& Text, bool)
{
    Text = MonthDistanceText(Sender->Value(), unitCalc(ComboBox2->currentText()));
}

void Tjahresstat::StringGrid1DrawCell(QObject*, int ACol, int ARow, const QRect& Rect, TGridDrawState State)
{
    QPainter* canvas = StringGrid1->Canvas();
    if (!canvas || ARow < 1 || ACol < 1 || (State & gdFixed))
        return;
    DrawPeriodCell(*canvas, Rect, StringGrid1->Cells(ACol, ARow), State & gdSelected, Qt::black,
                   StringGrid1->Color());
}

void Tjahresstat::printTable(TPrinterCanvas& printer)
{
    TPeriodPrint print;
    print.Title = filledTitle_;
    print.Headings = {LoadStr(msg::Month), filledUnitName_, LoadStr(msg::MarchTime), LoadStr(msg::ColHoehe)};
    print.Columns = {200, 600, 1000, 1300};
    // Long month names and times past 24 hours are wider than the columns' distance.
    print.WidenColumns = true;
    for (int r = 1; r < StringGrid1->RowCount(); ++r)
        print.Rows << QStringList{StringGrid1->Cells(0, r), StringGrid1->Cells(1, r), StringGrid1->Cells(2, r),
                                  StringGrid1->Cells(3, r)};
    PrintPeriodTable(printer, print);
}

void Tjahresstat::SpeedButton2Click(QObject*)
{
    TPrinterCanvas printer;
    printTable(printer);
}

void Tjahresstat::SpeedButton1Click(QObject*)
{
    ShowCalculatorHelp(QStringLiteral("Monatsstatistik"));
}

void Tjahresstat::XPButton1Click(QObject*)
{
    Close();
}

void Tjahresstat::XPButton2Click(QObject*)
{
    ModalForm<Tmonatstatgraf> chart(monatstatgraf, this);
    chart->ShowModal();
}
