<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de_DE">
<context>
    <name>TpolarImp</name>
    <message>
        <source>Polar-Import</source>
        <translation>Polar import</translation>
    </message>
    <message>
        <source>Polar-Import (Schritt 1/2)</source>
        <translation>Polar import (step 1/2)</translation>
    </message>
    <message>
        <source>Mit diesem Modul können Sie die Daten bestimmter Polar HF-Uhren in Orvalo einladen.</source>
        <translation>This module loads the data of certain Polar heart-rate monitors into Orvalo.</translation>
    </message>
    <message>
        <source>Wie möchten Sie die Daten importieren?</source>
        <translation>How do you want to import the data?</translation>
    </message>
    <message>
        <source>Import direkt mit Mikrofon</source>
        <translation>Import directly with the microphone</translation>
    </message>
    <message>
        <source>Import aus Wave-Datei</source>
        <translation>Import from a wave file</translation>
    </message>
    <message>
        <source>Import aus HRM-Datei</source>
        <translation>Import from an HRM file</translation>
    </message>
    <message>
        <source>Import direkt über IRDA</source>
        <translation>Import directly via IrDA</translation>
    </message>
    <message>
        <source>Informationen zum Orvalo Heart Rate Tool</source>
        <translation>Information about the Orvalo Heart Rate Tool</translation>
    </message>
    <message>
        <source>Die Umwandlung der Sonic-Link-Übertragung beruht auf der Arbeit der Autoren des Werkzeugs SL2HRM.</source>
        <translation>The conversion of the sonic link transmission is based on the work of the authors of the SL2HRM tool.</translation>
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
        <source>Hilfe</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>Wave-Datei (*.wav)|*.wav</source>
        <translation>Wave file (*.wav)|*.wav</translation>
    </message>
    <message>
        <source>HRM-Datei (*.hrm)|*.hrm</source>
        <translation>HRM file (*.hrm)|*.hrm</translation>
    </message>
</context>
</TS>
