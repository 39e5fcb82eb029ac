<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de_DE">
<context>
    <name>Tbestzeit</name>
    <message>
        <source>Bestzeiten</source>
        <translation>Best times</translation>
    </message>
    <message>
        <source>  Kategorie</source>
        <translation>  Category</translation>
    </message>
    <message>
        <source>Datum</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Distanz</source>
        <translation>Distance</translation>
    </message>
    <message>
        <source>Typ</source>
        <translation>Type</translation>
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
        <source>Kategorie</source>
        <translation>Category</translation>
    </message>
    <message>
        <source>Sportart</source>
        <translation>Sport</translation>
    </message>
    <message>
        <source>Kommentar</source>
        <translation>Comment</translation>
    </message>
    <message>
        <source>Erster Datensatz</source>
        <translation>First record</translation>
    </message>
    <message>
        <source>Vorheriger Datensatz</source>
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
        <source>Neue Bestzeit eingeben</source>
        <translation>Enter new best time</translation>
    </message>
    <message>
        <source>Bestzeit löschen</source>
        <translation>Delete best time</translation>
    </message>
    <message>
        <source>Speichern</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Liste/Formular</source>
        <translation>List/Form</translation>
    </message>
    <message>
        <source>Liste</source>
        <translation>List</translation>
    </message>
    <message>
        <source>Formular</source>
        <translation>Form</translation>
    </message>
    <message>
        <source>Hilfe</source>
        <translation>Help</translation>
    </message>
</context>
</TS>
