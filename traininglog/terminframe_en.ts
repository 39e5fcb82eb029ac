<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de_DE">
<context>
    <name>TterminFrame</name>
    <message>
        <source>Terminplaner</source>
        <translation>Appointment planner</translation>
    </message>
    <message>
        <source>Hilfe</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>Woche</source>
        <translation>Week</translation>
    </message>
    <message>
        <source>Monat</source>
        <translation>Month</translation>
    </message>
    <message>
        <source>Startdatum:</source>
        <translation>Start date:</translation>
    </message>
    <message>
        <source>7 Tage zurück</source>
        <translation>7 days back</translation>
    </message>
    <message>
        <source>Heute</source>
        <translation>Today</translation>
    </message>
    <message>
        <source>7 Tage vor</source>
        <translation>7 days ahead</translation>
    </message>
    <message>
        <source>Einheit:</source>
        <translation>Unit:</translation>
    </message>
    <message>
        <source>Übernehmen</source>
        <translation>Apply</translation>
    </message>
</context>
</TS>
