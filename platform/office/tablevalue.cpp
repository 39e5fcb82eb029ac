#include "platform/office/tablevalue.h"

#include <cmath>

TableValue TableValue::FromNumber(double v)
{
    TableValue t;
    t.kind_ = Kind::Number;
    t.number_ = v;
    return t;
}

TableValue TableValue::FromText(const QString& s)
{
    TableValue t;
    t.kind_ = Kind::Text;
    t.text_ = s;
    return t;
}

TableValue TableValue::FromDateTime(TDateTime v)
{
    TableValue t;
    t.kind_ = Kind::DateTime;
    // Values far beyond any calendar date (only damaged files hold them) stay as they are
    // rather than overflow the rounding.
    t.number_ = std::isfinite(v) && std::abs(v) < 1e8 ? double(Round(v * MSecsPerDay)) / MSecsPerDay : v;
    return t;
}

QVariant TableValue::ToVariant() const
{
    switch (kind_) {
    case Kind::Empty:
        return QVariant();
    case Kind::Number:
    case Kind::DateTime:
        return QVariant(number_);
    case Kind::Text:
        return QVariant(text_);
    }
    return QVariant();
}

double TableValue::AsFloat() const
{
    if (kind_ == Kind::Text)
        return StrToFloat(text_.trimmed(), USFormatSettings());
    return number_;
}

QString TableValue::AsText() const
{
    switch (kind_) {
    case Kind::Empty:
        return QString();
    case Kind::Number:
        return FloatToStr(number_, USFormatSettings());
    case Kind::Text:
        return text_;
    case Kind::DateTime: {
        const TFormatSettings de = GermanFormatSettings();
        if (number_ >= 0 && number_ < 1)
            return FormatDateTime(QStringLiteral("hh:nn:ss"), number_, de);
        if (TimeOf(number_) == 0)
            return FormatDateTime(QStringLiteral("dd.mm.yyyy"), number_, de);
        return FormatDateTime(QStringLiteral("dd.mm.yyyy hh:nn:ss"), number_, de);
    }
    }
    return QString();
}

bool TableValue::operator==(const TableValue& o) const
{
    return kind_ == o.kind_ && number_ == o.number_ && text_ == o.text_;
}
