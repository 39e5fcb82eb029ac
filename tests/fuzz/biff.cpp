// The reader of Excel 97-2003 workbooks (the compound file and its BIFF8 records) on any bytes,
// and the table view of what it read.
#include "platform/office/biffreader.h"
#include "platform/office/sheettablesource.h"
#include "tests/fuzz/fuzzsupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::optional<OfficeResult<SheetBook>> book = BiffReader::Read(
        QStringLiteral("fuzz.xls"), QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    if (!book || !book->Ok())
        return 0;
    const SheetTableSource source(book->Value());
    for (const QString& table : source.TableNames()) {
        const OfficeResult<QStringList> fields = source.FieldNames(table);
        if (fields.Ok())
            (void)source.Records(table, {0, 1, 2, 30});
    }
    return 0;
}
