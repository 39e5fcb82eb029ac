#pragma once
// A chart series fed from a dataset, as the data-aware bar charts of the quick statistics and
// the calendar-week tool are: one point per visible row, the value from one field, the category
// label from another and the point's colour from a third (a number, or a number written as
// text; null, negative or unreadable means the series' own colour). With an X field the rows
// are taken in that field's ascending order; with XValues on, the X field's values also place
// the points on the X axis (a height profile over the distance), so the X axis counts values. The series is filled anew whenever the dataset
// opens, is re-read or the link gets another data source, and emptied when the dataset closes.
//
//   ChartDataLink link(*DBChart1, 0);
//   link.SetValueField("SummevonMeter");
//   link.SetLabelField("lSportart");
//   link.SetColorField("farbe");
//   link.SetXField("xvalue");
//   link.SetDataSource(&dsSportart);   // filled now if open, and after every open
#include <QString>

#include "platform/db/datasource.h"
#include "platform/rtl/graphics.h"

class ChartModel;

class ChartDataLink : public TDataLink {
public:
    ChartDataLink(ChartModel& chart, int series);
    ~ChartDataLink() override;

    // Connects the series to a data source (null: none) and fills it from there.
    void SetDataSource(TDataSource* ds);

    int Series() const { return series_; }
    const QString& ValueField() const { return valueField_; }
    void SetValueField(const QString& name);
    const QString& LabelField() const { return labelField_; }
    void SetLabelField(const QString& name);
    const QString& ColorField() const { return colorField_; }
    void SetColorField(const QString& name);
    const QString& XField() const { return xField_; }
    void SetXField(const QString& name);
    bool XValues() const { return xValues_; }
    void SetXValues(bool on);

    // Reads the rows into the series now. A field name the dataset lacks raises the dataset's
    // error ("Feld 'x' nicht gefunden"); a value that is null or no number is "no value".
    void Refill();

protected:
    void activeChanged() override;
    void dataSetChanged() override;

private:
    ChartModel& chart_;
    int series_;
    QString valueField_;
    QString labelField_;
    QString colorField_;
    QString xField_;
    bool xValues_ = false;
};

// The colour a field value stands for: a non-negative number (or such a number as text) is a
// colour value; null, negative and unreadable values are clChartDefault.
TColor ChartColorOfValue(const QVariant& value);
