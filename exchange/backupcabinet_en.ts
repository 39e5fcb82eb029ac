<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de_DE">
<context>
    <name>BackupCabinet</name>
    <message>
        <source>Musterdatei</source>
        <translation>Template file</translation>
    </message>
    <message>
        <source>Chartdatei</source>
        <translation>Chart file</translation>
    </message>
    <message>
        <source>Reportdatei</source>
        <translation>Report file</translation>
    </message>
    <message>
        <source>SQL-Abfrage</source>
        <translation>SQL query</translation>
    </message>
    <message>
        <source>Importvorlage</source>
        <translation>Import mapping</translation>
    </message>
    <message>
        <source>Spaltendatei</source>
        <translation>Column file</translation>
    </message>
    <message>
        <source>Die Datei &quot;%1&quot; ist die geöffnete Datenbank und kann nicht überschrieben werden. Schließen Sie die Datenbank oder wählen Sie ein anderes Ziel.</source>
        <translation>The file &quot;%1&quot; is the open database and cannot be overwritten. Close the database or choose another target.</translation>
    </message>
    <message>
        <source>Die Sicherung kann nicht unter dem Namen der Arbeitskopie &quot;%1&quot; gespeichert werden.</source>
        <translation>The backup cannot be saved under the name of the working copy &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>Es wurde nichts zurückgesichert; der Zielordner ist unverändert.</source>
        <translation>Nothing was restored; the target folder is unchanged.</translation>
    </message>
    <message>
        <source>Die Datei &quot;%1&quot; setzt einen Satz von Sicherungsdateien fort. Beginnen Sie die Rücksicherung mit der ersten Datei des Satzes, &quot;%2&quot;.</source>
        <translation>The file &quot;%1&quot; continues a set of backup files. Start the restore with the first file of the set, &quot;%2&quot;.</translation>
    </message>
    <message>
        <source>Die Sicherungsdatei &quot;%1&quot; enthält keine Dateien.</source>
        <translation>The backup file &quot;%1&quot; contains no files.</translation>
    </message>
    <message>
        <source>Sicherungsdatei: &quot;%1&quot;</source>
        <translation>Backup file: &quot;%1&quot;</translation>
    </message>
</context>
</TS>
