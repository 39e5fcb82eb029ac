#include "analysis/schwellentempo.h"

#include "ui_schwellentempo.h"

#include "analysis/calcduration.h"
#include "analysis/thresholdpace.h"
#include "core/orvdbserver.h"
#include "platform/db/fields.h"
#include "platform/rtl/graphics.h"
#include "platform/vcl/buttonclick.h"
#include "platform/vcl/events.h"

Tschwtempo* schwtempo = nullptr;

Tschwtempo::Tschwtempo(QWidget* Owner) : TForm(Owner), ui(std::make_unique<Ui::Tschwtempo>())
{
    ui->setupUi(this);
    MaskEdit1 = ui->MaskEdit1;
    Button1 = ui->Button1;
    Button2 = ui->Button2;
    Result = {ui->Label10, ui->Label11, ui->Label12, ui->Label13, ui->Label14, ui->Label15};
    MaskEdit1->Clear();
    QPalette pal = ui->Panel1->palette();
    pal.setColor(QPalette::Window, Qt::white);
    ui->Panel1->setPalette(pal);

    OnShow = Handler(this, &Tschwtempo::FormShow);
    OnButtonClick(Button1, Handler(this, &Tschwtempo::Button1Click));
    OnButtonClick(Button2, Handler(this, &Tschwtempo::Button2Click));
}

Tschwtempo::~Tschwtempo() = default;

void Tschwtempo::FormShow(QObject*)
{
    if (orvServer && orvServer->config.Active() && !orvServer->config.IsEmpty()) {
        TField* f = orvServer->config.FieldByName(QStringLiteral("cfg_5000m"));
        if (!f->IsNull())
            MaskEdit1->SetText(MsToMaskText(DurationToMs(f->AsDateTime())));
    }
}

void Tschwtempo::Button1Click(QObject*)
{
    const int64_t entered = MaskTextToMs(MaskEdit1->Text());
    const std::vector<TThresholdRow> rows = ReadThresholdTable(orvServer->orvDB);
    const int i = ThresholdRowIndex(rows, entered);
    for (int j = 0; j < 6; ++j)
        Result[size_t(j)]->setText(i < 0 ? QString() : MsToMaskText(rows[size_t(i)].Splits[size_t(j)]));
}

void Tschwtempo::Button2Click(QObject*)
{
    Close();
}
