// The template databases the build generates beside the program (DB/leer.orv.system and
// DB/leer_ENG.orv.system): every table and column the data module addresses, the rows a new
// athlete database starts with, and the saved query of the period statistics.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <QDir>
#include <QFile>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <memory>
#include <utility>
#include <vector>

#include "platform/rtl/sysutils.h"
#include "tests/support/testenv.h"

namespace {

// One connection to a database file; closed with the object.
class Database {
public:
    explicit Database(const QString& path, bool readOnly = false)
    {
        const int flags = readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE;
        if (sqlite3_open_v2(QFile::encodeName(path).constData(), &db_, flags, nullptr) != SQLITE_OK)
            ADD_FAILURE() << "cannot open " << path.toStdString() << ": " << sqlite3_errmsg(db_);
    }
    ~Database() { sqlite3_close(db_); }
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // Rows of a statement, each a list of its values; the parameters are bound in order.
    std::vector<QVariantList> Rows(const QString& sql, const QVariantList& params = {}) const
    {
        std::vector<QVariantList> rows;
        sqlite3_stmt* stmt = nullptr;
        if (sqlite3_prepare_v2(db_, sql.toUtf8().constData(), -1, &stmt, nullptr) != SQLITE_OK) {
            ADD_FAILURE() << sql.toStdString() << ": " << sqlite3_errmsg(db_);
            return rows;
        }
        for (int i = 0; i < params.size(); ++i) {
            if (params[i].typeId() == QMetaType::Double)
                sqlite3_bind_double(stmt, i + 1, params[i].toDouble());
            else if (params[i].typeId() == QMetaType::QString)
                sqlite3_bind_text(stmt, i + 1, params[i].toString().toUtf8().constData(), -1,
                                  SQLITE_TRANSIENT);
            else
                sqlite3_bind_int64(stmt, i + 1, params[i].toLongLong());
        }
        int rc;
        while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
            QVariantList row;
            for (int c = 0; c < sqlite3_column_count(stmt); ++c) {
                switch (sqlite3_column_type(stmt, c)) {
                case SQLITE_NULL: row << QVariant(); break;
                case SQLITE_INTEGER: row << qlonglong(sqlite3_column_int64(stmt, c)); break;
                case SQLITE_FLOAT: row << sqlite3_column_double(stmt, c); break;
                default:
                    row << QString::fromUtf8(
                        reinterpret_cast<const char*>(sqlite3_column_text(stmt, c)));
                }
            }
            rows.push_back(row);
        }
        if (rc != SQLITE_DONE)
            ADD_FAILURE() << sql.toStdString() << ": " << sqlite3_errmsg(db_);
        sqlite3_finalize(stmt);
        return rows;
    }

    // The first value of the first row (null when there is none).
    QVariant Value(const QString& sql, const QVariantList& params = {}) const
    {
        const auto rows = Rows(sql, params);
        return rows.empty() || rows.front().isEmpty() ? QVariant() : rows.front().front();
    }

    bool TryExec(const QString& sql) const
    {
        return sqlite3_exec(db_, sql.toUtf8().constData(), nullptr, nullptr, nullptr) == SQLITE_OK;
    }

    void Exec(const QString& sql) const
    {
        if (!TryExec(sql))
            ADD_FAILURE() << sql.toStdString() << ": " << sqlite3_errmsg(db_);
    }

    // "name TYPE" of every column of a table or view, in order.
    QStringList Columns(const QString& table) const
    {
        QStringList columns;
        for (const auto& row : Rows(QStringLiteral("PRAGMA table_info(\"%1\")").arg(table)))
            columns << row[1].toString() + u' ' + row[2].toString();
        return columns;
    }

private:
    sqlite3* db_ = nullptr;
};

// A time of day as the program reads a typed "hh:mm:ss".
double Time(const char* text)
{
    return StrToTime(QString::fromLatin1(text), GermanFormatSettings());
}

// The tables of the data module with their stored columns in table order: name and type.
struct TableColumns {
    const char* table;
    std::vector<const char*> columns;
};

