<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de_DE">
<context>
    <name>TdtSetupForm</name>
    <message>
        <source>Ausgabeoptionen</source>
        <translation>Output Options</translation>
    </message>
    <message>
        <source>Drucker</source>
        <translation>Printer</translation>
    </message>
    <message>
        <source>(none)</source>
        <translation>(none)</translation>
    </message>
    <message>
        <source>Eigenschaften</source>
        <translation>Properties</translation>
    </message>
    <message>
        <source>Ziel</source>
        <translation>Destination</translation>
    </message>
    <message>
        <source>&amp;Drucker</source>
        <translation>&amp;Printer</translation>
    </message>
    <message>
        <source>&amp;Voransicht</source>
        <translation>Pre&amp;view</translation>
    </message>
    <message>
        <source>D&amp;atei</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Datei wählen</source>
        <translation>Choose file</translation>
    </message>
    <message>
        <source>Format:</source>
        <translation>Format:</translation>
    </message>
    <message>
        <source>Optionen</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>&amp;Kopien</source>
        <translation>&amp;Copies</translation>
    </message>
    <message>
        <source>C&amp;ollate</source>
        <translation>C&amp;ollate</translation>
    </message>
    <message>
        <source>&amp;Duplex</source>
        <translation>&amp;Duplex</translation>
    </message>
    <message>
        <source>Print Range</source>
        <translation>Print Range</translation>
    </message>
    <message>
        <source>All</source>
        <translation>All</translation>
    </message>
    <message>
        <source>Selection</source>
        <translation>Selection</translation>
    </message>
    <message>
        <source>Pages</source>
        <translation>Pages</translation>
    </message>
    <message>
        <source>From</source>
        <translation>From</translation>
    </message>
    <message>
        <source>to</source>
        <translation>to</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Abbruch</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Der Ordner &quot;%1&quot; existiert nicht.</source>
        <translation>The folder &quot;%1&quot; does not exist.</translation>
    </message>
</context>
</TS>
