<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de_DE">
<context>
    <name>Tjahresstat</name>
    <message>
        <source>Monatsstatistik</source>
        <translation>Monthly statistics</translation>
    </message>
    <message>
        <source>    Schließen</source>
        <translation>    Close</translation>
    </message>
    <message>
        <source>Drucken</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>Grafik</source>
        <translation>Chart</translation>
    </message>
    <message>
        <source>Hilfe</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>Einstellungen</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>Monat:</source>
        <translation>Month:</translation>
    </message>
    <message>
        <source>Jahr:</source>
        <translation>Year:</translation>
    </message>
    <message>
        <source>Monate:</source>
        <translation>Months:</translation>
    </message>
    <message>
        <source>Einheit (Distanz):</source>
        <translation>Unit (distance):</translation>
    </message>
    <message>
        <source>Nur bis akt. Monat</source>
        <translation>Up to the current month only</translation>
    </message>
    <message>
        <source>Übernehmen</source>
        <translation>Apply</translation>
    </message>
    <message>
        <source>Filter aktivieren</source>
        <translation>Enable filter</translation>
    </message>
    <message>
        <source>mit Planung</source>
        <translation>with planning</translation>
    </message>
    <message>
        <source>Infos:</source>
        <translation>Info:</translation>
    </message>
    <message>
        <source>Zeit:</source>
        <translation>Time:</translation>
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
        <source>Die Anzahl der Monate muss eine ganze Zahl größer als 0 sein.</source>
        <translation>The number of months must be a whole number greater than 0.</translation>
    </message>
</context>
<context>
    <name>Tmonatstatgraf</name>
    <message>
        <source>Grafik zur Monatsstatistik</source>
        <translation>Chart of the monthly statistics</translation>
    </message>
    <message>
        <source>Schließen</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Reihen</source>
        <translation>Series</translation>
    </message>
    <message>
        <source>Drucken</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>Hilfe</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>Meter</source>
        <translation>Metres</translation>
    </message>
    <message>
        <source>Höhe * 10</source>
        <translation>Height * 10</translation>
    </message>
    <message>
        <source>Zeit</source>
        <translation>Time</translation>
    </message>
</context>
</TS>
