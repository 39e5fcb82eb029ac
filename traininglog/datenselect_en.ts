<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de_DE">
<context>
    <name>TDatenSelect</name>
    <message>
        <source>Einheiten auswählen</source>
        <translation>Choose units</translation>
    </message>
    <message>
        <source>Erster Datensatz</source>
        <translation>First record</translation>
    </message>
    <message>
        <source>Vorheriger  Datensatz</source>
        <translation>Previous record</translation>
    </message>
    <message>
        <source>Nächster Datensatz</source>
        <translation>Next record</translation>
    </message>
    <message>
        <source>Letzter Datensatz</source>
        <translation>Last record</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Hilfe</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>Ausgewählte Einheiten:</source>
        <translation>Chosen units:</translation>
    </message>
    <message>
        <source>Hinzufügen</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>Aus Selektion entfernen</source>
        <translation>Remove from selection</translation>
    </message>
    <message>
        <source>Suchen</source>
        <translation>Search</translation>
    </message>
    <message>
        <source>  Suchen nach:</source>
        <translation>  Search for:</translation>
    </message>
    <message>
        <source>In Feld:</source>
        <translation>In field:</translation>
    </message>
    <message>
        <source>Wert:</source>
        <translation>Value:</translation>
    </message>
    <message>
        <source>  Übereinstimmungen:</source>
        <translation>  Matches:</translation>
    </message>
    <message>
        <source>Übernehmen</source>
        <translation>Apply</translation>
    </message>
    <message>
        <source>Datum</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Form</source>
        <translation>Form</translation>
    </message>
    <message>
        <source>Sportart</source>
        <translation>Sport</translation>
    </message>
    <message>
        <source>Ort</source>
        <translation>Place</translation>
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
        <source>HDiff</source>
        <translation>Climb</translation>
    </message>
</context>
</TS>
