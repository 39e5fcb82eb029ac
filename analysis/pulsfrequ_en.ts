<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de_DE">
<context>
    <name>TPulsfrequenzen</name>
    <message>
        <source>Pulsfrequenzen</source>
        <translation>Heart-rate bands</translation>
    </message>
    <message>
        <source>Maximalpuls:</source>
        <translation>Maximum heart rate:</translation>
    </message>
    <message>
        <source>Trainingspuls in den Belastungsstufen</source>
        <translation>Training heart rate by load level</translation>
    </message>
    <message>
        <source>untere Grenze</source>
        <translation>lower bound</translation>
    </message>
    <message>
        <source>obere Grenze</source>
        <translation>upper bound</translation>
    </message>
    <message>
        <source>Berechnen</source>
        <translation>Calculate</translation>
    </message>
    <message>
        <source>Schließen</source>
        <translation>Close</translation>
    </message>
</context>
</TS>
