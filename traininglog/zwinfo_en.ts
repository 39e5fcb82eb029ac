<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de_DE">
<context>
    <name>TzwInfo</name>
    <message>
        <source>Informationen:</source>
        <translation>Information:</translation>
    </message>
    <message>
        <source>Max. Höhe:</source>
        <translation>Max. altitude:</translation>
    </message>
    <message>
        <source>Min. Höhe:</source>
        <translation>Min. altitude:</translation>
    </message>
    <message>
        <source>Max. Trittfrequenz:</source>
        <translation>Max. cadence:</translation>
    </message>
    <message>
        <source>Ø Trittfrequenz:</source>
        <translation>Ø cadence:</translation>
    </message>
    <message>
        <source>Höhenmeter bergauf:</source>
        <translation>Ascent:</translation>
    </message>
    <message>
        <source>Höhenmeter bergab:</source>
        <translation>Descent:</translation>
    </message>
    <message>
        <source>Strecke bergauf:</source>
        <translation>Distance uphill:</translation>
    </message>
    <message>
        <source>Strecke bergab:</source>
        <translation>Distance downhill:</translation>
    </message>
    <message>
        <source>Weitere Daten</source>
        <translation>More data</translation>
    </message>
</context>
<context>
    <name>TzwInfoDlg</name>
    <message>
        <source>Informationen</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>Vergleichseinheit laden</source>
        <translation>Load comparison unit</translation>
    </message>
    <message>
        <source>Drucken</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>Schließen</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>TzwStatistik</name>
    <message>
        <source>Die Werte folgender Zeilen konnten nicht gelesen werden und fehlen teilweise in der Auswertung: %1</source>
        <translation>The values of these rows could not be read and are partly missing from the statistics: %1</translation>
    </message>
</context>
</TS>
