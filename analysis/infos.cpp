#include "analysis/infos.h"

#include "ui_infos.h"

TInfos* Infos = nullptr;

TInfos::TInfos(QWidget* Owner) : TForm(Owner), ui(std::make_unique<Ui::TInfos>())
{
    ui->setupUi(this);
    Label7 = ui->Label7;
    Label8 = ui->Label8;
    Label9 = ui->Label9;
    Label10 = ui->Label10;
    Label11 = ui->Label11;
    Label12 = ui->Label12;
    Button1 = ui->Button1;
}

TInfos::~TInfos() = default;

void TInfos::fill(const QString& distance, const QString& height, const QString& time, const TPeriodTotals& totals,
                  double factor, const QString& unitName)
{
    Label7->setText(distance);
    Label8->setText(height);
    Label9->setText(time);
    Label10->setText(QString::number(totals.Units));
    Label11->setText(AverageDistanceText(totals, factor, unitName));
    Label12->setText(AverageHeightText(totals));
}