const std::vector<TableColumns>& DataModuleTables()
{
    static const std::vector<TableColumns> tables = {
        {"DATEN",
         {"dat_Id INTEGER", "Datum DATETIME", "Ort VARCHAR(30)", "Form INTEGER",
          "Startzeit DATETIME", "Gefuehl VARCHAR(15)", "Zeit DATETIME", "Meter INTEGER",
          "Wetter VARCHAR(15)", "Wind VARCHAR(15)", "Hoehendifferenz SMALLINT", "Bemerkungen TEXT",
          "Temperatur SMALLINT", "Puls SMALLINT", "Belastungsart SMALLINT",
          "Streckenbeschreibung VARCHAR(255)", "Sportart INTEGER", "Gli DOUBLE", "Gewicht DOUBLE",
          "Belastungsstufe SMALLINT", "User1 VARCHAR(20)", "User2 DOUBLE", "Maxpuls INTEGER",
          "Ruhepuls INTEGER", "Erholungspuls INTEGER", "Fett DOUBLE", "kcal INTEGER",
          "platz SMALLINT", "akplatz SMALLINT", "trainingsblock INTEGER"}},
        {"zeit",
         {"zei_Id INTEGER", "Meter INTEGER", "Zwischenzeit DATETIME", "Puls SMALLINT",
          "zei_minpuls SMALLINT", "zei_maxpuls SMALLINT", "HDiff SMALLINT", "Notitz VARCHAR(100)",
          "zwTyp SMALLINT", "zei_hrm BOOLEAN", "zei_trittfrequenz INTEGER", "zei_importkmh DOUBLE",
          "zei_temperatur INTEGER"}},
        {"sportart",
         {"Spo_Id INTEGER", "Spo_Name VARCHAR(20)", "Spo_Farbe INTEGER", "Spo_Raster INTEGER",
          "Spo_Zahl DOUBLE", "Spo_Text VARCHAR(50)", "Spo_Image BLOB",
          "Spo_ZeitraumStandard BOOLEAN", "Spo_speed INTEGER", "Spo_distance INTEGER",
          "Spo_orderID SMALLINT"}},
        {"FORM",
         {"For_Id INTEGER", "For_Form VARCHAR(20)", "For_Farbe INTEGER", "For_Zahl DOUBLE",
          "For_Text VARCHAR(50)", "For_Planung BOOLEAN", "For_Image BLOB", "For_orderId SMALLINT"}},
        {"BELSTUFE",
         {"bel_ID INTEGER", "bel_Name VARCHAR(50)", "bel_HFStart SMALLINT", "bel_HFEnde SMALLINT",
          "bel_Farbe INTEGER", "bel_Zahl DOUBLE", "bel_Text VARCHAR(50)", "bel_orderID SMALLINT"}},
        {"BELART",
         {"bea_ID INTEGER", "bea_Name VARCHAR(50)", "bea_Farbe INTEGER", "bea_Zahl DOUBLE",
          "bea_Text VARCHAR(50)", "bea_orderID SMALLINT"}},
        {"unit",
         {"unt_id INTEGER", "unt_type INTEGER", "unt_name VARCHAR(50)", "unt_shortname VARCHAR(9)",
          "unt_calc DOUBLE", "unt_allawedit BOOLEAN", "unt_format VARCHAR(50)"}},
        {"TRAININGSBLOCK",
         {"trb_Id INTEGER", "trb_Name VARCHAR(50)", "trb_platz SMALLINT", "trb_form INTEGER",
          "trb_sportart INTEGER", "trb_created DATETIME", "trb_akplatz SMALLINT"}},
        {"CONFIG",
         {"cfg_Id INTEGER", "cfg_name VARCHAR(50)", "cfg_geburtsdatum DATETIME",
          "cfg_maxpuls SMALLINT", "cfg_5000m DATETIME", "cfg_belautocalc BOOLEAN",
          "cfg_nachHF BOOLEAN", "cfg_belFarbeEingabe BOOLEAN", "cfg_belFarbeZeitraum BOOLEAN",
          "cfg_spoFarbeEingabe BOOLEAN", "cfg_spoFarbeZeitraum BOOLEAN",
          "cfg_forFarbeEingabe BOOLEAN", "cfg_forFarbeZeitraum BOOLEAN",
          "cfg_beaFarbeEingabe BOOLEAN", "cfg_beaFarbeZeitraum BOOLEAN",
          "cfg_eingabeTool VARCHAR(50)", "cfg_user1Label VARCHAR(15)",
          "cfg_user2Label VARCHAR(15)", "cfg_trbFarbigZeitraum BOOLEAN",
          "cfg_trbFarbeZeitraum INTEGER", "cfg_noarchive BOOLEAN", "cfg_startfenster VARCHAR(50)",
          "cfg_kommentar BOOLEAN", "cfg_zeitraumCO5aktiv BOOLEAN", "cfg_zeitraumCO5 VARCHAR(255)",
          "cfg_wochenmonatUnt INTEGER"}},
        {"plan",
         {"pla_ID INTEGER", "pla_Name VARCHAR(50)", "pla_Beschreibung TEXT",
          "pla_Created DATETIME", "pla_Realisiert BOOLEAN", "pla_Periode VARCHAR(20)"}},
        {"plan_daten",
         {"pld_ID INTEGER", "pld_PlanID INTEGER", "pld_DatenID INTEGER",
          "pld_status VARCHAR(50)", "pld_realisiert BOOLEAN"}},
        {"EQUIPMENT",
         {"equ_Id INTEGER", "Bezeichnung VARCHAR(30)", "Art VARCHAR(20)", "Kilometer INTEGER",
          "equ_kaufdatum DATETIME", "equ_aktuell BOOLEAN", "equ_kategorie VARCHAR(50)"}},
        {"EQDATEN", {"EqIndex INTEGER", "EinheiIndex INTEGER"}},
        {"STRECKE",
         {"StrIndex INTEGER", "Name VARCHAR(100)", "Land VARCHAR(25)", "Ort VARCHAR(255)",
          "Laenge INTEGER", "HDiff SMALLINT", "Beschreibung TEXT", "Kommentar TEXT",
          "str_kategorie VARCHAR(30)", "str_image BLOB", "str_karte BLOB"}},
        {"streckez",
         {"stz_id INTEGER", "StrIndex INTEGER", "Meter INTEGER", "Streckenpunkt VARCHAR(150)",
          "Hoehe SMALLINT", "Kommentar VARCHAR(255)"}},
        {"bestzeit",
         {"bes_id INTEGER", "bes_sportart INTEGER", "bes_datum DATETIME", "bes_meter INTEGER",
          "bes_typ VARCHAR(50)", "bes_zeit DATETIME", "bes_ort VARCHAR(50)",
          "bes_kategorie VARCHAR(50)", "bes_kommentar TEXT"}},
        {"bel5000m",
         {"be5_Id INTEGER", "be5_gesZeit DATETIME", "be5_zeit DATETIME", "be5_belStufe INTEGER"}},
        {"tools",
         {"too_id INTEGER", "too_Name VARCHAR(50)", "too_source BLOB",
          "too_filename VARCHAR(255)", "too_kategorie VARCHAR(50)",
          "too_beschreibung VARCHAR(255)", "too_html BOOLEAN", "too_exe BOOLEAN",
          "too_delphipackage BOOLEAN"}},
        {"tagebuch", {"tgb_id INTEGER", "tgb_datum DATETIME", "tgb_memo TEXT"}},
        {"Schwellentempo",
         {"sch_zeit DATETIME", "sch_200 DATETIME", "sch_400 DATETIME", "sch_600 DATETIME",
          "sch_800 DATETIME", "sch_1000 DATETIME", "sch_1500 DATETIME"}},
    };
    return tables;
}

