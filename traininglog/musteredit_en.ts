<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de_DE">
<context>
    <name>Tmusteredit</name>
    <message>
        <source>Mustereditor</source>
        <translation>Template editor</translation>
    </message>
    <message>
        <source>  Verzeichnis/Datei</source>
        <translation>  Folder/file</translation>
    </message>
    <message>
        <source>Allgemein</source>
        <translation>General</translation>
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
        <source>Datum</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Datum im Muster speichern</source>
        <translation>Keep the date in the template</translation>
    </message>
    <message>
        <source>Heute</source>
        <translation>Today</translation>
    </message>
    <message>
        <source>H</source>
        <translation>H</translation>
    </message>
    <message>
        <source>Strecke</source>
        <translation>Route</translation>
    </message>
    <message>
        <source>Ort</source>
        <translation>Place</translation>
    </message>
    <message>
        <source>Beschreibung</source>
        <translation>Description</translation>
    </message>
    <message>
        <source>H.Diff</source>
        <translation>Alt. diff.</translation>
    </message>
    <message>
        <source>Leistung</source>
        <translation>Performance</translation>
    </message>
    <message>
        <source>Zeit</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>Belast.stufe</source>
        <translation>Load level</translation>
    </message>
    <message>
        <source>Belast.art</source>
        <translation>Load type</translation>
    </message>
    <message>
        <source>Bio</source>
        <translation>Bio</translation>
    </message>
    <message>
        <source>Ø Puls</source>
        <translation>Ø heart rate</translation>
    </message>
    <message>
        <source>Gewicht</source>
        <translation>Weight</translation>
    </message>
    <message>
        <source>Umgebung</source>
        <translation>Conditions</translation>
    </message>
    <message>
        <source>Startzeit</source>
        <translation>Start time</translation>
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
        <source>°C</source>
        <translation>°C</translation>
    </message>
    <message>
        <source>Anderes</source>
        <translation>Other</translation>
    </message>
    <message>
        <source>Gefühl</source>
        <translation>Feeling</translation>
    </message>
    <message>
        <source>Gli</source>
        <translation>Gli</translation>
    </message>
    <message>
        <source>Platz</source>
        <translation>Place</translation>
    </message>
    <message>
        <source>AKPl.</source>
        <translation>AG pl.</translation>
    </message>
    <message>
        <source>Platzierung Altersklasse</source>
        <translation>Placing in age group</translation>
    </message>
    <message>
        <source>Einladen</source>
        <translation>Apply</translation>
    </message>
    <message>
        <source>Muster einladen</source>
        <translation>Apply the template</translation>
    </message>
    <message>
        <source>Neu</source>
        <translation>New</translation>
    </message>
    <message>
        <source>Muster neu anlegen</source>
        <translation>New template</translation>
    </message>
    <message>
        <source>Speichern</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Muster speichern</source>
        <translation>Save the template</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Bearbeitung abbrechen</source>
        <translation>Cancel editing</translation>
    </message>
    <message>
        <source>Hilfe</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>Das Muster enthält keine Werte und wird nicht gespeichert.</source>
        <translation>The template holds no values and is not saved.</translation>
    </message>
    <message>
        <source>Das Muster enthält keine Werte.</source>
        <translation>The template holds no values.</translation>
    </message>
</context>
</TS>
