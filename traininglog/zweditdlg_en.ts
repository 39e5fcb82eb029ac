<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de_DE">
<context>
    <name>TzwEditDlg</name>
    <message>
        <source>Zwischenzeiten</source>
        <translation>Splits</translation>
    </message>
    <message>
        <source>Meter</source>
        <translation>Metres</translation>
    </message>
    <message>
        <source>Zwischenzeit</source>
        <translation>Split time</translation>
    </message>
    <message>
        <source>Splitzeit</source>
        <translation>Lap time</translation>
    </message>
    <message>
        <source>Puls</source>
        <translation>Heart rate</translation>
    </message>
    <message>
        <source>Min. Puls</source>
        <translation>Min. HR</translation>
    </message>
    <message>
        <source>Max. Puls</source>
        <translation>Max. HR</translation>
    </message>
    <message>
        <source>Höhe</source>
        <translation>Altitude</translation>
    </message>
    <message>
        <source>Notiz</source>
        <translation>Note</translation>
    </message>
    <message>
        <source>Typ</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>Trittfrequenz</source>
        <translation>Cadence</translation>
    </message>
    <message>
        <source>km/h</source>
        <translation>km/h</translation>
    </message>
    <message>
        <source>Temperatur</source>
        <translation>Temperature</translation>
    </message>
    <message>
        <source>HF Datenpunkt</source>
        <translation>HR data point</translation>
    </message>
    <message>
        <source>Speichern</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Zwischenzeit speichern</source>
        <translation>Save split</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Bearbeiten abbrechen</source>
        <translation>Cancel editing</translation>
    </message>
    <message>
        <source>Nach der Eingabe Cursor in ein anderes Feld setzen, damit auch die Zwischenzeit neu berechnet wird.</source>
        <translation>After typing, move to another field so that the split time is computed again.</translation>
    </message>
</context>
</TS>
