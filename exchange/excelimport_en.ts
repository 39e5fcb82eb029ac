<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de_DE">
<context>
    <name>Teximp</name>
    <message>
        <source>Importassistent </source>
        <translation>Import wizard</translation>
    </message>
    <message>
        <source>1. Datenquelle wählen</source>
        <translation>1. Choose the data source</translation>
    </message>
    <message>
        <source>Willkommen beim Importassistent  von Orvalo.</source>
        <translation>Welcome to the import wizard of Orvalo.</translation>
    </message>
    <message>
        <source>Dieser Assistent hilft Ihnen dabei, Daten zu importieren.</source>
        <translation>This wizard helps you to import data.</translation>
    </message>
    <message>
        <source>Wählen Sie zunächst eine Datenquelle aus.</source>
        <translation>First choose a data source.</translation>
    </message>
    <message>
        <source>Datenquelle:</source>
        <translation>Data source:</translation>
    </message>
    <message>
        <source>Durchsuchen</source>
        <translation>Browse</translation>
    </message>
    <message>
        <source>Weiter -&gt;</source>
        <translation>Next -&gt;</translation>
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
        <source>Bitte wählen Sie zuerst eine Datenquelle aus.</source>
        <translation>Please choose a data source first.</translation>
    </message>
</context>
</TS>
