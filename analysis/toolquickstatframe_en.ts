<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de_DE">
<context>
    <name>TtoolQuickstatFrm</name>
    <message>
        <source>Wochenansicht</source>
        <translation>Week view</translation>
    </message>
    <message>
        <source>Blockansicht</source>
        <translation>Block view</translation>
    </message>
    <message>
        <source>Belastungsstufen</source>
        <translation>Load levels</translation>
    </message>
    <message>
        <source>Sportarten</source>
        <translation>Sports</translation>
    </message>
    <message>
        <source>Distanz</source>
        <translation>Distance</translation>
    </message>
    <message>
        <source>Zeit</source>
        <translation>Time</translation>
    </message>
</context>
</TS>
