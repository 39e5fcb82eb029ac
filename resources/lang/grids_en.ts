<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de_DE">
<context>
    <name>TCustomGrid</name>
    <message>
        <source>Gitterindex außerhalb des gültigen Bereichs</source>
        <translation>Grid index out of range</translation>
    </message>
    <message>
        <source>Die Anzahl der fixierten Spalten muss kleiner sein als die Spaltenanzahl</source>
        <translation>Fixed column count must be less than column count</translation>
    </message>
    <message>
        <source>Die Anzahl der fixierten Zeilen muss kleiner sein als die Zeilenanzahl</source>
        <translation>Fixed row count must be less than row count</translation>
    </message>
</context>
<context>
    <name>TDBGrid</name>
    <message>
        <source>Spaltenindex außerhalb des gültigen Bereichs</source>
        <translation>Column index out of range</translation>
    </message>
    <message>
        <source>Datensatz löschen?</source>
        <translation>Delete record?</translation>
    </message>
    <message>
        <source>Die Datenmenge befindet sich nicht im Bearbeitungs- oder Einfügemodus</source>
        <translation>Dataset not in edit or insert mode</translation>
    </message>
    <message>
        <source>&apos;%s&apos; ist kein gültiger Wert für das Feld &apos;%s&apos;</source>
        <translation>&apos;%s&apos; is not a valid value for field &apos;%s&apos;</translation>
    </message>
</context>
</TS>
