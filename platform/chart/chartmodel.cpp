#include "platform/chart/chartmodel.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>

#include "platform/chart/chartscale.h"

namespace {

// The runtime's "no colour" and "default colour".
constexpr TColor clNoneValue = 0x1FFFFFFFu;
constexpr TColor clDefaultValue = 0x20000000u;

QString tr(const char* text)
{
    return QCoreApplication::translate("Chart", text);
}

[[noreturn]] void raiseIndex(const char* what, int index)
{
    throw EChartError(tr(what).arg(index));
}

void checkAxisIndex(int axis, bool valueAxisOnly)
{
    if (axis < 0 || axis > (valueAxisOnly ? 1 : 2))
        raiseIndex(QT_TRANSLATE_NOOP("Chart", "Ungültige Achse: %1"), axis);
}

}  // namespace

bool IsDefaultChartColor(TColor c)
{
    return c == clChartDefault || c == clNoneValue || c == clDefaultValue;
}

// ---------------------------------------------------------------------------------------------
// Series

void ChartSeries::SetSeriesAxis(int axis)
{
    checkAxisIndex(axis, true);
    axis_ = axis;
    chart_->changed();
}

void ChartSeries::SetSeriesLegend(const QString& text)
{
    legend_ = text;
    chart_->changed();
}

void ChartSeries::SetSeriesVisible(bool visible)
{
    visible_ = visible;
    chart_->changed();
}

void ChartSeries::SetSeriesColor(TColor color)
{
    color_ = color;
    chart_->changed();
}

QColor ChartSeries::DrawColor() const
{
    return IsDefaultChartColor(color_) ? ChartModel::PaletteColor(index_) : ToQColor(color_);
}

void ChartSeries::SetSeriesKind(std::optional<ChartKind> kind)
{
    kind_ = kind;
    chart_->changed();
}

ChartKind ChartSeries::EffectiveKind() const
{
    return kind_ ? *kind_ : chart_->Gallery();
}

void ChartSeries::SetPointLabels(bool on)
{
    pointLabels_ = on;
    chart_->changed();
}

void ChartSeries::SetLineStyle(Qt::PenStyle style)
{
    lineStyle_ = style;
    chart_->changed();
}

void ChartSeries::SetLineWidth(double width)
{
    lineWidth_ = width;
    chart_->changed();
}

TColor ChartSeries::PointColor(int point) const
{
    if (point < 0 || point >= int(pointColors_.size()))
        return clChartDefault;
    return pointColors_[size_t(point)];
}

void ChartSeries::SetPointColor(int point, TColor color)
{
    if (point < 0)
        raiseIndex(QT_TRANSLATE_NOOP("Chart", "Ungültiger Punktindex: %1"), point);
    if (point >= int(pointColors_.size()))
        pointColors_.resize(size_t(point) + 1, clChartDefault);
    pointColors_[size_t(point)] = color;
    chart_->changed();
}

double ChartSeries::Value(int point) const
{
    if (point < 0 || point >= int(values_.size()))
        return ChartNoValue;
    return values_[size_t(point)];
}

double ChartSeries::XValue(int point) const
{
    if (point < 0 || point >= int(xValues_.size()))
        return ChartNoValue;
    return xValues_[size_t(point)];
}

// ---------------------------------------------------------------------------------------------
// Axis

void ChartAxis::SetAxisMin(double v)
{
    min_ = v;
    minFixed_ = true;
    chart_->changed();
}

void ChartAxis::SetAxisMax(double v)
{
    max_ = v;
    maxFixed_ = true;
    chart_->changed();
}

void ChartAxis::SetAxisStep(double step)
{
    step_ = step > 0 ? step : 0.0;
    chart_->changed();
}

void ChartAxis::AxisRescale()
{
    minFixed_ = maxFixed_ = false;
    chart_->changed();
}

void ChartAxis::ScaleAxisMax(double factor)
{
    SetAxisMax(max_ * factor);
}

void ChartAxis::SetAxisTitle(const QString& text)
{
    title_ = text;
    chart_->changed();
}

