// The unit rules' bulk mode: an import in bulk stores exactly what the same import stores row by
// row, and the refreshes it defers (block lists, the block's units, the navigator) run once
// when the mode ends, however it ends.
#include <gtest/gtest.h>

#include <sqlite3.h>

#include <optional>

#include "core/navigatorview.h"
#include "core/orvdbserver.h"
#include "core/startup.h"
#include "core/views.h"
#include "exchange/bulkimport.h"
#include "exchange/tableimport.h"
#include "platform/db/datasource.h"
#include "platform/vcl/registry.h"
#include "tests/core/dbserverfixture.h"

namespace {

const TDateTime kToday = EncodeDate(2010, 3, 15);

class MemorySource : public TableSource {
public:
    QStringList fields;
    TableRows rows;
    QStringList TableNames() const override { return {QStringLiteral("Tabelle1")}; }
    OfficeResult<QStringList> FieldNames(const QString&) const override { return fields; }
    OfficeResult<TableRows> Rows(const QString&) const override { return rows; }
};

TableValue number(double v)
{
    return TableValue::FromNumber(v);
}
TableValue text(const char* s)
{
    return TableValue::FromText(QString::fromUtf8(s));
}
TableValue date(int y, int m, int d, int h = 0, int min = 0)
{
    return TableValue::FromDateTime(EncodeDate(y, m, d) + EncodeTime(h, min, 0, 0));
}

// Every row of every table of the file, in key order, as text.
QString dumpTables(const QString& path)
{
    sqlite3* db = nullptr;
    sqlite3_open(path.toUtf8().constData(), &db);
    QStringList tables;
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(db, "SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name", -1, &stmt, nullptr);
    while (sqlite3_step(stmt) == SQLITE_ROW)
        tables << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)));
    sqlite3_finalize(stmt);
    QString out;
    for (const QString& t : tables) {
        out += QStringLiteral("== %1\n").arg(t);
        const QByteArray sql = QStringLiteral("SELECT * FROM \"%1\" ORDER BY rowid").arg(t).toUtf8();
        if (sqlite3_prepare_v2(db, sql.constData(), -1, &stmt, nullptr) != SQLITE_OK)
            continue;  // a table without rowid is not written by the rules
        while (sqlite3_step(stmt) == SQLITE_ROW) {
            QStringList cells;
            for (int c = 0; c < sqlite3_column_count(stmt); ++c)
                cells << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, c)));
            out += cells.join(QLatin1Char('|')) + QLatin1Char('\n');
        }
        sqlite3_finalize(stmt);
    }
    sqlite3_close(db);
    return out;
}

struct Recorder : NavigatorView {
    QStringList calls;
    void Button1Click(QObject*) override { calls << "Button1Click"; }
    void selectCurrentUnit() override { calls << "selectCurrentUnit"; }
    void ChangeNavItem() override { calls << "ChangeNavItem"; }
    bool XPButton9Down() const override { return true; }
    std::optional<bool> unitShownWithSplits(int) const override { return std::nullopt; }
};

class BulkModeTest : public DataModuleTest {
protected:
    void SetUp() override
    {
        DataModuleTest::SetUp();
        saved_ = FormatSettings();
        FormatSettings() = GermanFormatSettings();
        SetClock([] { return kToday + EncodeTime(10, 30, 0, 0); });
        seed(db);
    }
    void TearDown() override
    {
        setDateNextDay(std::nullopt);
        SetClock({});
        FormatSettings() = saved_;
        DataModuleTest::TearDown();
    }

    // Three blocks and units whose dates and start times tie, so the newest unit is decided by
    // its key; the last one carries weight and body fat.
    static void seed(const AthleteDatabase& d)
    {
        d.exec("INSERT INTO TRAININGSBLOCK (trb_Id, trb_Name, trb_created, trb_sportart, trb_form) VALUES "
               "(5, 'Block 5', 39000, 1, 1), (6, 'Block 6', 41100, 2, 1), (7, 'Block 7', 41000, 1, 1)");
        d.exec("INSERT INTO DATEN (Datum, Startzeit, Zeit, Meter, Sportart, Form, Belastungsart, Belastungsstufe, "
               "Hoehendifferenz, Gewicht, Fett, trainingsblock) VALUES "
               "(39500, 0.25, 0.02, 5000, 1, 1, 1, 1, 0, 70, 12, 7), "
               "(39500, 0.25, 0.03, 8000, 1, 1, 1, 1, 0, 71.5, 13.25, 7)");
    }
    static void setDateNextDay(std::optional<bool> on)
    {
        TRegistry reg;
        reg.SetRootKey(HKEY_LOCAL_MACHINE);
        reg.OpenKey(QString::fromLatin1(kProgramRegistryKey), true);
        if (on)
            reg.WriteBool("DateNextDay", *on);
        else if (reg.ValueExists("DateNextDay"))
            reg.DeleteValue("DateNextDay");
    }

    // Imports the source into the units of the file, in bulk as the wizard does or row by row
    // with every rule attached; returns the stored tables.
    QString import(const AthleteDatabase& file, const MemorySource& source, bool bulk)
    {
        if (!server.openDatabase(file.path()))
            return QStringLiteral("not opened");
        TImportMapping mapping;
        for (const QString& f : source.fields)
            mapping.Add(f, f);
        TTableImport run;
        bool written;
        if (bulk) {
            TBulkImportScope scope(true);
            EXPECT_TRUE(server.UnitBulkMode());
            written = run.Run(source, QStringLiteral("Tabelle1"), mapping, server.daten, false);
        } else {
            written = run.Run(source, QStringLiteral("Tabelle1"), mapping, server.daten, false);
        }
        EXPECT_FALSE(server.UnitBulkMode());
        EXPECT_TRUE(written) << run.Error().toStdString();
        // What the windows read afterwards: the blocks, the block manager's list, the unit's block.
        const QString shown = QStringLiteral("blocks %1, manager %2 on %3, block name %4\n")
                                  .arg(server.trainblock.RecordCount())
                                  .arg(server.trainblockman.RecordCount())
                                  .arg(server.trainblockman.FieldByName("trb_Id")->AsString(),
                                       server.daten.FieldByName("trainingsblock")->AsString());
        server.closeDatabase();
        return shown + dumpTables(file.path());
    }

