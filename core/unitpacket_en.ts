<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de_DE">
<context>
    <name>UnitPacket</name>
    <message>
        <source>Ungültiger Wert &apos;%1&apos; im Feld &apos;%2&apos;.</source>
        <translation>Invalid value &apos;%1&apos; in the field &apos;%2&apos;.</translation>
    </message>
    <message>
        <source>Die Datei enthält keine Trainingseinheit.</source>
        <translation>The file holds no training unit.</translation>
    </message>
</context>
<context>
    <name>TMainForm</name>
    <message>
        <source>Orvalo 5 Musterdatei (*.mt5)|*.mt5</source>
        <translation>Orvalo 5 template file (*.mt5)|*.mt5</translation>
    </message>
</context>
</TS>