QString ChartAxis::AxisPointLabel(int index) const
{
    if (index < 0 || index >= int(pointLabels_.size()))
        return QString();
    return pointLabels_[size_t(index)];
}

void ChartAxis::SetAxisPointLabel(int index, const QString& text)
{
    if (index < 0)
        raiseIndex(QT_TRANSLATE_NOOP("Chart", "Ungültiger Punktindex: %1"), index);
    if (index >= int(pointLabels_.size()))
        pointLabels_.resize(size_t(index) + 1);
    // A label set empty stays empty; a null text marks a point without a label of its own.
    pointLabels_[size_t(index)] = text.isNull() ? QStringLiteral("") : text;
    chart_->changed();
}

void ChartAxis::ClearAxisPointLabels()
{
    pointLabels_.clear();
    chart_->changed();
}

void ChartAxis::SetAxisLabelFormat(const QString& format)
{
    labelFormat_ = format;
    chart_->changed();
}

void ChartAxis::SetLabelKind(AxisLabelKind kind)
{
    labelKind_ = kind;
    chart_->changed();
}

void ChartAxis::SetTimeFormat(const QString& format)
{
    timeFormat_ = format;
    chart_->changed();
}

void ChartAxis::SetGridLines(bool on)
{
    gridLines_ = on;
    chart_->changed();
}

void ChartAxis::SetAxisStyle(int bits)
{
    style_ = bits;
    chart_->changed();
}

void ChartAxis::SetAxisSpacing(double v)
{
    spacing_ = v;
    chart_->changed();
}

void ChartAxis::SetAxisIntSetting1(int v)
{
    intSetting1_ = v;
}

void ChartAxis::SetAxisIntSetting2(int v)
{
    intSetting2_ = v;
}

// ---------------------------------------------------------------------------------------------
// Stripes and constant lines

void ChartStripe::SetStripeAxis(int axis)
{
    checkAxisIndex(axis, false);
    axis_ = axis;
    chart_->changed();
}

void ChartStripe::SetStripeFrom(double v)
{
    from_ = v;
    chart_->changed();
}

void ChartStripe::SetStripeTo(double v)
{
    to_ = v;
    chart_->changed();
}

void ChartStripe::SetStripeColor(TColor color)
{
    color_ = color;
    chart_->changed();
}

void ChartConstantLine::SetLineAxis(int axis)
{
    checkAxisIndex(axis, false);
    axis_ = axis;
    chart_->changed();
}

void ChartConstantLine::SetLineValue(double v)
{
    value_ = v;
    set_ = true;
    chart_->changed();
}

void ChartConstantLine::SetLineLabel(const QString& text)
{
    label_ = text;
    chart_->changed();
}

void ChartConstantLine::SetLineColor(TColor color)
{
    color_ = color;
    chart_->changed();
}

void ChartConstantLine::SetLineStyle(Qt::PenStyle style)
{
    style_ = style;
    chart_->changed();
}

// ---------------------------------------------------------------------------------------------
// Chart

ChartModel::ChartModel()
{
    for (int i = 0; i < 3; ++i)
        axes_[i].reset(new ChartAxis(this, i));
    // The category axis has no grid lines; its ticks are the points.
    axes_[AxisX]->gridLines_ = false;
    labelFont_.setPixelSize(11);
    titleFont_.setPixelSize(13);
    titleFont_.setBold(true);
}

ChartModel::~ChartModel() = default;

void ChartModel::changed()
{
    if (!blocks_.empty() || updateCount_ > 0)
        return;
    rescale();
    Changed();
}

bool ChartModel::BlockOpen(int kind) const
{
    return std::any_of(blocks_.begin(), blocks_.end(), [kind](const Block& b) { return b.kind == kind; });
}

void ChartModel::checkBlock(int kind, const char* what) const
{
    if (!BlockOpen(kind))
        throw EChartError(tr("Kein Datenblock geöffnet für: %1").arg(QLatin1String(what)));
}

