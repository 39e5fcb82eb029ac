<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de_DE">
<context>
    <name>Teximp2</name>
    <message>
        <source>Importassistent </source>
        <translation>Import wizard</translation>
    </message>
    <message>
        <source>2. Tabellenauswahl</source>
        <translation>2. Choice of the table</translation>
    </message>
    <message>
        <source>In diesem Schritt müssen Sie eine Tabelle auswählen und die Felderzuordnung vornehmen.</source>
        <translation>In this step you choose a table and map its fields.</translation>
    </message>
    <message>
        <source>Tabelle:</source>
        <translation>Table:</translation>
    </message>
    <message>
        <source>3. Felderzuordnung</source>
        <translation>3. Field mapping</translation>
    </message>
    <message>
        <source>Festlegen der Felderzuordnungen.</source>
        <translation>Set up the field mappings.</translation>
    </message>
    <message>
        <source>Quelle:</source>
        <translation>Source:</translation>
    </message>
    <message>
        <source>Ziel:</source>
        <translation>Target:</translation>
    </message>
    <message>
        <source>Zuordnen</source>
        <translation>Map</translation>
    </message>
    <message>
        <source>Zuordnung laden</source>
        <translation>Load mapping</translation>
    </message>
    <message>
        <source>Zuordnungspeichern</source>
        <translation>Save mapping</translation>
    </message>
    <message>
        <source>Fertig stellen</source>
        <translation>Finish</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Hilfe</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>(*.imp)|*.imp</source>
        <translation>(*.imp)|*.imp</translation>
    </message>
    <message>
        <source>Es wurde keine Zuordnung vorgenommen. Ordnen Sie zuerst Quellfelder den Zielfeldern zu.</source>
        <translation>No fields have been mapped. First map source fields to target fields.</translation>
    </message>
    <message>
        <source>Importierte Datensätze: %1</source>
        <translation>Records imported: %1</translation>
    </message>
    <message>
        <source>(Datei &quot;%1&quot;, Tabelle &quot;%2&quot;)</source>
        <translation>(file &quot;%1&quot;, table &quot;%2&quot;)</translation>
    </message>
</context>
<context>
    <name>TTableImport</name>
    <message>
        <source>'%1' ist kein Eintrag der Liste</source>
        <translation>'%1' is not an entry of the list</translation>
    </message>
    <message>
        <source>Bitte wählen Sie ein Quellfeld und ein Zielfeld aus.</source>
        <translation>Please choose a source field and a target field.</translation>
    </message>
    <message>
        <source>Es können höchstens %1 Felder zugeordnet werden.</source>
        <translation>At most %1 fields can be mapped.</translation>
    </message>
    <message>
        <source>Es wurde keine Zuordnung vorgenommen.</source>
        <translation>No fields have been mapped.</translation>
    </message>
    <message>
        <source>Quelle &quot;%1&quot;</source>
        <translation>source &quot;%1&quot;</translation>
    </message>
    <message>
        <source>Ziel &quot;%1&quot;</source>
        <translation>target &quot;%1&quot;</translation>
    </message>
    <message>
        <source>Diese Felder der Zuordnung gibt es nicht: %1</source>
        <translation>These mapped fields do not exist: %1</translation>
    </message>
    <message>
        <source>Zwischenzeiten gehören zu einer Einheit: wählen oder speichern Sie zuerst die Einheit.</source>
        <translation>Split times belong to a unit: choose or save the unit first.</translation>
    </message>
    <message>
        <source>Zeile %1</source>
        <translation>Row %1</translation>
    </message>
    <message>
        <source>Datensatz %1</source>
        <translation>Record %1</translation>
    </message>
    <message>
        <source>, Feld &quot;%1&quot;</source>
        <translation>, field &quot;%1&quot;</translation>
    </message>
</context>
</TS>
