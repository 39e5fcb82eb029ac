<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de_DE">
<context>
    <name>SysUtils</name>
    <message>
        <source>&apos;%1&apos; ist kein gültiger Integerwert</source>
        <translation>&apos;%1&apos; is not a valid integer value</translation>
    </message>
    <message>
        <source>&apos;%1&apos; ist kein gültiger Gleitkommawert</source>
        <translation>&apos;%1&apos; is not a valid floating point value</translation>
    </message>
    <message>
        <source>&apos;%1&apos; ist kein gültiges Datum</source>
        <translation>&apos;%1&apos; is not a valid date</translation>
    </message>
    <message>
        <source>&apos;%1&apos; ist keine gültige Zeit</source>
        <translation>&apos;%1&apos; is not a valid time</translation>
    </message>
    <message>
        <source>&apos;%1&apos; ist kein gültiges Datum und Zeit</source>
        <translation>&apos;%1&apos; is not a valid date and time</translation>
    </message>
    <message>
        <source>Ungültiges Argument für Datumskodierung</source>
        <translation>Invalid argument to date encode</translation>
    </message>
    <message>
        <source>Ungültiges Argument für Zeitkodierung</source>
        <translation>Invalid argument to time encode</translation>
    </message>
    <message>
        <source>Format &apos;%1&apos; ungültig oder nicht kompatibel mit Argument</source>
        <translation>Format &apos;%1&apos; invalid or incompatible with argument</translation>
    </message>
    <message>
        <source>Ungültige Gleitkommaoperation</source>
        <translation>Invalid floating point operation</translation>
    </message>
    <message>
        <source>Operation abgebrochen</source>
        <translation>Operation aborted</translation>
    </message>
</context>
<context>
    <name>IniFiles</name>
    <message>
        <source>Fehler beim Schreiben in die Datei %1</source>
        <translation>Error writing to the file %1</translation>
    </message>
</context>
<context>
    <name>Application</name>
    <message>
        <source>Unbekannter Fehler</source>
        <translation>Unknown error</translation>
    </message>
</context>
<context>
    <name>WholeFile</name>
    <message>
        <source>Die Datei ist größer als %1 MB. So große Aufzeichnungen gibt es nicht; sie wird nicht gelesen.</source>
        <translation>The file is larger than %1 MB. No recording is that large; it is not read.</translation>
    </message>
    <message>
        <source>Die Datei kann nicht gelesen werden: %1</source>
        <translation>The file cannot be read: %1</translation>
    </message>
</context>
</TS>
