<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de_DE">
<context>
    <name>Dialogs</name>
    <message>
        <source>&amp;Ja</source>
        <translation>&amp;Yes</translation>
    </message>
    <message>
        <source>&amp;Nein</source>
        <translation>&amp;No</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>&amp;Abbrechen</source>
        <translation>&amp;Abort</translation>
    </message>
    <message>
        <source>&amp;Wiederholen</source>
        <translation>&amp;Retry</translation>
    </message>
    <message>
        <source>&amp;Ignorieren</source>
        <translation>&amp;Ignore</translation>
    </message>
    <message>
        <source>&amp;Alle</source>
        <translation>&amp;All</translation>
    </message>
    <message>
        <source>N&amp;ein für alle</source>
        <translation>N&amp;o to All</translation>
    </message>
    <message>
        <source>Ja für a&amp;lle</source>
        <translation>Yes to &amp;All</translation>
    </message>
    <message>
        <source>&amp;Hilfe</source>
        <translation>&amp;Help</translation>
    </message>
</context>
<context>
    <name>Shell</name>
    <message>
        <source>Der Hilfeordner "%1" mit den Hilfeseiten wurde nicht gefunden.</source>
        <translation>The help folder "%1" with the help pages was not found.</translation>
    </message>
    <message>
        <source>Die Hilfeseite "%1" wurde nicht gefunden.</source>
        <translation>The help page "%1" was not found.</translation>
    </message>
    <message>
        <source>Die Datei "%1" wurde nicht gefunden.</source>
        <translation>The file "%1" was not found.</translation>
    </message>
</context>
<context>
    <name>Registry</name>
    <message>
        <source>Fehler beim Abrufen der Daten für '%1'</source>
        <translation>Failed to get data for '%1'</translation>
    </message>
    <message>
        <source>Ungültiger Datentyp für '%1'</source>
        <translation>Invalid data type for '%1'</translation>
    </message>
    <message>
        <source>Fehler beim Setzen der Daten für '%1'</source>
        <translation>Failed to set data for '%1'</translation>
    </message>
</context>
<context>
    <name>TDBNavigator</name>
    <message>
        <source>Erster Datensatz</source>
        <translation>First record</translation>
    </message>
    <message>
        <source>Vorheriger Datensatz</source>
        <translation>Prior record</translation>
    </message>
    <message>
        <source>Nächster Datensatz</source>
        <translation>Next record</translation>
    </message>
    <message>
        <source>Letzter Datensatz</source>
        <translation>Last record</translation>
    </message>
    <message>
        <source>Datensatz einfügen</source>
        <translation>Insert record</translation>
    </message>
    <message>
        <source>Datensatz löschen</source>
        <translation>Delete record</translation>
    </message>
    <message>
        <source>Datensatz bearbeiten</source>
        <translation>Edit record</translation>
    </message>
    <message>
        <source>Daten zurückschreiben</source>
        <translation>Post edit</translation>
    </message>
    <message>
        <source>Bearbeitung abbrechen</source>
        <translation>Cancel edit</translation>
    </message>
    <message>
        <source>Daten aktualisieren</source>
        <translation>Refresh data</translation>
    </message>
    <message>
        <source>Datensatz löschen?</source>
        <translation>Delete record?</translation>
    </message>
</context>
<context>
    <name>JPEG</name>
    <message>
        <source>JPEG-Fehler #%1</source>
        <translation>JPEG error #%1</translation>
    </message>
    <message>
        <source>Leeres Bild kann nicht als JPEG gespeichert werden</source>
        <translation>Cannot save an empty image as JPEG</translation>
    </message>
</context>
<context>
    <name>TDataSetAction</name>
    <message>
        <source>&amp;Erster</source>
        <translation>&amp;First</translation>
    </message>
    <message>
        <source>Erster Datensatz</source>
        <translation>First record</translation>
    </message>
    <message>
        <source>&amp;Vorheriger</source>
        <translation>&amp;Prior</translation>
    </message>
    <message>
        <source>Vorheriger Datensatz</source>
        <translation>Prior record</translation>
    </message>
    <message>
        <source>&amp;Nächster</source>
        <translation>&amp;Next</translation>
    </message>
    <message>
        <source>Nächster Datensatz</source>
        <translation>Next record</translation>
    </message>
    <message>
        <source>&amp;Letzter</source>
        <translation>&amp;Last</translation>
    </message>
    <message>
        <source>Letzter Datensatz</source>
        <translation>Last record</translation>
    </message>
    <message>
        <source>&amp;Einfügen</source>
        <translation>&amp;Insert</translation>
    </message>
    <message>
        <source>Datensatz einfügen</source>
        <translation>Insert record</translation>
    </message>
    <message>
        <source>&amp;Löschen</source>
        <translation>&amp;Delete</translation>
    </message>
    <message>
        <source>Datensatz löschen</source>
        <translation>Delete record</translation>
    </message>
    <message>
        <source>Ü&amp;bernehmen</source>
        <translation>P&amp;ost</translation>
    </message>
    <message>
        <source>Übernehmen</source>
        <translation>Post edit</translation>
    </message>
    <message>
        <source>&amp;Abbrechen</source>
        <translation>&amp;Cancel</translation>
    </message>
    <message>
        <source>Bearbeiten abbrechen</source>
        <translation>Cancel edit</translation>
    </message>
</context>
</TS>
