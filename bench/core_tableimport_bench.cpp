// The import wizard's copy into the ten-year database: a sheet of 10,000 rows and 12 columns
// mapped onto 12 fields of the units, written through the units' dataset in one transaction.
// Goal: at most 3 s.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>

#include "bench/offscreenmain.h"
#include "bench/tenyeardb.h"
#include "core/orvdbserver.h"
#include "exchange/tableimport.h"
#include "platform/office/sheettablesource.h"
#include "platform/office/workbookwriter.h"

namespace {

constexpr int kRows = 10000;

TorvServer& server()
{
    static TorvServer* s = [] {
        auto* srv = new TorvServer;
        srv->DataModuleCreate(GermanFormatSettings());
        orvServer = srv;
        if (!srv->openDatabase(tenyeardb::Generate(tenyeardb::TemplatePath())))
            std::abort();
        return srv;
    }();
    return *s;
}

const char* const kFields[] = {"Datum", "Startzeit", "Zeit", "Meter", "Puls", "Maxpuls",
                               "Ruhepuls", "Ort", "Bemerkungen", "Gewicht", "Hoehendifferenz", "Sportart"};

QString workbook()
{
    static QTemporaryDir dir;
    static const QString path = [] {
        const QString p = dir.filePath(QStringLiteral("units.xlsx"));
        WorkbookWriter book;
        WorksheetWriter& s = book.AddSheet();
        for (int c = 0; c < 12; ++c)
            s.SetText(0, c, QString::fromLatin1(kFields[c]));
        for (int r = 1; r <= kRows; ++r) {
            s.SetDateTime(r, 0, 39569 + r % 3000);
            s.SetDateTime(r, 1, (r % 24) / 24.0, QStringLiteral("hh:mm"));
            s.SetDateTime(r, 2, EncodeTime(0, r % 60, r % 59, 0));
            s.SetNumber(r, 3, 5000 + r);
            s.SetNumber(r, 4, 120 + r % 40);
            s.SetNumber(r, 5, 160 + r % 30);
            s.SetNumber(r, 6, 50 + r % 10);
            s.SetText(r, 7, QStringLiteral("Köln %1").arg(r % 100));
            s.SetText(r, 8, QStringLiteral("Einheit Nummer %1").arg(r));
            s.SetNumber(r, 9, 70.5 + (r % 10) / 10.0);
            s.SetNumber(r, 10, r % 300);
            s.SetNumber(r, 11, 1);
        }
        return book.Save(p).Ok() ? p : QString();
    }();
    return path;
}

void BM_TableImportTenThousandUnits(benchmark::State& state)
{
    TorvServer& srv = server();
    auto opened = OpenExcelSource(workbook());
    if (!opened.Ok()) {
        state.SkipWithError("the workbook was not read");
        return;
    }
    TImportMapping mapping;
    for (const char* f : kFields)
        mapping.Add(QString::fromLatin1(f), QString::fromLatin1(f));
    const QString table = opened.Value()->TableNames().value(0);
    for (auto _ : state) {
        TTableImport import;
        if (!import.Run(*opened.Value(), table, mapping, srv.daten, false) || import.RowsWritten() != kRows)
            state.SkipWithError(import.Error().toUtf8().constData());
        state.PauseTiming();
        srv.orvDB.Execute(QStringLiteral("DELETE FROM daten WHERE Bemerkungen LIKE 'Einheit Nummer %'"));
        srv.daten.Close();
        srv.daten.Open();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_TableImportTenThousandUnits)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace

ORV_OFFSCREEN_BENCHMARK_MAIN()
