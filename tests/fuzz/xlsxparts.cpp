// The reader of Excel workbooks (".xlsx") on a workbook made of the input: its parts, cut at
// the input's zero bytes, are the sheet, the shared strings, the styles and the workbook part
// (a plain one when the input gives none), packed with the relationships that name them.
#include <zip.h>

#include "platform/office/sheettablesource.h"
#include "platform/office/xlsxreader.h"
#include "tests/fuzz/fuzzsupport.h"

namespace {

const char* const kRootRels =
    "<?xml version=\"1.0\"?><Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
    "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/"
    "officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>";
const char* const kWorkbookRels =
    "<?xml version=\"1.0\"?><Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
    "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/"
    "worksheet\" Target=\"worksheets/sheet1.xml\"/>"
    "<Relationship Id=\"rId2\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/"
    "sharedStrings\" Target=\"sharedStrings.xml\"/>"
    "<Relationship Id=\"rId3\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/"
    "styles\" Target=\"styles.xml\"/></Relationships>";
const char* const kWorkbook =
    "<?xml version=\"1.0\"?><workbook xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
    "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\"><sheets>"
    "<sheet name=\"Tabelle1\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>";

bool add(zip_t* zip, const char* name, const QByteArray& bytes)
{
    zip_source_t* source = zip_source_buffer(zip, bytes.constData(), zip_uint64_t(bytes.size()), 0);
    if (!source)
        return false;
    if (zip_file_add(zip, name, source, ZIP_FL_OVERWRITE) < 0) {
        zip_source_free(source);
        return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QList<QByteArray> parts = FuzzParts(data, size, 4);
    const QString file = FuzzFolder() + QStringLiteral("/fuzz.xlsx");
    int error = 0;
    zip_t* zip = zip_open(QFile::encodeName(file).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!zip)
        return 0;
    // The buffers must live until the archive is written.
    const QByteArray rootRels(kRootRels), workbookRels(kWorkbookRels);
    const QByteArray workbook = parts[3].isEmpty() ? QByteArray(kWorkbook) : parts[3];
    const bool packed = add(zip, "_rels/.rels", rootRels) && add(zip, "xl/_rels/workbook.xml.rels", workbookRels) &&
                        add(zip, "xl/workbook.xml", workbook) && add(zip, "xl/worksheets/sheet1.xml", parts[0]) &&
                        add(zip, "xl/sharedStrings.xml", parts[1]) && add(zip, "xl/styles.xml", parts[2]);
    if (!packed || zip_close(zip) != 0) {
        zip_discard(zip);
        return 0;
    }
    OfficeResult<SheetBook> book = XlsxReader::Read(file);
    if (!book.Ok()) {
        (void)book.Error().Text();
        return 0;
    }
    const SheetTableSource source(std::move(book.Value()));
    for (const QString& table : source.TableNames()) {
        const OfficeResult<QStringList> fields = source.FieldNames(table);
        if (fields.Ok())
            (void)source.Records(table, {0, 1, 2, 30});
    }
    return 0;
}
