// The period statistics' output without widgets: the export's workbook read back from the file,
// the look of a grid cell, and the weekly and monthly running sums of the print.
#include <gtest/gtest.h>

#include <QFile>

#include "analysis/zeitraumoutput.h"
#include "core/orvtools.h"
#include "platform/db/clientdataset.h"
#include "platform/office/officeresult.h"
#include "platform/office/workbookreader.h"
#include "platform/office/workbookwriter.h"
#include "tests/support/testenv.h"

namespace {

class PeriodExportTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved_ = FormatSettings();
        FormatSettings() = GermanFormatSettings();
        result.AddField(QStringLiteral("dat_Id"), ftInteger);
        TField* datum = result.AddField(QStringLiteral("Datum"), ftDateTime);
        datum->SetDisplayFormat(QStringLiteral("dd.mm.yyyy"));
        result.AddField(QStringLiteral("Spo_Name"), ftString, 20)->SetDisplayLabel(QStringLiteral("Sportart"));
        result.AddField(QStringLiteral("Meter"), ftInteger);
        result.AddField(QStringLiteral("kmh"), ftFloat)->SetDisplayFormat(QStringLiteral("#0.0"));
        result.CreateDataSet();
    }
    void TearDown() override { FormatSettings() = saved_; }

    void row(int id, TDateTime datum, const QString& sport, int meter, QVariant kmh)
    {
        result.Append();
        result.FieldByName(QStringLiteral("dat_Id"))->SetAsInteger(id);
        result.FieldByName(QStringLiteral("Datum"))->SetAsDateTime(datum);
        result.FieldByName(QStringLiteral("Spo_Name"))->SetAsString(sport);
        result.FieldByName(QStringLiteral("Meter"))->SetAsInteger(meter);
        result.FieldByName(QStringLiteral("kmh"))->SetValue(kmh);
        result.Post();
    }

    // The sheet's rows as texts, cells joined by "|"; a cell that is no text shows as "#".
    static QStringList readBack(const QString& file)
    {
        OfficeResult<SheetBook> book = ReadWorkbook(file);
        if (!book.Ok())
            return {QStringLiteral("error: ") + book.Error().Text()};
        const SheetData& sheet = book.Value().sheets.value(0);
        QStringList rows;
        for (int r = 0; r < sheet.RowCount(); ++r) {
            QStringList cells;
            for (int c = 0; c < sheet.ColumnCount(); ++c) {
                const TableValue& v = sheet.Cell(r, c);
                cells << (v.kind() == TableValue::Kind::Text || v.IsEmpty() ? v.Text() : QStringLiteral("#"));
            }
            rows << cells.join(QLatin1Char('|'));
        }
        return rows;
    }

    TClientDataSet result;
    TempFolder folder;

private:
    TFormatSettings saved_;
};

TEST_F(PeriodExportTest, WritesLabelsAndDisplayTextsAsTextCells)
{
    row(3, EncodeDate(2026, 3, 2), QStringLiteral("Laufen"), 12000, 11.04);
    row(-7, EncodeDate(2026, 3, 8), QStringLiteral("Laufen"), 30000, QVariant());  // a block row, kmh Null
    const QString file = folder.file(QStringLiteral("zeitraum.xlsx"));
    QList<int> progress;
    ExportPeriodResult(result, {"Datum", "Spo_Name", "Meter", "kmh", "Gibtsnicht"}, file,
                       [&](int rows) { progress << rows; });
    EXPECT_EQ(readBack(file), (QStringList{"Datum|Sportart|Meter|kmh|Gibtsnicht", "02.03.2026|Laufen|12000|11,0|",
                                           "08.03.2026|Laufen|30000||"}));
    EXPECT_EQ(progress, (QList<int>{1, 2}));
    EXPECT_TRUE(result.Eof()) << "the cursor is left after the last row";

    // An empty result: the header row alone.
    result.EmptyDataSet();
    ExportPeriodResult(result, {"Meter", "Datum"}, file);
    EXPECT_EQ(readBack(file), QStringList{"Meter|Datum"});
}

TEST_F(PeriodExportTest, ColumnsGoOnPastFortyTwo)
{
    row(1, EncodeDate(2026, 3, 2), QStringLiteral("Rad"), 40000, 30.0);
    QStringList fields;
    for (int i = 0; i < 45; ++i)
        fields << (i % 2 ? QStringLiteral("Meter") : QStringLiteral("Spo_Name"));
    WorkbookWriter book;
    WorksheetWriter& sheet = book.AddSheet();
    FillPeriodSheet(sheet, result, fields);
    EXPECT_EQ(sheet.ColumnCount(), 45);
    const QString file = folder.file(QStringLiteral("breit.xlsx"));
    ASSERT_TRUE(book.Save(file).Ok());
    const QStringList rows = readBack(file);
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[1].split(QLatin1Char('|')).mid(41), (QStringList{"40000", "Rad", "40000", "Rad"}));
}

TEST_F(PeriodExportTest, FailedSaveRaisesTheWritersErrorAndLeavesNoFile)
{
    row(1, EncodeDate(2026, 3, 2), QStringLiteral("Rad"), 40000, 30.0);
    const QString file = folder.file(QStringLiteral("fehlt/zeitraum.xlsx"));
    EXPECT_THROW(ExportPeriodResult(result, {"Meter"}, file), EOfficeError);
    EXPECT_FALSE(QFile::exists(file));
}

