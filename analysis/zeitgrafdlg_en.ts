<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de_DE">
<context>
    <name>TzeitGrafDlg</name>
    <message>
        <source>Grafikoptionen</source>
        <translation>Chart options</translation>
    </message>
    <message>
        <source>X-Achse</source>
        <translation>X axis</translation>
    </message>
    <message>
        <source>Einheiten nach Tagen gruppieren</source>
        <translation>Group units by day</translation>
    </message>
    <message>
        <source>Einheiten nach Blöcken gruppieren</source>
        <translation>Group units by block</translation>
    </message>
    <message>
        <source>Keine Gruppierung</source>
        <translation>No grouping</translation>
    </message>
    <message>
        <source>Farbige Markierung</source>
        <translation>Colour marking</translation>
    </message>
    <message>
        <source>Sportart</source>
        <translation>Sport</translation>
    </message>
    <message>
        <source>Form</source>
        <translation>Form</translation>
    </message>
    <message>
        <source>Belastungsstufe</source>
        <translation>HR Zone</translation>
    </message>
    <message>
        <source>Belastungsart</source>
        <translation>Load type</translation>
    </message>
    <message>
        <source>Y-Achse</source>
        <translation>Y axis</translation>
    </message>
    <message>
        <source>&amp;Werte</source>
        <translation>&amp;Values</translation>
    </message>
    <message>
        <source>&amp;Einheit</source>
        <translation>&amp;Unit</translation>
    </message>
    <message>
        <source>Distanz</source>
        <translation>Distance</translation>
    </message>
    <message>
        <source>Zeit</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>Höhe</source>
        <translation>Height</translation>
    </message>
    <message>
        <source>Puls</source>
        <translation>HR</translation>
    </message>
    <message>
        <source>GLI</source>
        <translation>GLI</translation>
    </message>
    <message>
        <source>Gewicht</source>
        <translation>Weight</translation>
    </message>
    <message>
        <source>Maximalpuls</source>
        <translation>Maximum heart rate</translation>
    </message>
    <message>
        <source>Ruhepuls</source>
        <translation>Resting heart rate</translation>
    </message>
    <message>
        <source>Erholungspuls</source>
        <translation>Recovery heart rate</translation>
    </message>
    <message>
        <source>Zahl (User2)</source>
        <translation>Number (User2)</translation>
    </message>
    <message>
        <source>Fett</source>
        <translation>Fat</translation>
    </message>
    <message>
        <source>kcal</source>
        <translation>kcal</translation>
    </message>
    <message>
        <source>Temperatur</source>
        <translation>Temperature</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Cancel</translation>
    </message>
</context>
</TS>
