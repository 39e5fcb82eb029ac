#include "traininglog/zwexport.h"

#include <QCoreApplication>

#include "platform/db/dataset.h"
#include "platform/db/fields.h"
#include "platform/office/workbookwriter.h"

namespace zwexport {

namespace {

// A field's display text into its cell. The spreadsheet program read a number or a time typed
// into a cell as such; the workbook keeps that, so sums and charts work on the exported rows.
void setValue(WorksheetWriter& sheet, int row, int column, TField* field)
{
    const QString text = field->DisplayText();
    if (text.isEmpty())
        return;
    switch (field->DataType()) {
    case ftSmallint:
    case ftInteger:
    case ftLargeint:
    case ftAutoInc:
    case ftFloat: {
        double value = 0;
        if (TryStrToFloat(text, value)) {
            sheet.SetNumber(row, column, value);
            return;
        }
        break;
    }
    case ftTime:
        if (!field->IsNull()) {
            sheet.SetDateTime(row, column, field->AsDateTime(), QStringLiteral("hh:mm:ss"));
            return;
        }
        break;
    default:
        break;
    }
    sheet.SetText(row, column, text);
}

}  // namespace

void writeSheet(WorksheetWriter& sheet, TDataSet& rows, const std::function<void()>& step)
{
    const int fields = rows.FieldCount();
    for (int f = 1; f < fields; ++f) {
        QString label = rows.Field(f)->DisplayLabel();
        if (label == QLatin1String("Notitz"))
            label = QCoreApplication::translate("Teingabe", "Notiz");
        sheet.SetText(0, f, label);
    }
    // The distance column is headed with the sport's distance unit (the split view labels the
    // field so): it holds the distance in that unit, not the metres the field stores and the split
    // dialog shows.
    TField* meter = rows.FindField(QStringLiteral("Meter"));
    TField* distance = rows.FindField(QStringLiteral("zei_distance"));
    int r = 1;
    for (rows.First(); !rows.Eof(); rows.Next(), ++r) {
        for (int f = 1; f < fields; ++f) {
            setValue(sheet, r, f, rows.Field(f) == meter && distance ? distance : rows.Field(f));
            if (r % 2 == 0)
                sheet.SetCellFill(r, f, kEvenRowFill);
        }
        if (step)
            step();
    }
}

}  // namespace zwexport
