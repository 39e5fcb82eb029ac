<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de_DE">
<context>
    <name>Tblockman</name>
    <message>
        <source>Blockmanager</source>
        <translation>Block manager</translation>
    </message>
    <message>
        <source>Erster Block</source>
        <translation>First block</translation>
    </message>
    <message>
        <source>Vorheriger  Block</source>
        <translation>Previous block</translation>
    </message>
    <message>
        <source>Nächster Block</source>
        <translation>Next block</translation>
    </message>
    <message>
        <source>Letzter Block</source>
        <translation>Last block</translation>
    </message>
    <message>
        <source>Neuer Block</source>
        <translation>New block</translation>
    </message>
    <message>
        <source>Block löschen</source>
        <translation>Delete block</translation>
    </message>
    <message>
        <source>Alle leeren Blöcke löschen</source>
        <translation>Delete all empty blocks</translation>
    </message>
    <message>
        <source>Übernehmen</source>
        <translation>Apply</translation>
    </message>
    <message>
        <source>Bearbeiten abbrechen</source>
        <translation>Cancel editing</translation>
    </message>
    <message>
        <source>Hilfe</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>Auswahl:</source>
        <translation>Selection:</translation>
    </message>
    <message>
        <source>Suche:</source>
        <translation>Search:</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>Name:</translation>
    </message>
    <message>
        <source>Erstellt:</source>
        <translation>Created:</translation>
    </message>
    <message>
        <source>Platzierung:</source>
        <translation>Placing:</translation>
    </message>
    <message>
        <source>AK Platzierung:</source>
        <translation>Age class placing:</translation>
    </message>
    <message>
        <source>Form:</source>
        <translation>Form:</translation>
    </message>
    <message>
        <source>Sportart:</source>
        <translation>Sport:</translation>
    </message>
    <message>
        <source>Gesamtstrecke:</source>
        <translation>Total distance:</translation>
    </message>
    <message>
        <source>Gesamtzeit:</source>
        <translation>Total time:</translation>
    </message>
    <message>
        <source>Erste Einheit des Blocks</source>
        <translation>First unit of the block</translation>
    </message>
    <message>
        <source>Vorherige Einheit des Blocks</source>
        <translation>Previous unit of the block</translation>
    </message>
    <message>
        <source>Nächste Einheit des Blocks</source>
        <translation>Next unit of the block</translation>
    </message>
    <message>
        <source>Letzte Einheit des Blocks</source>
        <translation>Last unit of the block</translation>
    </message>
    <message>
        <source>Einheit zu Block hinzufügen</source>
        <translation>Add units to the block</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
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
        <source>Distanz</source>
        <translation>Distance</translation>
    </message>
    <message>
        <source>Zeit</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>Ort</source>
        <translation>Place</translation>
    </message>
    <message>
        <source>HDiff</source>
        <translation>Climb</translation>
    </message>
    <message>
        <source>Puls</source>
        <translation>Pulse</translation>
    </message>
</context>
</TS>