void ChartModel::OpenDataBlock(int kind, int count, int points)
{
    if (count < 0)
        raiseIndex(QT_TRANSLATE_NOOP("Chart", "Ungültige Anzahl im Datenblock: %1"), count);
    switch (kind) {
    case cbValues:
    case cbXValues:
        if (points < -1)
            raiseIndex(QT_TRANSLATE_NOOP("Chart", "Ungültige Anzahl im Datenblock: %1"), points);
        // A values block sets the number of series; X values may come for fewer of them.
        seriesCount_ = kind == cbValues ? count : std::max(seriesCount_, count);
        for (int i = 0; i < count; ++i) {
            ChartSeries& s = SeriesObject(i);
            const size_t n = size_t(std::max(points, 0));
            if (kind == cbValues) {
                s.values_.assign(n, ChartNoValue);
            } else {
                s.xValues_.assign(n, ChartNoValue);
                s.hasX_ = false;
            }
        }
        break;
    case cbColors:
        break;
    case cbStripes:
        stripes_.clear();
        for (int i = 0; i < count; ++i)
            stripes_.emplace_back(new ChartStripe(this));
        break;
    case cbConstants:
        constants_.clear();
        for (int i = 0; i < count; ++i)
            constants_.emplace_back(new ChartConstantLine(this));
        break;
    default:
        raiseIndex(QT_TRANSLATE_NOOP("Chart", "Unbekannte Art des Datenblocks: %1"), kind);
    }
    blocks_.erase(std::remove_if(blocks_.begin(), blocks_.end(), [kind](const Block& b) { return b.kind == kind; }),
                  blocks_.end());
    blocks_.push_back({kind, count, points});
}

void ChartModel::CloseDataBlock(int kind)
{
    const auto it = std::find_if(blocks_.begin(), blocks_.end(), [kind](const Block& b) { return b.kind == kind; });
    if (it == blocks_.end())
        checkBlock(kind, "CloseDataBlock");
    blocks_.erase(it);
    changed();
}

void ChartModel::checkSerieIndex(int serie) const
{
    if (serie < 0 || serie >= seriesCount_)
        raiseIndex(QT_TRANSLATE_NOOP("Chart", "Ungültiger Index der Datenreihe: %1"), serie);
}

void ChartModel::checkPointIndex(int kind, int point) const
{
    const auto it = std::find_if(blocks_.begin(), blocks_.end(), [kind](const Block& b) { return b.kind == kind; });
    if (point < 0 || (it->points >= 0 && point >= it->points))
        raiseIndex(QT_TRANSLATE_NOOP("Chart", "Ungültiger Punktindex: %1"), point);
}

void ChartModel::SetDataValue(int serie, int point, double value)
{
    checkBlock(cbValues, "SetDataValue");
    checkSerieIndex(serie);
    checkPointIndex(cbValues, point);
    ChartSeries& s = *series_[size_t(serie)];
    if (point >= int(s.values_.size()))
        s.values_.resize(size_t(point) + 1, ChartNoValue);
    s.values_[size_t(point)] = std::isfinite(value) ? value : ChartNoValue;
}

void ChartModel::SetXValue(int serie, int point, double value)
{
    checkBlock(cbXValues, "SetXValue");
    const auto it = std::find_if(blocks_.begin(), blocks_.end(), [](const Block& b) { return b.kind == cbXValues; });
    if (serie < 0 || serie >= it->count)
        raiseIndex(QT_TRANSLATE_NOOP("Chart", "Ungültiger Index der Datenreihe: %1"), serie);
    checkPointIndex(cbXValues, point);
    ChartSeries& s = SeriesObject(serie);
    if (point >= int(s.xValues_.size()))
        s.xValues_.resize(size_t(point) + 1, ChartNoValue);
    s.xValues_[size_t(point)] = std::isfinite(value) ? value : ChartNoValue;
    s.hasX_ = true;
}

void ChartModel::SetPointColor(int point, TColor color)
{
    checkBlock(cbColors, "SetPointColor");
    const auto it = std::find_if(blocks_.begin(), blocks_.end(), [](const Block& b) { return b.kind == cbColors; });
    if (point < 0 || point >= it->count)
        raiseIndex(QT_TRANSLATE_NOOP("Chart", "Ungültiger Punktindex: %1"), point);
    for (int i = 0; i < std::max(seriesCount_, 1); ++i) {
        ChartSeries& s = SeriesObject(i);
        if (point >= int(s.pointColors_.size()))
            s.pointColors_.resize(size_t(point) + 1, clChartDefault);
        s.pointColors_[size_t(point)] = color;
    }
}

