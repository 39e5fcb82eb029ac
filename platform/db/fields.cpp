#include "platform/db/fields.h"

#include <QCoreApplication>
#include <QFile>
#include <QIODevice>

#include <cmath>
#include <limits>

#include "platform/db/dataset.h"

namespace {

QString boolText(const TField& f, bool v)
{
    const QString dv = f.DisplayValues().isEmpty() ? QStringLiteral("True;False") : f.DisplayValues();
    const int semi = dv.indexOf(QLatin1Char(';'));
    if (semi < 0)
        return v ? dv : QString();
    return v ? dv.left(semi) : dv.mid(semi + 1);
}

[[noreturn]] void rangeError(const TField& f, double v, double lo, double hi)
{
    throw EDatabaseError(
        QCoreApplication::translate("Fields", "%1 ist kein gültiger Wert für Feld '%2'. Der erlaubte Bereich ist %3 bis %4")
            .arg(FloatToStr(v), f.DisplayName(), FloatToStr(lo), FloatToStr(hi)));
}

bool isIntegerType(TFieldType t)
{
    return t == ftSmallint || t == ftInteger || t == ftLargeint || t == ftAutoInc;
}

bool isDateType(TFieldType t)
{
    return t == ftDate || t == ftTime || t == ftDateTime;
}

}  // namespace

QStringList SplitFieldNames(const QString& names)
{
    QStringList out;
    QString cur;
    for (QChar c : names) {
        if (c == QLatin1Char(';') || c == QLatin1Char(',')) {
            if (!cur.trimmed().isEmpty())
                out << cur.trimmed();
            cur.clear();
        } else {
            cur += c;
        }
    }
    if (!cur.trimmed().isEmpty())
        out << cur.trimmed();
    return out;
}

TField::TField(TDataSet* dataSet, const QString& fieldName, TFieldType type, int size, TFieldKind kind)
    : dataSet_(dataSet), fieldName_(fieldName), dataType_(type), fieldKind_(kind), size_(size)
{
    if (type == ftString && size_ <= 0)
        size_ = 20;
}

TField::~TField() = default;

bool TField::AcceptsLookupRow()
{
    if (fieldKind_ != fkLookup || !lookupDataSet_ || !lookupDataSet_->Active())
        return true;
    FilterPredicate* condition = dataSet_->lookupConstraint(this);
    return !condition || condition->matches(*lookupDataSet_);
}

bool TField::IsBlob() const
{
    return dataType_ == ftMemo || dataType_ == ftBlob || dataType_ == ftGraphic;
}

bool TField::IsNumeric() const
{
    return isIntegerType(dataType_) || dataType_ == ftFloat;
}

void TField::SetDisplayLabel(const QString& s)
{
    displayLabel_ = s;
}

void TField::SetDisplayFormat(const QString& s)
{
    displayFormat_ = s;
}

int TField::DisplayWidth() const
{
    if (displayWidth_ >= 0)
        return displayWidth_;
    if (dataType_ == ftString)
        return size_;
    return 10;
}

void TField::SetDisplayWidth(int n)
{
    displayWidth_ = n;
}

void TField::SetVisible(bool v)
{
    visible_ = v;
}

int TField::Alignment() const
{
    if (alignment_ >= 0)
        return alignment_;
    return IsNumeric() ? int(Qt::AlignRight | Qt::AlignVCenter) : int(Qt::AlignLeft | Qt::AlignVCenter);
}

QVariant TField::Value() const
{
    return dataSet_ ? dataSet_->fieldValue(this) : QVariant();
}

void TField::SetValue(const QVariant& v)
{
    dataSet_->setFieldValue(this, v);
}

QVariant TField::OldValue() const
{
    return dataSet_ ? dataSet_->oldFieldValue(this) : QVariant();
}

bool TField::IsNull() const
{
    const QVariant v = Value();
    return !v.isValid() || v.isNull();
}