// The stored fields of the period statistics' dataset, which reads the saved query.
const QStringList kPeriodFields = {
    "Datum", "Ort", "Meter", "Zeit", "Spo_Name", "For_Form", "bea_Name", "bel_Name", "Puls",
    "Hoehendifferenz", "Startzeit", "Gefuehl", "trainingsblock", "dat_Id", "Form", "Wetter",
    "Wind", "Temperatur", "Belastungsart", "Streckenbeschreibung", "Sportart", "Gli", "Gewicht",
    "Belastungsstufe", "User1", "User2", "Maxpuls", "Ruhepuls", "Erholungspuls", "Fett", "kcal",
    "platz", "distance", "SpeedName"};

struct Template {
    const char* file;
    const char* decimalSeparator;  // of the distance texts of the saved query
    const char* runningName;       // sport 1
};

void PrintTo(const Template& t, std::ostream* os) { *os << t.file; }

class TemplateDatabase : public ::testing::TestWithParam<Template> {
protected:
    void SetUp() override
    {
        const QString source = QDir(QStringLiteral(ORV_TEMPLATE_DIR)).filePath(GetParam().file);
        ASSERT_TRUE(QFile::exists(source)) << source.toStdString();
        // Every test works on a copy: the template beside the program stays as built.
        path_ = folder_.file(QStringLiteral("athlet.orv"));
        ASSERT_TRUE(QFile::copy(source, path_));
        QFile::setPermissions(path_, QFile::ReadOwner | QFile::WriteOwner);
        db_ = std::make_unique<Database>(path_);
    }

