<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de_DE">
<context>
    <name>TexplorerFrm</name>
    <message>
        <source>Explorer</source>
        <translation>Explorer</translation>
    </message>
    <message>
        <source>Hilfe</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>Auswahl/Sortierung:</source>
        <translation>Selection/sorting:</translation>
    </message>
    <message>
        <source>Nur die letzten</source>
        <translation>Only the last</translation>
    </message>
    <message>
        <source>Anzahl der Tage</source>
        <translation>Number of days</translation>
    </message>
    <message>
        <source>Tage.</source>
        <translation>days.</translation>
    </message>
    <message>
        <source>Übernehmen</source>
        <translation>Apply</translation>
    </message>
</context>
</TS>
