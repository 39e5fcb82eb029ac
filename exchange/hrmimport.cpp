#include "exchange/hrmimport.h"

#include "ui_hrmimport.h"

#include <QApplication>

#include "core/busy.h"
#include "core/language.h"
#include "core/main.h"
#include "core/messageids.h"
#include "core/orvdbserver.h"
#include "core/orvtools.h"
#include "exchange/bulkimport.h"
#include "exchange/hrmfile.h"
#include "platform/vcl/dialogs.h"
#include "platform/vcl/events.h"
#include "traininglog/einheiteneingabe.h"

ThrmImport* hrmImport = nullptr;

namespace {

// Headers of the lap grid, as many as it has columns.
const char* const kLapHeaders[] = {
    QT_TRANSLATE_NOOP("ThrmImport", "Nummer"),    QT_TRANSLATE_NOOP("ThrmImport", "Zeit"),
    QT_TRANSLATE_NOOP("ThrmImport", "Puls"),      QT_TRANSLATE_NOOP("ThrmImport", "Min. Puls"),
    QT_TRANSLATE_NOOP("ThrmImport", "Ø Puls"),    QT_TRANSLATE_NOOP("ThrmImport", "Max. Puls"),
    QT_TRANSLATE_NOOP("ThrmImport", "Höhe"),      QT_TRANSLATE_NOOP("ThrmImport", "Temperatur"),
    QT_TRANSLATE_NOOP("ThrmImport", "Meter"),
};

QList<QStringList> bodyRows(const TStringGrid* grid)
{
    QList<QStringList> rows;
    for (int r = 1; r < grid->RowCount(); ++r)
        rows.append(grid->Rows(r));
    return rows;
}

}  // namespace

ThrmImport::ThrmImport(QWidget* Owner, bool importUnit, bool importSamples, bool importLaps, const QString& fileName)
    : TForm(Owner), ui(std::make_unique<Ui::ThrmImport>()), importUnit_(importUnit), importSamples_(importSamples),
      importLaps_(importLaps), fileName_(fileName)
{
    ui->setupUi(this);
    ComboBox1 = ui->ComboBox1;
    PageControl1 = ui->PageControl1;
    Edit1 = ui->Edit1;
    Edit2 = ui->Edit2;
    Edit3 = ui->Edit3;
    Edit4 = ui->Edit4;
    Edit5 = ui->Edit5;
    Edit6 = ui->Edit6;
    Edit7 = ui->Edit7;
    Edit8 = ui->Edit8;
    Edit9 = ui->Edit9;
    Edit10 = ui->Edit10;
    CheckBox1 = ui->CheckBox1;
    CheckBox2 = ui->CheckBox2;
    CheckBox3 = ui->CheckBox3;
    Label8 = ui->Label8;
    Label9 = ui->Label9;
    Label10 = ui->Label10;
    StringGrid1 = ui->StringGrid1;
    StringGrid2 = ui->StringGrid2;
    Button2 = ui->Button2;
    Button3 = ui->Button3;
    Button4 = ui->Button4;

    // The grids as designed: editable cells, a header row; the lap grid with its 8 columns.
    for (TStringGrid* g : {StringGrid1, StringGrid2}) {
        g->SetOptions(g->Options() | goEditing);
        g->SetFixedCols(0);
        g->SetRowCount(2);
        g->SetFixedRows(1);
        g->SetDefaultRowHeight(20);
        g->SetDefaultColWidth(64);
    }
    StringGrid1->SetColCount(2);
    StringGrid2->SetColCount(8);

    CheckBox1->setChecked(importUnit);
    CheckBox2->setChecked(importSamples);
    CheckBox3->setChecked(importLaps);

    OnShow = Handler(this, &ThrmImport::Button1Click);
    for (auto [button, handler] : {std::pair{Button2, &ThrmImport::Button2Click}, {Button3, &ThrmImport::Button3Click},
                                   {Button4, &ThrmImport::Button4Click}})
        connect(button, &QPushButton::clicked, this, [button, h = Handler(this, handler)] { h(button); });
}

ThrmImport::~ThrmImport() = default;

