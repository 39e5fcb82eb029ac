<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de_DE">
<context>
    <name>TAboutForm</name>
    <message>
        <source>Über Orvalo 5</source>
        <translation>About Orvalo 5</translation>
    </message>
    <message>
        <source>Build: </source>
        <translation>Build: </translation>
    </message>
    <message>
        <source>Bellquist Software
Trainingstagebuch für Ausdauersportler

Fragen und Anregungen richten Sie bitte an den Hersteller.</source>
        <translation>Bellquist Software
Training diary for endurance athletes

Please send questions and suggestions to the maker.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>TBusyDlg</name>
    <message>
        <source>Orvalo 5</source>
        <translation>Orvalo 5</translation>
    </message>
    <message>
        <source>Aktion wird bearbeitet. Bitte warten ...</source>
        <translation>Processing. Please wait ...</translation>
    </message>
</context>
<context>
    <name>TIntroScreen</name>
    <message>
        <source>Orvalo 5</source>
        <translation>Orvalo 5</translation>
    </message>
    <message>
        <source>Powered by</source>
        <translation>Powered by</translation>
    </message>
</context>
<context>
    <name>TMainForm</name>
    <message>
        <source>Tools</source>
        <translation>Tools</translation>
    </message>
    <message>
        <source>Tools auswählen</source>
        <translation>Choose tools</translation>
    </message>
    <message>
        <source>Tools ausblenden</source>
        <translation>Hide tools</translation>
    </message>
    <message>
        <source>Tools einblenden</source>
        <translation>Show tools</translation>
    </message>
    <message>
        <source>&amp;Datei</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>&amp;Bearbeiten</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>&amp;Statistik</source>
        <translation>&amp;Statistics</translation>
    </message>
    <message>
        <source>&amp;Training</source>
        <translation>&amp;Training</translation>
    </message>
    <message>
        <source>&amp;Extras</source>
        <translation>E&amp;xtras</translation>
    </message>
    <message>
        <source>&amp;Hilfe</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>Symbolleiste</source>
        <translation>Toolbar</translation>
    </message>
    <message>
        <source>Orvalo Datenbanken (*.orv)|*.orv|Alle Dateien(*.*)|*.*</source>
        <translation>Orvalo databases (*.orv)|*.orv|All files (*.*)|*.*</translation>
    </message>
    <message>
        <source>Datenbank komprimieren</source>
        <translation>Compact database</translation>
    </message>
    <message>
        <source>Orvalo Datenbank (*.orv)|*.orv</source>
        <translation>Orvalo database (*.orv)|*.orv</translation>
    </message>
    <message>
        <source>Neuer Benutzer</source>
        <translation>New user</translation>
    </message>
    <message>
        <source>Orvalo 5 Benutzer (*.orv)|*.orv</source>
        <translation>Orvalo 5 users (*.orv)|*.orv</translation>
    </message>
    <message>
        <source>I&amp;mport</source>
        <translation>I&amp;mport</translation>
    </message>
    <message>
        <source>&amp;DB Import</source>
        <translation>&amp;DB import</translation>
    </message>
    <message>
        <source>&amp;Orvalo</source>
        <translation>&amp;Orvalo</translation>
    </message>
    <message>
        <source>Da&amp;tenbank sichern</source>
        <translation>Back &amp;up database</translation>
    </message>
    <message>
        <source>&amp;Formeln</source>
        <translation>&amp;Formulas</translation>
    </message>
    <message>
        <source>&amp;Eigene Tools</source>
        <translation>&amp;Own tools</translation>
    </message>
    <message>
        <source>Bo&amp;dymaßindex</source>
        <translation>Bo&amp;dy mass index</translation>
    </message>
    <message>
        <source>&amp;Maximalpuls</source>
        <translation>&amp;Maximum heart rate</translation>
    </message>
    <message>
        <source>B&amp;lockmanager</source>
        <translation>B&amp;lock manager</translation>
    </message>
    <message>
        <source>&amp;Zadiv Udud Ororaze</source>
        <translation>&amp;Zadiv Udud Ororaze</translation>
    </message>
    <message>
        <source>&amp;Anpassen</source>
        <translation>&amp;Customize</translation>
    </message>
    <message>
        <source>&amp;Hilfethemen</source>
        <translation>&amp;Help topics</translation>
    </message>
    <message>
        <source>Zwischenzeiten</source>
        <translation>Splits</translation>
    </message>
    <message>
        <source>Bio</source>
        <translation>Bio</translation>
    </message>
    <message>
        <source>Equipment</source>
        <translation>Equipment</translation>
    </message>
    <message>
        <source>Kurzübersicht</source>
        <translation>Quick overview</translation>
    </message>
    <message>
        <source>Vorschau</source>
        <translation>Preview</translation>
    </message>
    <message>
        <source>Wochendetails</source>
        <translation>Week details</translation>
    </message>
    <message>
        <source>Kalender</source>
        <translation>Calendar</translation>
    </message>
    <message>
        <source>Die Vorlage für neue Datenbanken wurde nicht gefunden:
