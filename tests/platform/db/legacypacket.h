#pragma once
// A unit template as the Windows program saved it: change-log row states, ANSI text without an
// encoding declaration, a row edited after its insert. Read by the packet and the client dataset
// tests alike.
#include <QByteArray>

inline QByteArray LegacyTemplatePacket()
{
    return "<?xml version=\"1.0\" standalone=\"yes\"?>  <DATAPACKET Version=\"2.0\"><METADATA><FIELDS>"
           "<FIELD attrname=\"dat_Id\" fieldtype=\"i4\" readonly=\"true\" SUBTYPE=\"Autoinc\"/>"
           "<FIELD attrname=\"Datum\" fieldtype=\"dateTime\"/>"
           "<FIELD attrname=\"Ort\" fieldtype=\"string\" WIDTH=\"30\"/>"
           "<FIELD attrname=\"Zeit\" fieldtype=\"dateTime\"/>"
           "<FIELD attrname=\"Bemerkungen\" fieldtype=\"bin.hex\" SUBTYPE=\"Text\"/>"
           "<FIELD attrname=\"Gli\" fieldtype=\"r8\"/><FIELD attrname=\"x\" fieldtype=\"boolean\"/>"
           "</FIELDS><PARAMS CHANGE_LOG=\"1 0 4 2 1 8\" LCID=\"1031\"/></METADATA><ROWDATA>"
           "<ROW RowState=\"4\" Datum=\"20040315T00:00:00000\" Ort=\"K\xF6ln\" Zeit=\"18991230T00:45:12000\" "
           "Bemerkungen=\"gut\" Gli=\"52.5\" x=\"TRUE\"/>"
           "<ROW RowState=\"8\" Ort=\"M\xFCnchen\"/>"
           "</ROWDATA></DATAPACKET>";
}
