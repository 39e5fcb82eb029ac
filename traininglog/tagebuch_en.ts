<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de_DE">
<context>
    <name>Tdiary</name>
    <message>
        <source>Tagebuch</source>
        <translation>Diary</translation>
    </message>
    <message>
        <source>Trainingsblöcke</source>
        <translation>Training blocks</translation>
    </message>
    <message>
        <source>Suchen</source>
        <translation>Search</translation>
    </message>
    <message>
        <source>Übersicht</source>
        <translation>Overview</translation>
    </message>
    <message>
        <source>Profile</source>
        <translation>Profiles</translation>
    </message>
    <message>
        <source>Zeitraumstatistik</source>
        <translation>Period statistics</translation>
    </message>
    <message>
        <source>Tagesansicht</source>
        <translation>Day view</translation>
    </message>
    <message>
        <source>Label1</source>
        <translation>Label1</translation>
    </message>
    <message>
        <source>Ziehen und Trainingsblock zuordnen.</source>
        <translation>Drag to assign a training block.</translation>
    </message>
    <message>
        <source>Laufen</source>
        <translation>Running</translation>
    </message>
    <message>
        <source>2000 m</source>
        <translation>2000 m</translation>
    </message>
</context>
</TS>
