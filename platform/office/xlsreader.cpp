#include "platform/office/xlsreader.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <freexl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/office/biffreader.h"
#include "platform/office/cellname.h"
#include "platform/office/officemessages.h"

using namespace OfficeMessages;

namespace {

// As the largest part of a workbook of the other format that is read.
constexpr qint64 kMaxWorkbookSize = qint64(256) << 20;

// FreeXL trusts the structures it finds in a file: a damaged or crafted workbook can make it
// crash or loop. It therefore runs in a child process that hands the cells over through a
// pipe; a child that dies or takes too long means a damaged workbook, never a lost program.
constexpr int kChildTimeoutMs = 60000;

// The records of the pipe. Numbers are in the machine's own byte order: both ends are this
// program.
enum Record : char {
    kFailed = 'E',     // int32 FreeXL code
    kProtected = 'P',  //
    kBook = 'B',       // uint8 1904 date system
    kSheet = 'S',      // text name
    kCell = 'C',       // uint32 row, uint16 column, uint8 FreeXL type, value by type
    kCellError = 'X',  // uint32 row, uint16 column
    kEnd = 'Z',
};

template <typename T>
void put(QByteArray& out, T v)
{
    out.append(reinterpret_cast<const char*>(&v), sizeof v);
}

void putText(QByteArray& out, const char* s)
{
    const quint32 n = s ? quint32(std::strlen(s)) : 0;
    put(out, n);
    out.append(s, n);
}

// The child's work: open the workbook and write every cell as a record.
QByteArray readWithFreeXl(const QByteArray& path)
{
    QByteArray out;
    const void* handle = nullptr;
    const int rc = freexl_open(path.constData(), &handle);
    if (rc != FREEXL_OK) {
        out.append(kFailed);
        put(out, qint32(rc));
        return out;
    }
    unsigned int info = 0;
    if (freexl_get_info(handle, FREEXL_BIFF_PASSWORD, &info) == FREEXL_OK && info == FREEXL_BIFF_OBFUSCATED) {
        out.append(kProtected);
        return out;
    }
    unsigned int dateMode = 0;
    freexl_get_info(handle, FREEXL_BIFF_DATEMODE, &dateMode);
    out.append(kBook);
    put(out, quint8(dateMode == FREEXL_BIFF_DATEMODE_1904 ? 1 : 0));
    unsigned int sheets = 0;
    if (freexl_get_info(handle, FREEXL_BIFF_SHEET_COUNT, &sheets) != FREEXL_OK) {
        out.append(kFailed);
        put(out, qint32(FREEXL_BIFF_INVALID_BOF));
        return out;
    }
    for (unsigned int s = 0; s < sheets && s <= 0xFFFF; ++s) {
        const char* name = nullptr;
        unsigned int rows = 0;
        unsigned short columns = 0;
        if (freexl_get_worksheet_name(handle, static_cast<unsigned short>(s), &name) != FREEXL_OK ||
            freexl_select_active_worksheet(handle, static_cast<unsigned short>(s)) != FREEXL_OK ||
            freexl_worksheet_dimensions(handle, &rows, &columns) != FREEXL_OK) {
            out.append(kFailed);
            put(out, qint32(FREEXL_BIFF_ILLEGAL_SHEET_INDEX));
            return out;
        }
        out.append(kSheet);
        putText(out, name);
        for (unsigned int r = 0; r < rows; ++r) {
            for (unsigned short c = 0; c < columns; ++c) {
                FreeXL_CellValue v;
                if (freexl_get_cell_value(handle, r, c, &v) != FREEXL_OK) {
                    out.append(kCellError);
                    put(out, quint32(r));
                    put(out, quint16(c));
                    return out;
                }
                if (v.type == FREEXL_CELL_NULL)
                    continue;
                out.append(kCell);
                put(out, quint32(r));
                put(out, quint16(c));
                put(out, quint8(v.type));
                switch (v.type) {
                case FREEXL_CELL_INT:
                    put(out, qint32(v.value.int_value));
                    break;
                case FREEXL_CELL_DOUBLE:
                    put(out, v.value.double_value);
                    break;
                default:
                    putText(out, v.value.text_value);
                    break;
                }
            }
        }
    }
    freexl_close(handle);
    out.append(kEnd);
    return out;
}

bool writeAll(int fd, const QByteArray& bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

// Runs FreeXL in a child; the records it wrote, or an empty array when it failed.
QByteArray readInChild(const QString& fileName)
{
    const QByteArray path = QFile::encodeName(fileName);
    int fds[2];
    if (::pipe(fds) != 0)
        return {};
    const pid_t pid = ::fork();
    if (pid < 0) {
        ::close(fds[0]);
        ::close(fds[1]);
        return {};
    }
    if (pid == 0) {
        ::close(fds[0]);
        // A crash of the child is expected on bad input: no core file, no handler of the
        // parent's.
        const rlimit noCore{0, 0};
        ::setrlimit(RLIMIT_CORE, &noCore);
        for (int sig : {SIGSEGV, SIGBUS, SIGABRT, SIGFPE, SIGILL})
            ::signal(sig, SIG_DFL);
        const bool ok = writeAll(fds[1], readWithFreeXl(path));
        ::_exit(ok ? 0 : 1);
    }
    ::close(fds[1]);
    QByteArray records;
    QElapsedTimer clock;
    clock.start();
    bool timedOut = false;
    char buffer[65536];
    for (;;) {
        const qint64 left = kChildTimeoutMs - clock.elapsed();
        if (left <= 0) {
            timedOut = true;
            break;
        }
        pollfd p{fds[0], POLLIN, 0};
        const int ready = ::poll(&p, 1, int(left));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0) {
            timedOut = ready == 0;
            break;
        }
        const ssize_t n = ::read(fds[0], buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        records.append(buffer, n);
    }
    ::close(fds[0]);
    if (timedOut)
        ::kill(pid, SIGKILL);
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (timedOut || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return {};
    return records;
}

// Reads the child's records back; false when they end early.
class RecordReader {
public:
    explicit RecordReader(const QByteArray& bytes) : bytes_(bytes) {}
    bool AtEnd() const { return at_ >= bytes_.size(); }
    template <typename T>
    bool Get(T& v)
    {
        if (at_ + qsizetype(sizeof v) > bytes_.size())
            return false;
        std::memcpy(&v, bytes_.constData() + at_, sizeof v);
        at_ += sizeof v;
        return true;
    }
    bool GetText(QString& s)
    {
        quint32 n;
        if (!Get(n) || at_ + qsizetype(n) > bytes_.size())
            return false;
        s = QString::fromUtf8(bytes_.constData() + at_, qsizetype(n));
        at_ += n;
        return true;
    }

private:
    const QByteArray& bytes_;
    qsizetype at_ = 0;
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
// "HH:MM:SS", already counted in the workbook's date system; they become date-time values
// again. A text that does not parse stays a text rather than becoming a wrong date.
TableValue dateValue(int type, const QString& s)
{
    TDateTime date = 0;
    TDateTime time = 0;
    bool ok = false;
    switch (type) {
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

OfficeError openError(const QString& fileName, int rc)
{
    switch (rc) {
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
}

}  // namespace

OfficeResult<SheetBook> XlsReader::Read(const QString& fileName)
{
    const QFileInfo info(fileName);
    if (!info.exists() || info.isDir())
        return OfficeError{FileNotFound(fileName), {}};
    {
        QFile f(fileName);
        if (!f.open(QIODevice::ReadOnly))
            return OfficeError{FileUnreadable(fileName, f.errorString()), {}};
        // The file is read whole: one larger than any workbook the import takes is refused first.
        if (f.size() > kMaxWorkbookSize)
            return OfficeError{TooLarge(fileName), {}};
        const QByteArray bytes = f.readAll();
        if (!bytes.startsWith(QByteArray::fromHex("d0cf11e0a1b11ae1")))
            return OfficeError{NotAWorkbook(fileName), {}};
        if (f.error() != QFileDevice::NoError)
            return OfficeError{FileUnreadable(fileName, f.errorString()), {}};
        if (auto book = BiffReader::Read(fileName, bytes))
            return std::move(*book);
    }

    const QByteArray records = readInChild(fileName);
    RecordReader in(records);
    SheetBook book;
    SheetData* sheet = nullptr;
    while (!in.AtEnd()) {
        char record;
        in.Get(record);
        switch (record) {
        case kFailed: {
            qint32 rc = FREEXL_CFBF_READ_ERROR;
            in.Get(rc);
            return openError(fileName, rc);
        }
        case kProtected:
            return OfficeError{Protected(fileName), {}};
        case kBook: {
            quint8 date1904 = 0;
            if (!in.Get(date1904))
                return OfficeError{Damaged(fileName), {}};
            book.date1904 = date1904 != 0;
            break;
        }
        case kSheet: {
            QString name;
            if (!in.GetText(name))
                return OfficeError{Damaged(fileName), {}};
            book.sheets.append(SheetData(name));
            sheet = &book.sheets.last();
            break;
        }
        case kCell:
        case kCellError: {
            quint32 row;
            quint16 column;
            if (!sheet || !in.Get(row) || !in.Get(column))
                return OfficeError{Damaged(fileName), {}};
            if (record == kCellError)
                return OfficeError{Damaged(fileName), CellPosition(sheet->Name(), int(row), column)};
            quint8 type;
            if (!in.Get(type))
                return OfficeError{Damaged(fileName), {}};
            TableValue value;
            if (type == FREEXL_CELL_INT) {
                qint32 v;
                if (!in.Get(v))
                    return OfficeError{Damaged(fileName), {}};
                value = TableValue::FromNumber(v);
            } else if (type == FREEXL_CELL_DOUBLE) {
                double v;
                if (!in.Get(v))
                    return OfficeError{Damaged(fileName), {}};
                value = TableValue::FromNumber(v);
            } else {
                QString text;
                if (!in.GetText(text))
                    return OfficeError{Damaged(fileName), {}};
                if (type == FREEXL_CELL_DATE || type == FREEXL_CELL_DATETIME || type == FREEXL_CELL_TIME)
                    value = dateValue(type, text);
                else if (!text.isEmpty())
                    value = TableValue::FromText(text);
            }
            // Rows beyond what a worksheet holds come only from a damaged file.
            if (row >= quint32(kSheetMaxRows))
                return OfficeError{Damaged(fileName), {}};
            sheet->SetCell(int(row), column, value);
            break;
        }
        case kEnd:
            return book;
        default:
            return OfficeError{Damaged(fileName), {}};
        }
    }
    // The child died, timed out or stopped writing before the end.
    return OfficeError{Damaged(fileName), {}};
}
