<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de_DE">
<context>
    <name>HrmFile</name>
    <message>
        <source>Zeile %1: %2</source>
        <translation>Line %1: %2</translation>
    </message>
    <message>
        <source>Puls</source>
        <translation>Pulse</translation>
    </message>
    <message>
        <source>Geschw.</source>
        <translation>Speed</translation>
    </message>
    <message>
        <source>Frequ.</source>
        <translation>Cad.</translation>
    </message>
    <message>
        <source>Höhe</source>
        <translation>Alt.</translation>
    </message>
    <message>
        <source>Kraft</source>
        <translation>Power</translation>
    </message>
    <message>
        <source>M. Split</source>
        <translation>Split dist.</translation>
    </message>
    <message>
        <source>Die Datei &quot;%1&quot; kann nicht gelesen werden: %2</source>
        <translation>The file &quot;%1&quot; cannot be read: %2</translation>
    </message>
    <message>
        <source>Datei &quot;%1&quot;: %2</source>
        <translation>File &quot;%1&quot;: %2</translation>
    </message>
    <message>
        <source>Datei &quot;%1&quot;, Zeile %2: %3</source>
        <translation>File &quot;%1&quot;, line %2: %3</translation>
    </message>
    <message>
        <source>Die Datei kann nicht gelesen werden: %1</source>
        <translation>The file cannot be read: %1</translation>
    </message>
    <message>
        <source>Die Datei ist leer.</source>
        <translation>The file is empty.</translation>
    </message>
    <message>
        <source>Die Datei ist keine Trainingsdatei eines Herzfrequenzmessers: ihr fehlt das Datum (&quot;Date&quot;).</source>
        <translation>The file is no exercise file of a heart-rate monitor: it has no date (&quot;Date&quot;).</translation>
    </message>
    <message>
        <source>&apos;%1&apos; liegt außerhalb des gültigen Bereichs.</source>
        <translation>&apos;%1&apos; is out of the valid range.</translation>
    </message>
    <message>
        <source>&apos;%1&apos; ist kein gültiges Intervall</source>
        <translation>&apos;%1&apos; is not a valid interval</translation>
    </message>
    <message>
        <source>Es werden %1 Werte erwartet, die Zeile enthält %2.</source>
        <translation>%1 values expected, the line holds %2.</translation>
    </message>
</context>
<context>
    <name>GarminRunFile</name>
    <message>
        <source>Zeile %1, Spalte %2</source>
        <translation>Line %1, column %2</translation>
    </message>
    <message>
        <source>Zeile %1</source>
        <translation>Line %1</translation>
    </message>
    <message>
        <source>Datei &quot;%1&quot;: %2</source>
        <translation>File &quot;%1&quot;: %2</translation>
    </message>
    <message>
        <source>Datei &quot;%1&quot;, %2: %3</source>
        <translation>File &quot;%1&quot;, %2: %3</translation>
    </message>
    <message>
        <source>Die Länge %1 m liegt außerhalb dessen, was eine Einheit speichern kann.</source>
        <translation>The length %1 m lies outside what a unit can store.</translation>
    </message>
    <message>
        <source>Die Dauer %1 liegt außerhalb dessen, was eine Einheit speichern kann.</source>
        <translation>The duration %1 lies outside what a unit can store.</translation>
    </message>
    <message>
        <source>Die Höhe %1 m liegt außerhalb dessen, was gespeichert werden kann (-32768 bis 32767 m).</source>
        <translation>The altitude %1 m lies outside what can be stored (-32768 to 32767 m).</translation>
    </message>
    <message>
        <source>Der Breitengrad %1 liegt außerhalb von -90 bis 90.</source>
        <translation>The latitude %1 lies outside -90 to 90.</translation>
    </message>
    <message>
        <source>Der Längengrad %1 liegt außerhalb von -180 bis 180.</source>
        <translation>The longitude %1 lies outside -180 to 180.</translation>
    </message>
    <message>
        <source>Die Runden sind zusammen länger, als eine Einheit speichern kann.</source>
        <translation>The laps together are longer than a unit can store.</translation>
    </message>
    <message>
        <source>Die Runden dauern zusammen länger, als eine Einheit speichern kann.</source>
        <translation>The laps together last longer than a unit can store.</translation>
    </message>
    <message>
        <source>Die Messpunkte sind zusammen weiter entfernt, als eine Einheit speichern kann.</source>
        <translation>The track points together cover more distance than a unit can store.</translation>
    </message>
    <message>
        <source>Der Anstieg von %1 m ist größer, als eine Einheit speichern kann (32767 m).</source>
        <translation>The climb of %1 m is larger than a unit can store (32767 m).</translation>
    </message>
    <message>
        <source>Die Datei &quot;%1&quot; kann nicht gelesen werden: %2</source>
        <translation>The file &quot;%1&quot; cannot be read: %2</translation>
    </message>
    <message>
        <source>Die Datei ist kein gültiges XML: %1</source>
        <translation>The file is not valid XML: %1</translation>
    </message>
    <message>
        <source>Die Zeichenkodierung &quot;%1&quot; wird nicht unterstützt.</source>
        <translation>The character encoding &quot;%1&quot; is not supported.</translation>
    </message>
    <message>
        <source>Die Datei ist nicht in der Zeichenkodierung &quot;%1&quot; geschrieben.</source>
        <translation>The file is not written in the character encoding &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>&apos;%1&apos; ist keine gültige Dauer</source>
        <translation>&apos;%1&apos; is not a valid duration</translation>
    </message>
