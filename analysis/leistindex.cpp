#include "analysis/leistindex.h"

#include "ui_leistindex.h"

#include "analysis/calchelp.h"
#include "analysis/leistungsindex.h"
#include "core/orvdbserver.h"
#include "platform/db/fields.h"
#include "platform/vcl/buttonclick.h"
#include "platform/vcl/events.h"

TLeistindex* Leistindex = nullptr;

TLeistindex::TLeistindex(QWidget* Owner) : TForm(Owner), ui(std::make_unique<Ui::TLeistindex>())
{
    ui->setupUi(this);
    Edit1 = ui->Edit1;
    Edit2 = ui->Edit2;
    Edit3 = ui->Edit3;
    Edit4 = ui->Edit4;
    Edit5 = ui->Edit5;
    BitBtn1 = ui->BitBtn1;
    BitBtn2 = ui->BitBtn2;
    BitBtn3 = ui->BitBtn3;
    OnShow = Handler(this, &TLeistindex::FormShow);
    OnButtonClick(BitBtn2, Handler(this, &TLeistindex::BitBtn2Click));
    OnButtonClick(BitBtn3, Handler(this, &TLeistindex::BitBtn3Click));
}

TLeistindex::~TLeistindex() = default;

void TLeistindex::FormShow(QObject*)
{
    if (!orvServer || !orvServer->config.Active() || orvServer->config.IsEmpty())
        return;
    const QString maxPulse = orvServer->config.FieldByName(QStringLiteral("cfg_maxpuls"))->AsString();
    if (!maxPulse.isEmpty())
        Edit3->setText(maxPulse);
}

void TLeistindex::BitBtn2Click(QObject*)
{
    Edit5->setText(PerformanceIndexText(Edit1->text(), Edit2->text(), Edit3->text(), Edit4->text()));
}

void TLeistindex::BitBtn3Click(QObject*)
{
    ShowCalculatorHelp(QStringLiteral("Leistungsindex"));
}
