<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de_DE">
<context>
    <name>TMarschAnf</name>
    <message>
        <source>Berechnung anfügen</source>
        <translation>Append calculation</translation>
    </message>
    <message>
        <source>Start m:</source>
        <translation>Start m:</translation>
    </message>
    <message>
        <source>Ziel m:</source>
        <translation>Finish m:</translation>
    </message>
    <message>
        <source>Runde m:</source>
        <translation>Lap m:</translation>
    </message>
    <message>
        <source>Min/km:</source>
        <translation>min/km:</translation>
    </message>
    <message>
        <source>Km/h:</source>
        <translation>km/h:</translation>
    </message>
    <message>
        <source>Wollen Sie km/h angeben, so lassen Sie dieses Feld bitte leer!</source>
        <translation>Leave this field empty to give the speed in km/h!</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Cancel</translation>
    </message>
</context>
</TS>
