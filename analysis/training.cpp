#include "analysis/training.h"

#include "ui_training.h"

#include <algorithm>

#include "analysis/calchelp.h"
#include "analysis/pacetable.h"
#include "core/language.h"
#include "core/messageids.h"
#include "platform/rtl/graphics.h"
#include "platform/vcl/buttonclick.h"
#include "platform/vcl/dialogs.h"
#include "platform/vcl/events.h"

TTraining* Training = nullptr;

TTraining::TTraining(QWidget* Owner) : TForm(Owner), ui(std::make_unique<Ui::TTraining>())
{
    ui->setupUi(this);
    RadioGroup1 = ui->RadioGroup1;
    RadioButton1 = ui->RadioButton1;
    RadioButton2 = ui->RadioButton2;
    MaskEdit1 = ui->MaskEdit1;
    BitBtn1 = ui->BitBtn1;
    Button1 = ui->Button1;
    StringGrid1 = ui->StringGrid1;

    QPalette pal = ui->Panel1->palette();
    pal.setColor(QPalette::Window, ToQColor(16251903));
    ui->Panel1->setPalette(pal);
    MaskEdit1->Clear();

    StringGrid1->SetColCount(3);
    StringGrid1->SetRowCount(2);
    StringGrid1->SetFixedCols(0);
    StringGrid1->SetFixedRows(1);
    StringGrid1->SetDefaultColWidth(140);
    StringGrid1->SetDefaultRowHeight(18);

    OnShow = Handler(this, &TTraining::FormShow);
    OnButtonClick(BitBtn1, Handler(this, &TTraining::BitBtn1Click));
    OnButtonClick(Button1, Handler(this, &TTraining::Button1Click));
}

TTraining::~TTraining() = default;

int TTraining::RadioGroupItemIndex() const
{
    if (RadioButton1->isChecked())
        return 0;
    if (RadioButton2->isChecked())
        return 1;
    return -1;
}

void TTraining::FormShow(QObject*)
{
    StringGrid1->SetCells(0, 0, LoadStr(msg::PaceExtensiveRun));
    StringGrid1->SetCells(1, 0, LoadStr(msg::PaceIntensiveRun));
    StringGrid1->SetCells(2, 0, LoadStr(msg::PaceTempoRun));
    // Columns of 140 pixels, wider where a heading needs more room in the screen's font; the
    // grid and the window grow with them.
    int width = 0;
    for (int c = 0; c < 3; ++c) {
        const int w = std::max(140, StringGrid1->fontMetrics().horizontalAdvance(StringGrid1->Cells(c, 0)) + 12);
        StringGrid1->SetColWidths(c, w);
        width += w + 1;
    }
    StringGrid1->resize(width + 4, StringGrid1->height());
    ui->Label3->resize(StringGrid1->width(), ui->Label3->height());
    resize(std::max(this->width(), StringGrid1->x() + StringGrid1->width() + 8), height());
}

void TTraining::BitBtn1Click(QObject*)
{
    const auto paces = LookupTrainingPaces(RadioGroupItemIndex(), MaskEdit1->Text());
    if (!paces) {
        // The paces of an earlier time would pass for the paces of this one.
        for (int c = 0; c < 3; ++c)
            StringGrid1->SetCells(c, 1, QString());
        MessageDlg(tr("Für die Zeit %1 enthält die Tabelle keine Trainingszeiten.").arg(MaskEdit1->Text().trimmed()) +
                       QLatin1Char('\n') + PaceTableTimes(RadioGroupItemIndex()),
                   mtInformation, {mbOK});
        return;
    }
    for (int c = 0; c < 3; ++c)
        StringGrid1->SetCells(c, 1, (*paces)[size_t(c)]);
}

void TTraining::Button1Click(QObject*)
{
    ShowCalculatorHelp(QStringLiteral("Tainingszeiten"));
}
