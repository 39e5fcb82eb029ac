<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de_DE">
<context>
    <name>TdbSichern</name>
    <message>
        <source>Datenbank sichern</source>
        <translation>Back up database</translation>
    </message>
    <message>
        <source>Mit diesem Assistenten können Sie Ihre Orvalo 5 Dateien sichern, um diese zu einem späteren Zeitpunkt wiederherstellen zu können.</source>
        <translation>This wizard backs up your Orvalo 5 files so that you can restore them later.</translation>
    </message>
    <message>
        <source>Zu sichernde Datenbankdatei:</source>
        <translation>Database file to back up:</translation>
    </message>
    <message>
        <source>Zusätzliche Dateien:</source>
        <translation>Additional files:</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>File name</translation>
    </message>
    <message>
        <source>Verzeichnis</source>
        <translation>Folder</translation>
    </message>
    <message>
        <source>Typ</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>Hinzufügen</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>Entfernen</source>
        <translation>Remove</translation>
    </message>
    <message>
        <source>Vorlage öffnen</source>
        <translation>Open file list</translation>
    </message>
    <message>
        <source>Vorlage speichern</source>
        <translation>Save file list</translation>
    </message>
    <message>
        <source>Sichern</source>
        <translation>Back up</translation>
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
        <source>Alle Orvalo 5 Dateien|*.mt5;*.co5;*.qrp;*.chd;*.sql;*.imp|Spaltendateien (*.co5)|*.co5|Quickreport (*.qrp)|*.qrp|Chart-Dateien (*.chd)|*.chd|SQL-Abfragen (*.sql)|*.sql|Import-Dateien (*.imp)|*.imp|Musterdateien (*.mt5)|*.mt5|Alle Dateien (*.*)|*.*</source>
        <translation>All Orvalo 5 files|*.mt5;*.co5;*.qrp;*.chd;*.sql;*.imp|Column files (*.co5)|*.co5|Quickreport (*.qrp)|*.qrp|Chart files (*.chd)|*.chd|SQL queries (*.sql)|*.sql|Import files (*.imp)|*.imp|Template files (*.mt5)|*.mt5|All files (*.*)|*.*</translation>
    </message>
    <message>
        <source>CAB-Datei (*.cab)|*.cab</source>
        <translation>CAB file (*.cab)|*.cab</translation>
    </message>
    <message>
        <source>XML-Datei (*.xml)|*.xml</source>
        <translation>XML file (*.xml)|*.xml</translation>
    </message>
</context>
</TS>
