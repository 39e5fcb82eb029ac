#include "platform/office/xlsreader.h"

#include <QFile>
#include <QFileInfo>

#include <freexl.h>

#include "platform/office/officemessages.h"

namespace {

// FreeXL wants its handle closed even after a failed open.
class FreeXlHandle {
public:
    ~FreeXlHandle()
    {
        if (handle)
            freexl_close(handle);
    }
    const void* handle = nullptr;
};

bool readNumber(QStringView s, qsizetype at, qsizetype len, int& value)
{
    if (at + len > s.size())
        return false;
    int n = 0;
    for (qsizetype i = at; i < at + len; ++i) {
        const char16_t c = s[i].unicode();
        if (c < u'0' || c > u'9')
            return false;
        n = n * 10 + (c - u'0');
    }
    value = n;
    return true;
}

bool readTime(QStringView s, qsizetype at, TDateTime& value)
{
    int h, m, sec;
    if (s.size() != at + 8 || s[at + 2] != u':' || s[at + 5] != u':' || !readNumber(s, at, 2, h) ||
        !readNumber(s, at + 3, 2, m) || !readNumber(s, at + 6, 2, sec))
        return false;
    return TryEncodeTime(h, m, sec, 0, value);
}

bool readDate(QStringView s, TDateTime& value)
{
    int y, m, d;
    if (s.size() < 10 || s[4] != u'-' || s[7] != u'-' || !readNumber(s, 0, 4, y) || !readNumber(s, 5, 2, m) ||
        !readNumber(s, 8, 2, d))
        return false;
    return TryEncodeDate(y, m, d, value);
}

// FreeXL hands dates and times over as texts "YYYY-MM-DD", "YYYY-MM-DD HH:MM:SS" and
// "HH:MM:SS"; they become date-time values again. A text that does not parse stays a text
// rather than becoming a wrong date.
TableValue dateValue(const FreeXL_CellValue& v)
{
    const QString s = QString::fromUtf8(v.value.text_value);
    TDateTime date = 0;
    TDateTime time = 0;
    bool ok = false;
    switch (v.type) {
    case FREEXL_CELL_DATE:
        ok = s.size() == 10 && readDate(s, date);
        break;
    case FREEXL_CELL_DATETIME:
        ok = s.size() == 19 && s[10] == u' ' && readDate(s, date) && readTime(s, 11, time);
        break;
    case FREEXL_CELL_TIME:
        ok = readTime(s, 0, time);
        break;
    }
    if (!ok)
        return TableValue::FromText(s);
    return TableValue::FromDateTime(date < 0 ? date - time : date + time);
}

// A workbook encrypted by Excel 2007 and later is a compound file holding only the encrypted
// package and its "EncryptionInfo" stream, so FreeXL finds no workbook in it.
bool isEncryptedPackage(const QString& fileName)
{
    QFile f(fileName);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const QByteArray head = f.read(64 * 1024);
    static const QByteArray name = QByteArray("E\0n\0c\0r\0y\0p\0t\0i\0o\0n\0I\0n\0f\0o\0", 28);
    return head.contains(name);
}

}  // namespace

OfficeResult<SheetBook> XlsReader::Read(const QString& fileName)
{
    using namespace OfficeMessages;
    const QFileInfo info(fileName);
    if (!info.exists() || info.isDir())
        return OfficeError{FileNotFound(fileName), {}};

    FreeXlHandle xl;
    const int rc = freexl_open(QFile::encodeName(fileName).constData(), &xl.handle);
    switch (rc) {
    case FREEXL_OK:
        break;
    case FREEXL_FILE_NOT_FOUND: {
        QFile f(fileName);
        f.open(QIODevice::ReadOnly);
        return OfficeError{FileUnreadable(fileName, f.errorString()), {}};
    }
    case FREEXL_INVALID_CFBF_HEADER:
    case FREEXL_CFBF_INVALID_SIGNATURE:
        return OfficeError{NotAWorkbook(fileName), {}};
    case FREEXL_BIFF_WORKBOOK_NOT_FOUND:
        return OfficeError{isEncryptedPackage(fileName) ? Protected(fileName) : NotAWorkbook(fileName), {}};
    case FREEXL_INSUFFICIENT_MEMORY:
        return OfficeError{TooLarge(fileName), {}};
    default:
        return OfficeError{Damaged(fileName), {}};
    }

    SheetBook book;
    unsigned int value = 0;
    if (freexl_get_info(xl.handle, FREEXL_BIFF_PASSWORD, &value) == FREEXL_OK && value == FREEXL_BIFF_OBFUSCATED)
        return OfficeError{Protected(fileName), {}};
    if (freexl_get_info(xl.handle, FREEXL_BIFF_DATEMODE, &value) == FREEXL_OK)
        book.date1904 = value == FREEXL_BIFF_DATEMODE_1904;
    unsigned int sheetCount = 0;
    if (freexl_get_info(xl.handle, FREEXL_BIFF_SHEET_COUNT, &sheetCount) != FREEXL_OK)
        return OfficeError{Damaged(fileName), {}};

    for (unsigned int s = 0; s < sheetCount && s <= 0xFFFF; ++s) {
        const char* name = nullptr;
        if (freexl_get_worksheet_name(xl.handle, static_cast<unsigned short>(s), &name) != FREEXL_OK ||
            freexl_select_active_worksheet(xl.handle, static_cast<unsigned short>(s)) != FREEXL_OK)
            return OfficeError{Damaged(fileName), {}};
        SheetData sheet(QString::fromUtf8(name ? name : ""));
        unsigned int rows = 0;
        unsigned short columns = 0;
        if (freexl_worksheet_dimensions(xl.handle, &rows, &columns) != FREEXL_OK)
            return OfficeError{Damaged(fileName), {}};
        for (unsigned int r = 0; r < rows; ++r) {
            for (unsigned short c = 0; c < columns; ++c) {
                FreeXL_CellValue v;
                if (freexl_get_cell_value(xl.handle, r, c, &v) != FREEXL_OK)
                    return OfficeError{Damaged(fileName), CellPosition(sheet.Name(), int(r), c)};
                switch (v.type) {
                case FREEXL_CELL_INT:
                    sheet.SetCell(int(r), c, TableValue::FromNumber(v.value.int_value));
                    break;
                case FREEXL_CELL_DOUBLE:
                    sheet.SetCell(int(r), c, TableValue::FromNumber(v.value.double_value));
                    break;
                case FREEXL_CELL_TEXT:
                case FREEXL_CELL_SST_TEXT:
                    if (v.value.text_value && *v.value.text_value)
                        sheet.SetCell(int(r), c, TableValue::FromText(QString::fromUtf8(v.value.text_value)));
                    break;
                case FREEXL_CELL_DATE:
                case FREEXL_CELL_DATETIME:
                case FREEXL_CELL_TIME:
                    if (v.value.text_value)
                        sheet.SetCell(int(r), c, dateValue(v));
                    break;
                default:
                    break;
                }
            }
        }
        book.sheets.append(std::move(sheet));
    }
    return book;
}