void ChartModel::ClearData(int mask)
{
    if (mask & ccValues) {
        for (auto& s : series_) {
            s->values_.clear();
            s->xValues_.clear();
            s->hasX_ = false;
        }
    }
    if (mask & ccStripes)
        stripes_.clear();
    if (mask & ccConstants)
        constants_.clear();
    changed();
}

void ChartModel::SetSeriesData(int serie, const std::vector<double>& values, const std::vector<TColor>& pointColors)
{
    if (serie < 0)
        raiseIndex(QT_TRANSLATE_NOOP("Chart", "Ungültiger Index der Datenreihe: %1"), serie);
    ChartSeries& s = SeriesObject(serie);
    s.values_ = values;
    for (double& v : s.values_) {
        if (!std::isfinite(v))
            v = ChartNoValue;
    }
    s.xValues_.clear();
    s.hasX_ = false;
    s.pointColors_ = pointColors;
    seriesCount_ = std::max(seriesCount_, serie + 1);
    changed();
}

void ChartModel::SetSeriesXData(int serie, const std::vector<double>& xValues)
{
    if (serie < 0)
        raiseIndex(QT_TRANSLATE_NOOP("Chart", "Ungültiger Index der Datenreihe: %1"), serie);
    ChartSeries& s = SeriesObject(serie);
    s.xValues_ = xValues;
    for (double& v : s.xValues_) {
        if (!std::isfinite(v))
            v = ChartNoValue;
    }
    s.hasX_ = !xValues.empty();
    seriesCount_ = std::max(seriesCount_, serie + 1);
    changed();
}

double ChartModel::DataValue(int serie, int point) const
{
    if (serie < 0 || serie >= seriesCount_)
        return ChartNoValue;
    return series_[size_t(serie)]->Value(point);
}

int ChartModel::PointCount() const
{
    int n = 0;
    for (int i = 0; i < seriesCount_; ++i)
        n = std::max(n, series_[size_t(i)]->PointCount());
    return n;
}

ChartSeries& ChartModel::SeriesObject(int i)
{
    if (i < 0)
        raiseIndex(QT_TRANSLATE_NOOP("Chart", "Ungültiger Index der Datenreihe: %1"), i);
    while (int(series_.size()) <= i)
        series_.emplace_back(new ChartSeries(this, int(series_.size())));
    return *series_[size_t(i)];
}

const ChartSeries& ChartModel::SeriesObject(int i) const
{
    return const_cast<ChartModel*>(this)->SeriesObject(i);
}

ChartAxis& ChartModel::AxisObject(int i)
{
    checkAxisIndex(i, false);
    return *axes_[i];
}

const ChartAxis& ChartModel::AxisObject(int i) const
{
    checkAxisIndex(i, false);
    return *axes_[i];
}

ChartStripe& ChartModel::StripeObject(int i)
{
    if (i < 0 || i >= int(stripes_.size()))
        raiseIndex(QT_TRANSLATE_NOOP("Chart", "Ungültiger Index des Farbbands: %1"), i);
    return *stripes_[size_t(i)];
}

const ChartStripe& ChartModel::StripeObject(int i) const
{
    return const_cast<ChartModel*>(this)->StripeObject(i);
}

ChartConstantLine& ChartModel::ConstantLineObject(int i)
{
    if (i < 0 || i >= int(constants_.size()))
        raiseIndex(QT_TRANSLATE_NOOP("Chart", "Ungültiger Index der Konstantenlinie: %1"), i);
    return *constants_[size_t(i)];
}

const ChartConstantLine& ChartModel::ConstantLineObject(int i) const
{
    return const_cast<ChartModel*>(this)->ConstantLineObject(i);
}

void ChartModel::SetStacked(bool on)
{
    stacked_ = on;
    changed();
}

void ChartModel::SetGallery(ChartKind kind)
{
    gallery_ = kind;
    changed();
}

