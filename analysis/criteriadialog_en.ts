<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de_DE">
<context>
    <name>TCriteriaDlg</name>
    <message>
        <source>SQL Dialog</source>
        <translation>SQL dialog</translation>
    </message>
    <message>
        <source>Selektieren</source>
        <translation>Select</translation>
    </message>
    <message>
        <source>Kriterienliste:</source>
        <translation>List of criteria:</translation>
    </message>
    <message>
        <source>Entfernen</source>
        <translation>Remove</translation>
    </message>
    <message>
        <source>Definition weiterer Kriterien:</source>
        <translation>Define further criteria:</translation>
    </message>
    <message>
        <source>Feld</source>
        <translation>Field</translation>
    </message>
    <message>
        <source>Bedingung:</source>
        <translation>Condition:</translation>
    </message>
    <message>
        <source>Wert:</source>
        <translation>Value:</translation>
    </message>
    <message>
        <source>Hinzufügen</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Cancel</translation>
    </message>
</context>
</TS>
