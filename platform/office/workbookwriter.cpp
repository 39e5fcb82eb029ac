#include "platform/office/workbookwriter.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <map>
#include <unistd.h>
#include <xlsxwriter.h>

#include "platform/office/cellname.h"
#include "platform/office/officemessages.h"

namespace {

// The longest text a cell holds.
constexpr int kMaxCellText = 32767;
constexpr int kMaxSheetName = 31;

QString tr(const char* text)
{
    return QCoreApplication::translate("Office", text);
}

QString saveFailed(const QString& fileName, const QString& reason)
{
    return tr("Die Arbeitsmappe \"%1\" kann nicht gespeichert werden: %2").arg(fileName, reason);
}

// Columns of a new sheet are this many characters wide.
constexpr double kStandardColumnWidth = 8.43;

// The number of characters a date-time format shows: its codes and literals without the
// escapes, quotes and brackets ("dd\\.mm\\.yyyy" shows 10).
int shownLength(const QString& format)
{
    int n = 0;
    bool quoted = false;
    bool bracket = false;
    for (QChar c : format) {
        if (c == u'"')
            quoted = !quoted;
        else if (!quoted && c == u'[')
            bracket = true;
        else if (!quoted && c == u']')
            bracket = false;
        else if (quoted || (!bracket && c != u'\\'))
            ++n;
    }
    return n;
}

QString defaultDateFormat(TDateTime v)
{
    if (v >= 0 && v < 1)
        return QStringLiteral("h:mm:ss");
    if (TimeOf(v) == 0)
        return QStringLiteral("dd\\.mm\\.yyyy");
    return QStringLiteral("dd\\.mm\\.yyyy hh:mm:ss");
}

// Cell formats of one workbook, made once per combination of number format and fill.
class FormatCache {
public:
    explicit FormatCache(lxw_workbook* wb) : wb_(wb) {}
    lxw_format* Get(const QString& numberFormat, bool hasFill, QRgb fill)
    {
        if (numberFormat.isEmpty() && !hasFill)
            return nullptr;
        const auto key = std::make_pair(numberFormat, hasFill ? qint64(fill & 0xFFFFFF) : qint64(-1));
        auto it = cache_.find(key);
        if (it != cache_.end())
            return it->second;
        lxw_format* f = workbook_add_format(wb_);
        if (!numberFormat.isEmpty())
            format_set_num_format(f, numberFormat.toUtf8().constData());
        if (hasFill) {
            format_set_pattern(f, LXW_PATTERN_SOLID);
            format_set_bg_color(f, lxw_color_t(fill & 0xFFFFFF));
        }
        cache_.emplace(key, f);
        return f;
    }

private:
    lxw_workbook* wb_;
    std::map<std::pair<QString, qint64>, lxw_format*> cache_;
};

// Forces the written file onto the disk before it replaces the user's file.
void syncFile(const QString& fileName)
{
    const int fd = ::open(QFile::encodeName(fileName).constData(), O_RDONLY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

}  // namespace

// ---------------------------------------------------------------------------------------------

void WorksheetWriter::fail(const QString& message, const QString& position)
{
    if (!error_)
        error_ = OfficeError{message, position};
}

WorksheetWriter::Cell* WorksheetWriter::cellAt(int row, int column)
{
    if (row < 0 || row >= kSheetMaxRows || column < 0 || column >= kSheetMaxColumns) {
        fail(tr("Die Zelle liegt außerhalb des Tabellenblatts."),
             tr("Tabellenblatt \"%1\", Zeile %2, Spalte %3").arg(name_, QString::number(row + 1), QString::number(column + 1)));
        return nullptr;
    }
    if (size_t(row) >= rows_.size())
        rows_.resize(size_t(row) + 1);
    std::vector<Cell>& cells = rows_[size_t(row)].cells;
    if (size_t(column) >= cells.size())
        cells.resize(size_t(column) + 1);
    columns_ = std::max(columns_, column + 1);
    return &cells[size_t(column)];
}

void WorksheetWriter::SetText(int row, int column, const QString& text)
{
    if (text.size() > kMaxCellText) {
        fail(tr("Der Text ist länger als die 32767 Zeichen, die eine Zelle aufnimmt."),
             OfficeMessages::CellPosition(name_, row, column));
        return;
    }
    if (Cell* c = cellAt(row, column)) {
        c->kind = Kind::Text;
        c->text = text;
        c->format = -1;
    }
}

void WorksheetWriter::SetNumber(int row, int column, double value)
{
    if (Cell* c = cellAt(row, column)) {
        c->kind = Kind::Number;
        c->number = value;
        c->text.clear();
        c->format = -1;
    }
}

void WorksheetWriter::SetDateTime(int row, int column, TDateTime value, const QString& numberFormat)
{
    Cell* c = cellAt(row, column);
    if (!c)
        return;
    const QString format = numberFormat.isEmpty() ? defaultDateFormat(value) : numberFormat;
    int index = formats_.indexOf(format);
    if (index < 0) {
        index = int(formats_.size());
        formats_.append(format);
    }
    c->kind = Kind::Number;
    c->number = value;
    c->text.clear();
    c->format = index;
}

void WorksheetWriter::SetCell(const QString& cellName, const QString& text)
{
    int row, column;
    if (!ParseCellName(cellName, row, column)) {
        fail(tr("Der Zellname \"%1\" ist ungültig.").arg(cellName), tr("Tabellenblatt \"%1\"").arg(name_));
        return;
    }
    SetText(row, column, text);
}

void WorksheetWriter::SetCellFill(int row, int column, QRgb color)
{
    if (Cell* c = cellAt(row, column)) {
        c->hasFill = true;
        c->fill = color;
    }
}

void WorksheetWriter::SetCellFill(const QString& cellName, QRgb color)
{
    int row, column;
    if (!ParseCellName(cellName, row, column)) {
        fail(tr("Der Zellname \"%1\" ist ungültig.").arg(cellName), tr("Tabellenblatt \"%1\"").arg(name_));
        return;
    }
    SetCellFill(row, column, color);
}

void WorksheetWriter::SetRowFill(int row, QRgb color)
{
    if (row < 0 || row >= kSheetMaxRows) {
        cellAt(row, 0);  // records the error
        return;
    }
    if (size_t(row) >= rows_.size())
        rows_.resize(size_t(row) + 1);
    rows_[size_t(row)].hasFill = true;
    rows_[size_t(row)].fill = color;
}

// ---------------------------------------------------------------------------------------------

WorksheetWriter& WorkbookWriter::AddSheet(const QString& name)
{
    QString n = name;
    if (n.isNull())
        n = QStringLiteral("Tabelle%1").arg(sheets_.size() + 1);
    static const QString forbidden = QStringLiteral(":\\/?*[]");
    bool valid = !n.isEmpty() && n.size() <= kMaxSheetName && !n.startsWith(u'\'') && !n.endsWith(u'\'');
    for (QChar c : n)
        valid = valid && !forbidden.contains(c);
    for (const WorksheetWriter& s : sheets_)
        valid = valid && s.Name().compare(n, Qt::CaseInsensitive) != 0;
    if (!valid && !error_)
        error_ = OfficeError{tr("Der Name \"%1\" ist als Name eines Tabellenblatts nicht erlaubt.").arg(n), {}};
    sheets_.emplace_back(n);
    return sheets_.back();
}

OfficeResult<void> WorkbookWriter::Save(const QString& fileName) const
{
    if (error_)
        return *error_;
    for (const WorksheetWriter& s : sheets_)
        if (s.error_)
            return *s.error_;

    const QFileInfo target(fileName);
    const QDir folder = target.absoluteDir();
    if (target.fileName().isEmpty() || target.isDir())
        return OfficeError{saveFailed(fileName, tr("Der Name ist kein Dateiname.")), {}};
    if (!folder.exists())
        return OfficeError{
            saveFailed(fileName, tr("Der Ordner \"%1\" existiert nicht.").arg(QDir::toNativeSeparators(folder.path()))),
            {}};

    // The temporary file lies beside the target, so the final rename stays within one file
    // system and replaces the target in one step.
    QTemporaryFile temp(folder.filePath(QStringLiteral(".~%1.XXXXXX").arg(target.fileName())));
    if (!temp.open())
        return OfficeError{saveFailed(fileName, temp.errorString()), {}};
    const QString tempName = temp.fileName();
    temp.close();

    lxw_workbook_options options{};
    lxw_workbook* wb = workbook_new_opt(QFile::encodeName(tempName).constData(), &options);
    if (!wb)
        return OfficeError{saveFailed(fileName, tr("Zu wenig Arbeitsspeicher.")), {}};
    FormatCache formats(wb);
    std::optional<OfficeError> failure;

    auto writeSheet = [&](const WorksheetWriter& sheet) {
        lxw_worksheet* ws = workbook_add_worksheet(wb, sheet.Name().toUtf8().constData());
        if (!ws) {
            failure = OfficeError{saveFailed(fileName, tr("Das Tabellenblatt \"%1\" kann nicht angelegt werden.")
                                                           .arg(sheet.Name())),
                                  {}};
            return;
        }
        // A column of date-time values is made wide enough for them: at the standard width a
        // date shows as "###".
        std::map<size_t, int> dateWidths;
        for (const WorksheetWriter::Row& row : sheet.rows_)
            for (size_t c = 0; c < row.cells.size(); ++c)
                if (row.cells[c].format >= 0)
                    dateWidths[c] = std::max(dateWidths[c], shownLength(sheet.formats_[row.cells[c].format]));
        for (const auto& [column, length] : dateWidths)
            if (length + 2 > kStandardColumnWidth)
                worksheet_set_column(ws, lxw_col_t(column), lxw_col_t(column), length + 2, nullptr);
        for (size_t r = 0; r < sheet.rows_.size() && !failure; ++r) {
            const WorksheetWriter::Row& row = sheet.rows_[r];
            const auto rowIndex = lxw_row_t(r);
            if (row.hasFill)
                worksheet_set_row(ws, rowIndex, LXW_DEF_ROW_HEIGHT, formats.Get(QString(), true, row.fill));
            for (size_t c = 0; c < row.cells.size(); ++c) {
                const WorksheetWriter::Cell& cell = row.cells[c];
                const bool hasFill = cell.hasFill || row.hasFill;
                const QRgb fill = cell.hasFill ? cell.fill : row.fill;
                const QString numberFormat = cell.format >= 0 ? sheet.formats_[cell.format] : QString();
                lxw_format* f = formats.Get(numberFormat, hasFill, fill);
                const auto col = lxw_col_t(c);
                lxw_error e = LXW_NO_ERROR;
                switch (cell.kind) {
                case WorksheetWriter::Kind::Text:
                    // An empty text leaves the cell empty, as the spreadsheet keeps it.
                    e = cell.text.isEmpty() ? (f ? worksheet_write_blank(ws, rowIndex, col, f) : LXW_NO_ERROR)
                                            : worksheet_write_string(ws, rowIndex, col, cell.text.toUtf8().constData(), f);
                    break;
                case WorksheetWriter::Kind::Number:
                    e = worksheet_write_number(ws, rowIndex, col, cell.number, f);
                    break;
                case WorksheetWriter::Kind::Empty:
                    if (f)
                        e = worksheet_write_blank(ws, rowIndex, col, f);
                    break;
                }
                if (e != LXW_NO_ERROR) {
                    failure = OfficeError{saveFailed(fileName, QString::fromUtf8(lxw_strerror(e))),
                                          OfficeMessages::CellPosition(sheet.Name(), int(r), int(c))};
                    break;
                }
            }
        }
    };
    if (sheets_.empty())
        writeSheet(WorksheetWriter(QStringLiteral("Tabelle1")));
    for (const WorksheetWriter& s : sheets_) {
        if (failure)
            break;
        writeSheet(s);
    }
    // Closing writes the file; it also frees the workbook after a failure above.
    const lxw_error closed = workbook_close(wb);
    if (failure)
        return *failure;
    if (closed != LXW_NO_ERROR)
        return OfficeError{saveFailed(fileName, QString::fromUtf8(lxw_strerror(closed))), {}};

    syncFile(tempName);
    // The new file gets the permissions of the one it replaces, or the usual ones.
    QFile::setPermissions(tempName, target.exists() ? QFile::permissions(fileName)
                                                    : QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser |
                                                          QFile::WriteUser | QFile::ReadGroup | QFile::ReadOther);
    if (std::rename(QFile::encodeName(tempName).constData(), QFile::encodeName(fileName).constData()) != 0)
        return OfficeError{saveFailed(fileName, QString::fromLocal8Bit(std::strerror(errno))), {}};
    temp.setAutoRemove(false);
    return {};
}

QRgb ExcelColorIndexRgb(int index)
{
    static const QRgb palette[56] = {
        0x000000, 0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0xFF00FF, 0x00FFFF, 0x800000, 0x008000,
        0x000080, 0x808000, 0x800080, 0x008080, 0xC0C0C0, 0x808080, 0x9999FF, 0x993366, 0xFFFFCC, 0xCCFFFF,
        0x660066, 0xFF8080, 0x0066CC, 0xCCCCFF, 0x000080, 0xFF00FF, 0xFFFF00, 0x00FFFF, 0x800080, 0x800000,
        0x008080, 0x0000FF, 0x00CCFF, 0xCCFFFF, 0xCCFFCC, 0xFFFF99, 0x99CCFF, 0xFF99CC, 0xCC99FF, 0xFFCC99,
        0x3366FF, 0x33CCCC, 0x99CC00, 0xFFCC00, 0xFF9900, 0xFF6600, 0x666699, 0x969696, 0x003366, 0x339966,
        0x003300, 0x333300, 0x993300, 0x993366, 0x333399, 0x333333};
    if (index < 1 || index > 56)
        return qRgb(0, 0, 0);
    return qRgb(qRed(palette[index - 1]), qGreen(palette[index - 1]), qBlue(palette[index - 1]));
}
