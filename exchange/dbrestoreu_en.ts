<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de_DE">
<context>
    <name>TdbRestore</name>
    <message>
        <source>Datenbank rücksichern</source>
        <translation>Restore database</translation>
    </message>
    <message>
        <source>Mit diesem Assistenten können Sie eine zuvor gesicherte Orvalo 5 Datenbank wiederherstellen.</source>
        <translation>This wizard restores an Orvalo 5 database that you backed up before.</translation>
    </message>
    <message>
        <source>Sicherungsdatei:</source>
        <translation>Backup file:</translation>
    </message>
    <message>
        <source>Zielverzeichnis:</source>
        <translation>Target folder:</translation>
    </message>
    <message>
        <source>Durchsuchen</source>
        <translation>Browse</translation>
    </message>
    <message>
        <source>Rücksichern</source>
        <translation>Restore</translation>
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
        <source>Cabinet-Datei (*.cab)|*.cab</source>
        <translation>Cabinet file (*.cab)|*.cab</translation>
    </message>
    <message>
        <source>Bitte wählen Sie zuerst die Sicherungsdatei aus.</source>
        <translation>Please choose the backup file first.</translation>
    </message>
    <message>
        <source>Bitte wählen Sie zuerst das Zielverzeichnis aus.</source>
        <translation>Please choose the target folder first.</translation>
    </message>
</context>
</TS>
