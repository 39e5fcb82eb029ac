#include "exchange/selforerunner.h"

#include "ui_selforerunner.h"

#include <QDir>
#include <QFontMetrics>

#include "core/busy.h"
#include "core/language.h"
#include "core/messageids.h"
#include "core/navigatorview.h"
#include "core/orvdbserver.h"
#include "core/views.h"
#include "exchange/bulkimport.h"
#include "exchange/garminrunfile.h"
#include "exchange/garminrunwriter.h"
#include "platform/rtl/sysutils.h"
#include "platform/vcl/dialogs.h"
#include "platform/vcl/events.h"
#include "traininglog/einheiteneingabe.h"

TselectForerunner* selectForerunner = nullptr;

namespace {

enum Column { ColTick, ColDate, ColStart, ColLength, ColDuration, ColXml };

// The busy window while the runs are written: its label, no bar; closed however the import ends.
class ImportBusy {
public:
    explicit ImportBusy(const QString& label)
    {
        if (!BusyDlg)
            return;
        BusyDlg->showProgress = false;
        BusyDlg->Label1->setText(label);
        BusyDlg->Show();
        BusyDlg->repaint();
    }
    ~ImportBusy()
    {
        if (BusyDlg)
            BusyDlg->Close();
    }
    ImportBusy(const ImportBusy&) = delete;
    ImportBusy& operator=(const ImportBusy&) = delete;
};

}  // namespace

TselectForerunner::TselectForerunner(QWidget* Owner) : TForm(Owner), ui(std::make_unique<Ui::TselectForerunner>())
{
    ui->setupUi(this);
    setObjectName(QStringLiteral("selectForerunner"));
    Label1 = ui->Label1;
    Button1 = ui->Button1;
    Button2 = ui->Button2;
    ExtColumnGrid1 = new TExtColumnGrid(this);
    ExtColumnGrid1->setObjectName(QStringLiteral("ExtColumnGrid1"));
    ui->gridPlace->addWidget(ExtColumnGrid1);
    Label1->setBuddy(ExtColumnGrid1);
    setTabOrder(ExtColumnGrid1, Button1);
    setTabOrder(Button1, Button2);

    // The columns as the form keeps them: the tick, four texts and the run's XML out of sight.
    TExtColumnGrid* g = ExtColumnGrid1;
    g->BeginLoad();
    g->SetColCount(6);
    g->SetFixedCols(0);
    g->SetOptions(g->Options() | goRowSelect);
    TGridColumnItem* tick = g->Columns()[0];
    tick->Editor = edCheckBox;
    tick->CheckTrue = QStringLiteral("true");
    tick->CheckFalse = QStringLiteral("false");
    const QString headers[] = {tr("Datum"), tr("Startzeit"), tr("Distanz"), tr("Zeit")};
    for (int c = 1; c <= 4; ++c)
        g->Columns()[c]->SetHeader(headers[c - 1]);
    g->SetRowCount(2);
    g->SetFixedRows(1);
    g->Loaded();
    g->Columns()[0]->SetWidth(21);
    g->Columns()[5]->SetWidth(0);
    g->SetCol(0);
    // The list is where the user starts: Space ticks, Tab goes on to Ok.
    g->setFocus(Qt::OtherFocusReason);
    // Space ticks the run of the current row wherever in the row the current cell is.
    g->OnKeyDown = [g](QObject*, int& Key, Qt::KeyboardModifiers) {
        if (Key == Qt::Key_Space && g->Col() != 0 && g->Row() >= g->FixedRows())
            g->ToggleCheckBox(0, g->Row(), true);
    };

    connect(Button1, &QPushButton::clicked, this,
            [this, h = Handler(this, &TselectForerunner::Button1Click)] { h(Button1); });
}

TselectForerunner::~TselectForerunner() = default;

