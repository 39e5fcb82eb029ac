#include "analysis/maxpuls.h"

#include "ui_maxpuls.h"

#include "analysis/heartrate.h"
#include "core/language.h"
#include "core/messageids.h"
#include "platform/rtl/graphics.h"
#include "platform/rtl/sysutils.h"
#include "platform/vcl/buttonclick.h"
#include "platform/vcl/dialogs.h"
#include "platform/vcl/events.h"

TMaximPuls* MaximPuls = nullptr;

TMaximPuls::TMaximPuls(QWidget* Owner) : TForm(Owner), ui(std::make_unique<Ui::TMaximPuls>())
{
    ui->setupUi(this);
    Edit1 = ui->Edit1;
    Edit2 = ui->Edit2;
    RadioButton1 = ui->RadioButton1;
    RadioButton2 = ui->RadioButton2;
    RadioButton3 = ui->RadioButton3;
    RadioButton4 = ui->RadioButton4;
    BitBtn1 = ui->BitBtn1;
    BitBtn2 = ui->BitBtn2;
    QPalette pal = Edit2->palette();
    pal.setColor(QPalette::Disabled, QPalette::Base, QColor(0xCC, 0xFF, 0xCC));
    pal.setColor(QPalette::Disabled, QPalette::Text, Qt::black);
    Edit2->setPalette(pal);
    OnButtonClick(BitBtn1, Handler(this, &TMaximPuls::BitBtn1Click));
    OnButtonClick(BitBtn2, Handler(this, &TMaximPuls::BitBtn2Click));
    FormCreate(this);
}

TMaximPuls::~TMaximPuls() = default;

void TMaximPuls::FormCreate(QObject*)
{
    closeOnCalculate = false;
}

void TMaximPuls::BitBtn1Click(QObject*)
{
    int age = 0;
    if (!TryStrToInt(Edit1->text().trimmed(), age)) {
        MessageDlg(LoadStr(msg::AgeMissing), mtError, {mbOK});
        return;
    }
    const QString implausible = AgeImplausible(age);
    if (!implausible.isEmpty()) {
        MessageDlg(implausible, mtError, {mbOK});
        return;
    }
    Edit2->setText(QString::number(MaxHeartRate(age, RadioButton2->isChecked(), RadioButton3->isChecked())));
    if (closeOnCalculate)
        SetModalResult(mrOk);
}

void TMaximPuls::BitBtn2Click(QObject*)
{
    Close();
}
