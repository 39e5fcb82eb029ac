<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de_DE">
<context>
    <name>Tmarschtab</name>
    <message>
        <source>Marschtabelle</source>
        <translation>March table</translation>
    </message>
    <message>
        <source>Schließen</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Drucken</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>Excel Export</source>
        <translation>Excel export</translation>
    </message>
    <message>
        <source>Hilfe</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>Eingaben</source>
        <translation>Input</translation>
    </message>
    <message>
        <source>Gesamt:</source>
        <translation>Total:</translation>
    </message>
    <message>
        <source>Runde(Split):</source>
        <translation>Lap (split):</translation>
    </message>
    <message>
        <source>Km/h:</source>
        <translation>km/h:</translation>
    </message>
    <message>
        <source>Min/km:</source>
        <translation>min/km:</translation>
    </message>
    <message>
        <source>Split:</source>
        <translation>Split:</translation>
    </message>
    <message>
        <source>m</source>
        <translation>m</translation>
    </message>
    <message>
        <source>(hh:mm:ss)</source>
        <translation>(hh:mm:ss)</translation>
    </message>
    <message>
        <source>Die Berechnung bezieht sich auf das Feld, in dem sich der Textcursor befindet, wenn Sie auf "Berechnen" klicken.</source>
        <translation>The calculation starts from the field that holds the text cursor when you click "Calculate".</translation>
    </message>
    <message>
        <source>Berechnen</source>
        <translation>Calculate</translation>
    </message>
    <message>
        <source>Anfügen</source>
        <translation>Append</translation>
    </message>
    <message>
        <source>In Zwischenzeiten einfügen</source>
        <translation>Insert into split times</translation>
    </message>
    <message>
        <source>Excel - Datei (*.xlsx)|*.xlsx</source>
        <translation>Excel file (*.xlsx)|*.xlsx</translation>
    </message>
</context>
</TS>
