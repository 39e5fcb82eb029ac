#include "exchange/outbreakerimport.h"

#include "ui_outbreakerimport.h"

#include <QApplication>
#include <QCoreApplication>

#include "core/busy.h"
#include "core/language.h"
#include "core/main.h"
#include "core/messageids.h"
#include "core/navigatorview.h"
#include "core/orvdbserver.h"
#include "core/views.h"
#include "exchange/bulkimport.h"
#include "platform/vcl/events.h"
#include "traininglog/einheiteneingabe.h"

ToutImport* outImport = nullptr;

namespace {

struct MasterField {
    const char* name;
    TFieldType type;
    int size;
    int width;
};

// The grid's columns in their order; TripNo and the row index stay hidden.
const MasterField kFields[] = {
    {"Name", ftString, 250, 120},        {"TimeDate", ftDateTime, 0, 110},  {"Comment", ftMemo, 0, 120},
    {"TotalTime", ftString, 50, 60},     {"NetTime", ftString, 50, 60},     {"MinAltitude", ftInteger, 0, 60},
    {"MaxAltitude", ftInteger, 0, 60},   {"AscendingMeter", ftInteger, 0, 60}, {"DescendingMeter", ftInteger, 0, 60},
    {"MaxSpeed", ftInteger, 0, 60},      {"AverageSpeed", ftInteger, 0, 60}, {"Route", ftInteger, 0, 50},
    {"MinHeartBeat", ftInteger, 0, 60},  {"MaxHeartBeat", ftInteger, 0, 60}, {"AverageHeartBeat", ftInteger, 0, 60},
    {"TotalSeconds", ftInteger, 0, 60},  {"NetSeconds", ftInteger, 0, 60},  {"PulseTime", ftInteger, 0, 60},
};

}  // namespace

ToutImport::ToutImport(QWidget* Owner) : TForm(Owner), ui(std::make_unique<Ui::ToutImport>())
{
    ui->setupUi(this);
    DBGrid1 = ui->DBGrid1;
    Button4 = ui->Button4;
    Button1 = ui->Button1;
    Button2 = ui->Button2;
    OpenDialog1.SetFilter(QCoreApplication::translate("ToutImport", "Access-Datei (*.mdb)|*.mdb"));

    master.AddField(QStringLiteral("TripRow"), ftInteger);
    for (const MasterField& f : kFields)
        master.AddField(QString::fromLatin1(f.name), f.type, f.size);
    master.CreateDataSet();
    dsMaster.SetDataSet(&master);
    DBGrid1->SetOptions((DBGrid1->Options() | dgRowSelect | dgAlwaysShowSelection) & ~dgEditing);
    DBGrid1->SetReadOnly(true);
    for (const MasterField& f : kFields) {
        TColumn* c = DBGrid1->Columns().Add();
        c->SetFieldName(QString::fromLatin1(f.name));
        c->SetWidth(f.width);
    }
    DBGrid1->SetDataSource(&dsMaster);

    OnShow = Handler(this, &ToutImport::FormShow);
    for (auto [button, handler] : {std::pair{Button4, &ToutImport::Button4Click}, {Button1, &ToutImport::Button1Click},
                                   {Button2, &ToutImport::Button2Click}})
        connect(button, &QPushButton::clicked, this, [button, h = Handler(this, handler)] { h(button); });
    updateButtons();
}

ToutImport::~ToutImport() = default;

void ToutImport::updateButtons()
{
    // Without a trip there is nothing to import.
    Button4->setEnabled(master.Active() && !master.IsEmpty());
}

void ToutImport::FormShow(QObject*)
{
    if (shown_)
        return;
    shown_ = true;
    if (OpenDialog1.Execute(this))
        openFile(OpenDialog1.FileName());
}

bool ToutImport::openFile(const QString& fileName)
{
    master.EmptyDataSet();
    trips_.reset();
    auto read = OutbreakerTrips::Read(fileName);
    if (!read.Ok()) {
        updateButtons();
        MessageDlg(LoadStr(msg::FileNotUnderstood) + QStringLiteral("\n") + read.Error().Text(), mtError,
                   TMsgDlgButtons{mbOK});
        return false;
    }
    trips_ = std::move(read.Value());
    const AccessTable& list = trips_->TripList();
    master.DisableControls();
    for (int r = 0; r < list.rows.size(); ++r) {
        master.Append();
        master.FieldByName(QStringLiteral("TripRow"))->SetAsInteger(r);
        for (const MasterField& f : kFields) {
            const TableValue v = list.Value(r, QString::fromLatin1(f.name));
            if (v.IsEmpty())
                continue;
            TField* field = master.FieldByName(QString::fromLatin1(f.name));
            if (f.type == ftDateTime)
                field->SetAsDateTime(v.Number());
            else if (f.type == ftInteger)
                field->SetAsInteger(v.kind() == TableValue::Kind::Text ? v.Text().toInt() : int(v.Number()));
            else
                field->SetAsString(v.AsText());
        }
        master.Post();
    }
    master.First();
    master.EnableControls();
    updateButtons();
    return true;
}

void ToutImport::Button4Click(QObject*)
{
    if (!trips_ || !master.Active() || master.IsEmpty())
        return;
    const int row = master.FieldByName(QStringLiteral("TripRow"))->AsInteger();
    OutbreakerImportWriter writer;
    if (BusyDlg) {
        BusyDlg->showProgress = true;
        // The bar moves in hundredths: a repaint per record would cost more than the writing.
        BusyDlg->ProgressBar1->setMaximum(100);
        BusyDlg->ProgressBar1->setValue(0);
        writer.onStep = [](int i, int count) {
            if (count > 0 && i * 100 / count != (i - 1) * 100 / count)
                BusyDlg->stepProgress();
        };
        BusyDlg->Show();
        QApplication::processEvents();
        BusyDlg->raise();
        BusyDlg->repaint();
    }
    if (testStepHook) {
        auto step = writer.onStep;
        writer.onStep = [step](int i, int count) {
            testStepHook(i);
            if (step)
                step(i, count);
        };
    }
    writer.beforeUnitPost = [] {
        if (eingabe) {
            eingabe->DBEdit6Exit(eingabe->DBEdit6);
            eingabe->DBEdit10Exit(eingabe->DBEdit10);
        }
    };
    bool written = false;
    {
        // Handlers, controls and switches come back however the import ends.
        TBulkImportScope scope(true);
        written = writer.Write(*trips_, row);
    }
    if (BusyDlg) {
        BusyDlg->Close();
        BusyDlg->showProgress = false;
    }
    orvServer->zeit.Close();
    orvServer->zeit.Open();
    if (!written) {
        MessageDlg(LoadStr(msg::ImportFailed) + writer.Error(), mtError, TMsgDlgButtons{mbOK});
        return;
    }
    orvServer->zeitAll.Close();
    orvServer->zeitAll.Open();
    if (NavigatorView* navigator = View<NavigatorView>()) {
        navigator->Button1Click(nullptr);
        navigator->selectCurrentUnit();
    }
    if (eingabe) {
        eingabe->updateZwSql();
        eingabe->fillZwGrid();
    }
    SetModalResult(mrOk);
}

void ToutImport::Button1Click(QObject*)
{
    SetModalResult(mrCancel);
}

void ToutImport::Button2Click(QObject*)
{
    bool callHelp = true;
    if (MainForm)
        MainForm->showHelp(1, QStringLiteral("Import-Herzfrequenzwerte"), callHelp);
}
