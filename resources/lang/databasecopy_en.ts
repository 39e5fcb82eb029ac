<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de_DE">
<context>
    <name>DatabaseCopy</name>
    <message>
        <source>Die Datenbankverbindung ist nicht geöffnet.</source>
        <translation>The database connection is not open.</translation>
    </message>
    <message>
        <source>Die Kopie der Datenbank &quot;%1&quot; kann nicht angelegt werden: %2</source>
        <translation>The copy of the database &quot;%1&quot; cannot be created: %2</translation>
    </message>
    <message>
        <source>Die Datenbank kann nicht kopiert werden: %1</source>
        <translation>The database cannot be copied: %1</translation>
    </message>
</context>
</TS>
