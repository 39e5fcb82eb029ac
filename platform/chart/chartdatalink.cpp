#include "platform/chart/chartdatalink.h"

#include <algorithm>

#include "platform/chart/chartmodel.h"
#include "platform/db/displayrowscope.h"

TColor ChartColorOfValue(const QVariant& value)
{
    if (value.isNull() || !value.isValid())
        return clChartDefault;
    bool ok = false;
    qint64 v = 0;
    if (value.typeId() == QMetaType::QString || value.typeId() == QMetaType::QByteArray) {
        const QString text = value.toString().trimmed();
        int64_t parsed = 0;
        ok = TryStrToInt64(text, parsed);
        v = parsed;
    } else {
        const double d = value.toDouble(&ok);
        v = qint64(d);
        ok = ok && d == double(v);
    }
    if (!ok || v < 0 || v > qint64(0xFFFFFFFF))
        return clChartDefault;
    return TColor(v);
}

ChartDataLink::ChartDataLink(ChartModel& chart, int series)
    : chart_(chart), series_(series)
{
}

ChartDataLink::~ChartDataLink() = default;

void ChartDataLink::SetDataSource(TDataSource* ds)
{
    TDataLink::SetDataSource(ds);
    Refill();
}

void ChartDataLink::SetValueField(const QString& name)
{
    valueField_ = name;
}

void ChartDataLink::SetLabelField(const QString& name)
{
    labelField_ = name;
}

void ChartDataLink::SetColorField(const QString& name)
{
    colorField_ = name;
}

void ChartDataLink::SetXField(const QString& name)
{
    xField_ = name;
}

void ChartDataLink::SetXValues(bool on)
{
    xValues_ = on;
}

void ChartDataLink::activeChanged()
{
    Refill();
}

void ChartDataLink::dataSetChanged()
{
    Refill();
}

void ChartDataLink::Refill()
{
    TDataSet* ds = DataSet();
    if (!Active() || !ds || valueField_.isEmpty()) {
        chart_.SetSeriesData(series_, {});
        return;
    }
    TField* valueField = ds->FieldByName(valueField_);
    TField* labelField = labelField_.isEmpty() ? nullptr : ds->FieldByName(labelField_);
    TField* colorField = colorField_.isEmpty() ? nullptr : ds->FieldByName(colorField_);
    TField* xField = xField_.isEmpty() ? nullptr : ds->FieldByName(xField_);

    struct Row {
        double value;
        QString label;
        TColor color;
        double x;
        bool hasX;
    };
    std::vector<Row> rows;
    const int n = ds->LinkRecordCount();
    rows.reserve(size_t(n));
    {
        TDisplayRowScope scope(ds);
        for (int pos = 0; pos < n; ++pos) {
            ds->SetDisplayRow(pos);
            Row row{ChartNoValue, QString(), clChartDefault, 0.0, false};
            if (!valueField->IsNull()) {
                // A text that is no number is a point without value, as a null is.
                try {
                    row.value = valueField->AsFloat();
                } catch (const EConvertError&) {
                    row.value = ChartNoValue;
                }
            }
            if (labelField)
                row.label = labelField->DisplayText();
            if (colorField)
                row.color = ChartColorOfValue(colorField->Value());
            if (xField && !xField->IsNull()) {
                try {
                    row.x = xField->AsFloat();
                    row.hasX = true;
                } catch (const EConvertError&) {
                }
            }
            rows.push_back(std::move(row));
        }
    }
    if (xField) {
        // Rows without an X value keep their order behind the others.
        std::stable_sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) {
            if (a.hasX != b.hasX)
                return a.hasX;
            return a.hasX && a.x < b.x;
        });
    }

    std::vector<double> values;
    std::vector<TColor> colors;
    values.reserve(rows.size());
    colors.reserve(rows.size());
    for (const Row& r : rows) {
        values.push_back(r.value);
        colors.push_back(r.color);
    }
    chart_.BeginUpdate();
    try {
        chart_.SetSeriesData(series_, values, colors);
        if (xField && xValues_) {
            std::vector<double> xs;
            xs.reserve(rows.size());
            for (const Row& r : rows)
                xs.push_back(r.hasX ? r.x : ChartNoValue);
            chart_.SetSeriesXData(series_, xs);
        }
        if (labelField) {
            ChartAxis& axis = chart_.AxisObject(AxisX);
            axis.ClearAxisPointLabels();
            for (size_t i = 0; i < rows.size(); ++i)
                axis.SetAxisPointLabel(int(i), rows[i].label);
        }
    } catch (...) {
        chart_.EndUpdate();
        throw;
    }
    chart_.EndUpdate();
}
