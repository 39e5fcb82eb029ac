<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de_DE">
<context>
    <name>TTraining</name>
    <message>
        <source>Trainingszeiten</source>
        <translation>Training paces</translation>
    </message>
    <message>
        <source> Richtzeit</source>
        <translation> Target time</translation>
    </message>
    <message>
        <source>Meter</source>
        <translation>Metres</translation>
    </message>
    <message>
        <source>Zeit (hh:mm:ss):</source>
        <translation>Time (hh:mm:ss):</translation>
    </message>
    <message>
        <source>Berechnen</source>
        <translation>Calculate</translation>
    </message>
    <message>
        <source>Hilfe</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>Wählen Sie eine Strecke (Meter). Geben Sie nun die Richtzeit in 15 sec Abständen (bei 5000m) bzw. 30 sec Abständen (bei 10000m) ein. Bei 5000m zwischen 14:00 min und 35:00 min und bei 10000m zwischen 29:00 min und  01:10:00 h.</source>
        <translation>Choose a distance (metres). Then enter the target time in steps of 15 s (for 5000m) or 30 s (for 10000m): for 5000m between 14:00 min and 35:00 min, for 10000m between 29:00 min and 01:10:00 h.</translation>
    </message>
    <message>
        <source>Für die Zeit %1 enthält die Tabelle keine Trainingszeiten.</source>
        <translation>The table holds no training paces for the time %1.</translation>
    </message>
</context>
<context>
    <name>PaceTable</name>
    <message>
        <source>Für 5000 m enthält die Tabelle die Richtzeiten von 00:14:00 bis 00:35:00 in Abständen von 15 Sekunden.</source>
        <translation>For 5000 m the table holds the target times from 00:14:00 to 00:35:00 in steps of 15 seconds.</translation>
    </message>
    <message>
        <source>Für 10000 m enthält die Tabelle die Richtzeiten von 00:29:00 bis 01:10:00 in Abständen von 30 Sekunden, ohne 01:01:00 und 01:01:30.</source>
        <translation>For 10000 m the table holds the target times from 00:29:00 to 01:10:00 in steps of 30 seconds, without 01:01:00 and 01:01:30.</translation>
    </message>
</context>
</TS>
