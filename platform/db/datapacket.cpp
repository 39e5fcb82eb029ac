#include "platform/db/datapacket.h"

#include <QCoreApplication>
#include <QDate>
#include <QFile>
#include <QLocale>
#include <QSaveFile>
#include <QStringDecoder>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <cmath>

#include "platform/db/valuekind.h"

namespace {

const QDate kEpoch(1899, 12, 30);

QString tr(const char* s) { return QCoreApplication::translate("DataPacket", s); }

QString fieldTypeName(const TPacketField& f, QString& subtype, int& width)
{
    subtype.clear();
    width = 0;
    switch (f.type) {
    case ftString:
        width = f.wide ? f.size * 2 : f.size;
        return f.wide ? QStringLiteral("string.uni") : QStringLiteral("string");
    case ftSmallint:
        return QStringLiteral("i2");
    case ftAutoInc:
        subtype = QStringLiteral("Autoinc");
        return QStringLiteral("i4");
    case ftInteger:
        return QStringLiteral("i4");
    case ftLargeint:
        return QStringLiteral("i8");
    case ftBoolean:
        return QStringLiteral("boolean");
    case ftFloat:
        return QStringLiteral("r8");
    case ftDate:
        return QStringLiteral("date");
    case ftTime:
        return QStringLiteral("time");
    case ftDateTime:
        return QStringLiteral("dateTime");
    case ftMemo:
        subtype = f.wide ? QStringLiteral("WideText") : QStringLiteral("Text");
        return QStringLiteral("bin.hex");
    case ftGraphic:
        subtype = QStringLiteral("Graphics");
        return QStringLiteral("bin.hex");
    default:
        subtype = QStringLiteral("Binary");
        return QStringLiteral("bin.hex");
    }
}

bool typeFromNames(const QString& fieldtype, const QString& subtype, int width, TPacketField& f)
{
    const QString t = fieldtype.toLower();
    const QString s = subtype.toLower();
    f.wide = false;
    if (t == QLatin1String("string") || t == QLatin1String("string.uni")) {
        f.type = ftString;
        f.wide = t == QLatin1String("string.uni");
        f.size = f.wide ? width / 2 : width;
    } else if (t == QLatin1String("i2") || t == QLatin1String("i1") || t == QLatin1String("ui1")) {
        f.type = ftSmallint;
    } else if (t == QLatin1String("i4") || t == QLatin1String("ui2") || t == QLatin1String("ui4")) {
        f.type = s == QLatin1String("autoinc") ? ftAutoInc : ftInteger;
    } else if (t == QLatin1String("i8")) {
        f.type = ftLargeint;
    } else if (t == QLatin1String("r8") || t == QLatin1String("fixed") || t == QLatin1String("fixedfmt")) {
        f.type = ftFloat;
    } else if (t == QLatin1String("boolean")) {
        f.type = ftBoolean;
    } else if (t == QLatin1String("date")) {
        f.type = ftDate;
    } else if (t == QLatin1String("time")) {
        f.type = ftTime;
    } else if (t == QLatin1String("datetime") || t == QLatin1String("sqldatetime")) {
        f.type = ftDateTime;
    } else if (t == QLatin1String("bin.hex")) {
        if (s == QLatin1String("text") || s == QLatin1String("widetext")) {
            f.type = ftMemo;
            f.wide = s == QLatin1String("widetext");
        } else {
            f.type = s == QLatin1String("graphics") ? ftGraphic : ftBlob;
        }
    } else {
        return false;
    }
    return true;
}

// Date and time texts of the format: "20040315", "10:30:00000", "20040315T10:30:00000".
QString dateText(double v)
{
    const double days = std::trunc(v);
    return kEpoch.addDays(qint64(days)).toString(QStringLiteral("yyyyMMdd"));
}
QString timeText(double v)
{
    qint64 ms = std::llround(std::fabs(v - std::trunc(v)) * MSecsPerDay);
    if (ms >= qint64(MSecsPerDay))
        ms = qint64(MSecsPerDay) - 1;
    const int h = int(ms / 3600000), m = int(ms / 60000 % 60), s = int(ms / 1000 % 60), z = int(ms % 1000);
    return QStringLiteral("%1:%2:%3%4")
        .arg(h, 2, 10, QLatin1Char('0'))
        .arg(m, 2, 10, QLatin1Char('0'))
        .arg(s, 2, 10, QLatin1Char('0'))
        .arg(z, 3, 10, QLatin1Char('0'));
}

bool parseDate(const QString& s, double& days)
{
    const QDate d = QDate::fromString(s.left(8), QStringLiteral("yyyyMMdd"));
    if (s.size() < 8 || !d.isValid())
        return false;
    days = double(kEpoch.daysTo(d));
    return true;
}

bool parseTime(const QString& s, double& frac)
{
    // hh:mm:ss followed by the milliseconds (three digits, or none)
    const QStringList p = s.split(QLatin1Char(':'));
    if (p.size() != 3 || p[2].size() < 2)
        return false;
    bool ok1, ok2, ok3, ok4 = true;
    const int h = p[0].toInt(&ok1), m = p[1].toInt(&ok2), sec = p[2].left(2).toInt(&ok3);
    const int ms = p[2].size() > 2 ? p[2].mid(2).left(3).toInt(&ok4) : 0;
    if (!(ok1 && ok2 && ok3 && ok4) || h > 23 || m > 59 || sec > 59)
        return false;
    frac = (((h * 60 + m) * 60 + sec) * 1000 + ms) / MSecsPerDay;
    return true;
}

QString valueText(const TPacketField& f, const QVariant& v)
{
    switch (f.type) {
    case ftBoolean:
        return v.toBool() ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
    case ftFloat:
        return QString::number(v.toDouble(), 'g', 17);
    case ftDate:
        return dateText(v.toDouble());
    case ftTime:
        return timeText(v.toDouble());
    case ftDateTime: {
        const double d = v.toDouble();
        double days = std::trunc(d);
        // A negative date keeps its time as a positive fraction.
        return dateText(days) + QLatin1Char('T') + timeText(std::fabs(d - days));
    }
    case ftBlob:
    case ftGraphic:
        return QString::fromLatin1(v.toByteArray().toBase64());
    default:
        return v.toString();
    }
}

bool parseValue(const TPacketField& f, const QString& s, QVariant& out)
{
    bool ok = true;
    switch (f.type) {
    case ftSmallint:
    case ftInteger:
    case ftAutoInc:
        out = s.trimmed().toInt(&ok);
        return ok;
    case ftLargeint:
        out = s.trimmed().toLongLong(&ok);
        return ok;
    case ftFloat:
        out = QLocale::c().toDouble(s.trimmed(), &ok);
        return ok;
    case ftBoolean: {
        const QString t = s.trimmed().toUpper();
        if (t != QLatin1String("TRUE") && t != QLatin1String("FALSE"))
            return false;
        out = t == QLatin1String("TRUE");
        return true;
    }
    case ftDate: {
        double d = 0;
        if (!parseDate(s, d))
            return false;
        out = d;
        return true;
    }
    case ftTime: {
        double t = 0;
        if (!parseTime(s, t))
            return false;
        out = t;
        return true;
    }
    case ftDateTime: {
        double d = 0, t = 0;
        const int sep = s.indexOf(QLatin1Char('T'));
        if (!parseDate(sep < 0 ? s : s.left(sep), d))
            return false;
        if (sep >= 0 && !parseTime(s.mid(sep + 1), t))
            return false;
        out = d < 0 ? d - t : d + t;
        return true;
    }
    case ftBlob:
    case ftGraphic:
        out = QByteArray::fromBase64(s.toLatin1());
        return true;
    default:
        out = s;
        return true;
    }
}

[[noreturn]] void readError(const QXmlStreamReader& r, const QString& what)
{
    throw EDatabaseError(tr("Die Datei ist kein gültiges Datenpaket (Zeile %1, Spalte %2): %3")
                             .arg(r.lineNumber())
                             .arg(r.columnNumber())
                             .arg(what));
}

TDataPacket readFrom(QXmlStreamReader& r)
{
    TDataPacket p;
    if (!r.readNextStartElement() || r.name() != QLatin1String("DATAPACKET"))
        readError(r, r.hasError() ? r.errorString() : tr("DATAPACKET erwartet"));
    bool haveFields = false;
    while (r.readNextStartElement()) {
        if (r.name() == QLatin1String("METADATA")) {
            while (r.readNextStartElement()) {
                if (r.name() == QLatin1String("FIELDS")) {
                    haveFields = true;
                    while (r.readNextStartElement()) {
                        if (r.name() != QLatin1String("FIELD"))
                            readError(r, tr("FIELD erwartet"));
                        const auto a = r.attributes();
                        TPacketField f;
                        f.name = a.value(QLatin1String("attrname")).toString();
                        if (f.name.isEmpty())
                            readError(r, tr("Feld ohne Namen"));
                        if (p.FieldIndex(f.name) >= 0)
                            readError(r, tr("Feld '%1' doppelt").arg(f.name));
                        const QString type = a.value(QLatin1String("fieldtype")).toString();
                        if (!typeFromNames(type, a.value(QLatin1String("SUBTYPE")).toString(),
                                           a.value(QLatin1String("WIDTH")).toInt(), f))
                            readError(r, tr("unbekannter Feldtyp '%1'").arg(type));
                        f.required = a.value(QLatin1String("required")).compare(QLatin1String("true"), Qt::CaseInsensitive) == 0;
                        f.readOnly = a.value(QLatin1String("readonly")).compare(QLatin1String("true"), Qt::CaseInsensitive) == 0;
                        p.fields << f;
                        r.skipCurrentElement();
                    }
                } else {
                    r.skipCurrentElement();  // PARAMS: change log, order, locale
                }
            }
        } else if (r.name() == QLatin1String("ROWDATA")) {
            if (!haveFields)
                readError(r, tr("ROWDATA vor den Felddefinitionen"));
            while (r.readNextStartElement()) {
                if (r.name() != QLatin1String("ROW"))
                    readError(r, tr("ROW erwartet"));
                const auto a = r.attributes();
                const int state = a.value(QLatin1String("RowState")).toInt();
                QVector<QVariant> row(p.fields.size());
                const bool modification = (state & 8) && !p.rows.isEmpty();
                if (modification)
                    row = p.rows.last();
                for (int i = 0; i < p.fields.size(); ++i) {
                    if (!a.hasAttribute(p.fields[i].name))
                        continue;
                    QVariant v;
                    if (!parseValue(p.fields[i], a.value(p.fields[i].name).toString(), v))
                        readError(r, tr("ungültiger Wert '%1' im Feld '%2'")
                                         .arg(a.value(p.fields[i].name).toString(), p.fields[i].name));
                    row[i] = v;
                }
                r.skipCurrentElement();
                if (state & 2)  // a row deleted in the change log
                    continue;
                if (modification)
                    p.rows.last() = row;
                else
                    p.rows << row;
            }
        } else {
            r.skipCurrentElement();
        }
    }
    if (r.hasError())
        readError(r, r.errorString());
    if (!haveFields)
        readError(r, tr("keine Felddefinitionen"));
    return p;
}

}  // namespace

