#pragma once
// The chart model: what a chart shows, kept as plain values so that windows and tests can fill
// and read it without painting. Series of values (with optional X values, point colours and
// point labels), three axes (0 main value axis on the left, 1 secondary value axis on the right,
// 2 X or category axis at the bottom), stripes (coloured bands on an axis), constant lines,
// title, legend and background.
//
// Data arrive in blocks as the statistics windows write them:
//
//   chart.OpenDataBlock(cbValues, 3, n);          // 3 series of n points
//   chart.SetDataValue(0, p, 1234.0);             // series 0, point p
//   chart.CloseDataBlock(cbValues);               // scales recomputed, chart shown anew
//   chart.SeriesObject(2).SetSeriesAxis(1);       // series 2 against the secondary axis
//   chart.AxisObject(0).SetAxisMax(chart.AxisObject(0).AxisMax() * 1.5);
//
// Blocks of different kinds may be open at the same time (X values and values); the chart shows
// nothing new until every block is closed. A value never set is "no value", which is not 0: it
// draws no bar and breaks a line.
#include <QFont>
#include <QImage>
#include <QString>
#include <QStringList>

#include <functional>
#include <limits>
#include <memory>
#include <optional>
#include <vector>

#include "platform/rtl/graphics.h"
#include "platform/rtl/sysutils.h"

// Errors of chart calls (an index outside the chart, a block that is not open).
class EChartError : public Exception {
    using Exception::Exception;
};

// Kinds of data blocks, numbered as the windows pass them.
enum TChartBlock { cbValues = 1, cbConstants = 2, cbColors = 3, cbStripes = 4, cbXValues = 6 };
// Bits of ClearData.
enum TChartClear { ccValues = 1, ccStripes = 8, ccConstants = 16 };

enum class ChartKind { Line, Bar, Area, Pie };
enum class AxisLabelKind { Number, Time };

inline constexpr int AxisMainY = 0;
inline constexpr int AxisSecondaryY = 1;
inline constexpr int AxisX = 2;

// The value of a point that has none.
inline constexpr double ChartNoValue = std::numeric_limits<double>::quiet_NaN();
inline bool IsNoValue(double v) { return v != v; }

// -1 (as the database stores "no colour"), clNone and clDefault: the chart's own colour.
inline constexpr TColor clChartDefault = TColor(0xFFFFFFFFu);
bool IsDefaultChartColor(TColor c);

class ChartModel;

class ChartSeries {
public:
    // The value axis the series is drawn against: 0 main, 1 secondary.
    int SeriesAxis() const { return axis_; }
    void SetSeriesAxis(int axis);
    const QString& SeriesLegend() const { return legend_; }
    void SetSeriesLegend(const QString& text);
    bool SeriesVisible() const { return visible_; }
    void SetSeriesVisible(bool visible);
    // clChartDefault (-1) gives the series its colour from the chart's palette.
    TColor SeriesColor() const { return color_; }
    void SetSeriesColor(TColor color);
    // The colour the series is drawn in (its own or the palette's).
    QColor DrawColor() const;

    // How the series is drawn; without a kind of its own it follows the chart's gallery.
    std::optional<ChartKind> SeriesKind() const { return kind_; }
    void SetSeriesKind(std::optional<ChartKind> kind);
    ChartKind EffectiveKind() const;

    // Texts at the points (the value, or what OnGetPointLabel makes of it).
    bool PointLabels() const { return pointLabels_; }
    void SetPointLabels(bool on);
    // Line pen of line and area series.
    Qt::PenStyle LineStyle() const { return lineStyle_; }
    void SetLineStyle(Qt::PenStyle style);
    double LineWidth() const { return lineWidth_; }
    void SetLineWidth(double width);

    // Colour of one point (bars and pie slices); clChartDefault: the series colour.
    TColor PointColor(int point) const;
    void SetPointColor(int point, TColor color);

    // The series' data.
    int PointCount() const { return int(values_.size()); }
    // ChartNoValue when the point has no value (or lies beyond the series).
    double Value(int point) const;
    bool HasValue(int point) const { return !IsNoValue(Value(point)); }
    double XValue(int point) const;
    bool HasXValues() const { return hasX_; }
    const std::vector<double>& Values() const { return values_; }

private:
    friend class ChartModel;
    ChartSeries(ChartModel* chart, int index) : chart_(chart), index_(index) {}

