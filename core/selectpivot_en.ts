<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de_DE">
<context>
    <name>TselectPivot</name>
    <message>
        <source>Analyse auswählen</source>
        <translation>Select analysis</translation>
    </message>
    <message>
        <source>Pivottabelle auswählen:</source>
        <translation>Select pivot table:</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>TMainForm</name>
    <message>
        <source>Die Arbeitsmappe &quot;%1&quot; wurde nicht gefunden.</source>
        <translation>The workbook &quot;%1&quot; was not found.</translation>
    </message>
    <message>
        <source>Die Arbeitsmappe &quot;%1&quot; konnte nicht geöffnet werden.</source>
        <translation>The workbook &quot;%1&quot; could not be opened.</translation>
    </message>
</context>
</TS>
