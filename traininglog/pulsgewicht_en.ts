<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de_DE">
<context>
    <name>TpulsgewFrm</name>
    <message>
        <source>Puls</source>
        <translation>Heart rate</translation>
    </message>
    <message>
        <source>Ø Puls</source>
        <translation>Ø heart rate</translation>
    </message>
    <message>
        <source>Maximalpuls</source>
        <translation>Maximum heart rate</translation>
    </message>
    <message>
        <source>Ruhepuls</source>
        <translation>Resting heart rate</translation>
    </message>
    <message>
        <source>Erholungspuls</source>
        <translation>Recovery heart rate</translation>
    </message>
    <message>
        <source>Sonstiges</source>
        <translation>Other</translation>
    </message>
    <message>
        <source>Gewicht</source>
        <translation>Weight</translation>
    </message>
    <message>
        <source>Fett (in%)</source>
        <translation>Fat (in %)</translation>
    </message>
    <message>
        <source>kcal</source>
        <translation>kcal</translation>
    </message>
</context>
<context>
    <name>TPulsGewicht</name>
    <message>
        <source>Puls + Gewicht</source>
        <translation>Heart rate + weight</translation>
    </message>
    <message>
        <source>Übernehmen</source>
        <translation>Apply</translation>
    </message>
</context>
</TS>
