<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de_DE">
<context>
    <name>TfrmKalMonat</name>
    <message>
        <source>  Neue Einheit</source>
        <translation>  New unit</translation>
    </message>
</context>
</TS>
