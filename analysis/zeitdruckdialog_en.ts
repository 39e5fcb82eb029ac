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
    <message>
        <source>Datum</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Tag</source>
        <translation>Day</translation>
    </message>
    <message>
        <source>Ort</source>
        <translation>Location</translation>
    </message>
    <message>
        <source>Meter</source>
        <translation>Distance</translation>
    </message>
    <message>
        <source>Zeit</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>Sportart</source>
        <translation>Discipline</translation>
    </message>
    <message>
        <source>Form</source>
        <translation>Form</translation>
    </message>
    <message>
        <source>Bel.Art</source>
        <translation>Load type</translation>
    </message>
    <message>
        <source>Bel.Stufe</source>
        <translation>Zone</translation>
    </message>
    <message>
        <source>Puls</source>
        <translation>HR</translation>
    </message>
    <message>
        <source>HDiff</source>
        <translation>Ascent</translation>
    </message>
    <message>
        <source>Startzeit</source>
        <translation>Starting time</translation>
    </message>
    <message>
        <source>Gefuehl</source>
        <translation>Feeling</translation>
    </message>
    <message>
        <source>minkm</source>
        <translation>min/km</translation>
    </message>
    <message>
        <source>kmh</source>
        <translation>km/h</translation>
    </message>
    <message>
        <source>trainingsblock</source>
        <translation>Block</translation>
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
        <source>Streckenbeschreibung</source>
        <translation>Route</translation>
    </message>
    <message>
        <source>Gli</source>
        <translation>GPI</translation>
    </message>
    <message>
        <source>Gewicht</source>
        <translation>Weight</translation>
    </message>
    <message>
        <source>Maxpuls</source>
        <translation>Max. HR</translation>
    </message>
    <message>
        <source>Ruhepuls</source>
        <translation>Rest. HR</translation>
    </message>
    <message>
        <source>Erholungspuls</source>
        <translation>Recovery HR</translation>
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
        <source>platz</source>
        <translation>Place</translation>
    </message>
    <message>
        <source>Speed</source>
        <translation>Speed</translation>
    </message>
    <message>
        <source>Distanz</source>
        <translation>Distance</translation>
    </message>
</context>
</TS>