    ChartModel* chart_;
    int index_;
    int axis_ = AxisMainY;
    QString legend_;
    bool visible_ = true;
    TColor color_ = clChartDefault;
    std::optional<ChartKind> kind_;
    bool pointLabels_ = false;
    Qt::PenStyle lineStyle_ = Qt::SolidLine;
    double lineWidth_ = 1.5;
    std::vector<double> values_;
    std::vector<double> xValues_;
    bool hasX_ = false;
    std::vector<TColor> pointColors_;
};

class ChartAxis {
public:
    // The scale's ends. Setting an end fixes it; the other end keeps following the data.
    double AxisMin() const { return min_; }
    void SetAxisMin(double v);
    double AxisMax() const { return max_; }
    void SetAxisMax(double v);
    // Distance of the ticks; 0 chooses a step that gives round numbers.
    double AxisStep() const { return step_; }
    void SetAxisStep(double step);
    // Both ends follow the data again.
    void AxisRescale();
    bool MinFixed() const { return minFixed_; }
    bool MaxFixed() const { return maxFixed_; }
    // The step the ticks use: AxisStep, or the one chosen with the scale.
    double TickStep() const { return step_ > 0 ? step_ : autoStep_; }
    // Raises the upper end of the scale by a factor (1.5: "by half"); the end is fixed then.
    void ScaleAxisMax(double factor);

    const QString& AxisTitle() const { return title_; }
    void SetAxisTitle(const QString& text);
    // Texts of the category axis per point (from 0).
    QString AxisPointLabel(int index) const;
    void SetAxisPointLabel(int index, const QString& text);
    void ClearAxisPointLabels();

    // Number labels: a FormatFloat pattern ("0.0"); empty chooses as many decimals as the step
    // needs. Time labels: the value in days written with the time format, hours not wrapped at
    // 24 ("hh:mm:ss": 1.5 days reads 36:00:00; tokens h, hh, n, nn, m, mm, s, ss).
    const QString& AxisLabelFormat() const { return labelFormat_; }
    void SetAxisLabelFormat(const QString& format);
    AxisLabelKind LabelKind() const { return labelKind_; }
    void SetLabelKind(AxisLabelKind kind);
    const QString& TimeFormat() const { return timeFormat_; }
    void SetTimeFormat(const QString& format);
    // Horizontal grid lines at the ticks of a value axis.
    bool GridLines() const { return gridLines_; }
    void SetGridLines(bool on);

    // Settings the chart windows make on an axis and may read back (a bit set of styles, the
    // spacing of the category axis' points, two integer settings). They are kept as given; the
    // layout chooses the spacing of points and labels itself.
    int AxisStyle() const { return style_; }
    void SetAxisStyle(int bits);
    double AxisSpacing() const { return spacing_; }
    void SetAxisSpacing(double v);
    int AxisIntSetting1() const { return intSetting1_; }
    void SetAxisIntSetting1(int v);
    int AxisIntSetting2() const { return intSetting2_; }
    void SetAxisIntSetting2(int v);

private:
    friend class ChartModel;
    explicit ChartAxis(ChartModel* chart, int index) : chart_(chart), index_(index) {}

    ChartModel* chart_;
    int index_;
    double min_ = 0.0;
    double max_ = 10.0;
    double step_ = 0.0;
    double autoStep_ = 2.0;
    bool minFixed_ = false;
    bool maxFixed_ = false;
    QString title_;
    std::vector<QString> pointLabels_;
    QString labelFormat_;
    AxisLabelKind labelKind_ = AxisLabelKind::Number;
    QString timeFormat_ = QStringLiteral("hh:mm:ss");
    bool gridLines_ = true;
    int style_ = 0;
    double spacing_ = 0.0;
    int intSetting1_ = 0;
    int intSetting2_ = 0;
};

