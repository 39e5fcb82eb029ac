#include "tests/platform/vcl/ttestdialog.h"

#include "platform/rtl/sysutils.h"

TTestDialog::TTestDialog(QWidget* Owner) : TForm(Owner)
{
    ui.setupUi(this);
    connect(ui.OKBtn, &QPushButton::clicked, this, [this] { OKBtnClick(this); });
    connect(ui.FailBtn, &QPushButton::clicked, this, [this] { FailBtnClick(this); });
    FormCreate(this);
}

void TTestDialog::OKBtnClick(QObject*)
{
    if (okClick)
        okClick();
}

void TTestDialog::FailBtnClick(QObject*)
{
    throw Exception(QStringLiteral("Der Wert ist ungültig."));
}