    TFormatSettings saved_;
};

TEST_F(BulkModeTest, StoresExactlyWhatTheImportRowByRowStores)
{
    // Rows tying with the seeded units and with each other, rows older than the newest unit,
    // one with a block of its own, one without weight, another sport, an empty row.
    MemorySource dated;
    dated.fields = {"Datum", "Startzeit", "Meter", "Sportart", "Form", "Gewicht", "Ort", "trainingsblock"};
    dated.rows = {
        {date(2008, 2, 20), date(1899, 12, 30, 6), number(10000), number(1), number(1), number(69), text("Köln"), {}},
        {date(2008, 2, 20), date(1899, 12, 30, 6), number(12000), number(1), number(2), {}, text("Bonn"), {}},
        {date(2007, 1, 1), {}, number(3000), number(2), number(1), {}, text("Alt"), number(6)},
        {},
        {date(2009, 7, 4), date(1899, 12, 30, 18, 30), number(42195), number(3), number(4), {}, text("Ziel"), {}},
        {date(2009, 7, 4), date(1899, 12, 30, 18, 30), number(1000), number(0), number(0), number(80.25), {}, number(7)},
    };
    // Without a date column the rules date every unit: today, or the day after the previous one.
    MemorySource undated = dated;
    undated.fields.removeFirst();
    for (auto& row : undated.rows)
        if (!row.isEmpty())
            row.removeFirst();

    const struct {
        const char* name;
        const MemorySource& source;
        std::optional<bool> nextDay;
    } cases[] = {{"dated", dated, std::nullopt}, {"undated", undated, std::nullopt}, {"day after", undated, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        setDateNextDay(c.nextDay);
        AthleteDatabase rowByRow(QStringLiteral("a.orv")), inBulk(QStringLiteral("b.orv"));
        seed(rowByRow);
        seed(inBulk);
        const QString expected = import(rowByRow, c.source, false);
        EXPECT_EQ(import(inBulk, c.source, true), expected);
        EXPECT_EQ(rowByRow.value("SELECT count(*) FROM DATEN").toInt(), 7);
    }
}

TEST_F(BulkModeTest, RefreshesTheScreenOnceWhenItEndsHoweverItEnds)
{
    open();
    Recorder navigator;
    RegisterView<NavigatorView>(&navigator);
    int managerOpenings = 0;
    TDataLink link;
    link.SetDataSource(server.FindDataSource("dstrainblockman"));
    link.OnActiveChanged = [&] {
        if (server.trainblockman.Active())
            ++managerOpenings;
    };
    auto addUnit = [this](int meter) {
        server.daten.Insert();
        for (const char* f : {"Sportart", "Form", "Belastungsart", "Belastungsstufe"})
            server.daten.FieldByName(f)->SetAsInteger(1);
        server.daten.FieldByName("Meter")->SetAsInteger(meter);
        server.daten.FieldByName("Zeit")->SetAsDateTime(EncodeTime(0, 50, 0, 0));
        server.daten.Post();
    };

    const int blocks = server.trainblock.RecordCount();
    {
        TUnitBulkMode outer(server);
        {
            TUnitBulkMode inner(server);
            addUnit(1000);
        }
        addUnit(2000);
        // Inside the mode the units and their blocks are stored; the lists wait.
        EXPECT_EQ(db.value("SELECT count(*) FROM TRAININGSBLOCK").toInt(), 5);
        EXPECT_EQ(managerOpenings, 0);
        EXPECT_EQ(server.trainblock.RecordCount(), blocks);
        EXPECT_TRUE(navigator.calls.isEmpty());
    }
    EXPECT_FALSE(server.UnitBulkMode());
    EXPECT_EQ(managerOpenings, 1);
    EXPECT_EQ(server.trainblock.RecordCount(), blocks + 2);
    EXPECT_EQ(server.trainblockman.RecordCount(), blocks + 2);
    EXPECT_EQ(navigator.calls, QStringList({"ChangeNavItem", "Button1Click", "selectCurrentUnit"}));
    EXPECT_FALSE(server.daten.FieldByName("trbname")->AsString().isEmpty());

    // Left by an exception inside a transaction that is rolled back: the lists show what is
    // stored again, and the mode is off.
    navigator.calls.clear();
    managerOpenings = 0;
    try {
        TUnitBulkMode mode(server);
        server.orvDB.BeginTrans();
        addUnit(3000);
        server.orvDB.RollbackTrans();
        throw std::runtime_error("abgebrochen");
    } catch (const std::runtime_error&) {
    }
    EXPECT_FALSE(server.UnitBulkMode());
    EXPECT_EQ(managerOpenings, 1);
    EXPECT_EQ(server.trainblock.RecordCount(), blocks + 2);
    EXPECT_EQ(server.trainblockman.RecordCount(), blocks + 2);
    EXPECT_EQ(navigator.calls.size(), 3);
    link.SetDataSource(nullptr);
    UnregisterView<NavigatorView>(&navigator);
}

}  // namespace