// A coloured band behind the data, from one value to another on an axis.
class ChartStripe {
public:
    int StripeAxis() const { return axis_; }
    void SetStripeAxis(int axis);
    double StripeFrom() const { return from_; }
    void SetStripeFrom(double v);
    double StripeTo() const { return to_; }
    void SetStripeTo(double v);
    TColor StripeColor() const { return color_; }
    void SetStripeColor(TColor color);
    // A stripe whose ends were never set (or are equal) shows nothing.
    bool Shown() const { return from_ != to_; }

private:
    friend class ChartModel;
    explicit ChartStripe(ChartModel* chart) : chart_(chart) {}
    ChartModel* chart_;
    int axis_ = AxisMainY;
    double from_ = 0.0;
    double to_ = 0.0;
    TColor color_ = clChartDefault;
};

// A labelled line at a constant value of an axis.
class ChartConstantLine {
public:
    int LineAxis() const { return axis_; }
    void SetLineAxis(int axis);
    double LineValue() const { return value_; }
    void SetLineValue(double v);
    const QString& LineLabel() const { return label_; }
    void SetLineLabel(const QString& text);
    TColor LineColor() const { return color_; }
    void SetLineColor(TColor color);
    Qt::PenStyle LineStyle() const { return style_; }
    void SetLineStyle(Qt::PenStyle style);
    // A line whose value was never set is not drawn.
    bool Shown() const { return set_; }

private:
    friend class ChartModel;
    explicit ChartConstantLine(ChartModel* chart) : chart_(chart) {}
    ChartModel* chart_;
    int axis_ = AxisMainY;
    double value_ = 0.0;
    bool set_ = false;
    QString label_;
    TColor color_ = clRed;
    Qt::PenStyle style_ = Qt::SolidLine;
};

class ChartModel {
public:
    ChartModel();
    virtual ~ChartModel();
    ChartModel(const ChartModel&) = delete;
    ChartModel& operator=(const ChartModel&) = delete;

    // --- data blocks ---------------------------------------------------------------------------
    // cbValues: count series of points points (-1: points grow with the values set); the values
    // of every series start empty, the series' settings stay. cbXValues: the same for X values.
    // cbColors: count point colours. cbStripes / cbConstants: count stripes / lines, all unset.
    void OpenDataBlock(int kind, int count, int points);
    void CloseDataBlock(int kind);
    bool BlockOpen(int kind) const;
    // In a values block: the value of a point (ChartNoValue leaves it without one).
    void SetDataValue(int serie, int point, double value);
    // In an X-values block: the X value of a point (the X axis then becomes a value axis).
    void SetXValue(int serie, int point, double value);
    // In a colours block: the colour of a point in every series.
    void SetPointColor(int point, TColor color);
    // Clears what the bits name (TChartClear).
    void ClearData(int mask);
    // Replaces one series' data at once (data-aware charts); the point count follows.
    void SetSeriesData(int serie, const std::vector<double>& values, const std::vector<TColor>& pointColors = {});
    // Gives one series' points their X values at once (after SetSeriesData); the X axis then
    // counts values. A value that is not finite leaves its point at its index.
    void SetSeriesXData(int serie, const std::vector<double>& xValues);

    // The value of a point, ChartNoValue when it has none or lies outside the chart.
    double DataValue(int serie, int point) const;
    int SeriesCount() const { return seriesCount_; }
    // The number of points of the longest series.
    int PointCount() const;

    // --- objects ---------------------------------------------------------------------------------
    // A series' settings may be made before its values arrive (any index from 0).
    ChartSeries& SeriesObject(int i);
    const ChartSeries& SeriesObject(int i) const;
    ChartAxis& AxisObject(int i);  // 0, 1, 2
    const ChartAxis& AxisObject(int i) const;
    ChartStripe& StripeObject(int i);  // within the last stripes block
    const ChartStripe& StripeObject(int i) const;
    int StripeCount() const { return int(stripes_.size()); }
    ChartConstantLine& ConstantLineObject(int i);  // within the last constant-lines block
    const ChartConstantLine& ConstantLineObject(int i) const;
    int ConstantLineCount() const { return int(constants_.size()); }

