<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de_DE">
<context>
    <name>Chart</name>
    <message>
        <source>Ungültige Achse: %1</source>
        <translation>Invalid axis: %1</translation>
    </message>
    <message>
        <source>Ungültiger Punktindex: %1</source>
        <translation>Invalid point index: %1</translation>
    </message>
    <message>
        <source>Ungültiger Index der Datenreihe: %1</source>
        <translation>Invalid series index: %1</translation>
    </message>
    <message>
        <source>Ungültiger Index des Farbbands: %1</source>
        <translation>Invalid stripe index: %1</translation>
    </message>
    <message>
        <source>Ungültiger Index der Konstantenlinie: %1</source>
        <translation>Invalid constant line index: %1</translation>
    </message>
    <message>
        <source>Kein Datenblock geöffnet für: %1</source>
        <translation>No data block open for: %1</translation>
    </message>
    <message>
        <source>Ungültige Anzahl im Datenblock: %1</source>
        <translation>Invalid count in data block: %1</translation>
    </message>
    <message>
        <source>Unbekannte Art des Datenblocks: %1</source>
        <translation>Unknown kind of data block: %1</translation>
    </message>
    <message>
        <source>Das Diagramm kann nicht ausgegeben werden.</source>
        <translation>The chart cannot be output.</translation>
    </message>
    <message>
        <source>Die Datei %1 kann nicht geschrieben werden.</source>
        <translation>The file %1 cannot be written.</translation>
    </message>
    <message>
        <source>Diagramm</source>
        <translation>Chart</translation>
    </message>
</context>
</TS>
