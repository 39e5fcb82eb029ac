<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de_DE">
<context>
    <name>TTempoflex</name>
    <message>
        <source>Tempoflex-Training</source>
        <translation>Tempoflex training</translation>
    </message>
    <message>
        <source>Zielzeit über 3000m (hh:mm:ss):</source>
        <translation>Target time over 3000m (hh:mm:ss):</translation>
    </message>
    <message>
        <source>Zielzeit über 5000m (hh:mm:ss):</source>
        <translation>Target time over 5000m (hh:mm:ss):</translation>
    </message>
    <message>
        <source>Zielzeit über 10000m (hh:mm:ss):</source>
        <translation>Target time over 10000m (hh:mm:ss):</translation>
    </message>
    <message>
        <source>Berechnen </source>
        <translation>Calculate </translation>
    </message>
    <message>
        <source>Schließen </source>
        <translation>Close </translation>
    </message>
    <message>
        <source>Drucken</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>&amp;Hilfe</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>Split</source>
        <translation>Split</translation>
    </message>
    <message>
        <source>Zeit</source>
        <translation>Time</translation>
    </message>
</context>
</TS>
