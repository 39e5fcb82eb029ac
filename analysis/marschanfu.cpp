#include "analysis/marschanfu.h"

#include "ui_marschanfu.h"

#include "analysis/marchtable.h"
#include "platform/vcl/buttonclick.h"
#include "platform/vcl/events.h"

TMarschAnf* MarschAnf = nullptr;

TMarschAnf::TMarschAnf(QWidget* Owner) : TForm(Owner), ui(std::make_unique<Ui::TMarschAnf>())
{
    ui->setupUi(this);
    Edit1 = ui->Edit1;
    Edit2 = ui->Edit2;
    Edit5 = ui->Edit5;
    Edit3 = ui->Edit3;
    Edit4 = ui->Edit4;
    OKBtn = ui->OKBtn;
    CancelBtn = ui->CancelBtn;
    OnButtonClick(OKBtn, Handler(this, &TMarschAnf::OKBtnClick));
}

TMarschAnf::~TMarschAnf() = default;

void TMarschAnf::OKBtnClick(QObject*)
{
    if (Edit3->text().trimmed().isEmpty())
        Edit3->setText(MarchPaceFromSpeed(Edit4->text(), FormatSettings()));
}
