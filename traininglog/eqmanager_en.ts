<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de_DE">
<context>
    <name>TeqManager</name>
    <message>
        <source>Datum</source>
        <translation>Date</translation>
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
        <source>Equipmentmanager</source>
        <translation>Equipment manager</translation>
    </message>
    <message>
        <source>  Kategorie</source>
        <translation>  Category</translation>
    </message>
    <message>
        <source>Bezeichnung</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Art</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>Kilometer</source>
        <translation>Kilometres</translation>
    </message>
    <message>
        <source>Kaufdatum</source>
        <translation>Date of purchase</translation>
    </message>
    <message>
        <source>Kategorie</source>
        <translation>Category</translation>
    </message>
    <message>
        <source>Aktuell genutzt</source>
        <translation>Currently in use</translation>
    </message>
    <message>
        <source>Erwartete Kilometer:</source>
        <translation>Expected kilometres:</translation>
    </message>
    <message>
        <source>Benutzte Kilometer:</source>
        <translation>Kilometres used:</translation>
    </message>
    <message>
        <source>Verbleibende Kilometer:</source>
        <translation>Kilometres left:</translation>
    </message>
    <message>
        <source>Abnutzung:</source>
        <translation>Wear:</translation>
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
        <source>Aktualisieren</source>
        <translation>Refresh</translation>
    </message>
    <message>
        <source>Hilfe</source>
        <translation>Help</translation>
    </message>
</context>
</TS>
