<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de_DE">
<context>
    <name>Teingabe</name>
    <message>
        <source>Einheit</source>
        <translation>Unit</translation>
    </message>
    <message>
        <source>Symbolleiste</source>
        <translation>Toolbar</translation>
    </message>
    <message>
        <source>Block:</source>
        <translation>Block:</translation>
    </message>
    <message>
        <source>Block</source>
        <translation>Block</translation>
    </message>
    <message>
        <source>Einheiten in diesem Block</source>
        <translation>Units in this block</translation>
    </message>
    <message>
        <source>Tagebuch</source>
        <translation>Diary</translation>
    </message>
    <message>
        <source>Allgemein</source>
        <translation>General</translation>
    </message>
    <message>
        <source>Sportart</source>
        <translation>Sport</translation>
    </message>
    <message>
        <source>Form</source>
        <translation>Form</translation>
    </message>
    <message>
        <source>Datum</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>H</source>
        <translation>H</translation>
    </message>
    <message>
        <source>Heute</source>
        <translation>Today</translation>
    </message>
    <message>
        <source>Strecke</source>
        <translation>Route</translation>
    </message>
    <message>
        <source>Ort</source>
        <translation>Place</translation>
    </message>
    <message>
        <source>Eingabe in Metern</source>
        <translation>Input in metres</translation>
    </message>
    <message>
        <source>H.Diff</source>
        <translation>Height diff.</translation>
    </message>
    <message>
        <source>Beschreibung</source>
        <translation>Description</translation>
    </message>
    <message>
        <source>Leistung</source>
        <translation>Performance</translation>
    </message>
    <message>
        <source>Zeit</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>Belast.stufe</source>
        <translation>Load level</translation>
    </message>
    <message>
        <source>Belast.art</source>
        <translation>Load type</translation>
    </message>
    <message>
        <source>Umgebung</source>
        <translation>Environment</translation>
    </message>
    <message>
        <source>Startzeit</source>
        <translation>Start time</translation>
    </message>
    <message>
        <source>Wetter</source>
        <translation>Weather</translation>
    </message>
    <message>
        <source>Wind</source>
        <translation>Wind</translation>
    </message>
    <message>
        <source>Temperatur</source>
        <translation>Temperature</translation>
    </message>
    <message>
        <source>Anderes</source>
        <translation>Other</translation>
    </message>
    <message>
        <source>Gefühl</source>
        <translation>Feeling</translation>
    </message>
    <message>
        <source>GLI</source>
        <translation>PI</translation>
    </message>
    <message>
        <source>Leistungsindex berechnen</source>
        <translation>Calculate performance index</translation>
    </message>
    <message>
        <source>Equipment</source>
        <translation>Equipment</translation>
    </message>
    <message>
        <source>AKPl.</source>
        <translation>AG rank</translation>
    </message>
    <message>
        <source>Platzierung Altersklasse</source>
        <translation>Rank in age group</translation>
    </message>
    <message>
        <source>Platz</source>
        <translation>Rank</translation>
    </message>
    <message>
        <source>Bio</source>
        <translation>Bio</translation>
    </message>
    <message>
        <source>Ø Puls</source>
        <translation>Ø Pulse</translation>
    </message>
    <message>
        <source>Gewicht</source>
        <translation>Weight</translation>
    </message>
    <message>
        <source>Erweitert</source>
        <translation>Extended</translation>
    </message>
    <message>
        <source>Bemerkungen</source>
        <translation>Comments</translation>
    </message>
    <message>
        <source>Speichern</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Verwerfen</source>
        <translation>Discard</translation>
    </message>
    <message>
        <source>Kommentarfeld ausblenden</source>
        <translation>Hide comment field</translation>
    </message>
    <message>
        <source>Kommentarfeld einblenden</source>
        <translation>Show comment field</translation>
    </message>
    <message>
        <source>Übernehmen</source>
        <translation>Apply</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Zwischenzeit</source>
        <translation>Splits</translation>
    </message>
    <message>
        <source>Explorer</source>
        <translation>Explorer</translation>
    </message>
    <message>
        <source>Erste (älteste) Einheit</source>
        <translation>First (oldest) unit</translation>
    </message>
    <message>
        <source>Vorherige Einheit</source>
        <translation>Previous unit</translation>
    </message>
    <message>
        <source>Nächste Einheit</source>
        <translation>Next unit</translation>
    </message>
    <message>
        <source>Letzte (neueste) Einheit</source>
        <translation>Last (newest) unit</translation>
    </message>
    <message>
        <source>Neue Einheit</source>
        <translation>New unit</translation>
    </message>
    <message>
        <source>Einheit löschen</source>
        <translation>Delete unit</translation>
    </message>
    <message>
        <source>Mustereinheiten</source>
        <translation>Template units</translation>
    </message>
    <message>
        <source>Zeit.Stat.</source>
        <translation>Period st.</translation>
    </message>
    <message>
        <source>Zeitraumstatistik</source>
        <translation>Period statistics</translation>
    </message>
    <message>
        <source>Liste</source>
        <translation>List</translation>
    </message>
    <message>
        <source>Drucken</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>Hilfe</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>Symbole</source>
        <translation>Icons</translation>
    </message>
    <message>
        <source>Details</source>
        <translation>Details</translation>
    </message>
    <message>
        <source>Index</source>
        <translation>Index</translation>
    </message>
    <message>
        <source>Distanz</source>
        <translation>Distance</translation>
    </message>
    <message>
        <source>zw</source>
        <translation>zw</translation>
    </message>
