#include "analysis/rechner.h"

#include "ui_rechner.h"

#include <QPainter>

#include "analysis/calchelp.h"
#include "analysis/sndkey32.h"
#include "analysis/timecalc.h"
#include "core/language.h"
#include "core/messageids.h"
#include "platform/rtl/graphics.h"
#include "platform/rtl/sysutils.h"
#include "platform/vcl/buttonclick.h"
#include "platform/vcl/dialogs.h"
#include "platform/vcl/events.h"

Tzeitenrechner* zeitenrechner = nullptr;

namespace {

// The copy button's picture: an arrow pointing up to the first duration field.
QImage copyGlyph()
{
    QImage img(16, 16, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(30, 90, 160));
    const QPointF head[] = {{8, 2}, {14, 8}, {10.5, 8}, {10.5, 14}, {5.5, 14}, {5.5, 8}, {2, 8}};
    p.drawPolygon(head, 7);
    return img;
}

}  // namespace

Tzeitenrechner::Tzeitenrechner(QWidget* Owner) : TForm(Owner), ui(std::make_unique<Ui::Tzeitenrechner>())
{
    ui->setupUi(this);
    MaskEdit1 = ui->MaskEdit1;
    MaskEdit2 = ui->MaskEdit2;
    Label1 = ui->Label1;
    Edit1 = ui->Edit1;
    Edit2 = ui->Edit2;
    SpeedButton17 = ui->SpeedButton17;
    SpeedButton11 = ui->SpeedButton11;
    SpeedButton12 = ui->SpeedButton12;
    SpeedButton13 = ui->SpeedButton13;
    SpeedButton14 = ui->SpeedButton14;
    SpeedButton15 = ui->SpeedButton15;
    SpeedButton16 = ui->SpeedButton16;
    Button1 = ui->Button1;
    for (int i = 0; i < 10; ++i)
        Digit[size_t(i)] = findChild<QPushButton*>(QStringLiteral("SpeedButton%1").arg(i + 1));
    MaskEdit1->Clear();
    MaskEdit2->Clear();
    QPalette pal = Edit1->palette();
    pal.setColor(QPalette::Disabled, QPalette::Base, ToQColor(clInfoBk));
    pal.setColor(QPalette::Disabled, QPalette::Text, Qt::black);
    Edit1->setPalette(pal);
    SpeedButton17->SetFlat(true);
    SpeedButton17->SetGlyph(copyGlyph());
    SpeedButton17->setToolTip(tr("Ergebnis übernehmen"));

    OnButtonClick(SpeedButton11, Handler(this, &Tzeitenrechner::SpeedButton11Click));
    OnButtonClick(SpeedButton12, Handler(this, &Tzeitenrechner::SpeedButton12Click));
    OnButtonClick(SpeedButton13, Handler(this, &Tzeitenrechner::SpeedButton13Click));
    OnButtonClick(SpeedButton14, Handler(this, &Tzeitenrechner::SpeedButton14Click));
    OnButtonClick(Button1, Handler(this, &Tzeitenrechner::Button1Click));
    OnButtonClick(SpeedButton15, Handler(this, &Tzeitenrechner::SpeedButton15Click));
    OnButtonClick(SpeedButton16, Handler(this, &Tzeitenrechner::SpeedButton16Click));
    for (QPushButton* b : Digit)
        OnButtonClick(b, Handler(this, &Tzeitenrechner::DigitClick));
    SpeedButton17->OnClick = Handler(this, &Tzeitenrechner::SpeedButton17Click);
}

Tzeitenrechner::~Tzeitenrechner() = default;

void Tzeitenrechner::setOperator(const QString& op, int top)
{
    Label1->setText(op);
    Label1->move(Label1->x(), top);
}

void Tzeitenrechner::SpeedButton11Click(QObject*)
{
    setOperator(QStringLiteral("+"), 24);
}

void Tzeitenrechner::SpeedButton12Click(QObject*)
{
    setOperator(QStringLiteral("-"), 24);
}

void Tzeitenrechner::SpeedButton13Click(QObject*)
{
    setOperator(QStringLiteral("*"), 48);
}

void Tzeitenrechner::SpeedButton14Click(QObject*)
{
    setOperator(QStringLiteral("/"), 48);
}

void Tzeitenrechner::Button1Click(QObject*)
{
    try {
        Edit1->setText(CalculateTimes(Label1->text(), MaskEdit1->Text(), MaskEdit2->Text(), Edit2->text()));
    } catch (const EConvertError&) {
        MessageDlg(LoadStr(msg::TimesOrRealNumbers), mtError, {mbOK});
    }
}

void Tzeitenrechner::SpeedButton15Click(QObject*)
{
    Edit1->clear();
    Edit2->clear();
    MaskEdit1->Clear();
    MaskEdit2->Clear();
}

void Tzeitenrechner::DigitClick(QObject* Sender)
{
    SendKeys(static_cast<QPushButton*>(Sender)->text(), false);
}

void Tzeitenrechner::SpeedButton16Click(QObject*)
{
    ShowCalculatorHelp(QStringLiteral("Zeitenrechner"));
}

void Tzeitenrechner::SpeedButton17Click(QObject*)
{
    MaskEdit1->SetText(Edit1->text());
}
