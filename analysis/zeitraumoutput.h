#pragma once
// The period statistics' output without widgets: the workbook of the Excel export, the look of a
// cell of the result grid, and the weekly and monthly running sums of the print.
#include <QString>
#include <QStringList>
#include <QVariant>

#include <cstdint>
#include <functional>
#include <optional>

#include "platform/rtl/graphics.h"
#include "platform/rtl/sysutils.h"

class TDataSet;
class WorksheetWriter;

// --- export ----------------------------------------------------------------------------------

// Fills a sheet from the result: row 1 holds the display labels of the fields (the grid's visible
// columns, in grid order, without gaps), then one row per result row with each field's display
// text as the grid shows it. Every value is a text cell; block rows are written like unit rows.
// A field the result does not have gets its name as label and empty cells. `progress` hears the
// number of rows done after each row. The result's cursor is left after its last row.
void FillPeriodSheet(WorksheetWriter& sheet, TDataSet& result, const QStringList& fields,
                     const std::function<void(int rowsDone)>& progress = {});

// Fills a new workbook and saves it under the file name; EOfficeError (the writer's message) when
// it cannot be saved, and then no file is left under that name.
void ExportPeriodResult(TDataSet& result, const QStringList& fields, const QString& fileName,
                        const std::function<void(int rowsDone)>& progress = {});

// --- cell colours ----------------------------------------------------------------------------

// The athlete's colour switches of the period grid (configuration row).
struct TPeriodColorSettings {
    bool Sport = false;     // cfg_spoFarbeZeitraum
    bool Form = false;      // cfg_forFarbeZeitraum
    bool Load = false;      // cfg_belFarbeZeitraum
    bool LoadType = false;  // cfg_beaFarbeZeitraum
    bool Blocks = false;    // cfg_trbFarbigZeitraum
    TColor BlockColor = clWhite;  // cfg_trbFarbeZeitraum
};
// Reads the switches from the configuration row (Null counts as off).
TPeriodColorSettings PeriodColorSettings(TDataSet& config);

// How one cell is painted; what is not set keeps the grid's own look (normal or selected).
struct TPeriodCellLook {
    std::optional<TColor> Background;
    std::optional<TColor> Text;
    bool Bold = false;
};

// The colour of a lookup row by its displayed name, for the column's field ("Spo_Name",
// "For_Form", "bel_Name", "bea_Name"): the row's colour, or Null when no row has that name.
using TLookupColor = std::function<QVariant(const QString& fieldName, const QString& name)>;

// The look of a cell: `value` is the cell's field value, `rowKey` the value of the field in grid
// column 0 (the unit key, negative on a block's summary row). The sport cell gets its sport's
// colour with black or white text, form, load level and load type cells their colour with the
// normal text colour (a colour of -1 is none; selected rows keep these colours). Block rows are
// bold and, while not selected, on the block colour when the switch is on.
TPeriodCellLook PeriodCellLook(const QString& fieldName, const QVariant& value, const QVariant& rowKey,
                               bool selected, const TPeriodColorSettings& settings, const TLookupColor& colorOf);

// The colour of the lookup row of the data module's sports, forms, load levels or load types.
QVariant PeriodLookupColor(const QString& fieldName, const QString& name);

// --- running sums of the print ---------------------------------------------------------------

// The metres of the current week and month, row by row in date order. A week runs from Monday
// to Sunday: a row starts a new week when its week is not the previous row's (also after a gap of
// more than a week), and a new month when its month or year is not the previous row's.
class TWeekMonthSums {
public:
    struct Row {
        int32_t Week = 0;   // the week's metres up to this row, this row included
        int32_t Month = 0;
        bool NewWeek = false;   // drawn with a dashed line above
        bool NewMonth = false;  // drawn with a dotted line above
    };

    // The start of every report: no previous row (the first row starts a week and a month).
    void Reset();
    Row Add(TDateTime datum, int32_t meter);

private:
    TDateTime previous_ = 1.0;  // 31.12.1899, a Sunday
    int32_t week_ = 0;
    int32_t month_ = 0;
};
