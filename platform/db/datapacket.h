#pragma once
// Client-dataset data packets in their published XML form: the unit templates (".mt5"), the
// copy buffer ("~copy.xml") and the backup's file list.
//
//   <DATAPACKET Version="2.0"><METADATA><FIELDS>
//     <FIELD attrname="Datum" fieldtype="dateTime"/> <FIELD attrname="Ort" fieldtype="string.uni" WIDTH="60"/>
//   </FIELDS><PARAMS/></METADATA>
//   <ROWDATA><ROW Datum="20040315T00:00:00000" Ort="Berlin"/></ROWDATA></DATAPACKET>
//
// A Null value is a missing attribute. Field order is kept. Reading checks the whole file before
// anything is handed over, so a broken file changes nothing.
#include <QByteArray>
#include <QString>
#include <QVariant>
#include <QVector>

#include "platform/db/fields.h"
#include "platform/rtl/sysutils.h"

struct TPacketField {
    QString name;
    TFieldType type = ftString;
    int size = 0;        // characters of a text field
    bool wide = false;   // a wide (Unicode) text field: "string.uni" / "WideText"
    bool required = false;
    bool readOnly = false;
};

// Values by field: QString for text and memo, int / qint64 for integers, double for floats,
// TDateTime doubles for dates and times, bool, QByteArray for blobs; a null QVariant is Null.
struct TDataPacket {
    QVector<TPacketField> fields;
    QVector<QVector<QVariant>> rows;

    int FieldIndex(const QString& name) const;  // -1 when there is none (names without case)
};

// Reads a packet. A text that is not a data packet, or an unreadable value, raises
// EDatabaseError naming the line and column.
TDataPacket ReadDataPacket(const QByteArray& xml);
QByteArray WriteDataPacket(const TDataPacket& packet);

// Files: EFOpenError when the file cannot be read; EFCreateError when it cannot be written (the
// old file then stays as it was: the new one replaces it only when completely written).
TDataPacket LoadDataPacket(const QString& fileName);
void SaveDataPacket(const TDataPacket& packet, const QString& fileName);

// Raises EDatabaseError when the packet's fields are not the expected ones in name, order and
// kind of value (a packet of another layout).
void CheckPacketFields(const TDataPacket& packet, const QVector<TPacketField>& expected);
