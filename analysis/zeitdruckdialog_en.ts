<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de_DE">
<context>
    <name>Tzeitdruckdlg</name>
    <message>
        <source>Zeitraumstatistik drucken</source>
        <translation>Print period statistics</translation>
    </message>
    <message>
        <source>Spalten</source>
        <translation>Columns</translation>
    </message>
    <message>
        <source>Wie Zeitraumstatistik</source>
        <translation>As in the period statistics</translation>
    </message>
    <message>
        <source>Benutzerdefiniert</source>
        <translation>User-defined</translation>
    </message>
    <message>
        <source>Untertitel:</source>
        <translation>Subtitle:</translation>
    </message>
    <message>
        <source>Vorschau</source>
        <translation>Preview</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Woche</source>
        <translation>Week</translation>
    </message>
    <message>
        <source>Monat</source>
        <translation>Month</translation>
    </message>
    <message>
        <source>Vom: </source>
        <translation>From: </translation>
    </message>
    <message>
        <source>Bis zum: </source>
        <translation>To: </translation>
    </message>
    <message>
        <source>Erstellt mit Orvalo 5 - Trainingstagebuch</source>
        <translation>Made with Orvalo 5 - training diary</translation>
    </message>
    <message>
        <source>Zeit:</source>
        <translation>Time:</translation>
    </message>
</context>
</TS>
