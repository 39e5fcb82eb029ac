#include "core/toolexplorerframe.h"

#include "ui_toolexplorerframe.h"

#include "core/orvdbserver.h"
#include "platform/vcl/dbctrls.h"

TtoolExplorerFrm* toolExplorerFrm = nullptr;

TtoolExplorerFrm::TtoolExplorerFrm(QWidget* Owner) : TFrame(Owner), ui(std::make_unique<Ui::TtoolExplorerFrm>())
{
    ui->setupUi(this);
    DBTexts = {ui->DBText1, ui->DBText2, ui->DBText3, ui->DBText4, ui->DBText5,
               ui->DBText6, ui->DBText7, ui->DBText8, ui->DBText9};
    for (TDBText* text : DBTexts)
        text->SetDataField(text->property("DataField").toString());
    SetDataSource(orvServer ? &orvServer->dsExplorer : nullptr);
}

void TtoolExplorerFrm::SetDataSource(TDataSource* source)
{
    for (TDBText* text : DBTexts)
        text->TFieldControl::SetDataSource(source);
}

TtoolExplorerFrm::~TtoolExplorerFrm() = default;