%1
Es wurde keine Datenbank angelegt.</source>
        <translation>The template for new databases was not found:
%1
No database was created.</translation>
    </message>
    <message>
        <source>Die Datei %1 existiert bereits.
Soll sie durch eine neue, leere Datenbank ersetzt werden?</source>
        <translation>The file %1 already exists.
Do you want to replace it with a new, empty database?</translation>
    </message>
    <message>
        <source>&amp;Neu</source>
        <translation>&amp;New</translation>
    </message>
    <message>
        <source>Neu|Neue Datei erstellen</source>
        <translation>New|Create a new file</translation>
    </message>
    <message>
        <source>Ö&amp;ffnen</source>
        <translation>&amp;Open</translation>
    </message>
    <message>
        <source>Öffnen|Eine Datei öffnen</source>
        <translation>Open|Open a file</translation>
    </message>
    <message>
        <source>Sch&amp;ließen</source>
        <translation>&amp;Close</translation>
    </message>
    <message>
        <source>DB Import</source>
        <translation>DB import</translation>
    </message>
    <message>
        <source>&amp;Excel Import</source>
        <translation>&amp;Excel import</translation>
    </message>
    <message>
        <source>Polar-Import</source>
        <translation>Polar import</translation>
    </message>
    <message>
        <source>Garmin-Import</source>
        <translation>Garmin import</translation>
    </message>
    <message>
        <source>Outbreaker-Import</source>
        <translation>Outbreaker import</translation>
    </message>
    <message>
        <source>Orvalo</source>
        <translation>Orvalo</translation>
    </message>
    <message>
        <source>Datenbank &amp;konvertieren</source>
        <translation>&amp;Convert database</translation>
    </message>
    <message>
        <source>D&amp;atenbank komprimieren und reparieren</source>
        <translation>Comp&amp;act and repair database</translation>
    </message>
    <message>
        <source>Datenbank sichern</source>
        <translation>Back up database</translation>
    </message>
    <message>
        <source>Datenbank rücksichern</source>
        <translation>Restore database</translation>
    </message>
    <message>
        <source>&amp;Drucken</source>
        <translation>&amp;Print</translation>
    </message>
    <message>
        <source>&amp;Beenden</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>&amp;Kopieren</source>
        <translation>&amp;Copy</translation>
    </message>
    <message>
        <source>&amp;Einfügen</source>
        <translation>&amp;Paste</translation>
    </message>
    <message>
        <source>Muster laden ..</source>
        <translation>Load template ..</translation>
    </message>
    <message>
        <source>Als Muster speichern...</source>
        <translation>Save as template...</translation>
    </message>
    <message>
        <source>Mustereditor</source>
        <translation>Template editor</translation>
    </message>
    <message>
        <source>&amp;Zeitraumstatistik</source>
        <translation>&amp;Period statistics</translation>
    </message>
    <message>
        <source>&amp;Wochenstatistik</source>
        <translation>&amp;Weekly statistics</translation>
    </message>
    <message>
        <source>&amp;Monatsstatistik</source>
        <translation>&amp;Monthly statistics</translation>
    </message>
    <message>
        <source>&amp;Analyse</source>
        <translation>&amp;Analysis</translation>
    </message>
    <message>
        <source>Eigene Analysen</source>
        <translation>Own analyses</translation>
    </message>
    <message>
        <source>Trainings&amp;zeiten</source>
        <translation>Training ti&amp;mes</translation>
    </message>
    <message>
        <source>&amp;Tempoflex-Training</source>
        <translation>&amp;Tempoflex training</translation>
    </message>
    <message>
        <source>Schwellentempo</source>
        <translation>Threshold pace</translation>
    </message>
    <message>
        <source>Trainingsplanmanager</source>
        <translation>Training plan manager</translation>
    </message>
    <message>
        <source>Trainingslexikon</source>
        <translation>Training lexicon</translation>
    </message>
    <message>
        <source>&amp;Zeitenrechner</source>
        <translation>&amp;Time calculator</translation>
    </message>
    <message>
        <source>&amp;Marschtabelle</source>
        <translation>&amp;Pace table</translation>
    </message>
    <message>
        <source>&amp;Bestzeiten</source>
        <translation>&amp;Best times</translation>
    </message>
    <message>
        <source>Eigene Tools</source>
        <translation>Own tools</translation>
    </message>
    <message>
        <source>Bodymaßindex</source>
        <translation>Body mass index</translation>
    </message>
    <message>
        <source>Maximalpuls</source>
        <translation>Maximum heart rate</translation>
    </message>
    <message>
        <source>Pulsfrequenzen</source>
        <translation>Heart rate zones</translation>
    </message>
    <message>
        <source>Zeitenberechnung</source>
        <translation>Time prediction</translation>
    </message>
    <message>
        <source>Leistungsindex</source>
        <translation>Performance index</translation>
    </message>
    <message>
        <source>&amp;Kalender</source>
        <translation>&amp;Calendar</translation>
    </message>
    <message>
        <source>&amp;Streckenmanager</source>
        <translation>&amp;Route manager</translation>
    </message>
    <message>
        <source>&amp;Equipmentmanager</source>
        <translation>&amp;Equipment manager</translation>
    </message>
    <message>
        <source>Blockmanager</source>
        <translation>Block manager</translation>
    </message>
    <message>
        <source>Zadiv Udud Ororaze</source>
        <translation>Zadiv Udud Ororaze</translation>
    </message>
    <message>
        <source>&amp;Anapassen</source>
        <translation>&amp;Customize</translation>
    </message>
    <message>
        <source>&amp;Optionen</source>
        <translation>&amp;Options</translation>
    </message>
    <message>
        <source>Hilfethemen</source>
        <translation>Help topics</translation>
    </message>
    <message>
        <source>H&amp;ilfe zur Hilfe</source>
        <translation>How to &amp;use help</translation>
    </message>
    <message>
        <source>Handbuch (pdf)</source>
        <translation>Manual (pdf)</translation>
    </message>
    <message>
        <source>&amp;Info...</source>
        <translation>&amp;About...</translation>
    </message>
