<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de_DE">
<context>
    <name>TorvDBCtrlGrid</name>
    <message>
        <source>Das Steuerelement %1 kann nicht in einem Panel-Gitter verwendet werden</source>
        <translation>The control %1 cannot be used in a panel grid</translation>
    </message>
</context>
</TS>
