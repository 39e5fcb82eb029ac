<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de_DE">
<context>
    <name>TorvReports</name>
    <message>
        <source>Gedruckt am </source>
        <translation>Printed on </translation>
    </message>
    <message>
        <source>Seite %1</source>
        <translation>Page %1</translation>
    </message>
    <message>
        <source>Datum</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Tag</source>
        <translation>Day</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Start</translation>
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
        <source>Meter</source>
        <translation>Metres</translation>
    </message>
    <message>
        <source>Zeit</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>Tempo</source>
        <translation>Pace</translation>
    </message>
    <message>
        <source>km/h</source>
        <translation>km/h</translation>
    </message>
    <message>
        <source>Puls</source>
        <translation>Pulse</translation>
    </message>
    <message>
        <source>H.Diff.</source>
        <translation>H.Diff.</translation>
    </message>
    <message>
        <source>Ort</source>
        <translation>Place</translation>
    </message>
    <message>
        <source>Liste</source>
        <translation>List</translation>
    </message>
    <message>
        <source>Trainingseinheiten</source>
        <translation>Training units</translation>
    </message>
    <message>
        <source>Strecke gesamt: %1 m</source>
        <translation>Total distance: %1 m</translation>
    </message>
    <message>
        <source>Einheiten: %1</source>
        <translation>Units: %1</translation>
    </message>
    <message>
        <source>Höhendifferenz gesamt: %1 m</source>
        <translation>Total height difference: %1 m</translation>
    </message>
    <message>
        <source>Allgemein</source>
        <translation>General</translation>
    </message>
    <message>
        <source>Strecke</source>
        <translation>Route</translation>
    </message>
    <message>
        <source>Leistung</source>
        <translation>Performance</translation>
    </message>
    <message>
        <source>Bio</source>
        <translation>Bio</translation>
    </message>
    <message>
        <source>Anderes</source>
        <translation>Other</translation>
    </message>
    <message>
        <source>Startzeit</source>
        <translation>Start time</translation>
    </message>
    <message>
        <source>Trainingsblock</source>
        <translation>Training block</translation>
    </message>
    <message>
        <source>Distanz</source>
        <translation>Distance</translation>
    </message>
    <message>
        <source>Höhendifferenz</source>
        <translation>Height difference</translation>
    </message>
    <message>
        <source>Beschreibung</source>
        <translation>Description</translation>
    </message>
    <message>
        <source>Belastungsstufe</source>
        <translation>Load level</translation>
    </message>
    <message>
        <source>Belastungsart</source>
        <translation>Load type</translation>
    </message>
    <message>
        <source>Ø Puls</source>
        <translation>Avg. pulse</translation>
    </message>
    <message>
        <source>Max. Puls</source>
        <translation>Max. pulse</translation>
    </message>
    <message>
        <source>Ruhepuls</source>
        <translation>Resting pulse</translation>
    </message>
    <message>
        <source>Erholungspuls</source>
        <translation>Recovery pulse</translation>
    </message>
    <message>
        <source>Gewicht</source>
        <translation>Weight</translation>
    </message>
    <message>
        <source>Körperfett</source>
        <translation>Body fat</translation>
    </message>
    <message>
        <source>Kalorien</source>
        <translation>Calories</translation>
    </message>
    <message>
        <source>Wetter</source>
        <translation>Weather</translation>
    </message>
    <message>
        <source>Wind</source>
        <translation>Wind</translation>
    </message>
    <message>
        <source>Temperatur</source>
        <translation>Temperature</translation>
    </message>
    <message>
        <source>Gefühl</source>
        <translation>Feeling</translation>
    </message>
    <message>
        <source>GLI</source>
        <translation>GLI</translation>
    </message>
    <message>
        <source>Platz</source>
        <translation>Placing</translation>
    </message>
    <message>
        <source>AK-Platz</source>
        <translation>Age-group placing</translation>
    </message>
    <message>
        <source>Benutzerfeld 1</source>
        <translation>User field 1</translation>
    </message>
    <message>
        <source>Benutzerfeld 2</source>
        <translation>User field 2</translation>
    </message>
    <message>
        <source>Bemerkungen</source>
        <translation>Comments</translation>
    </message>
    <message>
        <source>%1 am %2</source>
        <translation>%1 on %2</translation>
    </message>
    <message>
        <source>Einheit</source>
        <translation>Unit</translation>
    </message>
    <message>
        <source>Trainingseinheit</source>
        <translation>Training unit</translation>
    </message>
    <message>
        <source>Zwischenzeiten</source>
        <translation>Split times</translation>
    </message>
    <message>
        <source>Herzfrequenzdaten</source>
        <translation>Heart-rate data</translation>
    </message>
</context>
</TS>
