<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de_DE">
<context>
    <name>orvdatabase</name>
    <message>
        <source>Variante des Typs (Null) konnte nicht in Typ (%1) konvertiert werden</source>
        <translation>Could not convert variant of type (Null) into type (%1)</translation>
    </message>
    <message>
        <source>Es ist keine Datenbank geöffnet.</source>
        <translation>No database is open.</translation>
    </message>
    <message>
        <source>Die Datei wurde nicht gefunden.</source>
        <translation>The file was not found.</translation>
    </message>
    <message>
        <source>Die komprimierte Kopie ist fehlerhaft.</source>
        <translation>The compacted copy is damaged.</translation>
    </message>
    <message>
        <source>Die Datenbank &quot;%1&quot; konnte nicht komprimiert werden: %2</source>
        <translation>The database &quot;%1&quot; could not be compacted: %2</translation>
    </message>
    <message>
        <source>Die Datei &quot;%1&quot; ist keine Athleten-Datenbank.</source>
        <translation>The file &quot;%1&quot; is not an athlete database.</translation>
    </message>
    <message>
        <source>Die Prüfung der Datenbank konnte nicht ausgeführt werden:
%1
%2
Die Datenbank wird ohne diese Prüfung geöffnet.</source>
        <translation>The database check could not be run:
%1
%2
The database is opened without this check.</translation>
    </message>
</context>
</TS>
