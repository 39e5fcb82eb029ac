#include "exchange/bulkimport.h"

#include "core/orvdbserver.h"
#include "traininglog/einheiteneingabe.h"

TBulkImportScope::TBulkImportScope(bool splitCalculation)
    : bulkRules_(*orvServer), splitCalculation_(splitCalculation)
{
    orvServer->zeit.DisableControls();
    orvServer->daten.DisableControls();
    dataChange_ = orvServer->dsDaten.OnDataChange;
    afterPost_ = orvServer->daten.AfterPost;
    orvServer->dsDaten.OnDataChange = nullptr;
    orvServer->daten.AfterPost = nullptr;
    if (eingabe) {
        zwFill_ = eingabe->zwFillEnabled;
        eingabe->zwFillEnabled = false;
    }
    if (splitCalculation_) {
        zeitCalculation_ = orvServer->ZeitCalculation();
        orvServer->SetZeitCalculation(false);
    }
}

TBulkImportScope::~TBulkImportScope()
{
    if (splitCalculation_)
        orvServer->SetZeitCalculation(zeitCalculation_);
    if (eingabe)
        eingabe->zwFillEnabled = zwFill_;
    orvServer->dsDaten.OnDataChange = dataChange_;
    orvServer->daten.AfterPost = afterPost_;
    orvServer->daten.EnableControls();
    orvServer->zeit.EnableControls();
}