int TDataPacket::FieldIndex(const QString& name) const
{
    for (int i = 0; i < fields.size(); ++i)
        if (fields[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

TDataPacket ReadDataPacket(const QByteArray& xml)
{
    // Files of the Windows program without an encoding declaration may hold ANSI text.
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(xml);
    if (utf8.hasError() && !xml.left(200).contains("encoding="))
        text = QString::fromLatin1(xml);
    if (utf8.hasError() && xml.left(200).contains("encoding=")) {
        QXmlStreamReader r(xml);
        return readFrom(r);
    }
    QXmlStreamReader r(text);
    return readFrom(r);
}

QByteArray WriteDataPacket(const TDataPacket& packet)
{
    QByteArray out;
    QXmlStreamWriter w(&out);
    w.writeStartDocument(QStringLiteral("1.0"), true);
    w.writeStartElement(QStringLiteral("DATAPACKET"));
    w.writeAttribute(QStringLiteral("Version"), QStringLiteral("2.0"));
    w.writeStartElement(QStringLiteral("METADATA"));
    w.writeStartElement(QStringLiteral("FIELDS"));
    for (const TPacketField& f : packet.fields) {
        QString subtype;
        int width = 0;
        const QString type = fieldTypeName(f, subtype, width);
        w.writeEmptyElement(QStringLiteral("FIELD"));
        w.writeAttribute(QStringLiteral("attrname"), f.name);
        w.writeAttribute(QStringLiteral("fieldtype"), type);
        if (f.required)
            w.writeAttribute(QStringLiteral("required"), QStringLiteral("true"));
        if (f.readOnly)
            w.writeAttribute(QStringLiteral("readonly"), QStringLiteral("true"));
        if (!subtype.isEmpty())
            w.writeAttribute(QStringLiteral("SUBTYPE"), subtype);
        if (width > 0)
            w.writeAttribute(QStringLiteral("WIDTH"), QString::number(width));
    }
    w.writeEndElement();  // FIELDS
    w.writeEmptyElement(QStringLiteral("PARAMS"));
    w.writeEndElement();  // METADATA
    w.writeStartElement(QStringLiteral("ROWDATA"));
    for (const auto& row : packet.rows) {
        w.writeEmptyElement(QStringLiteral("ROW"));
        for (int i = 0; i < packet.fields.size() && i < row.size(); ++i)
            if (!row[i].isNull() && row[i].isValid())
                w.writeAttribute(packet.fields[i].name, valueText(packet.fields[i], row[i]));
    }
    w.writeEndElement();  // ROWDATA
    w.writeEndElement();  // DATAPACKET
    w.writeEndDocument();
    return out;
}

TDataPacket LoadDataPacket(const QString& fileName)
{
    QFile f(fileName);
    if (!f.open(QIODevice::ReadOnly))
        throw EFOpenError(tr("Datei %1 kann nicht geöffnet werden").arg(fileName));
    return ReadDataPacket(f.readAll());
}

void SaveDataPacket(const TDataPacket& packet, const QString& fileName)
{
    QSaveFile f(fileName);
    if (!f.open(QIODevice::WriteOnly) || f.write(WriteDataPacket(packet)) < 0 || !f.commit())
        throw EFCreateError(tr("Datei %1 kann nicht erstellt werden").arg(fileName));
}

void CheckPacketFields(const TDataPacket& packet, const QVector<TPacketField>& expected)
{
    // An unknown type, which no packet holds, counts with the binary ones here.
    auto kind = [](TFieldType t) { return t == ftUnknown ? vkBinary : ValueKind(t); };
    if (packet.fields.size() != expected.size())
        throw EDatabaseError(tr("Das Datenpaket hat %1 Felder statt %2.").arg(packet.fields.size()).arg(expected.size()));
    for (int i = 0; i < expected.size(); ++i) {
        const TPacketField& a = packet.fields[i];
        const TPacketField& b = expected[i];
        if (a.name.compare(b.name, Qt::CaseInsensitive) != 0 || kind(a.type) != kind(b.type))
            throw EDatabaseError(tr("Das Datenpaket passt nicht: Feld %1 ist '%2', erwartet wird '%3'.")
                                     .arg(i + 1)
                                     .arg(a.name, b.name));
    }
}