</context>
<context>
    <name>TstartFrm</name>
    <message>
        <source>Start</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Aufgaben</source>
        <translation>Tasks</translation>
    </message>
    <message>
        <source>Neuer Benutzer</source>
        <translation>New user</translation>
    </message>
    <message>
        <source>Benutzer öffnen</source>
        <translation>Open user</translation>
    </message>
    <message>
        <source>Datenbank rücksichern</source>
        <translation>Restore database</translation>
    </message>
    <message>
        <source>Datenbank komprimieren</source>
        <translation>Compact database</translation>
    </message>
    <message>
        <source>Konvertieren</source>
        <translation>Convert</translation>
    </message>
</context>
<context>
    <name>TtoolExplorerFrm</name>
    <message>
        <source>Vorschau</source>
        <translation>Preview</translation>
    </message>
    <message>
        <source>Datum:</source>
        <translation>Date:</translation>
    </message>
    <message>
        <source>Ort:</source>
        <translation>Place:</translation>
    </message>
    <message>
        <source>Sportart:</source>
        <translation>Sport:</translation>
    </message>
    <message>
        <source>Form:</source>
        <translation>Form:</translation>
    </message>
    <message>
        <source>Zeit:</source>
        <translation>Time:</translation>
    </message>
    <message>
        <source>Distanz:</source>
        <translation>Distance:</translation>
    </message>
    <message>
        <source>HDiff:</source>
        <translation>Height diff.:</translation>
    </message>
    <message>
        <source>Bel.Art:</source>
        <translation>Load type:</translation>
    </message>
    <message>
        <source>Bel.Stufe:</source>
        <translation>Load level:</translation>
    </message>
</context>
</TS>