<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de_DE">
<context>
    <name>TtoolEqFrm</name>
    <message>
        <source>Wählen Sie das verwendete Equipment:</source>
        <translation>Choose the equipment used:</translation>
    </message>
    <message>
        <source>Wählen Sie hier das verwendete Equipment aus.</source>
        <translation>Choose the equipment used here.</translation>
    </message>
    <message>
        <source>Speichern</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Verwerfen</source>
        <translation>Discard</translation>
    </message>
</context>
</TS>
