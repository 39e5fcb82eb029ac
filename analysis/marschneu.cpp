#include "analysis/marschneu.h"

#include "ui_marschneu.h"

#include "analysis/calchelp.h"
#include "analysis/marchsplits.h"
#include "analysis/marschanfu.h"
#include "core/entrywindowview.h"
#include "core/language.h"
#include "core/messageids.h"
#include "core/views.h"
#include "platform/office/workbookwriter.h"
#include "platform/report/printercanvas.h"
#include "platform/rtl/sysutils.h"
#include "platform/vcl/buttonclick.h"
#include "platform/vcl/events.h"

Tmarschtab* marschtab = nullptr;

namespace {

constexpr int kStartRows = 50;
// Rows left empty below a calculated table for appending.
constexpr int kRowsForAppending = 200;

}  // namespace

Tmarschtab::Tmarschtab(QWidget* Owner) : TForm(Owner), ui(std::make_unique<Ui::Tmarschtab>())
{
    ui->setupUi(this);
    Edit1 = ui->Edit1;
    Edit2 = ui->Edit2;
    MaskEdit1 = ui->MaskEdit1;
    MaskEdit2 = ui->MaskEdit2;
    MaskEdit3 = ui->MaskEdit3;
    MaskEdit4 = ui->MaskEdit4;
    RadioButton1 = ui->RadioButton1;
    RadioButton2 = ui->RadioButton2;
    RadioButton3 = ui->RadioButton3;
    RadioButton4 = ui->RadioButton4;
    StringGrid1 = ui->StringGrid1;
    Button1 = ui->Button1;
    SpeedButton6 = ui->SpeedButton6;
    SpeedButton5 = ui->SpeedButton5;
    SpeedButton1 = ui->SpeedButton1;
    Button4 = ui->Button4;
    SpeedButton7 = ui->SpeedButton7;
    BitBtn4 = ui->BitBtn4;
    for (TMaskEdit* e : {MaskEdit1, MaskEdit3, MaskEdit4})
        e->Clear();
    RadioButton4->setChecked(true);

    StringGrid1->SetColCount(3);
    StringGrid1->SetRowCount(kStartRows);
    StringGrid1->SetFixedCols(0);
    StringGrid1->SetFixedRows(1);
    StringGrid1->SetDefaultRowHeight(18);
    StringGrid1->SetDefaultColWidth(104);
    StringGrid1->SetOptions(StringGrid1->Options() | goEditing);

    excelDialog.SetDefaultExt(QStringLiteral("xlsx"));
    excelDialog.SetFilter(tr("Excel - Datei (*.xlsx)|*.xlsx"));

    OnShow = Handler(this, &Tmarschtab::FormShow);
    Events(MaskEdit1).OnEnter = Handler(this, &Tmarschtab::MaskEdit1Enter);
    Events(MaskEdit2).OnEnter = Handler(this, &Tmarschtab::MaskEdit2Enter);
    Events(MaskEdit3).OnEnter = Handler(this, &Tmarschtab::MaskEdit3Enter);
    Events(MaskEdit4).OnEnter = Handler(this, &Tmarschtab::MaskEdit4Enter);
    OnButtonClick(Button1, Handler(this, &Tmarschtab::Button1Click));
    OnButtonClick(SpeedButton6, Handler(this, &Tmarschtab::SpeedButton6Click));
    OnButtonClick(Button4, Handler(this, &Tmarschtab::Button4Click));
    OnButtonClick(SpeedButton7, Handler(this, &Tmarschtab::SpeedButton7Click));
    OnButtonClick(SpeedButton5, Handler(this, &Tmarschtab::SpeedButton5Click));
    OnButtonClick(SpeedButton1, Handler(this, &Tmarschtab::SpeedButton1Click));
    OnButtonClick(BitBtn4, Handler(this, &Tmarschtab::BitBtn4Click));
}

Tmarschtab::~Tmarschtab() = default;

TMarchSource Tmarschtab::Source() const
{
    if (RadioButton1->isChecked())
        return TMarchSource::Pace;
    if (RadioButton2->isChecked())
        return TMarchSource::Speed;
    if (RadioButton3->isChecked())
        return TMarchSource::LapTime;
    return TMarchSource::TotalTime;
}

void Tmarschtab::clearTable()
{
    for (int r = 0; r < StringGrid1->RowCount(); ++r)
        for (int c = 0; c < 3; ++c)
            StringGrid1->SetCells(c, r, QString());
    StringGrid1->SetCells(0, 0, LoadStr(msg::MarchMeter));
    StringGrid1->SetCells(1, 0, LoadStr(msg::MarchTime));
    StringGrid1->SetCells(2, 0, LoadStr(msg::MarchSplitTime));
}

void Tmarschtab::FormShow(QObject*)
{
    // Split times can only go into a unit while a database is open.
    EntryWindowView* entry = View<EntryWindowView>();
    SpeedButton5->setEnabled(entry && entry->Visible());
    clearTable();
}

void Tmarschtab::MaskEdit1Enter(QObject*)
{
    RadioButton1->setChecked(true);
}

void Tmarschtab::MaskEdit2Enter(QObject*)
{
    RadioButton2->setChecked(true);
}

void Tmarschtab::MaskEdit3Enter(QObject*)
{
    RadioButton3->setChecked(true);
}

void Tmarschtab::MaskEdit4Enter(QObject*)
{
    RadioButton4->setChecked(true);
}

