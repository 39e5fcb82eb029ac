<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de_DE">
<context>
    <name>TnavigatorFrm</name>
    <message>
        <source>Navigator</source>
        <translation>Navigator</translation>
    </message>
    <message>
        <source>Ansicht wählen</source>
        <translation>Choose view</translation>
    </message>
    <message>
        <source>Hilfe</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>Übersicht</source>
        <translation>Overview</translation>
    </message>
    <message>
        <source>Zeitraumstatistik</source>
        <translation>Period statistics</translation>
    </message>
    <message>
        <source>Suchen</source>
        <translation>Search</translation>
    </message>
    <message>
        <source>Profile</source>
        <translation>Profiles</translation>
    </message>
    <message>
        <source>Trainingsblöcke</source>
        <translation>Training blocks</translation>
    </message>
    <message>
        <source>Suchen in:</source>
        <translation>Search in:</translation>
    </message>
    <message>
        <source>Feld, in dem gesucht wird</source>
        <translation>Field to search in</translation>
    </message>
    <message>
        <source>Suchbegriff:</source>
        <translation>Search term:</translation>
    </message>
    <message>
        <source>Treffer:</source>
        <translation>Matches:</translation>
    </message>
    <message>
        <source>Übernehmen</source>
        <translation>Apply</translation>
    </message>
    <message>
        <source>Suchbegriff</source>
        <translation>Search term</translation>
    </message>
    <message>
        <source>Streckenmanager</source>
        <translation>Route manager</translation>
    </message>
    <message>
        <source>Archiv ausblenden</source>
        <translation>Hide archive</translation>
    </message>
    <message>
        <source>Aktuelle Einheit zu Trainingsblock hinzufügen</source>
        <translation>Add the current unit to the training block</translation>
    </message>
    <message>
        <source>In Blockmanager anzeigen</source>
        <translation>Show in the block manager</translation>
    </message>
    <message>
        <source>Ort</source>
        <translation>Place</translation>
    </message>
    <message>
        <source>Datum</source>
        <translation>Date</translation>
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
        <source>Länge</source>
        <translation>Length</translation>
    </message>
    <message>
        <source>HDiff</source>
        <translation>Climb</translation>
    </message>
</context>
</TS>