bool ThrmImport::ReadFile()
{
    auto hrm = std::make_unique<HrmFile>();
    if (!hrm->Read(fileName_)) {
        hrm_.reset();
        MessageDlg(LoadStr(msg::FileNotUnderstood) + QStringLiteral("\n") + hrm->Error().Text(), mtError,
                   TMsgDlgButtons{mbOK});
        return false;
    }
    hrm_ = std::move(hrm);
    return true;
}

void ThrmImport::Button1Click(QObject*)
{
    if (filled_)
        return;
    filled_ = true;
    raise();
    if (!hrm_ && !ReadFile()) {
        SetModalResult(mrCancel);
        return;
    }
    fillUnitPage(*hrm_);
    fillLaps(*hrm_);
    fillSamples(*hrm_);
    fillRoutes();
    hrm_.reset();  // the pages hold what is written from here on
}

void ThrmImport::fillUnitPage(const HrmFile& hrm)
{
    Edit1->setText(hrm.Date() != 0 ? DateToStr(hrm.Date()) : QString());
    Edit2->setText(hrm.LengthText());
    Edit3->setText(hrm.StartTimeText());
    interval_ = hrm.Interval();
    Edit4->setText(QString::number(interval_));
    Edit5->setText(hrm.Key(QStringLiteral("MaxHR")));
    Edit6->setText(hrm.Key(QStringLiteral("RestHR")));
    Edit7->setText(hrm.Key(QStringLiteral("Weight")));
    Edit8->setText(hrm.Calories().isEmpty() ? QStringLiteral("0") : hrm.Calories());
    Edit9->setText(hrm.Note());
    if (hrm.HasSpeed())
        Edit10->setText(QString::number(hrm.TotalMeters()));
}

void ThrmImport::fillLaps(const HrmFile& hrm)
{
    const QList<HrmLap>& laps = hrm.Laps();
    if (!laps.isEmpty())
        StringGrid2->SetColCount(hrm.HasSMode() ? 9 : 6);
    StringGrid2->SetRowCount(laps.size() + 1);
    for (int c = 0; c < StringGrid2->ColCount(); ++c)
        StringGrid2->SetCells(c, 0, tr(kLapHeaders[c]));
    for (const HrmLap& lap : laps) {
        QStringList row{QString::number(lap.number), lap.timeText};
        for (int i = 1; i <= 4; ++i)
            row << (i < lap.items.size() ? lap.items[i] : QStringLiteral("0"));
        if (hrm.HasSMode())
            row << QString::number(lap.altitude) << QString::number(lap.temperature) << QString::number(lap.meter);
        StringGrid2->SetRows(lap.number, row);
    }
    Label10->setText(LoadStr(msg::Count) + QStringLiteral(": ") + QString::number(laps.size()));
}

void ThrmImport::fillSamples(const HrmFile& hrm)
{
    const QList<HrmColumn>& columns = hrm.Columns();
    StringGrid1->SetColCount(1 + columns.size());
    StringGrid1->SetRowCount(hrm.Samples().size() + 1);
    heightColumn_ = cadenceColumn_ = splitColumn_ = speedColumn_ = -1;
    StringGrid1->SetCells(0, 0, QString());
    for (int i = 0; i < columns.size(); ++i) {
        const int c = i + 1;
        StringGrid1->SetCells(c, 0, HrmFile::ColumnCaption(columns[i]));
        switch (columns[i]) {
        case HrmColumn::Speed: speedColumn_ = c; break;
        case HrmColumn::Cadence: cadenceColumn_ = c; break;
        case HrmColumn::Altitude: heightColumn_ = c; break;
        case HrmColumn::Split: splitColumn_ = c; break;
        default: break;
        }
    }
    int r = 1;
    for (const HrmSample& s : hrm.Samples()) {
        QStringList row{HrmImportWriter::TimeText(s.ms)};
        for (int i = 0; i < columns.size(); ++i)
            row << hrm.SampleCell(s, i);
        StringGrid1->SetRows(r++, row);
    }
    Label8->setText(LoadStr(msg::Count) + QStringLiteral(": ") + QString::number(hrm.Samples().size()));
    Label9->setText(LoadStr(msg::Mode) + QStringLiteral(": ") + hrm.Mode());
}