    Database& db() { return *db_; }

private:
    TempFolder folder_;
    QString path_;
    std::unique_ptr<Database> db_;
};

TEST_P(TemplateDatabase, HoldsEveryTableAndColumnOfTheDataModel)
{
    EXPECT_EQ(db().Value("PRAGMA integrity_check").toString(), "ok");
    for (const auto& table : DataModuleTables()) {
        QStringList expected;
        for (const char* column : table.columns)
            expected << QString::fromLatin1(column);
        EXPECT_EQ(db().Columns(table.table), expected) << table.table;
    }
}

TEST_P(TemplateDatabase, KeysFollowTheDataModel)
{
    // Keys the database assigns are never handed out twice, so splits, equipment links and plan
    // entries of a deleted unit cannot attach to a new one.
    const std::vector<std::pair<const char*, const char*>> autoKeys = {
        {"DATEN", "dat_Id"},     {"unit", "unt_id"},       {"CONFIG", "cfg_Id"},
        {"plan", "pla_ID"},      {"plan_daten", "pld_ID"}, {"EQUIPMENT", "equ_Id"},
        {"STRECKE", "StrIndex"}, {"streckez", "stz_id"},   {"bestzeit", "bes_id"},
        {"bel5000m", "be5_Id"},  {"tools", "too_id"},      {"tagebuch", "tgb_id"}};
    for (const auto& [table, key] : autoKeys) {
        SCOPED_TRACE(table);
        db().Exec(QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(table));
        const qlonglong first = db().Value(QStringLiteral("SELECT max(%1) FROM %2").arg(key, table)).toLongLong();
        db().Exec(QStringLiteral("DELETE FROM %1 WHERE %2 = %3").arg(table, key).arg(first));
        db().Exec(QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(table));
        EXPECT_GT(db().Value(QStringLiteral("SELECT max(%1) FROM %2").arg(key, table)).toLongLong(), first);
    }

    // Keys the program assigns are unique; the tables without a key keep their rowid.
    for (const auto& [table, key] : std::vector<std::pair<const char*, const char*>>{
             {"sportart", "Spo_Id"}, {"FORM", "For_Id"}, {"BELSTUFE", "bel_ID"},
             {"BELART", "bea_ID"}, {"TRAININGSBLOCK", "trb_Id"}}) {
        db().Exec(QStringLiteral("INSERT INTO %1 (%2) VALUES (77)").arg(table, key));
        EXPECT_FALSE(db().TryExec(QStringLiteral("INSERT INTO %1 (%2) VALUES (77)").arg(table, key)))
            << table;
    }
    for (const char* table : {"zeit", "EQDATEN"})
        EXPECT_EQ(db().Value(QStringLiteral("SELECT count(*) FROM pragma_table_info('%1') WHERE pk > 0").arg(table)).toInt(), 0)
            << table;
}

