<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de_DE">
<context>
    <name>TInfos</name>
    <message>
        <source>Informationen</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>Summen</source>
        <translation>Totals</translation>
    </message>
    <message>
        <source>Distanz:</source>
        <translation>Distance:</translation>
    </message>
    <message>
        <source>Höhe:</source>
        <translation>Height:</translation>
    </message>
    <message>
        <source>Zeit:</source>
        <translation>Time:</translation>
    </message>
    <message>
        <source>Anzahl der Einheiten:</source>
        <translation>Number of units:</translation>
    </message>
    <message>
        <source>Durchschnitt</source>
        <translation>Average</translation>
    </message>
    <message>
        <source>Schließen </source>
        <translation>Close </translation>
    </message>
</context>
</TS>