</context>
<context>
    <name>Teingabe</name>
    <message>
        <source>Neu</source>
        <translation>New</translation>
    </message>
    <message>
        <source>Neue Zwischenzeit</source>
        <translation>New split</translation>
    </message>
    <message>
        <source>Löschen</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>Zwischenzeit löschen</source>
        <translation>Delete split</translation>
    </message>
    <message>
        <source>Bearbeiten</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>Zwischenzeit bearbeiten</source>
        <translation>Edit split</translation>
    </message>
    <message>
        <source>Alle löschen</source>
        <translation>Delete all</translation>
    </message>
    <message>
        <source>Import/Export</source>
        <translation>Import/Export</translation>
    </message>
    <message>
        <source>Zw. laden</source>
        <translation>Load splits</translation>
    </message>
    <message>
        <source>Grafik</source>
        <translation>Graph</translation>
    </message>
    <message>
        <source>Im Register HF sind weitere Zwischenzeiten enthalten.</source>
        <translation>The tab HR holds further splits.</translation>
    </message>
    <message>
        <source>Zwischenzeiten</source>
        <translation>Splits</translation>
    </message>
    <message>
        <source>HF</source>
        <translation>HR</translation>
    </message>
    <message>
        <source>&amp;Neu</source>
        <translation>&amp;New</translation>
    </message>
    <message>
        <source>&amp;Bearbeiten</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>&amp;Löschen</source>
        <translation>&amp;Delete</translation>
    </message>
    <message>
        <source>&amp;Zwischenzeiten laden</source>
        <translation>&amp;Load splits</translation>
    </message>
    <message>
        <source>Excel Import</source>
        <translation>Excel import</translation>
    </message>
    <message>
        <source>DB  Import</source>
        <translation>DB  import</translation>
    </message>
    <message>
        <source>Polar Import</source>
        <translation>Polar import</translation>
    </message>
    <message>
        <source>Excel Export</source>
        <translation>Excel export</translation>
    </message>
    <message>
        <source>Excel - Datei (*.xlsx)|*.xlsx</source>
        <translation>Excel file (*.xlsx)|*.xlsx</translation>
    </message>
    <message>
        <source>Notiz</source>
        <translation>Note</translation>
    </message>
</context>
</TS>
