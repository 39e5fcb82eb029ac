<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de_DE">
<context>
    <name>TMaximPuls</name>
    <message>
        <source>Maximalpuls</source>
        <translation>Maximum heart rate</translation>
    </message>
    <message>
        <source>Lebensalter:</source>
        <translation>Age:</translation>
    </message>
    <message>
        <source>Geschlecht</source>
        <translation>Sex</translation>
    </message>
    <message>
        <source>männlich</source>
        <translation>male</translation>
    </message>
    <message>
        <source>weiblich</source>
        <translation>female</translation>
    </message>
    <message>
        <source>Sportart</source>
        <translation>Sport</translation>
    </message>
    <message>
        <source>Laufen</source>
        <translation>Running</translation>
    </message>
    <message>
        <source>Schwimm./Radf.</source>
        <translation>Swimming/cycling</translation>
    </message>
    <message>
        <source>Maximalpuls:</source>
        <translation>Maximum heart rate:</translation>
    </message>
    <message>
        <source>Berechnen </source>
        <translation>Calculate </translation>
    </message>
    <message>
        <source>Schließen</source>
        <translation>Close</translation>
    </message>
</context>
</TS>
