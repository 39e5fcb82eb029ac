<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de_DE">
<context>
    <name>HrmFile</name>
    <message>
        <source>Zeile %1: %2</source>
        <translation>Line %1: %2</translation>
    </message>
    <message>
        <source>Puls</source>
        <translation>Pulse</translation>
    </message>
    <message>
        <source>Geschw.</source>
        <translation>Speed</translation>
    </message>
    <message>
        <source>Frequ.</source>
        <translation>Cad.</translation>
    </message>
    <message>
        <source>Höhe</source>
        <translation>Alt.</translation>
    </message>
    <message>
        <source>Kraft</source>
        <translation>Power</translation>
    </message>
    <message>
        <source>M. Split</source>
        <translation>Split dist.</translation>
    </message>
    <message>
        <source>Die Datei &quot;%1&quot; kann nicht gelesen werden: %2</source>
        <translation>The file &quot;%1&quot; cannot be read: %2</translation>
    </message>
    <message>
        <source>%1 (Datei &quot;%2&quot;)</source>
        <translation>%1 (file &quot;%2&quot;)</translation>
    </message>
    <message>
        <source>&apos;%1&apos; ist kein gültiges Intervall</source>
        <translation>&apos;%1&apos; is not a valid interval</translation>
    </message>
    <message>
        <source>Es werden %1 Werte erwartet, die Zeile enthält %2.</source>
        <translation>%1 values expected, the line holds %2.</translation>
    </message>
</context>
<context>
    <name>GarminRunFile</name>
    <message>
        <source>Zeile %1, Spalte %2: %3</source>
        <translation>Line %1, column %2: %3</translation>
    </message>
    <message>
        <source>Die Datei &quot;%1&quot; kann nicht gelesen werden: %2</source>
        <translation>The file &quot;%1&quot; cannot be read: %2</translation>
    </message>
    <message>
        <source>Die Datei ist kein gültiges XML: %1</source>
        <translation>The file is not valid XML: %1</translation>
    </message>
    <message>
        <source>Die Zeichenkodierung &quot;%1&quot; wird nicht unterstützt.</source>
        <translation>The character encoding &quot;%1&quot; is not supported.</translation>
    </message>
    <message>
        <source>Die Datei ist nicht in der Zeichenkodierung &quot;%1&quot; geschrieben.</source>
        <translation>The file is not written in the character encoding &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>&apos;%1&apos; ist keine gültige Dauer</source>
        <translation>&apos;%1&apos; is not a valid duration</translation>
    </message>
</context>
</TS>
