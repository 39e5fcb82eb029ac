<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de_DE">
<context>
    <name>TFormeln</name>
    <message>
        <source>Formeln</source>
        <translation>Formulas</translation>
    </message>
    <message>
        <source>  Kategorie</source>
        <translation>  Category</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Beschreibung</source>
        <translation>Description</translation>
    </message>
    <message>
        <source>Kategorie</source>
        <translation>Category</translation>
    </message>
    <message>
        <source>Modul laden</source>
        <translation>Load module</translation>
    </message>
    <message>
        <source>Starten</source>
        <translation>Start</translation>
    </message>
</context>
</TS>
