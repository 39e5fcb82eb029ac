<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de_DE">
<context>
    <name>TUmgebungsoptionen</name>
    <message>
        <source>Optionen</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>Persönliche Einstellungen</source>
        <translation>Personal settings</translation>
    </message>
    <message>
        <source>Name, Vorname:</source>
        <translation>Name, first name:</translation>
    </message>
    <message>
        <source>Geburtsdatum:</source>
        <translation>Date of birth:</translation>
    </message>
    <message>
        <source>Maximalpuls:</source>
        <translation>Maximum heart rate:</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Maximalpuls berechnen</source>
        <translation>Calculate maximum heart rate</translation>
    </message>
    <message>
        <source>Aktuelle 5000m Bestzeit:</source>
        <translation>Current 5000m best time:</translation>
    </message>
    <message>
        <source>Die Belastungsstufe ergibt sich aus der Zuordnung der 5000m-Zeiten zu den Belastungsstufen auf der Seite &quot;5000m Zeiten&quot;.</source>
        <translation>The load level follows from the assignment of 5000m times to load levels on the page &quot;5000m times&quot;.</translation>
    </message>
    <message>
        <source>Sprache/Language:</source>
        <translation>Sprache/Language:</translation>
    </message>
    <message>
        <source>Ansicht</source>
        <translation>View</translation>
    </message>
    <message>
        <source>Eingabe</source>
        <translation>Entry</translation>
    </message>
    <message>
        <source>Standardansicht:</source>
        <translation>Default view:</translation>
    </message>
    <message>
        <source>Standardtool in Einheiteneingabe:</source>
        <translation>Default tool in unit entry:</translation>
    </message>
    <message>
        <source>Beschriftung eigenes Textfeld:</source>
        <translation>Label of own text field:</translation>
    </message>
    <message>
        <source>Beschriftung eigenes Zahlenfeld:</source>
        <translation>Label of own number field:</translation>
    </message>
    <message>
        <source>Archiv ausblenden (schneller)</source>
        <translation>Hide archive (faster)</translation>
    </message>
    <message>
        <source>Kommentarfeld sichtbar</source>
        <translation>Comment field visible</translation>
    </message>
    <message>
        <source>Zeitraumstatistik</source>
        <translation>Period statistics</translation>
    </message>
    <message>
        <source>Trainingsblöcke farbig unterlegen</source>
        <translation>Highlight training blocks in colour</translation>
    </message>
    <message>
        <source>Farbe</source>
        <translation>Colour</translation>
    </message>
    <message>
        <source>Ändern</source>
        <translation>Change</translation>
    </message>
    <message>
        <source>Tabellen-Layout (co5) laden</source>
        <translation>Load table layout (co5)</translation>
    </message>
    <message>
        <source>Tabellen-Layout auswählen</source>
        <translation>Choose table layout</translation>
    </message>
    <message>
        <source>QuickLoad</source>
        <translation>QuickLoad</translation>
    </message>
    <message>
        <source>Quickload aktiviert</source>
        <translation>QuickLoad enabled</translation>
    </message>
    <message>
        <source>Datenbank:</source>
        <translation>Database:</translation>
    </message>
    <message>
        <source>Durchsuchen</source>
        <translation>Browse</translation>
    </message>
    <message>
        <source>Aktive DB</source>
        <translation>Active DB</translation>
    </message>
    <message>
        <source>Sportarten</source>
        <translation>Sports</translation>
    </message>
    <message>
        <source>Farben in Eingabemaske</source>
        <translation>Colours in entry form</translation>
    </message>
    <message>
        <source>Farben in Zeitraumstatistik</source>
        <translation>Colours in period statistics</translation>
    </message>
    <message>
        <source>Hinzufügen</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>Löschen</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>Nach unten</source>
        <translation>Move down</translation>
    </message>
    <message>
        <source>Nach oben</source>
        <translation>Move up</translation>
    </message>
    <message>
        <source>Formen</source>
        <translation>Forms</translation>
    </message>
    <message>
        <source>Belastungstufen</source>
        <translation>Load levels</translation>
    </message>
    <message>
        <source>Farbe in Eingabemaske</source>
        <translation>Colour in entry form</translation>
    </message>
    <message>
        <source>Farbe in Zeitraumstatistik</source>
        <translation>Colour in period statistics</translation>
    </message>
    <message>
        <source>Automatisch berechnen</source>
        <translation>Calculate automatically</translation>
    </message>
    <message>
        <source>Nach HF berechnen</source>
        <translation>Calculate by heart rate</translation>
    </message>
    <message>
        <source>Belastungsarten</source>
        <translation>Load types</translation>
    </message>
    <message>
        <source>5000m Zeiten</source>
        <translation>5000m times</translation>
    </message>
    <message>
        <source>Erweitert</source>
        <translation>Advanced</translation>
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
        <source>&amp;Hilfe</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>ID</source>
        <translation>ID</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Zahl</source>
        <translation>Number</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>Zeit.Stat. aktiv</source>
        <translation>Period stat. active</translation>
    </message>
    <message>
        <source>Sortierung</source>
        <translation>Order</translation>
    </message>
    <message>
        <source>Bild</source>
        <translation>Picture</translation>
    </message>
    <message>
        <source>Distanz</source>
        <translation>Distance</translation>
    </message>
    <message>
        <source>Geschwindigkeit</source>
        <translation>Speed</translation>
    </message>
    <message>
        <source>Planung</source>
        <translation>Planning</translation>
    </message>
    <message>
        <source>HF von</source>
        <translation>HR from</translation>
    </message>
    <message>
        <source>HF bis</source>
        <translation>HR to</translation>
    </message>
    <message>
        <source>5000m-Zeit</source>
        <translation>5000m time</translation>
    </message>
    <message>
        <source>min/km</source>
        <translation>min/km</translation>
    </message>
    <message>
        <source>Belastungsstufe</source>
        <translation>Load level</translation>
    </message>
    <message>
        <source>Wahr</source>
        <translation>True</translation>
    </message>
    <message>
        <source>Falsch</source>
        <translation>False</translation>
    </message>
    <message>
        <source>.co5 - Dateien (*.co5|*.co5</source>
        <translation>.co5 files (*.co5)|*.co5</translation>
    </message>
    <message>
        <source>Bilder (*.bmp;*.png;*.jpg;*.jpeg)|*.bmp;*.png;*.jpg;*.jpeg|Bitmaps (*.bmp)|*.bmp</source>
        <translation>Pictures (*.bmp;*.png;*.jpg;*.jpeg)|*.bmp;*.png;*.jpg;*.jpeg|Bitmaps (*.bmp)|*.bmp</translation>
    </message>
</context>
</TS>