void ChartModel::SetTitle(const QStringList& lines)
{
    title_ = lines;
    changed();
}

void ChartModel::SetLegendVisible(bool on)
{
    legendVisible_ = on;
    changed();
}

void ChartModel::SetBackColor(TColor c)
{
    backColor_ = c;
    changed();
}

void ChartModel::SetPlotBackColor(TColor c)
{
    plotBackColor_ = c;
    changed();
}

void ChartModel::SetBackgroundPicture(const QImage& picture)
{
    picture_ = picture;
    changed();
}

void ChartModel::SetTitleFont(const QFont& f)
{
    titleFont_ = f;
    changed();
}

void ChartModel::SetTitleColor(TColor c)
{
    titleColor_ = c;
    changed();
}

void ChartModel::SetLabelFont(const QFont& f)
{
    labelFont_ = f;
    changed();
}

TFormatSettings ChartModel::LabelFormatSettings() const
{
    return formatSettings_ ? *formatSettings_ : FormatSettings();
}

void ChartModel::SetLabelFormatSettings(const TFormatSettings& fs)
{
    formatSettings_ = fs;
    changed();
}

void ChartModel::BeginUpdate()
{
    ++updateCount_;
}

void ChartModel::EndUpdate()
{
    if (updateCount_ > 0 && --updateCount_ == 0)
        changed();
}

void ChartModel::RefreshChart()
{
    changed();
}

void ChartModel::RefreshChart(int)
{
    changed();
}

void ChartModel::SetOptionsIntSetting(int v)
{
    optionsIntSetting_ = v;
}

bool ChartModel::AxisUsed(int axis) const
{
    for (int i = 0; i < seriesCount_; ++i) {
        const ChartSeries& s = *series_[size_t(i)];
        if (!s.visible_ || s.EffectiveKind() == ChartKind::Pie)
            continue;
        if (axis == AxisX || s.axis_ == axis)
            return true;
    }
    return false;
}

bool ChartModel::XAxisIsValueAxis() const
{
    for (int i = 0; i < seriesCount_; ++i) {
        const ChartSeries& s = *series_[size_t(i)];
        if (s.visible_ && s.hasX_ && s.EffectiveKind() != ChartKind::Pie && s.EffectiveKind() != ChartKind::Bar)
            return true;
    }
    return false;
}

// The span of the data drawn against a value axis: stacked bars count as their sums (positive
// and negative parts apart), bars reach down to 0.
bool ChartModel::dataRange(int axis, double& lo, double& hi, bool& hasBars) const
{
    bool any = false;
    hasBars = false;
    lo = hi = 0.0;
    auto take = [&](double v) {
        if (IsNoValue(v))
            return;
        if (!any) {
            lo = hi = v;
            any = true;
        } else {
            lo = std::min(lo, v);
            hi = std::max(hi, v);
        }
    };
    std::vector<double> up, down;
    for (int i = 0; i < seriesCount_; ++i) {
        const ChartSeries& s = *series_[size_t(i)];
        if (!s.visible_ || s.axis_ != axis)
            continue;
        const ChartKind kind = s.EffectiveKind();
        if (kind == ChartKind::Pie)
            continue;
        if (kind == ChartKind::Bar) {
            hasBars = true;
            if (stacked_) {
                up.resize(std::max(up.size(), s.values_.size()), 0.0);
                down.resize(std::max(down.size(), s.values_.size()), 0.0);
                for (size_t p = 0; p < s.values_.size(); ++p) {
                    const double v = s.values_[p];
                    if (IsNoValue(v))
                        continue;
                    (v >= 0 ? up[p] : down[p]) += v;
                }
                continue;
            }
        }
        for (double v : s.values_)
            take(v);
    }
    for (size_t p = 0; p < up.size(); ++p) {
        take(up[p]);
        take(down[p]);
    }
    if (hasBars)
        take(0.0);
    return any;
}

