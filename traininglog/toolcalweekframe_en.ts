<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de_DE">
<context>
    <name>TtoolCalWeekFrm</name>
    <message>
        <source>&amp;Sportart</source>
        <translation>&amp;Sport</translation>
    </message>
    <message>
        <source>Sportart</source>
        <translation>Sport</translation>
    </message>
    <message>
        <source>&amp;Belastung</source>
        <translation>&amp;Load</translation>
    </message>
    <message>
        <source>Belastungsstufe</source>
        <translation>Load level</translation>
    </message>
    <message>
        <source>&amp;txt</source>
        <translation>&amp;txt</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>mit &amp;Planung</source>
        <translation>with &amp;planning</translation>
    </message>
    <message>
        <source>Distanz</source>
        <translation>Distance</translation>
    </message>
</context>
</TS>