QVariant TField::ConvertText(const QString& s) const
{
    if (s.isEmpty() && dataType_ != ftString && dataType_ != ftMemo)
        return QVariant();
    if (s.isEmpty())
        return QVariant();
    switch (dataType_) {
    case ftString:
    case ftMemo:
    case ftUnknown:
        return ConvertValue(QVariant(s));
    case ftSmallint:
    case ftInteger:
    case ftAutoInc:
        return ConvertValue(QVariant(StrToInt(s.trimmed())));
    case ftLargeint:
        return QVariant(qlonglong(StrToInt64(s.trimmed())));
    case ftFloat:
        return QVariant(StrToFloat(s.trimmed()));
    case ftDate:
        return QVariant(StrToDate(s.trimmed()));
    case ftTime:
        return QVariant(StrToTime(s.trimmed()));
    case ftDateTime:
        return QVariant(StrToDateTime(s.trimmed()));
    case ftBoolean: {
        const QString t = s.trimmed();
        const QString yes = boolText(*this, true);
        const QString no = boolText(*this, false);
        // The runtime accepts the start of either text, compared without case.
        if (!yes.isEmpty() && yes.startsWith(t, Qt::CaseInsensitive))
            return QVariant(true);
        if (!no.isEmpty() && no.startsWith(t, Qt::CaseInsensitive))
            return QVariant(false);
        throw EDatabaseError(
            QCoreApplication::translate("Fields", "'%1' ist kein gültiger Boolescher Wert für das Feld '%2'")
                .arg(s, DisplayName()));
    }
    case ftBlob:
    case ftGraphic:
        return QVariant(s.toUtf8());
    }
    return QVariant(s);
}

QVariant TField::ConvertValue(const QVariant& v) const
{
    if (!v.isValid() || v.isNull())
        return QVariant();
    const int t = v.typeId();
    const bool isText = t == QMetaType::QString || t == QMetaType::QChar;
    switch (dataType_) {
    case ftString:
    case ftMemo:
    case ftUnknown: {
        QString s;
        if (isText)
            s = v.toString();
        else if (t == QMetaType::Double || t == QMetaType::Float)
            s = FloatToStr(v.toDouble());
        else if (t == QMetaType::Bool)
            s = v.toBool() ? QStringLiteral("True") : QStringLiteral("False");
        else
            s = v.toString();
        // A text field holds at most Size characters, as the runtime's fields cut them.
        if (dataType_ == ftString && size_ > 0 && s.size() > size_)
            s.truncate(size_);
        return QVariant(s);
    }
    case ftSmallint:
    case ftInteger:
    case ftAutoInc:
    case ftLargeint: {
        qint64 n;
        if (isText) {
            const QString s = v.toString().trimmed();
            if (s.isEmpty())
                return QVariant();
            n = StrToInt64(s);
        } else if (t == QMetaType::Double || t == QMetaType::Float) {
            const double d = v.toDouble();
            if (!std::isfinite(d) || std::fabs(d) > 9.2e18)
                rangeError(*this, d, -2147483648.0, 2147483647.0);
            n = Round(d);
        } else {
            bool ok = false;
            n = v.toLongLong(&ok);
            if (!ok)
                throw EConvertError(
                    QCoreApplication::translate("Fields", "'%1' ist kein gültiger Integerwert").arg(v.toString()));
        }
        if (dataType_ == ftLargeint)
            return QVariant(qlonglong(n));
        const qint64 lo = dataType_ == ftSmallint ? -32768 : std::numeric_limits<int>::min();
        const qint64 hi = dataType_ == ftSmallint ? 32767 : std::numeric_limits<int>::max();
        if (n < lo || n > hi)
            rangeError(*this, double(n), double(lo), double(hi));
        return QVariant(int(n));
    }
    case ftFloat:
    case ftDate:
    case ftTime:
    case ftDateTime: {
        if (isText) {
            const QString s = v.toString().trimmed();
            if (s.isEmpty())
                return QVariant();
            if (dataType_ == ftFloat)
                return QVariant(StrToFloat(s));
            return ConvertText(s);
        }
        bool ok = false;
        const double d = v.toDouble(&ok);
        if (!ok)
            throw EConvertError(
                QCoreApplication::translate("Fields", "'%1' ist kein gültiger Gleitkommawert").arg(v.toString()));
        return QVariant(d);
    }
    case ftBoolean:
        if (isText)
            return ConvertText(v.toString());
        if (t == QMetaType::Double)
            return QVariant(v.toDouble() != 0.0);
        return QVariant(v.toLongLong() != 0);
    case ftBlob:
    case ftGraphic:
        if (isText)
            return QVariant(v.toString().toUtf8());
        return QVariant(v.toByteArray());
    }
    return v;
}