void ThrmImport::fillRoutes()
{
    // Only routes with a point for every lap: their points become the laps' distances and names.
    ComboBox1->clear();
    ComboBox1->addItem(QString());
    if (!orvServer || !orvServer->strecke.Active())
        return;
    const int laps = StringGrid2->RowCount() - 1;
    TTable routes;
    routes.Clone(orvServer->strecke);
    for (routes.First(); !routes.Eof(); routes.Next()) {
        const int points = orvServer->orvDB
                               .ExecuteScalar(QStringLiteral("SELECT count(*) FROM streckez WHERE StrIndex = ?"),
                                              {routes.FieldByName(QStringLiteral("StrIndex"))->AsInteger()})
                               .toInt();
        if (points == laps)
            ComboBox1->addItem(routes.FieldByName(QStringLiteral("Name"))->AsString());
    }
}

HrmImportInput ThrmImport::input() const
{
    HrmImportInput in;
    in.importUnit = CheckBox1->isChecked();
    in.importSamples = CheckBox2->isChecked();
    in.importLaps = CheckBox3->isChecked();
    in.datum = Edit1->text();
    in.zeit = Edit2->text();
    in.startzeit = Edit3->text();
    in.maxpuls = Edit5->text();
    in.ruhepuls = Edit6->text();
    in.gewicht = Edit7->text();
    in.kalorien = Edit8->text();
    in.kommentar = Edit9->text();
    in.meter = Edit10->text();
    in.route = ComboBox1->currentText();
    in.interval = interval_;
    in.samples = bodyRows(StringGrid1);
    in.sampleHeaders = StringGrid1->Rows(0);
    in.speedColumn = speedColumn_;
    in.cadenceColumn = cadenceColumn_;
    in.heightColumn = heightColumn_;
    in.splitColumn = splitColumn_;
    in.laps = bodyRows(StringGrid2);
    in.lapColumns = StringGrid2->ColCount();
    in.lapHeaders = StringGrid2->Rows(0);
    return in;
}

void ThrmImport::Button2Click(QObject*)
{
    const HrmImportInput in = input();
    HrmImportWriter writer;
    const int steps = (in.importSamples ? in.samples.size() : 0) + (in.importLaps ? in.laps.size() : 0);
    int done = 0;
    if (BusyDlg) {
        BusyDlg->showProgress = true;
        // The bar moves in hundredths: a repaint per sample would cost more than the writing.
        BusyDlg->ProgressBar1->setMaximum(100);
        BusyDlg->ProgressBar1->setValue(0);
        writer.onStep = [&] {
            ++done;
            if (steps > 0 && done * 100 / steps != (done - 1) * 100 / steps)
                BusyDlg->stepProgress();
        };
        // The window stays where it is (hiding it would end its modal run), under the busy window,
        // so that a refused write returns to it with everything the user edited.
        BusyDlg->Show();
        QApplication::processEvents();
        BusyDlg->raise();
        BusyDlg->repaint();
    }
    writer.beforeUnitPost = [] {
        if (eingabe) {
            eingabe->DBEdit6Exit(eingabe->DBEdit6);
            eingabe->DBEdit10Exit(eingabe->DBEdit10);
        }
    };
    bool written = false;
    {
        TBulkImportScope scope;
        written = writer.Write(in);
    }
    if (BusyDlg) {
        BusyDlg->Close();
        BusyDlg->showProgress = false;
    }
    if (!written) {
        MessageDlg(LoadStr(msg::ImportFailed) + writer.Error(), mtError, TMsgDlgButtons{mbOK});
        return;
    }
    if (importSamples_ || importLaps_) {
        orvServer->zeit.Close();
        orvServer->zeit.Open();
        orvServer->zeitAll.Close();
        orvServer->zeitAll.Open();
    }
    // The save rules were detached while writing: the new unit's block and the navigator are
    // brought up to date as after a typed unit.
    if (writer.UnitCreated())
        orvServer->datenAfterPost(&orvServer->daten);
    if (eingabe) {
        eingabe->updateZwSql();
        eingabe->fillZwGrid();
    }
    SetModalResult(mrOk);
    if (MainForm)
        MainForm->activateWindow();
}

void ThrmImport::Button3Click(QObject*)
{
    bool callHelp = true;
    if (MainForm)
        MainForm->showHelp(1, QStringLiteral("Import-Herzfrequenzwerte"), callHelp);
}

void ThrmImport::Button4Click(QObject*)
{
    SetModalResult(mrCancel);
}
