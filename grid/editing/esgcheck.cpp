#include "grid/editing/esgcheck.h"

#include "grid/display/extgrid.h"

TExtStringGridCheck::TExtStringGridCheck(QObject* owner) : QObject(owner) {}

TExtStringGridCheck::~TExtStringGridCheck() = default;

QString TExtStringGridCheck::Correct(int, int, const QString& Value)
{
    return Value;
}

QString TExtStringGridCheck::MarkError(int, int, const QString& Value)
{
    return Value;
}

void TExtStringGridCheck::StartCheck() {}

void TExtStringGridCheck::StopCheck() {}

// The grid holds the checker weakly: a freed checker leaves no reference behind.
TExtStringGridCheck* TExtStringGrid::CellChecker() const
{
    return static_cast<TExtStringGridCheck*>(cellChecker_.data());
}

void TExtStringGrid::SetCellChecker(TExtStringGridCheck* value)
{
    cellChecker_ = value;
}
