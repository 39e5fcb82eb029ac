<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de_DE">
<context>
    <name>TbelStat</name>
    <message>
        <source>Belastungsstatistik</source>
        <translation>Load statistics</translation>
    </message>
    <message>
        <source>&amp;Schließen</source>
        <translation>&amp;Close</translation>
    </message>
    <message>
        <source>&amp;Drucken</source>
        <translation>&amp;Print</translation>
    </message>
    <message>
        <source>Belastungsstufen</source>
        <translation>Load levels</translation>
    </message>
    <message>
        <source>Belastungsarten</source>
        <translation>Load types</translation>
    </message>
    <message>
        <source>(Basis: Meter)</source>
        <translation>(Base: metres)</translation>
    </message>
    <message>
        <source>Basis wählen</source>
        <translation>Choose the base</translation>
    </message>
    <message>
        <source>Zeit</source>
        <translation>Time</translation>
    </message>
</context>
</TS>
