<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de_DE">
<context>
    <name>TLeistindex</name>
    <message>
        <source>Leistungsindex</source>
        <translation>Performance index</translation>
    </message>
    <message>
        <source>Strecke:</source>
        <translation>Distance:</translation>
    </message>
    <message>
        <source>Geschwindigkeit:</source>
        <translation>Speed:</translation>
    </message>
    <message>
        <source>Maximalpuls:</source>
        <translation>Maximum heart rate:</translation>
    </message>
    <message>
        <source>Durchschnittspuls:</source>
        <translation>Average heart rate:</translation>
    </message>
    <message>
        <source>Leistungsindex:</source>
        <translation>Performance index:</translation>
    </message>
    <message>
        <source>Berechnen</source>
        <translation>Calculate</translation>
    </message>
    <message>
        <source>Schließen</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Hilfe</source>
        <translation>Help</translation>
    </message>
</context>
</TS>
