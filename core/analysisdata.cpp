#include "core/analysisdata.h"

#include "platform/db/connection.h"
#include "platform/db/fields.h"
#include "platform/db/query.h"
#include "platform/office/workbookwriter.h"
#include "platform/rtl/folders.h"

namespace {

const char* const kUnitsSql =
    "SELECT daten.*, sportart.Spo_Name, form.For_Form, belstufe.bel_Name, belart.bea_Name "
    "FROM (((daten LEFT JOIN sportart ON daten.Sportart = sportart.Spo_Id) "
    "LEFT JOIN form ON daten.Form = form.For_Id) "
    "LEFT JOIN belstufe ON daten.Belastungsstufe = belstufe.bel_ID) "
    "LEFT JOIN belart ON daten.Belastungsart = belart.bea_ID "
    "ORDER BY daten.Datum, daten.Startzeit, daten.dat_Id";

const char* const kPeriodSql = "SELECT * FROM zeitraumstat";

void setValue(WorksheetWriter& sheet, int row, int column, TField* field)
{
    const QVariant value = field->Value();
    if (value.isNull() || !value.isValid())
        return;
    switch (field->DataType()) {
    case ftDate:
        sheet.SetDateTime(row, column, field->AsDateTime(), QStringLiteral("dd.mm.yyyy"));
        return;
    case ftTime:
        sheet.SetDateTime(row, column, field->AsDateTime(), QStringLiteral("hh:mm:ss"));
        return;
    case ftDateTime:
        sheet.SetDateTime(row, column, field->AsDateTime());
        return;
    case ftBoolean:
        sheet.SetNumber(row, column, field->AsBoolean() ? 1 : 0);
        return;
    case ftString:
    case ftMemo:
        sheet.SetText(row, column, field->AsString());
        return;
    case ftBlob:
    case ftGraphic:
        return;
    default:
        break;
    }
    bool number = false;
    const double d = value.toDouble(&number);
    if (number && value.typeId() != QMetaType::QString)
        sheet.SetNumber(row, column, d);
    else
        sheet.SetText(row, column, value.toString());
}

void writeRows(WorksheetWriter& sheet, TConnection& db, const char* sql)
{
    TQuery rows;
    rows.SetConnection(&db);
    rows.SetSQLText(QString::fromLatin1(sql));
    rows.Open();
    const int fields = rows.FieldCount();
    for (int f = 0; f < fields; ++f)
        sheet.SetText(0, f, rows.Field(f)->FieldName());
    int r = 1;
    for (rows.First(); !rows.Eof(); rows.Next(), ++r)
        for (int f = 0; f < fields; ++f)
            setValue(sheet, r, f, rows.Field(f));
}

}  // namespace

QString AnalysisDataFile()
{
    return UserDataFile(QStringLiteral("DB/Pivot/Analysedaten.xlsx"));
}

OfficeResult<void> WriteAnalysisData(TConnection& db, const QString& fileName)
{
    WorkbookWriter book;
    try {
        writeRows(book.AddSheet(QStringLiteral("Einheiten")), db, kUnitsSql);
        writeRows(book.AddSheet(QStringLiteral("Zeitraumstat")), db, kPeriodSql);
    } catch (const std::exception& e) {
        return OfficeError{ExceptionMessage(e), {}};
    }
    return book.Save(fileName);
}
