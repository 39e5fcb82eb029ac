#include "analysis/pulsfrequ.h"

#include "ui_pulsfrequ.h"

#include "analysis/heartrate.h"
#include "core/language.h"
#include "core/messageids.h"
#include "platform/rtl/sysutils.h"
#include "platform/vcl/buttonclick.h"
#include "platform/vcl/dialogs.h"
#include "platform/vcl/events.h"

TPulsfrequenzen* Pulsfrequenzen = nullptr;

namespace {
constexpr int kCellWidth = 64;
}

TPulsfrequenzen::TPulsfrequenzen(QWidget* Owner) : TForm(Owner), ui(std::make_unique<Ui::TPulsfrequenzen>())
{
    ui->setupUi(this);
    Edit1 = ui->Edit1;
    for (int i = 0; i < 10; ++i)
        Bound[size_t(i)] = findChild<QLabel*>(QStringLiteral("Label%1").arg(10 + i));
    BitBtn1 = ui->BitBtn1;
    BitBtn2 = ui->BitBtn2;
    OnButtonClick(BitBtn1, Handler(this, &TPulsfrequenzen::BitBtn1Click));
    OnButtonClick(BitBtn2, Handler(this, &TPulsfrequenzen::BitBtn2Click));
}

TPulsfrequenzen::~TPulsfrequenzen() = default;

void TPulsfrequenzen::BitBtn1Click(QObject*)
{
    std::array<QString, 10> bands;
    try {
        bands = HeartRateBands(Edit1->text());
    } catch (const EConvertError&) {
        MessageDlg(LoadStr(msg::MaxPulseWholeNumber), mtError, {mbOK});
        return;
    }
    const QString implausible = MaxHeartRateImplausible(StrToInt(Edit1->text()));
    if (!implausible.isEmpty()) {
        MessageDlg(implausible, mtError, {mbOK});
        return;
    }
    for (int i = 0; i < 10; ++i) {
        Bound[size_t(i)]->setText(bands[size_t(i)]);
        Bound[size_t(i)]->resize(kCellWidth, Bound[size_t(i)]->height());
    }
}

void TPulsfrequenzen::BitBtn2Click(QObject*)
{
    Close();
}