void Tmarschtab::Button1Click(QObject*)
{
    clearTable();
    TMarchInput in;
    in.Source = Source();
    if (in.Source == TMarchSource::Speed && MaskEdit2->text().trimmed().isEmpty())
        MaskEdit2->setText(QStringLiteral("1"));
    in.Distance = Edit1->text();
    in.Lap = Edit2->text();
    in.Speed = MaskEdit2->text();
    in.Pace = MaskEdit1->Text();
    in.LapTime = MaskEdit3->Text();
    in.TotalTime = MaskEdit4->Text();
    TMarchResult r;
    try {
        r = CalculateMarchTable(in, FormatSettings());
    } catch (const EMarchInput&) {
        MessageDlg(LoadStr(msg::MarchInputMissing), mtError, {mbOK});
        return;
    }
    StringGrid1->SetRowCount(int(r.Rows.size()) + kRowsForAppending + 1);
    for (size_t i = 0; i < r.Rows.size(); ++i)
        for (int c = 0; c < 3; ++c)
            StringGrid1->SetCells(c, int(i) + 1, r.Rows[i][size_t(c)]);
    MaskEdit1->SetText(r.Pace);
    MaskEdit3->SetText(r.LapTime);
    MaskEdit4->SetText(r.TotalTime);
    MaskEdit2->setText(r.Speed);
}

void Tmarschtab::SpeedButton6Click(QObject*)
{
    ModalForm<TMarschAnf> dlg(MarschAnf, this);
    if (dlg->ShowModal() != mrOk)
        return;
    const int top = std::max(1, StringGrid1->Selection().Top);
    std::vector<TMarchRow> rows;
    try {
        rows = MarchAppendRows(dlg->Edit1->text(), dlg->Edit2->text(), dlg->Edit5->text(), dlg->Edit3->text(),
                               StringGrid1->Cells(1, top - 1));
    } catch (const EMarchInput&) {
        MessageDlg(LoadStr(msg::MarchInputMissing), mtError, {mbOK});
        return;
    }
    if (top + int(rows.size()) >= StringGrid1->RowCount())
        StringGrid1->SetRowCount(top + int(rows.size()) + 1);
    for (size_t i = 0; i < rows.size(); ++i)
        for (int c = 0; c < 3; ++c)
            StringGrid1->SetCells(c, top + int(i), rows[i][size_t(c)]);
}

void Tmarschtab::Button4Click(QObject*)
{
    TPrinterCanvas printer;
    printer.SetTitle(LoadStr(msg::MarchTable));
    printer.BeginDoc();
    try {
        printer.Font().setFamily(QStringLiteral("Arial"));
        printer.Font().setPointSize(15);
        printer.TextOut(200, 80, LoadStr(msg::MarchTable));
        printer.Font().setPointSize(11);
        printer.TextOut(200, 300, LoadStr(msg::MarchMeter));
        printer.TextOut(600, 300, LoadStr(msg::MarchRunningTime));
        printer.TextOut(1000, 300, LoadStr(msg::MarchSplitTime));
        int line = 1;
        for (int r = 1; r < StringGrid1->RowCount() && !StringGrid1->Cells(0, r).isEmpty(); ++r) {
            const int y = (line + 3) * 100;
            printer.TextOut(200, y, StringGrid1->Cells(0, r));
            printer.TextOut(600, y, StringGrid1->Cells(1, r));
            printer.TextOut(1000, y, StringGrid1->Cells(2, r));
            if (++line == 30) {
                printer.NewPage();
                line = 1;
            }
        }
        printer.EndDoc();
    } catch (...) {
        if (printer.Printing())
            printer.Abort();
        throw;
    }
}

void Tmarschtab::SpeedButton7Click(QObject*)
{
    if (!excelDialog.Execute(this))
        return;
    WorkbookWriter book;
    WorksheetWriter& sheet = book.AddSheet();
    sheet.SetCell(QStringLiteral("A1"), QStringLiteral("Meter"));
    sheet.SetCell(QStringLiteral("B1"), QStringLiteral("Zeit"));
    sheet.SetCell(QStringLiteral("C1"), QStringLiteral("Splitzeit"));
    // Every grid row, the empty ones below the table included.
    for (int r = 1; r < StringGrid1->RowCount(); ++r) {
        const QString row = QString::number(r + 1);
        sheet.SetCell(QStringLiteral("A") + row, StringGrid1->Cells(0, r));
        sheet.SetCell(QStringLiteral("B") + row, StringGrid1->Cells(1, r));
        sheet.SetCell(QStringLiteral("C") + row, StringGrid1->Cells(2, r));
    }
    book.Save(excelDialog.FileName()).ThrowIfFailed();
}

void Tmarschtab::SpeedButton5Click(QObject*)
{
    if (MessageDlg(LoadStr(msg::AskChangeSplits), mtConfirmation, mbYesNo) != mrYes)
        return;
    QList<TMarchRow> rows;
    for (int r = 1; r < StringGrid1->RowCount() && !StringGrid1->Cells(0, r).isEmpty(); ++r)
        rows << TMarchRow{StringGrid1->Cells(0, r), StringGrid1->Cells(1, r), StringGrid1->Cells(2, r)};
    InsertMarchSplits(rows);
}

void Tmarschtab::SpeedButton1Click(QObject*)
{
    Close();
}

void Tmarschtab::BitBtn4Click(QObject*)
{
    ShowCalculatorHelp(QStringLiteral("Marschtabelle"));
}