TEST_P(TemplateDatabase, LookupTablesHoldTheirBuiltInRows)
{
    for (const auto& [table, key] : std::vector<std::pair<const char*, const char*>>{
             {"sportart", "Spo_Id"}, {"FORM", "For_Id"}, {"BELSTUFE", "bel_ID"}, {"BELART", "bea_ID"}})
        EXPECT_EQ(db().Value(QStringLiteral("SELECT count(*) FROM %1 WHERE %2 = 0").arg(table, key)).toInt(), 1)
            << table;

    // Form 1 is the training form a realised plan unit gets; planned units have a form of their own.
    EXPECT_EQ(db().Value("SELECT For_Planung FROM FORM WHERE For_Id = 1").toInt(), 0);
    EXPECT_GE(db().Value("SELECT count(*) FROM FORM WHERE For_Planung = 1").toInt(), 1);
    EXPECT_EQ(db().Value("SELECT Spo_Name FROM sportart WHERE Spo_Id = 1").toString(),
              QString::fromUtf8(GetParam().runningName));

    // Every sport names a pace unit and a distance unit: the first repair at open finds nothing.
    EXPECT_EQ(db().Value("SELECT count(*) FROM sportart WHERE (not spo_distance in (Select unt_id from unit))"
                         " or (not spo_speed in (Select unt_id from unit))").toInt(), 0);
    EXPECT_EQ(db().Value("SELECT count(*) FROM sportart s"
                         " JOIN unit d ON d.unt_id = s.Spo_distance AND d.unt_type = 1"
                         " JOIN unit p ON p.unt_id = s.Spo_speed AND p.unt_type = 2").toInt(),
              db().Value("SELECT count(*) FROM sportart").toInt());

    // Display orders are distinct, so moving a row up or down swaps with exactly one neighbour.
    for (const auto& [table, order] : std::vector<std::pair<const char*, const char*>>{
             {"sportart", "Spo_orderID"}, {"FORM", "For_orderId"}, {"BELSTUFE", "bel_orderID"}, {"BELART", "bea_orderID"}})
        EXPECT_EQ(db().Value(QStringLiteral("SELECT count(DISTINCT %1) = count(*) FROM %2").arg(order, table)).toInt(), 1)
            << table;
}

TEST_P(TemplateDatabase, UnitsConvertMetresAndPaces)
{
    // The repairs at open fall back to unit 1 as pace unit and unit 5 as distance unit.
    EXPECT_EQ(db().Value("SELECT unt_type FROM unit WHERE unt_id = 1").toInt(), 2);
    EXPECT_EQ(db().Value("SELECT unt_type FROM unit WHERE unt_id = 5").toInt(), 1);
    // The split dialog finds the metre unit by its caption "Meter".
    EXPECT_EQ(db().Value("SELECT unt_calc FROM unit WHERE unt_name = 'Meter' AND unt_type = 1").toDouble(), 1.0);

    struct Case {
        const char* shortName;
        int type;
        double value;      // metres, or a pace per kilometre in seconds
        double converted;  // in the unit
    };
    const Case cases[] = {
        {"km", 1, 10500, 10.5},     {"m", 1, 10500, 10500},        {"mi", 1, 1609.344, 1.0},
        {"yd", 1, 0.9144, 1.0},     {"min/km", 2, 300, 300},       {"min/mi", 2, 300, 482.8032},
        {"min/100m", 2, 300, 30},   {"min/500m", 2, 300, 150},
    };
    for (const Case& c : cases) {
        const auto rows = db().Rows("SELECT unt_type, unt_calc FROM unit WHERE unt_shortname = ?",
                                    {QString::fromLatin1(c.shortName)});
        ASSERT_EQ(rows.size(), 1u) << c.shortName;
        EXPECT_EQ(rows[0][0].toInt(), c.type) << c.shortName;
        EXPECT_NEAR(c.value * rows[0][1].toDouble(), c.converted, 1e-9) << c.shortName;
    }
}

TEST_P(TemplateDatabase, SettingsRowHasItsDefaults)
{
    ASSERT_EQ(db().Value("SELECT count(*) FROM CONFIG").toInt(), 1);
    const auto row = db().Rows("SELECT cfg_noarchive, cfg_maxpuls, u.unt_type, cfg_5000m"
                               " FROM CONFIG LEFT JOIN unit u ON u.unt_id = cfg_wochenmonatUnt").front();
    EXPECT_EQ(row[0].toInt(), 1);
    EXPECT_GT(row[1].toInt(), 0);
    EXPECT_EQ(row[2].toInt(), 1) << "the weekly and monthly totals need a distance unit";
    // The stored 5000 m time equals the typed text, so it finds its band set by equality.
    EXPECT_EQ(row[3].toDouble(), Time("00:25:00"));
}

