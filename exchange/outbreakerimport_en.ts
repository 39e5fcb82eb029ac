<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de_DE">
<context>
    <name>ToutImport</name>
    <message>
        <source>outImport</source>
        <translation>outImport</translation>
    </message>
    <message>
        <source>Outbreaker-Import</source>
        <translation>Outbreaker import</translation>
    </message>
    <message>
        <source>Mit diesem Assistenten können Daten aus Outbreaker HF-Messgeräten importiert werden.</source>
        <translation>This wizard imports data from Outbreaker heart-rate monitors.</translation>
    </message>
    <message>
        <source>Welche Einheit wollen Sie importieren?</source>
        <translation>Which unit do you want to import?</translation>
    </message>
    <message>
        <source>Import</source>
        <translation>Import</translation>
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
        <source>Access-Datei (*.mdb)|*.mdb</source>
        <translation>Access file (*.mdb)|*.mdb</translation>
    </message>
</context>
<context>
    <name>OutbreakerImport</name>
    <message>
        <source>Der Tabelle &quot;%1&quot; fehlt das Feld &quot;%2&quot;.</source>
        <translation>The table &quot;%1&quot; has no field &quot;%2&quot;.</translation>
    </message>
    <message>
        <source>Es ist keine Einheit ausgewählt.</source>
        <translation>No unit is selected.</translation>
    </message>
    <message>
        <source>Die Einheit &quot;%1&quot; hat kein Datum.</source>
        <translation>The unit &quot;%1&quot; has no date.</translation>
    </message>
    <message>
        <source>Die Nettozeit &quot;%1&quot; ist keine gültige Zeit.</source>
        <translation>The net time &quot;%1&quot; is not a valid time.</translation>
    </message>
</context>
</TS>
