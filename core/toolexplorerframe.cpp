#include "core/toolexplorerframe.h"

#include "ui_toolexplorerframe.h"

#include "platform/db/dataset.h"
#include "platform/db/fields.h"

TtoolExplorerFrm* toolExplorerFrm = nullptr;

TtoolExplorerFrm::TtoolExplorerFrm(QWidget* Owner) : TFrame(Owner), ui(std::make_unique<Ui::TtoolExplorerFrm>())
{
    ui->setupUi(this);
    DBTexts = {ui->DBText1, ui->DBText2, ui->DBText3, ui->DBText4, ui->DBText5,
               ui->DBText6, ui->DBText7, ui->DBText8, ui->DBText9};
}

void TtoolExplorerFrm::ShowRow(TDataSet* dataSet)
{
    const bool hasRow = dataSet && dataSet->Active() && !dataSet->IsEmpty();
    for (QLabel* label : DBTexts) {
        QString text;
        if (hasRow)
            if (TField* f = dataSet->FindField(label->property("DataField").toString()))
                text = f->DisplayText();
        label->setText(text);
    }
}

TtoolExplorerFrm::~TtoolExplorerFrm() = default;
