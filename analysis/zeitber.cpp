#include "analysis/zeitber.h"

#include "ui_zeitber.h"

#include <QButtonGroup>

#include "analysis/calchelp.h"
#include "platform/vcl/buttonclick.h"
#include "platform/vcl/events.h"

Tzeitenberechnung* zeitenberechnung = nullptr;

Tzeitenberechnung::Tzeitenberechnung(QWidget* Owner) : TForm(Owner), ui(std::make_unique<Ui::Tzeitenberechnung>())
{
    ui->setupUi(this);
    auto* group = new QButtonGroup(this);
    for (int i = 0; i < kRaceDistanceCount; ++i) {
        MaskEdit[size_t(i)] = findChild<TMaskEdit*>(QStringLiteral("MaskEdit%1").arg(i + 1));
        RadioButton[size_t(i)] = findChild<QRadioButton*>(QStringLiteral("RadioButton%1").arg(i + 1));
        group->addButton(RadioButton[size_t(i)], i);
        MaskEdit[size_t(i)]->Clear();
        Events(MaskEdit[size_t(i)]).OnEnter = Handler(this, &Tzeitenberechnung::MaskEditEnter);
    }
    RadioButton[0]->setChecked(true);
    BitBtn1 = ui->BitBtn1;
    BitBtn2 = ui->BitBtn2;
    BitBtn3 = ui->BitBtn3;
    OnButtonClick(BitBtn1, Handler(this, &Tzeitenberechnung::BitBtn1Click));
    OnButtonClick(BitBtn3, Handler(this, &Tzeitenberechnung::BitBtn3Click));
}

Tzeitenberechnung::~Tzeitenberechnung() = default;

int Tzeitenberechnung::SourceIndex() const
{
    for (int i = 0; i < kRaceDistanceCount; ++i)
        if (RadioButton[size_t(i)]->isChecked())
            return i;
    return 0;
}

void Tzeitenberechnung::MaskEditEnter(QObject* Sender)
{
    for (int i = 0; i < kRaceDistanceCount; ++i)
        if (MaskEdit[size_t(i)] == Sender)
            RadioButton[size_t(i)]->setChecked(true);
}

void Tzeitenberechnung::BitBtn1Click(QObject*)
{
    std::array<QString, kRaceDistanceCount> fields;
    for (int i = 0; i < kRaceDistanceCount; ++i)
        fields[size_t(i)] = MaskEdit[size_t(i)]->Text();
    const int from = SourceIndex();
    const auto out = PredictRaceTimes(from, fields);
    for (int i = 0; i < kRaceDistanceCount; ++i)
        if (i != from)
            MaskEdit[size_t(i)]->SetText(out[size_t(i)]);
}

void Tzeitenberechnung::BitBtn3Click(QObject*)
{
    ShowCalculatorHelp(QStringLiteral("Zeitenberechnung"));
}
