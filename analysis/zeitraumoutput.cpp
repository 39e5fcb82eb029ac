#include "analysis/zeitraumoutput.h"

#include <vector>

#include "core/orvdbserver.h"
#include "core/orvtools.h"
#include "platform/db/dataset.h"
#include "platform/db/fields.h"
#include "platform/office/workbookwriter.h"

// --- export ----------------------------------------------------------------------------------

void FillPeriodSheet(WorksheetWriter& sheet, TDataSet& result, const QStringList& fields,
                     const std::function<void(int)>& progress)
{
    std::vector<TField*> columns;
    columns.reserve(size_t(fields.size()));
    for (int k = 0; k < fields.size(); ++k) {
        TField* f = result.FindField(fields[k]);
        columns.push_back(f);
        sheet.SetText(0, k, f ? f->DisplayLabel() : fields[k]);
    }
    if (!result.Active())
        return;
    int row = 0;
    for (result.First(); !result.Eof(); result.Next()) {
        ++row;
        for (size_t k = 0; k < columns.size(); ++k)
            if (columns[k]) {
                const QString text = columns[k]->DisplayText();
                if (!text.isEmpty())
                    sheet.SetText(row, int(k), text);
            }
        if (progress)
            progress(row);
    }
}

void ExportPeriodResult(TDataSet& result, const QStringList& fields, const QString& fileName,
                        const std::function<void(int)>& progress)
{
    WorkbookWriter book;
    FillPeriodSheet(book.AddSheet(), result, fields, progress);
    book.Save(fileName).ThrowIfFailed();
}

// --- cell colours ----------------------------------------------------------------------------

namespace {

bool switchOn(TDataSet& config, const char* name)
{
    TField* f = config.Active() ? config.FindField(QString::fromLatin1(name)) : nullptr;
    return f && !f->IsNull() && f->AsBoolean();
}

// The lookup colour of a cell whose switch is on; none for -1, a Null colour or a name no row has.
std::optional<TColor> lookupColor(const QString& fieldName, const QVariant& value, const TLookupColor& colorOf)
{
    if (!colorOf)
        return std::nullopt;
    const QVariant c = colorOf(fieldName, value.toString());
    if (c.isNull() || !c.isValid())
        return std::nullopt;
    bool ok = false;
    const qlonglong n = c.toLongLong(&ok);
    if (!ok || n == -1)
        return std::nullopt;
    return TColor(uint32_t(n));
}

}  // namespace

TPeriodColorSettings PeriodColorSettings(TDataSet& config)
{
    TPeriodColorSettings s;
    s.Sport = switchOn(config, "cfg_spoFarbeZeitraum");
    s.Form = switchOn(config, "cfg_forFarbeZeitraum");
    s.Load = switchOn(config, "cfg_belFarbeZeitraum");
    s.LoadType = switchOn(config, "cfg_beaFarbeZeitraum");
    s.Blocks = switchOn(config, "cfg_trbFarbigZeitraum");
    TField* color = config.Active() ? config.FindField(QStringLiteral("cfg_trbFarbeZeitraum")) : nullptr;
    if (color && !color->IsNull())
        s.BlockColor = TColor(uint32_t(color->AsInteger()));
    return s;
}

TPeriodCellLook PeriodCellLook(const QString& fieldName, const QVariant& value, const QVariant& rowKey,
                               bool selected, const TPeriodColorSettings& settings, const TLookupColor& colorOf)
{
    TPeriodCellLook look;
    // The field names compare exactly, as the grid's columns name them.
    if (value.isValid() && !value.isNull()) {
        const bool sport = fieldName == QLatin1String("Spo_Name") && settings.Sport;
        const bool other = (fieldName == QLatin1String("For_Form") && settings.Form) ||
                           (fieldName == QLatin1String("bel_Name") && settings.Load) ||
                           (fieldName == QLatin1String("bea_Name") && settings.LoadType);
        if (sport || other) {
            if (const std::optional<TColor> c = lookupColor(fieldName, value, colorOf)) {
                look.Background = *c;
                if (sport)
                    look.Text = ContrastTextColor(*c);
            }
        }
    }
    bool ok = false;
    const bool block = rowKey.isValid() && !rowKey.isNull() && rowKey.toLongLong(&ok) < 0 && ok;
    if (block) {
        look.Bold = true;
        if (!selected && settings.Blocks) {
            look.Background = settings.BlockColor;
            // A sport's text colour was chosen for the sport's colour; on the block colour the
            // text follows that one, so that it stays readable.
            if (look.Text)
                look.Text = ContrastTextColor(settings.BlockColor);
        }
    }
    return look;
}

QVariant PeriodLookupColor(const QString& fieldName, const QString& name)
{
    if (!orvServer)
        return QVariant();
    struct Source {
        const char* column;
        TDataSet* table;
        const char* key;
        const char* color;
    };
    const Source sources[] = {
        {"Spo_Name", &orvServer->sportart, "Spo_Name", "Spo_Farbe"},
        {"For_Form", &orvServer->form, "For_Form", "For_Farbe"},
        {"bel_Name", &orvServer->belStufe, "bel_Name", "bel_Farbe"},
        {"bea_Name", &orvServer->belArt, "bea_Name", "bea_Farbe"},
    };
    for (const Source& s : sources)
        if (fieldName == QLatin1String(s.column)) {
            if (!s.table->Active())
                return QVariant();
            return s.table->Lookup(QString::fromLatin1(s.key), name, QString::fromLatin1(s.color));
        }
    return QVariant();
}

// --- running sums of the print ---------------------------------------------------------------

namespace {

TDateTime mondayOf(TDateTime day)
{
    const TDateTime d = DateOf(day);
    return d - (DayOfTheWeek(d) - 1);
}

}  // namespace

void TWeekMonthSums::Reset()
{
    previous_ = 1.0;
    week_ = 0;
    month_ = 0;
}

TWeekMonthSums::Row TWeekMonthSums::Add(TDateTime datum, int32_t meter)
{
    Row row;
    // The Monday of the week tells weeks apart: a second unit on the same day, a Sunday too,
    // stays in its week, and a gap of more than a week still starts a new one.
    row.NewWeek = mondayOf(datum) != mondayOf(previous_);
    if (row.NewWeek)
        week_ = 0;
    int y = 0, m = 0, d = 0, py = 0, pm = 0, pd = 0;
    DecodeDate(datum, y, m, d);
    DecodeDate(previous_, py, pm, pd);
    row.NewMonth = m != pm || y != py;
    if (row.NewMonth)
        month_ = 0;
    row.Week = week_ + meter;
    row.Month = month_ + meter;
    week_ += meter;
    month_ += meter;
    previous_ = datum;
    return row;
}
