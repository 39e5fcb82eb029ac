<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de_DE">
<context>
    <name>TZeitNeu</name>
    <message>
        <source>Zeitraumstatistik</source>
        <translation>Period statistics</translation>
    </message>
    <message>
        <source>Grafik</source>
        <translation>Chart</translation>
    </message>
    <message>
        <source>Belastung</source>
        <translation>Load</translation>
    </message>
    <message>
        <source>Einheit</source>
        <translation>Unit</translation>
    </message>
    <message>
        <source>Erster Datensatz</source>
        <translation>First record</translation>
    </message>
    <message>
        <source>Voriger Datensatz</source>
        <translation>Previous record</translation>
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
        <source>Ansicht laden</source>
        <translation>Load view</translation>
    </message>
    <message>
        <source>Infos</source>
        <translation>Info</translation>
    </message>
    <message>
        <source>Drucken</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>Erweitert</source>
        <translation>Advanced</translation>
    </message>
    <message>
        <source>Hilfe</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>Einstellungen</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>Trainingsblöcke anzeigen</source>
        <translation>Show training blocks</translation>
    </message>
    <message>
        <source>Sortierung</source>
        <translation>Sort order</translation>
    </message>
    <message>
        <source>Primär:</source>
        <translation>Primary:</translation>
    </message>
    <message>
        <source>Sekundär:</source>
        <translation>Secondary:</translation>
    </message>
    <message>
        <source>Datum</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Sportart</source>
        <translation>Discipline</translation>
    </message>
    <message>
        <source>Form</source>
        <translation>Form</translation>
    </message>
    <message>
        <source>Ort</source>
        <translation>Location</translation>
    </message>
    <message>
        <source>Meter</source>
        <translation>Distance</translation>
    </message>
    <message>
        <source>Zeit</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>Belastungsstufe</source>
        <translation>HR Zone</translation>
    </message>
    <message>
        <source>Puls</source>
        <translation>HR</translation>
    </message>
    <message>
        <source>Hoehendifferenz</source>
        <translation>Ascent</translation>
    </message>
    <message>
        <source>Startzeit</source>
        <translation>Starting time</translation>
    </message>
    <message>
        <source>Gefuehl</source>
        <translation>Feeling</translation>
    </message>
    <message>
        <source>Gli</source>
        <translation>GPI</translation>
    </message>
    <message>
        <source>Gewicht</source>
        <translation>Weight</translation>
    </message>
    <message>
        <source>Sportarten</source>
        <translation>Sports</translation>
    </message>
    <message>
        <source>Formen</source>
        <translation>Training forms</translation>
    </message>
    <message>
        <source>Zeitraum</source>
        <translation>Period</translation>
    </message>
    <message>
        <source>Vom</source>
        <translation>From</translation>
    </message>
    <message>
        <source>bis zum</source>
        <translation>to</translation>
    </message>
    <message>
        <source>Woche</source>
        <translation>Week</translation>
    </message>
    <message>
        <source>Monat</source>
        <translation>Month</translation>
    </message>
    <message>
        <source>Jahr</source>
        <translation>Year</translation>
    </message>
    <message>
        <source>Alle</source>
        <translation>All</translation>
    </message>
    <message>
        <source>Infos:</source>
        <translation>Info:</translation>
    </message>
    <message>
        <source>Distanzeinheit wählen</source>
        <translation>Choose the distance unit</translation>
    </message>
    <message>
        <source>Distanz:</source>
        <translation>Distance:</translation>
    </message>
    <message>
        <source>Höhe:</source>
        <translation>Height:</translation>
    </message>
    <message>
        <source>Zeit:</source>
        <translation>Time:</translation>
    </message>
    <message>
        <source>SQL</source>
        <translation>SQL</translation>
    </message>
    <message>
        <source>FROM Einheiten</source>
        <translation>FROM Units</translation>
    </message>
    <message>
        <source>Ausführen</source>
        <translation>Run</translation>
    </message>
    <message>
        <source>Kriterien</source>
        <translation>Criteria</translation>
    </message>
    <message>
        <source>SQL - Builder</source>
        <translation>SQL - Builder</translation>
    </message>
    <message>
        <source>Bedingung laden</source>
        <translation>Load condition</translation>
    </message>
    <message>
        <source>Bedingung speichern</source>
        <translation>Save condition</translation>
    </message>
    <message>
        <source>Aus "Einstellungen" übernehmen</source>
        <translation>Take over from "Settings"</translation>
    </message>
    <message>
        <source>Keine Trainingsblöcke: Um keine Blöcke anzuzeigen tragen Sie im "WHERE" - Statement  "dat_id &gt; 0" ein.</source>
        <translation>No training blocks: to hide the blocks, enter "dat_id &gt; 0" in the "WHERE" statement.</translation>
    </message>
    <message>
        <source>Felder</source>
        <translation>Fields</translation>
    </message>
    <message>
        <source>Speichern</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Laden</source>
        <translation>Load</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>Export</translation>
    </message>
    <message>
        <source>Excel Export</source>
        <translation>Excel export</translation>
    </message>
    <message>
        <source>Gefühl</source>
        <translation>Feeling</translation>
    </message>
    <message>
        <source>Temp.</source>
        <translation>Temp.</translation>
    </message>
    <message>
        <source>Gew.</source>
        <translation>Wt.</translation>
    </message>
    <message>
        <source>Erh.puls</source>
        <translation>Rec. HR</translation>
    </message>
    <message>
        <source>Platz</source>
        <translation>Place</translation>
    </message>
    <message>
        <source>Filterbedingungen (*.sql)|*.sql|Alle Dateien|*.*</source>
        <translation>Filter conditions (*.sql)|*.sql|All files|*.*</translation>
    </message>
    <message>
        <source>Ansicht speichern</source>
        <translation>Save view</translation>
    </message>
    <message>
        <source>Tag</source>
        <translation>Day</translation>
    </message>
    <message>
        <source>Distanz</source>
        <translation>Distance</translation>
    </message>
    <message>
        <source>Speed</source>
        <translation>Speed</translation>
    </message>
    <message>
        <source>kmh</source>
        <translation>km/h</translation>
    </message>
    <message>
        <source>Bel.Stufe</source>
        <translation>Zone</translation>
    </message>
    <message>
        <source>Bel.Art</source>
        <translation>Load type</translation>
    </message>
    <message>
        <source>HDiff</source>
        <translation>Ascent</translation>
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
        <source>Streckenbeschreibung</source>
        <translation>Route</translation>
    </message>
    <message>
        <source>Maxpuls</source>
        <translation>Max. HR</translation>
    </message>
    <message>
        <source>Ruhepuls</source>
        <translation>Rest. HR</translation>
    </message>
    <message>
        <source>Fett</source>
        <translation>Fat</translation>
    </message>
    <message>
        <source>kcal</source>
        <translation>kcal</translation>
    </message>
</context>
<context>
    <name>ColumnView</name>
    <message>
        <source>Die Datei ist keine gespeicherte Spaltenansicht.</source>
        <translation>The file is not a saved column view.</translation>
    </message>
    <message>
        <source>Die Zeile beschreibt keine Spalte.</source>
        <translation>The line describes no column.</translation>
    </message>
    <message>
        <source>Die Ansicht enthält keine Spalte.</source>
        <translation>The view holds no column.</translation>
    </message>
    <message>
        <source>%1 ist keine Ansicht der Zeitraumstatistik (Zeile %2): %3</source>
        <translation>%1 is not a view of the period statistics (line %2): %3</translation>
    </message>
</context>
<context>
    <name>AnalysisFiles</name>
    <message>
        <source>Datei %1 kann nicht geöffnet werden</source>
        <translation>Cannot open file %1</translation>
    </message>
    <message>
        <source>Datei %1 kann nicht erstellt werden</source>
        <translation>Cannot create file %1</translation>
    </message>
</context>
</TS>