bool TselectForerunner::LoadFile(const QString& fileName)
{
    GarminRunFile file;
    if (!file.Read(fileName)) {
        MessageDlg(file.Error().Text(), mtError, TMsgDlgButtons{mbOK});
        return false;
    }
    fileName_ = fileName;
    runs_ = file.Runs();
    TExtColumnGrid* g = ExtColumnGrid1;
    int r = 1;
    for (const GarminRun& run : file.Runs()) {
        // Date and start of the one local moment of the run's start.
        const TDateTime start = run.StartLocal();
        g->SetCellText(ColTick, r, QStringLiteral("false"));
        g->SetCellCheckBox(ColTick, r, false, true);
        g->SetCellText(ColDate, r, DateToStr(start));
        g->SetCellText(ColStart, r, TimeToStr(start));
        g->SetInts(ColLength, r, run.Length());
        g->SetCellText(ColDuration, r, TimeToStr(double(run.DurationMs()) / MSecsPerDay));
        g->SetCellText(ColXml, r, run.xml);
        ++r;
    }
    // The grid keeps one empty body row below its header when the file holds no run.
    g->SetRowCount(std::max(r, 2));
    // The visible columns are as wide as their texts in the user's font and date format.
    const QFontMetrics metrics(g->font());
    for (int c = ColDate; c <= ColDuration; ++c) {
        int width = g->ColWidths(c);
        for (int row = 0; row < g->RowCount(); ++row)
            width = std::max(width, metrics.horizontalAdvance(g->GetCellText(c, row)) + 8);
        g->SetColWidths(c, width);
    }
    if (file.SkippedRuns() > 0)
        MessageDlg(tr("Einheiten ohne Runden wurden übersprungen: %1").arg(file.SkippedRuns()),
                   mtInformation, TMsgDlgButtons{mbOK});
    return true;
}

void TselectForerunner::Button1Click(QObject*)
{
    TExtColumnGrid* g = ExtColumnGrid1;
    auto nameOf = [g](int r) {
        return tr("Einheit %1 vom %2, %3").arg(r).arg(g->GetCellText(ColDate, r), g->GetCellText(ColStart, r));
    };
    // Every ticked run is checked before anything is written: one whose values its unit cannot
    // hold is refused, with the value's line.
    QList<int> ticked;
    QStringList imported, refused;
    for (int r = 1; r < g->RowCount(); ++r) {
        if (g->GetCellText(ColTick, r) != QLatin1String("true") || r > runs_.size())
            continue;
        if (runs_[r - 1].Importable())
            ticked << r;
        else
            refused << tr("%1: %2").arg(nameOf(r), runs_[r - 1].problem.Text());
    }
    {
        TBulkImportScope scope;
        const QString label = LoadStr(msg::ConvertingUnits);
        ImportBusy busy(label);
        for (int r : ticked) {
            GarminRunWriter writer;
            writer.beforeRows = [this, r] {
                if (OnRunWriting)
                    OnRunWriting(r);
            };
            writer.onPoint = [label](int done) {
                if (!BusyDlg || done % 100 != 0)
                    return;
                BusyDlg->Label1->setText(label + QStringLiteral(": ") + QString::number(done));
                BusyDlg->Label1->repaint();
            };
            if (writer.Write(runs_[r - 1]))
                imported << nameOf(r);
            else
                refused << tr("%1: %2").arg(nameOf(r), writer.Error());
        }
    }
    // The last unit written is the current one now: the navigator lists the new units and the
    // split grid is read and filled once for the current unit.
    if (!imported.isEmpty()) {
        if (NavigatorView* navigator = View<NavigatorView>())
            navigator->Button1Click(nullptr);
    }
    if (eingabe) {
        if (orvServer->daten.Active() && !orvServer->daten.IsEmpty())
            eingabe->updateZwSql();
        else
            eingabe->fillZwGrid();
    }
    if (refused.isEmpty())
        return;
    const QString file = QDir::toNativeSeparators(fileName_);
    const QString done = imported.isEmpty()
                             ? tr("Aus der Datei \"%1\" wurde keine Einheit importiert.").arg(file)
                             : tr("Aus der Datei \"%1\" importiert:\n%2").arg(file, imported.join(QLatin1Char('\n')));
    MessageDlg(done + QStringLiteral("\n\n") +
                   tr("Diese Einheiten wurden nicht importiert, von ihnen wurde nichts gespeichert:\n%1")
                       .arg(refused.join(QLatin1Char('\n'))),
               mtError, TMsgDlgButtons{mbOK});
}