// --- cell colours ----------------------------------------------------------------------------

TEST(PeriodCellLook, ColoursBoldAndSelection)
{
    const TColor dark = RGBColor(0, 0, 128), light = RGBColor(255, 255, 160), green = RGBColor(0, 160, 0);
    const TColor block = RGBColor(200, 220, 255);
    auto colorOf = [&](const QString& field, const QString& name) -> QVariant {
        if (field == "Spo_Name")
            return name == "Laufen" ? QVariant(qlonglong(dark)) : name == "Rad" ? QVariant(qlonglong(light))
                   : name == "Schwimmen"                      ? QVariant(-1)
                                                              : QVariant();
        return name == "GA1" ? QVariant(qlonglong(green)) : QVariant(-1);
    };
    TPeriodColorSettings on;
    on.Sport = on.Form = on.Load = on.LoadType = on.Blocks = true;
    on.BlockColor = block;
    TPeriodColorSettings off;
    const struct {
        const char* field;
        QVariant value;
        int key;
        bool selected;
        const TPeriodColorSettings& settings;
        std::optional<TColor> background;
        std::optional<TColor> text;
        bool bold;
    } cases[] = {
        {"Spo_Name", "Laufen", 5, false, on, dark, clWhite, false},     // dark sport: white text
        {"Spo_Name", "Rad", 5, true, on, light, clBlack, false},        // light sport, selected too
        {"Spo_Name", "Schwimmen", 5, false, on, {}, {}, false},         // colour -1: normal look
        {"Spo_Name", "Unbekannt", 5, false, on, {}, {}, false},         // no lookup row
        {"Spo_Name", QVariant(), 5, false, on, {}, {}, false},          // Null value
        {"Spo_Name", "Laufen", 5, false, off, {}, {}, false},           // switch off
        {"For_Form", "GA1", 5, false, on, green, {}, false},            // background only
        {"bel_Name", "GA1", 5, false, on, green, {}, false},
        {"bea_Name", "GA1", 5, true, on, green, {}, false},
        {"For_Form", "GA1", 5, false, off, {}, {}, false},
        {"for_form", "GA1", 5, false, on, {}, {}, false},               // names compare exactly
        {"Ort", "Park", -3, false, on, block, {}, true},                // block row on the block colour
        {"Ort", "Park", -3, true, on, {}, {}, true},                    // selected: selection colour, bold
        {"Ort", "Park", -3, false, off, {}, {}, true},                  // colour switch off: bold only
        {"Ort", "Park", 0, false, on, {}, {}, false},                   // key 0 is no block
        {"Spo_Name", "Laufen", -3, false, on, block, clBlack, true},    // the text follows the block colour
        {"Spo_Name", "Laufen", -3, true, on, dark, clWhite, true},
    };
    for (const auto& c : cases) {
        const TPeriodCellLook look =
            PeriodCellLook(QString::fromLatin1(c.field), c.value, c.key, c.selected, c.settings, colorOf);
        const QString what = QStringLiteral("%1 %2 key %3%4").arg(QString::fromLatin1(c.field), c.value.toString()).arg(c.key).arg(QString::fromLatin1(c.selected ? " selected" : ""));
        EXPECT_EQ(look.Background, c.background) << qPrintable(what);
        EXPECT_EQ(look.Text, c.text) << qPrintable(what);
        EXPECT_EQ(look.Bold, c.bold) << qPrintable(what);
    }
}

// --- running sums ----------------------------------------------------------------------------

TEST(WeekMonthSums, WeeksAndMonthsStartWhereTheyShould)
{
    const struct {
        TDateTime day;
        int meter;
        int week;
        bool newWeek;
        int month;
        bool newMonth;
    } rows[] = {
        {EncodeDate(2026, 11, 30), 1000, 1000, true, 1000, true},    // Monday: the first row starts both
        {EncodeDate(2026, 12, 2), 2000, 3000, false, 2000, true},    // Wednesday; December
        {EncodeDate(2026, 12, 6), 500, 3500, false, 2500, false},    // Sunday
        {EncodeDate(2026, 12, 6), 700, 4200, false, 3200, false},    // a second unit that Sunday
        {EncodeDate(2026, 12, 7), 3000, 3000, true, 6200, false},    // the next Monday
        {EncodeDate(2026, 12, 16), 100, 100, true, 6300, false},     // Wednesday after a week's gap
        {EncodeDate(2026, 12, 24), 200, 200, true, 6500, false},     // the next week's Thursday
        {EncodeDate(2026, 12, 31), 300, 300, true, 6800, false},     // Thursday
        {EncodeDate(2027, 1, 1), 400, 700, false, 400, true},        // January in the same week
    };
    TWeekMonthSums sums;
    for (int run = 0; run < 2; ++run) {
        sums.Reset();
        for (const auto& r : rows) {
            const TWeekMonthSums::Row got = sums.Add(r.day, r.meter);
            const QString day = DateToStr(r.day, GermanFormatSettings());
            EXPECT_EQ(got.Week, r.week) << qPrintable(day);
            EXPECT_EQ(got.NewWeek, r.newWeek) << qPrintable(day);
            EXPECT_EQ(got.Month, r.month) << qPrintable(day);
            EXPECT_EQ(got.NewMonth, r.newMonth) << qPrintable(day);
        }
    }
}

}  // namespace
