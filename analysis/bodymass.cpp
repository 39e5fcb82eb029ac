#include "analysis/bodymass.h"

#include "ui_bodymass.h"

#include "analysis/bodymassindex.h"
#include "core/language.h"
#include "core/messageids.h"
#include "platform/rtl/graphics.h"
#include "platform/rtl/sysutils.h"
#include "platform/vcl/buttonclick.h"
#include "platform/vcl/dialogs.h"
#include "platform/vcl/events.h"

Tbody* body = nullptr;

namespace {
bool legendShown = false;
}

bool Tbody::LegendShown()
{
    return legendShown;
}

void Tbody::SetLegendShown(bool shown)
{
    legendShown = shown;
}

Tbody::Tbody(QWidget* Owner) : TForm(Owner), ui(std::make_unique<Ui::Tbody>())
{
    ui->setupUi(this);
    Edit1 = ui->Edit1;
    Edit2 = ui->Edit2;
    Edit3 = ui->Edit3;
    Button1 = ui->Button1;
    BitBtn1 = ui->BitBtn1;
    Leg = ui->Leg;
    resize(kNarrowWidth, height());
    Leg->setText(LoadStr(msg::LegendShow));
    OnButtonClick(Button1, Handler(this, &Tbody::Button1Click));
    OnButtonClick(BitBtn1, Handler(this, &Tbody::BitBtn1Click));
    OnButtonClick(Leg, Handler(this, &Tbody::LegClick));
}

Tbody::~Tbody() = default;

void Tbody::Button1Click(QObject*)
{
    double bmi = 0;
    try {
        bmi = BodyMassIndex(Edit1->text(), Edit2->text(), FormatSettings());
    } catch (const EConvertError&) {
        MessageDlg(LoadStr(msg::WeightAndHeightMissing), mtError, {mbOK});
        return;
    }
    const QString implausible = BodyMassImplausible(Edit1->text(), Edit2->text(), FormatSettings());
    if (!implausible.isEmpty()) {
        MessageDlg(implausible, mtError, {mbOK});
        return;
    }
    QPalette pal = Edit3->palette();
    pal.setColor(QPalette::Base, ToQColor(BodyMassIndexColor(bmi)));
    Edit3->setPalette(pal);
    Edit3->setText(FormatFloat(QStringLiteral("0.0"), bmi));
}

void Tbody::BitBtn1Click(QObject*)
{
    Close();
}

void Tbody::LegClick(QObject*)
{
    if (!legendShown) {
        legendShown = true;
        resize(kWideWidth, height());
        Leg->setText(LoadStr(msg::LegendHide));
    } else {
        legendShown = false;
        resize(kNarrowWidth, height());
        Leg->setText(LoadStr(msg::LegendShow));
    }
}