QString TField::AsString() const
{
    const QVariant v = Value();
    if (!v.isValid() || v.isNull())
        return QString();
    switch (dataType_) {
    case ftSmallint:
    case ftInteger:
    case ftAutoInc:
    case ftLargeint:
        return IntToStr(v.toLongLong());
    case ftFloat:
        return FloatToStr(v.toDouble());
    case ftDate:
        return DateToStr(v.toDouble());
    case ftTime:
        return TimeToStr(v.toDouble());
    case ftDateTime:
        return DateTimeToStr(v.toDouble());
    case ftBoolean:
        return boolText(*this, v.toBool());
    case ftBlob:
    case ftGraphic:
        return QString::fromUtf8(v.toByteArray());
    default:
        return v.toString();
    }
}

void TField::SetAsString(const QString& s)
{
    SetValue(ConvertText(s));
}

int TField::AsInteger() const
{
    const QVariant v = Value();
    if (dataType_ == ftString || dataType_ == ftMemo || dataType_ == ftUnknown)
        return StrToInt(v.toString().trimmed());
    if (!v.isValid() || v.isNull())
        return 0;
    if (dataType_ == ftFloat || isDateType(dataType_))
        return int(Round(v.toDouble()));
    return int(v.toLongLong());
}

void TField::SetAsInteger(int v)
{
    SetValue(QVariant(v));
}

qint64 TField::AsLargeInt() const
{
    const QVariant v = Value();
    if (dataType_ == ftString || dataType_ == ftMemo || dataType_ == ftUnknown)
        return StrToInt64(v.toString().trimmed());
    if (!v.isValid() || v.isNull())
        return 0;
    if (dataType_ == ftFloat || isDateType(dataType_))
        return Round(v.toDouble());
    return v.toLongLong();
}

void TField::SetAsLargeInt(qint64 v)
{
    SetValue(QVariant(qlonglong(v)));
}

double TField::AsFloat() const
{
    const QVariant v = Value();
    if (dataType_ == ftString || dataType_ == ftMemo || dataType_ == ftUnknown)
        return StrToFloat(v.toString().trimmed());
    if (!v.isValid() || v.isNull())
        return 0.0;
    if (dataType_ == ftBoolean)
        throw EConvertError(
            QCoreApplication::translate("Fields", "Feld '%1' kann nicht als Gleitkommawert gelesen werden")
                .arg(DisplayName()));
    return v.toDouble();
}

void TField::SetAsFloat(double v)
{
    SetValue(QVariant(v));
}

TDateTime TField::AsDateTime() const
{
    const QVariant v = Value();
    if (dataType_ == ftString || dataType_ == ftMemo || dataType_ == ftUnknown)
        return StrToDateTime(v.toString().trimmed());
    if (!v.isValid() || v.isNull())
        return 0.0;
    return v.toDouble();
}

void TField::SetAsDateTime(TDateTime v)
{
    SetValue(QVariant(v));
}

bool TField::AsBoolean() const
{
    const QVariant v = Value();
    if (!v.isValid() || v.isNull())
        return false;
    if (dataType_ == ftString || dataType_ == ftMemo)
        return ConvertText(v.toString()).toBool();
    if (dataType_ == ftFloat)
        return v.toDouble() != 0.0;
    return v.toLongLong() != 0 || (v.typeId() == QMetaType::Bool && v.toBool());
}

void TField::SetAsBoolean(bool v)
{
    SetValue(QVariant(v));
}

QByteArray TField::AsBytes() const
{
    const QVariant v = Value();
    if (v.typeId() == QMetaType::QString)
        return v.toString().toUtf8();
    return v.toByteArray();
}

void TField::SetAsBytes(const QByteArray& v)
{
    SetValue(v.isNull() ? QVariant() : QVariant(v));
}