TEST_P(TemplateDatabase, PaceBandsGiveTheLoadLevelOfAPace)
{
    // Every 5000 m time the athlete types, whole seconds from 12:30 to 45:00, has its band set:
    // one threshold per load level.
    for (const char* fiveK : {"00:12:30", "00:21:17", "00:25:00", "00:45:00"})
        EXPECT_EQ(db().Value("SELECT count(*) FROM bel5000m WHERE be5_gesZeit = ?", {Time(fiveK)}).toInt(), 5)
            << fiveK;
    EXPECT_EQ(db().Value("SELECT count(*) FROM bel5000m WHERE be5_belStufe NOT IN (SELECT bel_ID FROM BELSTUFE)").toInt(), 0);

    // The lookup of the automatic load level: the largest threshold strictly below the pace.
    // For 25:00 (5:00 per km) the thresholds are 0, 5:00, 5:24, 6:00 and 7:00.
    const std::pair<const char*, int> cases[] = {
        {"00:04:30", 5}, {"00:05:00", 5}, {"00:05:01", 4}, {"00:05:24", 4},
        {"00:05:25", 3}, {"00:06:30", 2}, {"00:07:00", 2}, {"00:09:00", 1}};
    for (const auto& [pace, level] : cases)
        EXPECT_EQ(db().Value("SELECT be5_belStufe FROM bel5000m WHERE be5_gesZeit = ? AND be5_zeit < ?"
                             " ORDER BY be5_zeit DESC",
                             {Time("00:25:00"), Time(pace)}).toInt(),
                  level)
            << pace;
}

TEST_P(TemplateDatabase, HeartRateBandsCoverEveryPulseOnce)
{
    for (int pulse = 95; pulse <= 220; ++pulse)
        EXPECT_EQ(db().Value("SELECT count(*) FROM BELSTUFE WHERE bel_ID > 0 AND bel_HFStart <= ? AND bel_HFEnde >= ?",
                             {pulse, pulse}).toInt(), 1)
            << pulse;
}

TEST_P(TemplateDatabase, ThresholdPacesLieEveryThirtySeconds)
{
    const auto rows = db().Rows("SELECT sch_zeit, sch_200, sch_400, sch_600, sch_800, sch_1000, sch_1500"
                                " FROM Schwellentempo ORDER BY sch_zeit");
    ASSERT_GT(rows.size(), 2u);
    EXPECT_EQ(rows.front()[0].toDouble(), Time("00:12:00"));
    EXPECT_EQ(rows.back()[0].toDouble(), Time("00:45:00"));
    for (size_t i = 1; i < rows.size(); ++i) {
        EXPECT_NEAR((rows[i][0].toDouble() - rows[i - 1][0].toDouble()) * 86400, 30, 1e-6) << i;
        EXPECT_GT(rows[i][5].toDouble(), rows[i - 1][5].toDouble()) << "slower runners, slower paces";
        for (int d = 2; d <= 6; ++d)
            EXPECT_GT(rows[i][d].toDouble(), rows[i][d - 1].toDouble()) << "longer splits take longer";
    }
    // A 20:00 runner's threshold kilometre lies between 4:10 and 4:20, slower than the race pace.
    const double km = db().Value("SELECT sch_1000 FROM Schwellentempo WHERE sch_zeit = ?", {Time("00:20:00")}).toDouble();
    EXPECT_GT(km, Time("00:04:10"));
    EXPECT_LT(km, Time("00:04:20"));
}

