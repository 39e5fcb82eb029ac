<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de_DE">
<context>
    <name>Tbody</name>
    <message>
        <source>Bodymaßindex</source>
        <translation>Body-mass index</translation>
    </message>
    <message>
        <source>Gewicht in kg:</source>
        <translation>Weight in kg:</translation>
    </message>
    <message>
        <source>Größe in cm:</source>
        <translation>Height in cm:</translation>
    </message>
    <message>
        <source>Bodymaßindex:</source>
        <translation>Body-mass index:</translation>
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
        <source>Legende -&gt;</source>
        <translation>Legend -&gt;</translation>
    </message>
    <message>
        <source>&gt; 25 : verbesserungsbedürftig</source>
        <translation>&gt; 25 : needs improvement</translation>
    </message>
    <message>
        <source>22 - 25: zufriedenstellend</source>
        <translation>22 - 25: satisfactory</translation>
    </message>
    <message>
        <source>20-22: ausgezeichnet</source>
        <translation>20-22: excellent</translation>
    </message>
    <message>
        <source>17,5-20: für den Profi</source>
        <translation>17.5-20: for the professional</translation>
    </message>
    <message>
        <source>&lt;17,5: Untergewicht</source>
        <translation>&lt;17.5: underweight</translation>
    </message>
</context>
<context>
    <name>BodyMassIndex</name>
    <message>
        <source>Das Gewicht muß zwischen %1 und %2 kg liegen.</source>
        <translation>The weight must lie between %1 and %2 kg.</translation>
    </message>
    <message>
        <source>Die Größe muß zwischen %1 und %2 cm liegen.</source>
        <translation>The height must lie between %1 and %2 cm.</translation>
    </message>
</context>
</TS>
