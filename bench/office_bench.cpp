// Speed of the spreadsheet layer: an import source of 10,000 rows and 12 columns reads in well
// under a third of a second (".xlsx", and ".xls" where python3-xlwt can make the workbook), and
// an export of 10,000 rows of 20 text cells saves within three seconds.
#include <benchmark/benchmark.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "platform/office/sheettablesource.h"
#include "platform/office/workbookwriter.h"

namespace {

constexpr int kRows = 10000;

QTemporaryDir& folder()
{
    static QTemporaryDir dir;
    return dir;
}

// 12 columns of the shape an import meets: dates, times, numbers and texts.
QString importXlsx()
{
    static const QString path = [] {
        const QString p = folder().filePath(QStringLiteral("import.xlsx"));
        WorkbookWriter book;
        WorksheetWriter& s = book.AddSheet();
        const char* header[] = {"Datum", "Startzeit", "Zeit", "Meter", "Sportart", "Form",
                                "Puls", "Max. Puls", "Ort", "Wetter", "Gewicht", "Notiz"};
        for (int c = 0; c < 12; ++c)
            s.SetText(0, c, QString::fromLatin1(header[c]));
        for (int r = 1; r <= kRows; ++r) {
            s.SetDateTime(r, 0, 39569 + r);
            s.SetDateTime(r, 1, (r % 24) / 24.0, QStringLiteral("hh:mm"));
            s.SetDateTime(r, 2, EncodeTime(0, r % 60, r % 59, 0));
            s.SetNumber(r, 3, 5000 + r);
            s.SetText(r, 4, r % 2 ? QStringLiteral("Laufen") : QStringLiteral("Radfahren"));
            s.SetText(r, 5, QStringLiteral("Form %1").arg(r % 7));
            s.SetNumber(r, 6, 120 + r % 40);
            s.SetNumber(r, 7, 160 + r % 30);
            s.SetText(r, 8, QStringLiteral("Köln %1").arg(r % 100));
            s.SetText(r, 9, QStringLiteral("sonnig"));
            s.SetNumber(r, 10, 70.5 + (r % 10) / 10.0);
            s.SetText(r, 11, QStringLiteral("Einheit Nummer %1").arg(r));
        }
        if (!book.Save(p).Ok())
            return QString();
        return p;
    }();
    return path;
}

// The same shape written by xlwt; empty when python3-xlwt is not installed.
QString importXls()
{
    static const QString path = [] {
        const QString p = folder().filePath(QStringLiteral("import.xls"));
        const QString script = QStringLiteral(R"(
import sys, datetime, xlwt
wb = xlwt.Workbook(encoding="utf-8")
ws = wb.add_sheet("Tabelle1")
d, t = xlwt.easyxf(num_format_str="DD.MM.YYYY"), xlwt.easyxf(num_format_str="h:mm:ss")
for c, h in enumerate(["Datum", "Startzeit", "Zeit", "Meter", "Sportart", "Form",
                       "Puls", "Max. Puls", "Ort", "Wetter", "Gewicht", "Notiz"]):
    ws.write(0, c, h)
for r in range(1, %1 + 1):
    ws.write(r, 0, datetime.date(2008, 5, 1) + datetime.timedelta(days=r), d)
    ws.write(r, 1, datetime.time(r % 24, 0), t)
    ws.write(r, 2, datetime.time(0, r % 60, r % 59), t)
    ws.write(r, 3, 5000 + r)
    ws.write(r, 4, "Laufen" if r % 2 else "Radfahren")
    ws.write(r, 5, "Form %d" % (r % 7))
    ws.write(r, 6, 120 + r % 40)
    ws.write(r, 7, 160 + r % 30)
    ws.write(r, 8, "Köln %d" % (r % 100))
    ws.write(r, 9, "sonnig")
    ws.write(r, 10, 70.5 + (r % 10) / 10.0)
    ws.write(r, 11, "Einheit Nummer %d" % r)
wb.save(sys.argv[1])
)")
                                   .arg(kRows);
        QProcess python;
        python.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral("-c"), script, p});
        if (!python.waitForFinished(120000) || python.exitCode() != 0 || !QFile::exists(p))
            return QString();
        return p;
    }();
    return path;
}

void readAll(benchmark::State& state, const QString& path)
{
    for (auto _ : state) {
        auto source = OpenExcelSource(path);
        if (!source.Ok()) {
            state.SkipWithError(source.Error().Text().toStdString().c_str());
            return;
        }
        auto rows = source.Value()->Rows(QStringLiteral("Tabelle1$"));
        if (!rows.Ok() || rows.Value().size() != kRows || rows.Value()[0].size() != 12) {
            state.SkipWithError("the workbook did not read back whole");
            return;
        }
        benchmark::DoNotOptimize(rows.Value());
    }
}

void BM_ReadXlsx10000Rows12Columns(benchmark::State& state)
{
    const QString path = importXlsx();
    if (path.isEmpty()) {
        state.SkipWithError("the benchmark workbook could not be written");
        return;
    }
    readAll(state, path);
}
BENCHMARK(BM_ReadXlsx10000Rows12Columns)->Unit(benchmark::kMillisecond)->Iterations(3)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_ReadXls10000Rows12Columns(benchmark::State& state)
{
    const QString path = importXls();
    if (path.isEmpty()) {
        state.SkipWithError("python3-xlwt is not installed: no .xls workbook to read");
        return;
    }
    readAll(state, path);
}
BENCHMARK(BM_ReadXls10000Rows12Columns)->Unit(benchmark::kMillisecond)->Iterations(3)->Repetitions(5)->ReportAggregatesOnly(true);

// The statistics export's case: every cell a text, the whole workbook built and saved.
void BM_Write10000Rows20TextCells(benchmark::State& state)
{
    const QString path = folder().filePath(QStringLiteral("export.xlsx"));
    for (auto _ : state) {
        WorkbookWriter book;
        WorksheetWriter& s = book.AddSheet();
        for (int c = 0; c < 20; ++c)
            s.SetText(0, c, QStringLiteral("Spalte %1").arg(c + 1));
        for (int r = 1; r <= kRows; ++r) {
            for (int c = 0; c < 20; ++c)
                s.SetText(r, c, QStringLiteral("%1:%2,5").arg(r).arg(c));
            if (r % 2 == 0)
                s.SetRowFill(r, ExcelColorIndexRgb(37));
        }
        const OfficeResult<void> saved = book.Save(path);
        if (!saved.Ok()) {
            state.SkipWithError(saved.Error().Text().toStdString().c_str());
            return;
        }
    }
}
BENCHMARK(BM_Write10000Rows20TextCells)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();
