#pragma once
// The messages that every reader of the spreadsheet layer gives, worded once. German texts in
// the translation context "Office"; the English language module replaces them.
#include <QString>

namespace OfficeMessages {
QString FileNotFound(const QString& fileName);
QString FileUnreadable(const QString& fileName, const QString& reason);
QString NotAWorkbook(const QString& fileName);
QString Damaged(const QString& fileName);
QString Protected(const QString& fileName);
QString TooLarge(const QString& fileName);
QString UnknownTable(const QString& table);
// A sheet whose filled cells are more than the import takes, named with the limits.
QString SheetTooLarge(const QString& sheet, qint64 maxCells);
QString NotAnAccessDatabase(const QString& fileName);
QString AccessDamaged(const QString& fileName);
QString AccessProtected(const QString& fileName);
// Positions: a line and column of a part of the file, a cell of a sheet.
QString PartPosition(const QString& part, qint64 line, qint64 column);
QString PartPosition(const QString& part);
QString CellPosition(const QString& sheet, int row, int column);
}  // namespace OfficeMessages
