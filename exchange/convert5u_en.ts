<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de_DE">
<context>
    <name>Tconvert5</name>
    <message>
        <source>Datenbank konvertieren</source>
        <translation>Convert database</translation>
    </message>
    <message>
        <source>Mit diesem Assistenten können Sie Ihre Orvalo 4 Daten in das neue Orvalo 5 Datenformat konvertieren. Eine vorherige Sicherheitskopie wird empfohlen.</source>
        <translation>This wizard converts your Orvalo 4 data into the new Orvalo 5 data format. Making a backup first is recommended.</translation>
    </message>
    <message>
        <source>Orvalo 3/3.5/4 Benutzerverzeichnis:</source>
        <translation>Orvalo 3/3.5/4 user folder:</translation>
    </message>
    <message>
        <source>Durchsuchen</source>
        <translation>Browse</translation>
    </message>
    <message>
        <source>Informationen:</source>
        <translation>Information:</translation>
    </message>
    <message>
        <source>Benutzername:</source>
        <translation>User name:</translation>
    </message>
    <message>
        <source>keine Angaben</source>
        <translation>not specified</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>Full name:</translation>
    </message>
    <message>
        <source>Geburtsdatum:</source>
        <translation>Date of birth:</translation>
    </message>
    <message>
        <source>Nicht verwendete Zahlenfelder mit 0 füllen (empfohlen)</source>
        <translation>Fill unused number fields with 0 (recommended)</translation>
    </message>
    <message>
        <source>Orvalo 5 Datenbank:</source>
        <translation>Orvalo 5 database:</translation>
    </message>
    <message>
        <source>Neuer Benutzer</source>
        <translation>New user</translation>
    </message>
    <message>
        <source>Konvertieren</source>
        <translation>Convert</translation>
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
        <source>Datenbank wählen</source>
        <translation>Choose database</translation>
    </message>
    <message>
        <source>Orvalo Datenbank (*.orv)| *.orv</source>
        <translation>Orvalo database (*.orv)| *.orv</translation>
    </message>
    <message>
        <source>Orvalo 5 Benutzer (*.orv)|*.orv</source>
        <translation>Orvalo 5 user (*.orv)|*.orv</translation>
    </message>
    <message>
        <source>Die gewählte Datei ist die geöffnete Datenbank. Sie kann nicht durch eine leere Datenbank ersetzt werden.</source>
        <translation>The chosen file is the open database. It cannot be replaced by an empty database.</translation>
    </message>
    <message>
        <source>Daten wirklich konvertieren?</source>
        <translation>Really convert the data?</translation>
    </message>
    <message>
        <source>Übergangene Equipmentzuordnungen ohne Einheit oder Equipment: %1</source>
        <translation>Skipped equipment links without a unit or equipment item: %1</translation>
    </message>
    <message>
        <source>Benutzerdatei: &quot;%1&quot;</source>
        <translation>User file: &quot;%1&quot;</translation>
    </message>
</context>
<context>
    <name>TconvertServer</name>
    <message>
        <source>Die Datei fehlt.</source>
        <translation>The file is missing.</translation>
    </message>
    <message>
        <source>Trainingsformen: %1</source>
        <translation>Training forms: %1</translation>
    </message>
    <message>
        <source>Belastungsstufen: %1</source>
        <translation>Load levels: %1</translation>
    </message>
    <message>
        <source>Die neue Datenbank kennt nicht alle Einträge, die die alten Einheiten verwenden. Bitte legen Sie sie an und konvertieren Sie erneut. Es wurde nichts geschrieben.
</source>
        <translation>The new database lacks entries that the old units use. Please create them and convert again. Nothing was written.
</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>text</translation>
    </message>
    <message>
        <source>Datum</source>
        <translation>date</translation>
    </message>
    <message>
        <source>Uhrzeit</source>
        <translation>time</translation>
    </message>
    <message>
        <source>Zahl</source>
        <translation>number</translation>
    </message>
    <message>
        <source>Bild</source>
        <translation>picture</translation>
    </message>
    <message>
        <source>Zeitstempel</source>
        <translation>time stamp</translation>
    </message>
    <message>
        <source>Logisch</source>
        <translation>logical</translation>
    </message>
    <message>
        <source>Binärdaten</source>
        <translation>binary data</translation>
    </message>
    <message>
        <source>&quot;%1&quot;: das Feld %2 ist vom Typ %3, gelesen wird %4.</source>
        <translation>&quot;%1&quot;: the field %2 is of type %3, the conversion reads %4.</translation>
    </message>
    <message>
        <source>&quot;%1&quot;: es fehlen die Felder %2.</source>
        <translation>&quot;%1&quot;: the fields %2 are missing.</translation>
    </message>
    <message>
        <source>Die Tabellen in &quot;%1&quot; können nicht konvertiert werden. Es wurde nichts geschrieben.</source>
        <translation>The tables in &quot;%1&quot; cannot be converted. Nothing was written.</translation>
    </message>
    <message>
        <source>Es wurden keine alten Tabellen gelesen. Es wurde nichts geschrieben.</source>
        <translation>No old tables were read. Nothing was written.</translation>
    </message>
</context>
</TS>
