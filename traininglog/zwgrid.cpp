#include "traininglog/zwgrid.h"

#include <QPainter>
#include <QPainterPath>

#include <optional>

#include "core/language.h"
#include "core/orvdbserver.h"
#include "platform/db/dataset.h"
#include "platform/db/query.h"
#include "platform/vcl/grids.h"
#include "platform/vcl/imglist.h"

namespace zwgrid {

namespace {

constexpr int kWidths[ColumnCount] = {16, 64, 70, 59, 58, 47, 44, 50, 50, 50, 50, 133, 46, 46, 46, 46, -1, -1};

// The data fields of columns 0 to 16; column 17 is Meter as plain metres.
constexpr const char* kFields[ColumnCount - 1] = {
    "zwTyp",        "zei_distance", "Zwischenzeit", "Split",          "minkm",          "kmh",
    "Puls",         "zei_minpuls",  "zei_maxpuls",  "HDiff",          "zei_trittfrequenz", "Notitz",
    "zei_hdiffpkt", "zei_steigung", "zei_importkmh", "zei_temperatur", "zei_splitmeter"};

QString kindLines(bool hrm)
{
    return hrm ? QStringLiteral(" and (zei_hrm = true) ORDER by zwischenzeit,zeit.meter")
               : QStringLiteral(" and (zei_hrm = false) ORDER by zeit.meter,zwischenzeit");
}

// The fields behind a row's 18 cells, looked up once for a pass over many rows: a long
// heart-rate unit has thousands of rows, and each lookup is a search by name.
class RowCellReader {
public:
    explicit RowCellReader(TDataSet& zeit)
    {
        for (int c = 0; c < ColumnCount - 1; ++c)
            fields_[c] = zeit.FieldByName(QString::fromLatin1(kFields[c]));
        meter_ = zeit.FieldByName(QStringLiteral("Meter"));
    }

