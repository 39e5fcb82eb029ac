#pragma once
// The protocol every bulk import keeps while it writes units and split rows: the controls of
// the units and split rows are disabled, the data module's unit-change and after-save rules are
// detached, the entry window does not refill its split grid and, when asked, the split rows'
// calculated fields are not computed. The scope restores every handler and switch when it ends,
// however the import ends (written, refused or failed), so no window is left detached.
//
// The scope also holds the unit rules' bulk mode: the rules that write stored data run for each
// unit, the refreshes that only serve the screen once, when the scope ends (after the handlers
// are back).
#include <functional>

#include "core/orvdbserver.h"

class TDataSet;
class TDataSource;
class TField;

class TBulkImportScope {
public:
    // `splitCalculation`: also switch off the calculation of the split rows' derived fields.
    explicit TBulkImportScope(bool splitCalculation = false);
    ~TBulkImportScope();
    TBulkImportScope(const TBulkImportScope&) = delete;
    TBulkImportScope& operator=(const TBulkImportScope&) = delete;

private:
    TUnitBulkMode bulkRules_;  // first member: it ends last
    std::function<void(TDataSource*, TField*)> dataChange_;
    std::function<void(TDataSet*)> afterPost_;
    bool zwFill_ = true;
    bool splitCalculation_ = false;
    bool zeitCalculation_ = true;
};