QString TField::defaultText(bool display) const
{
    const QVariant v = Value();
    const bool isNull = !v.isValid() || v.isNull();
    switch (dataType_) {
    case ftSmallint:
    case ftInteger:
    case ftAutoInc:
    case ftLargeint:
    case ftFloat: {
        if (isNull)
            return QString();
        // The runtime formats the edit text with the display format unless an edit format is set.
        const QString fmt = (display || editFormat_.isEmpty()) ? displayFormat_ : editFormat_;
        if (fmt.isEmpty())
            return dataType_ == ftFloat ? FloatToStr(v.toDouble()) : IntToStr(v.toLongLong());
        return FormatFloat(fmt, v.toDouble());
    }
    case ftDate:
    case ftTime:
    case ftDateTime: {
        if (isNull)
            return QString();
        const double d = v.toDouble();
        if (display && !displayFormat_.isEmpty())
            return FormatDateTime(displayFormat_, d);
        if (!display && !editMask_.isEmpty()) {
            // The edit text goes through the mask character by character, so it has the mask's
            // shape: a time mask ("!90:00:00") gets the time of day alone, never the date
            // part (a duration's 30.12.1899) in front of it.
            const QString mask = editMask_.section(QLatin1Char(';'), 0, 0);
            const bool hasTime = mask.contains(QLatin1Char(':'));
            const bool hasDate = mask.contains(QLatin1Char('/'));
            if (hasTime && !hasDate)
                return FormatDateTime(mask.count(QLatin1Char(':')) >= 2 ? QStringLiteral("hh:nn:ss") : QStringLiteral("hh:nn"), d);
            if (hasDate && !hasTime)
                return DateToStr(d);
        }
        if (dataType_ == ftDate)
            return DateToStr(d);
        if (dataType_ == ftTime)
            return TimeToStr(d);
        return DateTimeToStr(d);
    }
    case ftBoolean:
        return isNull ? QString() : boolText(*this, v.toBool());
    case ftBlob:
        if (display)
            return isNull ? QStringLiteral("(blob)") : QStringLiteral("(BLOB)");
        return AsString();
    case ftGraphic:
        if (display)
            return isNull ? QStringLiteral("(graphic)") : QStringLiteral("(GRAPHIC)");
        return AsString();
    default:
        return isNull ? QString() : v.toString();
    }
}

QString TField::Text() const
{
    if (OnGetText) {
        QString s;
        OnGetText(const_cast<TField*>(this), s, false);
        return s;
    }
    return defaultText(false);
}

QString TField::DisplayText() const
{
    if (OnGetText) {
        QString s;
        OnGetText(const_cast<TField*>(this), s, true);
        return s;
    }
    return defaultText(true);
}

void TField::SetText(const QString& s)
{
    if (OnSetText)
        OnSetText(this, s);
    else
        SetAsString(s);
}

void TField::LoadFromFile(const QString& fileName)
{
    QFile f(fileName);
    if (!f.open(QIODevice::ReadOnly))
        throw EFOpenError(QCoreApplication::translate("Fields", "Datei %1 kann nicht geöffnet werden").arg(fileName));
    LoadFromStream(f);
}

void TField::SaveToFile(const QString& fileName) const
{
    QFile f(fileName);
    if (!f.open(QIODevice::WriteOnly))
        throw EFCreateError(QCoreApplication::translate("Fields", "Datei %1 kann nicht erstellt werden").arg(fileName));
    SaveToStream(f);
}

void TField::LoadFromStream(QIODevice& stream)
{
    const QByteArray bytes = stream.readAll();
    if (dataType_ == ftMemo || dataType_ == ftString)
        SetValue(QVariant(QString::fromUtf8(bytes)));
    else
        SetValue(QVariant(bytes));
}

void TField::SaveToStream(QIODevice& stream) const
{
    stream.write(AsBytes());
}

bool TField::IsValidChar(QChar c) const
{
    switch (dataType_) {
    case ftSmallint:
    case ftInteger:
    case ftAutoInc:
    case ftLargeint:
        return c.isDigit() || c == QLatin1Char('+') || c == QLatin1Char('-') ||
               (decimalInput_ && c == FormatSettings().DecimalSeparator);
    case ftFloat:
        return c.isDigit() || c == QLatin1Char('+') || c == QLatin1Char('-') ||
               c == QLatin1Char('E') || c == QLatin1Char('e') ||
               c == FormatSettings().DecimalSeparator;
    default:
        return true;
    }
}
