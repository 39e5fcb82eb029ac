<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de_DE">
<context>
    <name>TEquipment</name>
    <message>
        <source>Equipment auswählen</source>
        <translation>Choose equipment</translation>
    </message>
    <message>
        <source>Wählen Sie das verwendete Equipment:</source>
        <translation>Choose the equipment used:</translation>
    </message>
    <message>
        <source>Wählen Sie hier das verwendete Equipment aus.</source>
        <translation>Choose the equipment used here.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Eingabe übernehmen und schließen.</source>
        <translation>Accept the input and close.</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Eingabe verwerfen und abbrechen.</source>
        <translation>Discard the input and cancel.</translation>
    </message>
</context>
</TS>
