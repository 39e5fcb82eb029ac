<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de_DE">
<context>
    <name>TtrainplanWoche</name>
    <message>
        <source>Belastungsübersicht Monat</source>
        <translation>Monthly load overview</translation>
    </message>
    <message>
        <source>Mo.</source>
        <translation>Mon</translation>
    </message>
    <message>
        <source>Di.</source>
        <translation>Tue</translation>
    </message>
    <message>
        <source>Mi.</source>
        <translation>Wed</translation>
    </message>
    <message>
        <source>Do.</source>
        <translation>Thu</translation>
    </message>
    <message>
        <source>Fr.</source>
        <translation>Fri</translation>
    </message>
    <message>
        <source>Sa.</source>
        <translation>Sat</translation>
    </message>
    <message>
        <source>So.</source>
        <translation>Sun</translation>
    </message>
    <message>
        <source>W O C H E</source>
        <translation>W E E K</translation>
    </message>
    <message>
        <source>  Einstellungen</source>
        <translation>  Settings</translation>
    </message>
    <message>
        <source>Monat/Jahr:</source>
        <translation>Month/year:</translation>
    </message>
    <message>
        <source>Anzeigen</source>
        <translation>Show</translation>
    </message>
    <message>
        <source>Monat anzeigen</source>
        <translation>Show the month</translation>
    </message>
    <message>
        <source>Legende:</source>
        <translation>Legend:</translation>
    </message>
</context>
</TS>
