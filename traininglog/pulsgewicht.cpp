#include "traininglog/pulsgewicht.h"

#include "ui_pulsgewfrm.h"
#include "ui_pulsgewicht.h"

#include "core/orvdbserver.h"
#include "platform/vcl/buttonclick.h"
#include "platform/vcl/databinding.h"
#include "platform/vcl/events.h"
#include "traininglog/einheiteneingabe.h"

TpulsgewFrm* pulsgewFrm = nullptr;
TPulsGewicht* PulsGewicht = nullptr;

namespace {

void bindToDataModule(QWidget* w)
{
    if (orvServer)
        BindDataControls(w, [](const QString& name) { return orvServer->FindDataSource(name); });
}

// The load level by heart rate, as the entry window's "Ø Puls" sets it.
void pulseLeft()
{
    if (eingabe)
        eingabe->DBEdit10Exit(eingabe->DBEdit10);
}

}  // namespace

TpulsgewFrm::TpulsgewFrm(QWidget* Owner) : TFrame(Owner), ui(std::make_unique<Ui::TpulsgewFrm>())
{
    ui->setupUi(this);
    DBEdit5 = ui->DBEdit5;
    DBEdit1 = ui->DBEdit1;
    DBEdit2 = ui->DBEdit2;
    DBEdit7 = ui->DBEdit7;
    DBEdit6 = ui->DBEdit6;
    DBEdit3 = ui->DBEdit3;
    DBEdit4 = ui->DBEdit4;
    Events(DBEdit5).OnExit = Handler(this, &TpulsgewFrm::DBEdit5Exit);
    bindToDataModule(this);
}

TpulsgewFrm::~TpulsgewFrm() = default;

void TpulsgewFrm::DBEdit5Exit(QObject*)
{
    pulseLeft();
}

TPulsGewicht::TPulsGewicht(QWidget* Owner) : TForm(Owner), ui(std::make_unique<Ui::TPulsGewicht>())
{
    ui->setupUi(this);
    setObjectName(QStringLiteral("PulsGewicht"));
    pulsgewFrm1 = ui->pulsgewFrm1;
    DBText1 = ui->DBText1;
    DBText2 = ui->DBText2;
    DBText3 = ui->DBText3;
    DBText4 = ui->DBText4;
    BitBtn1 = ui->BitBtn1;
    bindToDataModule(this);
    Events(pulsgewFrm1->DBEdit5).OnExit = Handler(this, &TPulsGewicht::pulsgewFrm1DBEdit5Exit);
    OnButtonClick(BitBtn1, Handler(this, &TPulsGewicht::BitBtn1Click));
}

TPulsGewicht::~TPulsGewicht() = default;

void TPulsGewicht::pulsgewFrm1DBEdit5Exit(QObject*)
{
    pulseLeft();
}

void TPulsGewicht::BitBtn1Click(QObject*)
{
    SetModalResult(mrOk);
}
