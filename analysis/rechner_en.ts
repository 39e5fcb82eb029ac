<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de_DE">
<context>
    <name>Tzeitenrechner</name>
    <message>
        <source>Zeitenrechner</source>
        <translation>Time calculator</translation>
    </message>
    <message>
        <source>Faktor</source>
        <translation>Factor</translation>
    </message>
    <message>
        <source>Hilfe</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>Ergebnis übernehmen</source>
        <translation>Take over the result</translation>
    </message>
</context>
</TS>
