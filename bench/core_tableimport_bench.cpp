// The import wizard's copy into the ten-year database: a sheet of 100, 1,000 and 10,000 rows and
// 12 columns mapped onto 12 fields of the units, written through the units' dataset in one
// transaction inside the bulk-import scope, as the wizard runs it. Goal: 10,000 rows in at most
// 3 s. The same 10,000 rows with one value far out in the sheet's last cell (XFD1048576) cost
// what the 10,000 rows cost: only the filled cells are read.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include "bench/offscreenmain.h"
#include "bench/tenyeardb.h"
#include "core/orvdbserver.h"
#include "exchange/bulkimport.h"
#include "exchange/tableimport.h"
#include "platform/office/cellname.h"
#include "platform/office/sheettablesource.h"
#include "platform/office/workbookwriter.h"

namespace {


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

QString workbook(int rows, bool farCell = false)
{
    static QTemporaryDir dir;
    const QString p = dir.filePath(QStringLiteral("units%1%2.xlsx").arg(rows).arg(farCell ? "far" : ""));
    if (QFile::exists(p))
        return p;
    {
        WorkbookWriter book;
        WorksheetWriter& s = book.AddSheet();
        for (int c = 0; c < 12; ++c)
            s.SetText(0, c, QString::fromLatin1(kFields[c]));
        for (int r = 1; r <= rows; ++r) {
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
        if (farCell)
            s.SetNumber(kSheetMaxRows - 1, kSheetMaxColumns - 1, 1);
        return book.Save(p).Ok() ? p : QString();
    }
}

void BM_TableImportUnits(benchmark::State& state)
{
    const int rows = int(state.range(0));
    TorvServer& srv = server();
    auto opened = OpenExcelSource(workbook(rows, state.range(1) != 0));
    if (!opened.Ok()) {
        state.SkipWithError("the workbook was not read");
        return;
    }
    TImportMapping mapping;
    for (const char* f : kFields)
        mapping.Add(QString::fromLatin1(f), QString::fromLatin1(f));
    const QString table = opened.Value()->TableNames().value(0);
    const QVariant lastBlock = srv.orvDB.ExecuteScalar(QStringLiteral("SELECT max(trb_Id) FROM trainingsblock"));
    for (auto _ : state) {
        TTableImport import;
        bool written;
        {
            TBulkImportScope scope(true);
            written = import.Run(*opened.Value(), table, mapping, srv.daten, false);
        }
        if (!written || import.RowsWritten() != rows)
            state.SkipWithError(import.Error().toUtf8().constData());
        state.PauseTiming();
        srv.orvDB.Execute(QStringLiteral("DELETE FROM daten WHERE Bemerkungen LIKE 'Einheit Nummer %'"));
        // The blocks made for the imported units go with them, so every run starts alike.
        srv.orvDB.Execute(QStringLiteral("DELETE FROM trainingsblock WHERE trb_Id > ?"), {lastBlock});
        srv.trainblock.Requery();
        srv.daten.Close();
        srv.daten.Open();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_TableImportUnits)
    ->ArgNames({"rows", "far"})
    ->Args({100, 0})
    ->Args({1000, 0})
    ->Args({10000, 0})
    ->Args({10000, 1})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace

ORV_OFFSCREEN_BENCHMARK_MAIN()
