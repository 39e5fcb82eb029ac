// Converting a large previous-version database: 3,650 units (ten years of daily training),
// 100,000 splits and 500 equipment links, read from the Paradox tables and written into a new
// athlete database. Goal: at most 10 s.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

extern "C" {
#include <paradox.h>
}

#include "bench/tenyeardb.h"
#include "exchange/convertdbserver.h"
#include "platform/db/connection.h"
#include "platform/rtl/sysutils.h"

namespace {

constexpr int kUnits = 3650;
constexpr int kSplits = 100000;
constexpr int kLinks = 500;
constexpr int kEquipment = 10;

struct Field {
    const char* name;
    char type;
    int size;
};

// Writes a table with pxlib: `fill` puts the values of record `i` through `put`.
template <class Fill>
void writeTable(const QString& path, const std::vector<Field>& fields, int records, Fill fill)
{
    pxdoc_t* px = PX_new();
    auto* defs = static_cast<pxfield_t*>(std::malloc(sizeof(pxfield_t) * fields.size()));
    int size = 0;
    for (size_t i = 0; i < fields.size(); ++i) {
        defs[i].px_fname = strdup(fields[i].name);
        defs[i].px_ftype = fields[i].type;
        defs[i].px_flen = fields[i].size;
        defs[i].px_fdc = 0;
        size += fields[i].size;
    }
    if (PX_create_file(px, defs, int(fields.size()), QFile::encodeName(path).constData(), pxfFileTypNonIndexDB) < 0)
        std::abort();
    PX_set_value(px, "codepage", 1252);
    std::string record(size, '\0');
    for (int r = 0; r < records; ++r) {
        std::fill(record.begin(), record.end(), '\0');
        std::vector<char*> at;
        int offset = 0;
        for (const Field& f : fields) {
            at.push_back(record.data() + offset);
            offset += f.size;
        }
        fill(px, r, at);
        PX_put_record(px, record.data());
    }
    PX_close(px);
    PX_delete(px);
}

void alpha(pxdoc_t* px, char* at, int size, const char* text)
{
    PX_put_data_alpha(px, at, size, const_cast<char*>(text));
}

QString oldFolder()
{
    static QTemporaryDir dir;
    static bool written = [] {
        PX_boot();
        const QDir d(dir.path());
        writeTable(d.filePath("daten.db"),
                   {{"Index", pxfAutoInc, 4}, {"Datum", pxfDate, 4}, {"Ort", pxfAlpha, 30}, {"Form", pxfAlpha, 10},
                    {"Startzeit", pxfTime, 4}, {"Zeit", pxfTime, 4}, {"Meter", pxfLong, 4}, {"Puls", pxfShort, 2},
                    {"Belastungsart", pxfAlpha, 10}, {"Sportart", pxfAlpha, 15}, {"Gewicht", pxfNumber, 8},
                    {"Belastungsstufe", pxfAlpha, 7}, {"User1", pxfAlpha, 20}, {"kcal", pxfLong, 4},
                    // The other fields of the version 4 layout, left empty.
                    {"Gefuehl", pxfAlpha, 15}, {"Wetter", pxfAlpha, 15}, {"Wind", pxfAlpha, 15},
                    {"Hoehendifferenz", pxfShort, 2}, {"Bemerkungen", pxfAlpha, 40}, {"Temperatur", pxfShort, 2},
                    {"Streckenbeschreibung", pxfAlpha, 55}, {"Gli", pxfNumber, 8}, {"User2", pxfNumber, 8},
                    {"Maxpuls", pxfLong, 4}, {"Ruhepuls", pxfLong, 4}, {"Erholungspuls", pxfLong, 4},
                    {"Fett", pxfNumber, 8}},
                   kUnits, [](pxdoc_t* px, int r, const std::vector<char*>& at) {
                       PX_put_data_long(px, at[0], 4, r + 1);
                       PX_put_data_long(px, at[1], 4, 38000 + r + 693594);
                       alpha(px, at[2], 30, r % 2 ? "K\xf6ln" : "Bonn");
                       alpha(px, at[3], 10, "Training");
                       PX_put_data_long(px, at[4], 4, 7 * 3600000);
                       PX_put_data_long(px, at[5], 4, 2700000 + r);
                       PX_put_data_long(px, at[6], 4, 10000);
                       PX_put_data_short(px, at[7], 2, 140);
                       alpha(px, at[8], 10, "Dauerlauf");
                       alpha(px, at[9], 15, r % 3 ? "Laufen" : "Radfahren");
                       PX_put_data_double(px, at[10], 8, 72.5);
                       alpha(px, at[11], 7, "GA1");
                       alpha(px, at[12], 20, "Schuh");
                       PX_put_data_long(px, at[13], 4, 600);
                   });
        writeTable(d.filePath("zeit.db"),
                   {{"Index", pxfLong, 4}, {"Meter", pxfLong, 4}, {"Zwischenzeit", pxfTime, 4}, {"Puls", pxfShort, 2},
                    {"M \xfc" "ber NN", pxfShort, 2}, {"Notitz", pxfAlpha, 100}, {"zwTyp", pxfShort, 2}},
                   kSplits, [](pxdoc_t* px, int r, const std::vector<char*>& at) {
                       PX_put_data_long(px, at[0], 4, r % kUnits + 1);
                       PX_put_data_long(px, at[1], 4, (r / kUnits + 1) * 1000);
                       PX_put_data_long(px, at[2], 4, (r / kUnits + 1) * 270000);
                       PX_put_data_short(px, at[3], 2, 150);
                       PX_put_data_short(px, at[4], 2, 50 + r % 30);
                       alpha(px, at[5], 100, "Br\xfc" "cke");
                       PX_put_data_short(px, at[6], 2, 0);
                   });
        writeTable(d.filePath("equipment.DB"),
                   {{"Index", pxfAutoInc, 4}, {"Bezeichnung", pxfAlpha, 30}, {"Art", pxfAlpha, 20},
                    {"Kilometer", pxfNumber, 8}},
                   kEquipment, [](pxdoc_t* px, int r, const std::vector<char*>& at) {
                       PX_put_data_long(px, at[0], 4, r + 1);
                       alpha(px, at[1], 30, "Schuh");
                       alpha(px, at[2], 20, "Schuhe");
                       PX_put_data_double(px, at[3], 8, 100.0 * r);
                   });
        // Every tenth link points at a unit that no longer exists.
        writeTable(d.filePath("eqdaten.DB"), {{"EqIndex", pxfLong, 4}, {"EinheiIndex", pxfLong, 4}}, kLinks,
                   [](pxdoc_t* px, int r, const std::vector<char*>& at) {
                       PX_put_data_long(px, at[0], 4, r % kEquipment + 1);
                       PX_put_data_long(px, at[1], 4, r % 10 ? r * 7 + 1 : kUnits + 100 + r);
                   });
        return true;
    }();
    (void)written;
    return dir.path();
}

void BM_ConvertTenYears(benchmark::State& state)
{
    const QString folder = oldFolder();
    FormatSettings() = GermanFormatSettings();
    for (auto _ : state) {
        state.PauseTiming();
        QTemporaryDir work;
        const QString target = QDir(work.path()).filePath("neu.orv");
        QFile::copy(tenyeardb::TemplatePath(), target);
        QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner);
        TConnection db;
        db.Open(target);
        db.Execute("UPDATE FORM SET For_Form = 'Training' WHERE For_Id = 1");
        state.ResumeTiming();
        TconvertServer server;
        if (!server.ReadOldFolder(folder) || !server.convertIt(db, true))
            state.SkipWithError(server.Error().toUtf8().constData());
        state.counters["splits"] = server.LastResult().splits;
        state.counters["links"] = server.LastResult().links;
        state.PauseTiming();
        db.Close();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ConvertTenYears)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3)->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