TEST_P(TemplateDatabase, PeriodQueryListsUnitsAndBlockSummaries)
{
    const auto empty = db().Rows("SELECT * FROM zeitraumstat");
    EXPECT_TRUE(empty.empty());
    QStringList columns;
    for (const QString& column : db().Columns("zeitraumstat"))
        columns << column.section(u' ', 0, 0);
    for (const QString& field : kPeriodFields)
        EXPECT_TRUE(columns.contains(field, Qt::CaseInsensitive)) << field.toStdString();

    // Block 7 (dated 3.3.) with two running units, and two units without a block: one
    // swimming, one whose sport row is missing.
    db().Exec("INSERT INTO TRAININGSBLOCK VALUES (7, 'Block', 2, 1, 1, 45354, 0)");
    db().Exec("INSERT INTO DATEN (dat_Id, Datum, Ort, Form, Startzeit, Zeit, Meter, Hoehendifferenz,"
              " Sportart, Belastungsstufe, Belastungsart, trainingsblock, kcal) VALUES"
              " (1, 45352, 'Park', 1, 0.75, 0.03125, 10500, 40, 1, 2, 1, 7, 600),"
              " (2, 45351, 'Wald', 1, 0.5, 0.015625, 5000, 10, 1, 3, 1, 7, 300),"
              " (3, 45340, 'Bad', 1, 0.3, 0.02, 1500, 0, 3, 2, 1, NULL, 0),"
              " (4, 45353, 'Halle', 1, 0.3, 0.02, 800, 0, 99, 0, 0, NULL, 0)");

    const auto rows = db().Rows("SELECT dat_Id, Ort, Meter, Zeit, Hoehendifferenz, kcal, Spo_Name,"
                                " For_Form, distance, SpeedName, Sportart, Form, Datum, trainingsblock"
                                " FROM zeitraumstat");
    ASSERT_EQ(rows.size(), 5u);
    // In date order, a block's summary first and then its units.
    QList<qlonglong> order;
    for (const auto& row : rows)
        order << row[0].toLongLong();
    EXPECT_EQ(order, (QList<qlonglong>{3, 4, -7, 2, 1}));

    const QString sep = QString::fromLatin1(GetParam().decimalSeparator);
    const QVariantList& block = rows[2];
    EXPECT_EQ(block[1].toString(), "Block");
    EXPECT_EQ(block[2].toLongLong(), 15500);
    EXPECT_DOUBLE_EQ(block[3].toDouble(), 0.046875);
    EXPECT_EQ(block[4].toLongLong(), 50);
    EXPECT_EQ(block[5].toLongLong(), 900);
    EXPECT_EQ(block[6].toString(), QString::fromUtf8(GetParam().runningName));
    EXPECT_EQ(block[8].toString(), "15" + sep + "5 km");
    EXPECT_EQ(block[10].toInt(), 1);
    EXPECT_EQ(block[11].toInt(), 1);
    EXPECT_EQ(block[12].toDouble(), 45354.0);
    EXPECT_EQ(block[13].toInt(), 7);

    EXPECT_EQ(rows[4][8].toString(), "10" + sep + "5 km");
    EXPECT_EQ(rows[4][9].toString(), "min/km");
    EXPECT_EQ(rows[0][8].toString(), "1500 m") << "swimming counts in metres";
    EXPECT_EQ(rows[0][9].toString(), "min/100m");
    // A missing sport leaves its names empty but keeps the unit.
    EXPECT_TRUE(rows[1][6].isNull());
    EXPECT_EQ(rows[1][8].toString(), "800 m");

    // The period window's own filters run on it.
    EXPECT_EQ(db().Rows("SELECT * FROM zeitraumstat WHERE Datum BETWEEN 45350 AND 45354"
                        " AND (Sportart = 1) AND (Form = 1) AND (dat_id > 0) ORDER BY Datum, Startzeit").size(),
              2u);
}

INSTANTIATE_TEST_SUITE_P(Templates, TemplateDatabase,
                         ::testing::Values(Template{"leer.orv.system", ",", "Laufen"},
                                           Template{"leer_ENG.orv.system", ".", "Running"}));

// Both templates carry the same tables, columns, keys and indexes; only their rows differ.
TEST(TemplateDatabases, ShareOneSchema)
{
    const QDir dir(QStringLiteral(ORV_TEMPLATE_DIR));
    Database german(dir.filePath("leer.orv.system"), true);
    Database english(dir.filePath("leer_ENG.orv.system"), true);
    const QString schema = QStringLiteral("SELECT type, name, tbl_name FROM sqlite_master ORDER BY name");
    EXPECT_EQ(german.Rows(schema), english.Rows(schema));
    for (const auto& table : DataModuleTables())
        EXPECT_EQ(german.Columns(table.table), english.Columns(table.table)) << table.table;
}

}  // namespace