void ChartModel::rescale()
{
    for (int a = 0; a < 3; ++a) {
        ChartAxis& ax = *axes_[a];
        const std::optional<double> fmin = ax.minFixed_ ? std::optional<double>(ax.min_) : std::nullopt;
        const std::optional<double> fmax = ax.maxFixed_ ? std::optional<double>(ax.max_) : std::nullopt;
        const bool durations = ax.labelKind_ == AxisLabelKind::Time;
        double lo = 0.0, hi = 0.0;
        bool any = false;
        if (a == AxisX) {
            if (!XAxisIsValueAxis()) {
                // Categories: the points from 0, one tick each.
                const int n = PointCount();
                ax.autoStep_ = 1.0;
                if (!ax.minFixed_)
                    ax.min_ = 0.0;
                if (!ax.maxFixed_)
                    ax.max_ = std::max(0, n - 1);
                continue;
            }
            for (int i = 0; i < seriesCount_; ++i) {
                const ChartSeries& s = *series_[size_t(i)];
                if (!s.visible_ || s.EffectiveKind() == ChartKind::Pie)
                    continue;
                for (int p = 0; p < s.PointCount(); ++p) {
                    const double x = s.hasX_ && !IsNoValue(s.XValue(p)) ? s.XValue(p) : double(p);
                    if (!any) {
                        lo = hi = x;
                        any = true;
                    }
                    lo = std::min(lo, x);
                    hi = std::max(hi, x);
                }
            }
        } else {
            bool hasBars = false;
            any = dataRange(a, lo, hi, hasBars);
        }
        if (!any) {
            // No data: a plain scale from 0.
            lo = 0.0;
            hi = 10.0;
        }
        const ChartScale s = ComputeChartScale(lo, hi, fmin, fmax, ax.step_, durations);
        ax.min_ = s.min;
        ax.max_ = s.max;
        ax.autoStep_ = s.step;
    }
}

QString ChartModel::AxisLabelText(int axis, double value) const
{
    const ChartAxis& ax = AxisObject(axis);
    QString text;
    if (axis == AxisX && !XAxisIsValueAxis()) {
        const int p = int(std::lround(value));
        text = ax.AxisPointLabel(p);
        if (text.isNull())
            text = IntToStr(p + 1);
    } else if (ax.labelKind_ == AxisLabelKind::Time) {
        text = FormatChartDuration(value, ax.timeFormat_);
    } else {
        text = FormatChartNumber(value, ax.labelFormat_, ax.TickStep(), LabelFormatSettings());
    }
    if (OnGetAxisLabel)
        OnGetAxisLabel(const_cast<ChartModel*>(this), axis, value, text);
    return text;
}

QString ChartModel::PointLabelText(int serie, int point) const
{
    const ChartSeries& s = SeriesObject(serie);
    QString text;
    if (s.EffectiveKind() == ChartKind::Pie) {
        text = axes_[AxisX]->AxisPointLabel(point);
        if (text.isNull())
            text = IntToStr(point + 1);
    } else {
        const double v = s.Value(point);
        if (!IsNoValue(v)) {
            const ChartAxis& ax = *axes_[s.axis_];
            text = ax.labelKind_ == AxisLabelKind::Time
                       ? FormatChartDuration(v, ax.timeFormat_)
                       : FormatChartNumber(v, ax.labelFormat_, ax.TickStep(), LabelFormatSettings());
        }
    }
    if (OnGetPointLabel)
        OnGetPointLabel(const_cast<ChartModel*>(this), serie, point, text);
    return text;
}

QColor ChartModel::PaletteColor(int i)
{
    // Distinct, print-safe colours; series and pie slices take them in turn.
    static const QColor palette[] = {
        QColor(0x1F, 0x5F, 0xA8), QColor(0xD0, 0x3A, 0x2F), QColor(0x2E, 0x9A, 0x44), QColor(0xE8, 0x96, 0x1E),
        QColor(0x7B, 0x4F, 0xA6), QColor(0x1C, 0x9A, 0xA0), QColor(0xA0, 0x52, 0x2D), QColor(0xC0, 0x40, 0x8F),
        QColor(0x6B, 0x7F, 0x1A), QColor(0x5A, 0x5A, 0x5A),
    };
    constexpr int n = int(sizeof(palette) / sizeof(palette[0]));
    return palette[((i % n) + n) % n];
}
