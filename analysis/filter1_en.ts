<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de_DE">
<context>
    <name>TfmFilterFrm</name>
    <message>
        <source>SQL Builder</source>
        <translation>SQL builder</translation>
    </message>
    <message>
        <source>&amp;Liste</source>
        <translation>&amp;List</translation>
    </message>
    <message>
        <source>&amp;Bedingung</source>
        <translation>&amp;Condition</translation>
    </message>
    <message>
        <source>&amp;Felder</source>
        <translation>&amp;Fields</translation>
    </message>
    <message>
        <source>Doubleclick to add</source>
        <translation>Doubleclick to add</translation>
    </message>
    <message>
        <source>&amp;Operatoren</source>
        <translation>&amp;Operators</translation>
    </message>
    <message>
        <source>Double-click to add</source>
        <translation>Double-click to add</translation>
    </message>
    <message>
        <source>Speichern</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Bedingung speichern</source>
        <translation>Save condition</translation>
    </message>
    <message>
        <source>Zuweisen</source>
        <translation>Assign</translation>
    </message>
    <message>
        <source>Löschen</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>&amp;Schließen</source>
        <translation>&amp;Close</translation>
    </message>
    <message>
        <source>Filterbedingungen (*.sql)|*.sql|Alle Dateien|*.*</source>
        <translation>Filter conditions (*.sql)|*.sql|All files|*.*</translation>
    </message>
</context>
</TS>