    // The cell texts of the dataset's current row.
    QStringList cells() const
    {
        QStringList cells;
        cells.reserve(ColumnCount);
        for (TField* f : fields_)
            cells << f->DisplayText();
        cells << (meter_->IsNull() ? QString() : QString::number(meter_->AsInteger()));
        return cells;
    }

private:
    TField* fields_[ColumnCount - 1] = {};
    TField* meter_ = nullptr;
};

QString conditionLine(int datId)
{
    return QStringLiteral("Where (zei_id = ") + QString::number(datId) + QStringLiteral(") ");
}

}  // namespace

int columnWidth(int col)
{
    return col >= 0 && col < ColumnCount ? kWidths[col] : -1;
}

QString readSql(int datId, bool hrm, bool withFormat)
{
    return QStringLiteral("SELECT zeit.*,unit.unt_shortName,unit.unt_Name,unit.unt_calc") +
           (withFormat ? QStringLiteral(", unt_format") : QString()) +
           QStringLiteral(" FROM ((zeit INNER JOIN daten on (daten.dat_id = zeit.zei_id)) inner join sportart on "
                          "(daten.sportart = sportart.spo_id)) inner join unit on (sportart.spo_distance = "
                          "unit.unt_id) \r\n") +
           conditionLine(datId) + QStringLiteral("\r\n") + kindLines(hrm);
}

QString editSql(int datId, bool hrm)
{
    return QStringLiteral("SELECT zeit.*,\"\" as unt_shortName,\"\" as unt_Name,0.01 as unt_calc FROM zeit  \r\n") +
           conditionLine(datId) + QStringLiteral("\r\n") + kindLines(hrm);
}

QString statisticsCondition(int datId, bool hrm)
{
    return QStringLiteral("(zei_id = ") + QString::number(datId) + QStringLiteral(") and (zei_hrm = ") +
           (hrm ? QStringLiteral("True") : QStringLiteral("False")) + QStringLiteral(")");
}

QStringList headers(const QString& distanceLabel)
{
    return {QString(),
            QStringLiteral("    ") + distanceLabel,
            LoadStr(msg::ColZwischenzeit),
            LoadStr(msg::ColSplit),
            LoadStr(msg::ColMinKm),
            LoadStr(msg::ColKmh),
            LoadStr(msg::ColPuls),
            LoadStr(msg::ColMinPuls),
            LoadStr(msg::ColMaxPuls),
            LoadStr(msg::ColHoehe),
            LoadStr(msg::ColTrittfrequenz),
            LoadStr(msg::ColNotiz),
            LoadStr(msg::ColHDiff),
            LoadStr(msg::ColSteigung),
            LoadStr(msg::ColImportKmh),
            LoadStr(msg::ColTemperatur),
            LoadStr(msg::ColSplitDist),
            QString()};
}

QStringList rowCells(TDataSet& zeit)
{
    return RowCellReader(zeit).cells();
}

void fill(TStringGrid& grid, TDataSet& zeit, const QString& distanceLabel, const std::function<void()>& step)
{
    grid.SetColCount(ColumnCount);
    if (grid.RowCount() > 1)
        grid.SetRows(1, QStringList());
    grid.SetRows(0, headers(distanceLabel));
    for (int c = 0; c < ColumnCount; ++c)
        grid.SetColWidths(c, kWidths[c]);
    zeit.First();
    const int count = zeit.Active() ? zeit.RecordCount() : 0;
    grid.SetRowCount(count > 0 ? count + 1 : 2);
    if (count == 0)
        grid.SetRows(1, QStringList());
    std::optional<RowCellReader> reader;
    if (count > 0)
        reader.emplace(zeit);
    for (int r = 1; r <= count; ++r) {
        grid.SetRows(r, reader->cells());
        zeit.Next();
        if (step)
            step();
    }
    if (grid.RowCount() > 1)
        grid.SetFixedRows(1);
}

QList<QStringList> dataRows(const TStringGrid& grid)
{
    QList<QStringList> rows;
    for (int r = 1; r < grid.RowCount(); ++r)
        rows << grid.Rows(r);
    return rows;
}

void openRowsOfUnit(TorvServer& server, TQuery& rows, int datId, bool hrm)
{
    rows.Close();
    rows.SetConnection(&server.orvDB);
    if (rows.FieldCount() == 0) {
        DeclareSplitFields(rows);
        rows.OnCalcFields = [&server](TDataSet* d) { server.zeitCalcFields(d); };
        rows.FieldByName(QStringLiteral("Meter"))->OnGetText = [&server](TField* f, QString& text, bool display) {
            server.zeitMeterGetText(f, text, display);
        };
    }
    rows.SetSQLText(readSql(datId, hrm, false));
    rows.Open();
}

QList<QStringList> rowsOfUnit(TorvServer& server, TQuery& rows, int datId, bool hrm)
{
    openRowsOfUnit(server, rows, datId, hrm);
    QList<QStringList> cells;
    if (rows.IsEmpty())
        return cells;
    const RowCellReader reader(rows);
    for (rows.First(); !rows.Eof(); rows.Next())
        cells << reader.cells();
    return cells;
}

QPixmap splitTypePicture(int type)
{
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    if (type <= 0)
        return pm;
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    switch (type) {
    case 1:  // start: a green flag
    case 2:  // finish: a chequered flag
        p.setBrush(QColor(60, 60, 60));
        p.drawRect(QRectF(3, 2, 1.5, 12));
        if (type == 1) {
            p.setBrush(QColor(40, 150, 60));
            p.drawRect(QRectF(4.5, 2, 9, 6));
        } else {
            for (int i = 0; i < 3; ++i)
                for (int j = 0; j < 2; ++j) {
                    p.setBrush((i + j) % 2 ? Qt::white : Qt::black);
                    p.drawRect(QRectF(4.5 + i * 3, 2 + j * 3, 3, 3));
                }
        }
        break;
    case 3:  // stop: a blue dot
        p.setBrush(QColor(40, 90, 200));
        p.drawEllipse(QRectF(3, 3, 10, 10));
        break;
    case 4:  // uphill
        p.setBrush(QColor(200, 90, 30));
        p.drawPolygon(QPolygonF({QPointF(2, 14), QPointF(14, 14), QPointF(14, 3)}));
        break;
    case 5:  // downhill
        p.setBrush(QColor(30, 130, 170));
        p.drawPolygon(QPolygonF({QPointF(2, 14), QPointF(14, 14), QPointF(2, 3)}));
        break;
    case 6: {  // hill
        QPainterPath hill(QPointF(1, 14));
        hill.quadTo(QPointF(8, -2), QPointF(15, 14));
        p.setBrush(QColor(90, 140, 60));
        p.drawPath(hill);
        break;
    }
    case 7:  // pause
        p.setBrush(QColor(70, 70, 80));
        p.drawRect(QRectF(4, 3, 3, 10));
        p.drawRect(QRectF(9, 3, 3, 10));
        break;
    default: {  // further types: their number on a grey tile
        p.setBrush(QColor(150, 155, 165));
        p.drawRoundedRect(QRectF(1, 1, 14, 14), 3, 3);
        p.setPen(Qt::white);
        QFont f = p.font();
        f.setPixelSize(10);
        f.setBold(true);
        p.setFont(f);
        p.drawText(QRectF(1, 1, 14, 14), Qt::AlignCenter, QString::number(type));
        break;
    }
    }
    return pm;
}

TImageList* newSplitTypeImages(QObject* owner)
{
    auto* list = new TImageList(owner, 16, 16);
    for (int i = 0; i < 12; ++i)
        list->Add(splitTypePicture(i));
    return list;
}

QPixmap unitSwitchMark()
{
    QPixmap pm(10, 10);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 52, 72));
    p.drawPolygon(QPolygonF({QPointF(1, 3), QPointF(9, 3), QPointF(5, 8)}));
    return pm;
}

}  // namespace zwgrid