    // --- chart settings ----------------------------------------------------------------------------
    // Bars of one point stacked on one another (true) or side by side.
    bool Stacked() const { return stacked_; }
    void SetStacked(bool on);
    // How series without a kind of their own are drawn.
    ChartKind Gallery() const { return gallery_; }
    void SetGallery(ChartKind kind);
    const QStringList& Title() const { return title_; }
    void SetTitle(const QStringList& lines);
    bool LegendVisible() const { return legendVisible_; }
    void SetLegendVisible(bool on);
    TColor BackColor() const { return backColor_; }
    void SetBackColor(TColor c);
    TColor PlotBackColor() const { return plotBackColor_; }
    void SetPlotBackColor(TColor c);
    // A picture drawn over the plot area's background, stretched to it.
    const QImage& BackgroundPicture() const { return picture_; }
    void SetBackgroundPicture(const QImage& picture);
    // Fonts of the title and of every other text (axis labels, legend, point labels).
    const QFont& TitleFont() const { return titleFont_; }
    void SetTitleFont(const QFont& f);
    TColor TitleColor() const { return titleColor_; }
    void SetTitleColor(TColor c);
    const QFont& LabelFont() const { return labelFont_; }
    void SetLabelFont(const QFont& f);
    // The settings number labels are written with; the program's own until set.
    TFormatSettings LabelFormatSettings() const;
    void SetLabelFormatSettings(const TFormatSettings& fs);

    // Recomputes the scales that follow the data and shows the chart anew. The flags say what a
    // window wants redrawn; the chart always redraws all of it, so they are not used.
    void RefreshChart();
    void RefreshChart(int flags);
    // A general integer setting windows make on the chart (kept as given).
    int OptionsIntSetting() const { return optionsIntSetting_; }
    void SetOptionsIntSetting(int v);
    // Many settings in a row: the chart is shown anew once, at the last EndUpdate.
    void BeginUpdate();
    void EndUpdate();

    // --- texts --------------------------------------------------------------------------------------
    // The label of a tick of a value axis, or of point `value` of the category axis, after
    // OnGetAxisLabel.
    QString AxisLabelText(int axis, double value) const;
    // The label of a point (its value, the category text on a pie), after OnGetPointLabel.
    QString PointLabelText(int serie, int point) const;
    // The default colour of series (or pie slice) i.
    static QColor PaletteColor(int i);

    // --- events ---------------------------------------------------------------------------------------
    // For each axis label: the proposed text comes in `text`; the handler may replace it. `value`
    // is the tick's value, on the category axis the point's index from 0.
    std::function<void(ChartModel* sender, int nAxis, double value, QString& text)> OnGetAxisLabel;
    std::function<void(ChartModel* sender, int nSerie, int nPoint, QString& text)> OnGetPointLabel;

    // Which value axes a visible series uses, whether the X axis counts values (some visible
    // series has X values) or categories.
    bool AxisUsed(int axis) const;
    bool XAxisIsValueAxis() const;

protected:
    // Called after every change that shows (never while a block is open).
    virtual void Changed() {}

private:
    friend class ChartSeries;
    friend class ChartAxis;
    friend class ChartStripe;
    friend class ChartConstantLine;

    void changed();
    void rescale();
    void checkBlock(int kind, const char* what) const;
    void checkSerieIndex(int serie) const;
    void checkPointIndex(int kind, int point) const;
    void growTo(ChartSeries& s, int points);
    bool dataRange(int axis, double& lo, double& hi, bool& hasBars) const;

    std::vector<std::unique_ptr<ChartSeries>> series_;
    int seriesCount_ = 0;
    std::unique_ptr<ChartAxis> axes_[3];
    std::vector<std::unique_ptr<ChartStripe>> stripes_;
    std::vector<std::unique_ptr<ChartConstantLine>> constants_;

    // Open blocks: their kind, series count and point count (-1: growing).
    struct Block {
        int kind;
        int count;
        int points;
    };
    std::vector<Block> blocks_;
    int updateCount_ = 0;

    bool stacked_ = false;
    ChartKind gallery_ = ChartKind::Bar;
    QStringList title_;
    bool legendVisible_ = true;
    TColor backColor_ = clWhite;
    TColor plotBackColor_ = clWhite;
    QImage picture_;
    QFont titleFont_;
    TColor titleColor_ = clBlack;
    QFont labelFont_;
    std::optional<TFormatSettings> formatSettings_;
    int optionsIntSetting_ = 0;
};
