<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de_DE">
<context>
    <name>TfrmKalTag</name>
    <message>
        <source>Montag</source>
        <translation>Monday</translation>
    </message>
    <message>
        <source>Dienstag</source>
        <translation>Tuesday</translation>
    </message>
    <message>
        <source>Mittwoch</source>
        <translation>Wednesday</translation>
    </message>
    <message>
        <source>Donnerstag</source>
        <translation>Thursday</translation>
    </message>
    <message>
        <source>Freitag</source>
        <translation>Friday</translation>
    </message>
    <message>
        <source>Samstag</source>
        <translation>Saturday</translation>
    </message>
    <message>
        <source>Sonntag</source>
        <translation>Sunday</translation>
    </message>
    <message>
        <source>Kommentar zum </source>
        <translation>Comment on </translation>
    </message>
    <message>
        <source>Wechseln zu:</source>
        <translation>Switch to:</translation>
    </message>
    <message>
        <source>  Aktive Einheit</source>
        <translation>  Active unit</translation>
    </message>
    <message>
        <source>  Neue Einheit</source>
        <translation>  New unit</translation>
    </message>
</context>
</TS>