</context>
<context>
    <name>ParadoxTable</name>
    <message>
        <source>Das Feld &quot;%1&quot; hat eine unbekannte Art (%2).</source>
        <translation>The field &quot;%1&quot; has an unknown type (%2).</translation>
    </message>
    <message>
        <source>Der Datenblock %1 ist beschädigt.</source>
        <translation>Data block %1 is damaged.</translation>
    </message>
    <message>
        <source>Der Datensatz %1 existiert nicht.</source>
        <translation>Record %1 does not exist.</translation>
    </message>
    <message>
        <source>Der Datensatz %1 kann nicht gelesen werden: %2</source>
        <translation>Record %1 cannot be read: %2</translation>
    </message>
    <message>
        <source>Die Blob-Datei der Tabelle fehlt.</source>
        <translation>The table&apos;s blob file is missing.</translation>
    </message>
    <message>
        <source>Die Blob-Datei ist beschädigt: der Block bei %1 passt nicht zum Datensatz.</source>
        <translation>The blob file is damaged: the block at %1 does not belong to the record.</translation>
    </message>
    <message>
        <source>Die Blob-Datei ist unvollständig.</source>
        <translation>The blob file is incomplete.</translation>
    </message>
    <message>
        <source>Die Codepage %1 wird nicht unterstützt.</source>
        <translation>Code page %1 is not supported.</translation>
    </message>
    <message>
        <source>Die Datei &quot;%1&quot; kann nicht gelesen werden: %2</source>
        <translation>The file &quot;%1&quot; cannot be read: %2</translation>
    </message>
    <message>
        <source>Die Datei ist keine Paradox-Tabelle.</source>
        <translation>The file is not a Paradox table.</translation>
    </message>
    <message>
        <source>Die Datei ist kürzer, als ihr Kopf angibt.</source>
        <translation>The file is shorter than its header states.</translation>
    </message>
    <message>
        <source>Die Datei kann nicht geöffnet werden.</source>
        <translation>The file cannot be opened.</translation>
    </message>
    <message>
        <source>Die Datei wurde nicht gefunden.</source>
        <translation>The file was not found.</translation>
    </message>
    <message>
        <source>Die Dateiversion %1 wird nicht unterstützt.</source>
        <translation>File version %1 is not supported.</translation>
    </message>
    <message>
        <source>Die Felder passen nicht zur Länge der Datensätze.</source>
        <translation>The fields do not match the length of the records.</translation>
    </message>
    <message>
        <source>Die Tabelle hat keine Blob-Datei.</source>
        <translation>The table has no blob file.</translation>
    </message>
    <message>
        <source>Die Zahl der Datensätze passt nicht zu den Datenblöcken.</source>
        <translation>The number of records does not match the data blocks.</translation>
    </message>
    <message>
        <source>Ein Blob-Feld gibt eine Länge an, die der Datensatz nicht enthält.</source>
        <translation>A blob field states a length the record does not hold.</translation>
    </message>
    <message>
        <source>Ein Blob-Feld ist kürzer als zehn Bytes.</source>
        <translation>A blob field is shorter than ten bytes.</translation>
    </message>
    <message>
        <source>Feld &quot;%1&quot; des Datensatzes %2: %3</source>
        <translation>Field &quot;%1&quot; of record %2: %3</translation>
    </message>
    <message>
        <source>pxlib meldet: %1</source>
        <translation>pxlib reports: %1</translation>
    </message>
</context>
</TS>
