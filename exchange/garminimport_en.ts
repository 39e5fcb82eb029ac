<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de_DE">
<context>
    <name>Tgarminimp</name>
    <message>
        <source>Garmin-Import</source>
        <translation>Garmin import</translation>
    </message>
    <message>
        <source>Mit diesem Modul können Sie die Daten eines Garmin Forerunner importieren.</source>
        <translation>This module imports the data of a Garmin Forerunner.</translation>
    </message>
    <message>
        <source>Wie möchten Sie die Daten importieren?</source>
        <translation>How do you want to import the data?</translation>
    </message>
    <message>
        <source>Import über XML - Datei</source>
        <translation>Import from an XML file</translation>
    </message>
    <message>
        <source>Direkter import</source>
        <translation>Direct import</translation>
    </message>
    <message>
        <source>Weiter &gt;</source>
        <translation>Next &gt;</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>XML-Datei (*.xml)|*.xml</source>
        <translation>XML file (*.xml)|*.xml</translation>
    </message>
</context>
</TS>
