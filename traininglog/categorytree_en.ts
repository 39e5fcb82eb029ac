<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de_DE">
<context>
    <name>CategoryTree</name>
    <message>
        <source>(ohne Kategorie)</source>
        <translation>(no category)</translation>
    </message>
</context>
</TS>
