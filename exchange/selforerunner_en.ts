<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de_DE">
<context>
    <name>TselectForerunner</name>
    <message>
        <source>Einheiten auswählen</source>
        <translation>Select units</translation>
    </message>
    <message>
        <source>Verfügbare Einheiten:</source>
        <translation>Available units:</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Datum</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Startzeit</source>
        <translation>Start</translation>
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
        <source>Einheiten ohne Runden wurden übersprungen: %1</source>
        <translation>Units without laps were skipped: %1</translation>
    </message>
    <message>
        <source>Einheiten importieren ...</source>
        <translation>Importing units ...</translation>
    </message>
    <message>
        <source>Einheit %1 vom %2, %3</source>
        <translation>Unit %1 of %2, %3</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>Aus der Datei &quot;%1&quot; wurde keine Einheit importiert.</source>
        <translation>No unit was imported from the file &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>Aus der Datei &quot;%1&quot; importiert:
%2</source>
        <translation>Imported from the file &quot;%1&quot;:
%2</translation>
    </message>
    <message>
        <source>Diese Einheiten wurden nicht importiert, von ihnen wurde nichts gespeichert:
%1</source>
        <translation>These units were not imported; nothing of them was saved:
%1</translation>
    </message>
</context>
</TS>
