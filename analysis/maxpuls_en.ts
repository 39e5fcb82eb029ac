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
<context>
    <name>HeartRate</name>
    <message>
        <source>Das Lebensalter muß zwischen %1 und %2 Jahren liegen.</source>
        <translation>The age must lie between %1 and %2 years.</translation>
    </message>
    <message>
        <source>Der Maximalpuls muß zwischen %1 und %2 Schlägen pro Minute liegen.</source>
        <translation>The maximum heart rate must lie between %1 and %2 beats per minute.</translation>
    </message>
</context>
</TS>
