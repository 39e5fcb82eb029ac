#include "exchange/mywaybusy.h"

#include "ui_mywaybusy.h"

#include "platform/vcl/events.h"

Tmywaybusydlg* mywaybusydlg = nullptr;

Tmywaybusydlg::Tmywaybusydlg(QWidget* Owner) : TForm(Owner), ui(std::make_unique<Ui::Tmywaybusydlg>())
{
    ui->setupUi(this);
    Label1 = ui->Label1;
    Button1 = ui->Button1;
    connect(Button1, &QPushButton::clicked, this, [this, h = Handler(this, &Tmywaybusydlg::Button1Click)] { h(Button1); });
}

Tmywaybusydlg::~Tmywaybusydlg() = default;

void Tmywaybusydlg::Button1Click(QObject*)
{
    Close();
}
