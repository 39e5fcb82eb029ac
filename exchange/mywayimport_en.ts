<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de_DE">
<context>
    <name>Tmywaydlg</name>
    <message>
        <source>MyWay Import</source>
        <translation>MyWay import</translation>
    </message>
    <message>
        <source>My Way Import</source>
        <translation>My Way import</translation>
    </message>
    <message>
        <source>Mit diesem Assistenten können Strecken aus dem Programm MyWay in den Streckenmanager importiert werden.</source>
        <translation>This wizard imports routes from the program MyWay into the route manager.</translation>
    </message>
    <message>
        <source>Bitte wählen Sie eine Strecke aus:</source>
        <translation>Please choose a route:</translation>
    </message>
    <message>
        <source>Weiter -&gt;</source>
        <translation>Next -&gt;</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Kartenname</source>
        <translation>Map name</translation>
    </message>
    <message>
        <source>Länge</source>
        <translation>Length</translation>
    </message>
</context>
<context>
    <name>Tmywayimp2</name>
    <message>
        <source>MyWay Import</source>
        <translation>MyWay import</translation>
    </message>
    <message>
        <source>My Way Import</source>
        <translation>My Way import</translation>
    </message>
    <message>
        <source>Mit diesem Assistenten können Strecken aus dem Programm MyWay in den Streckenmanager importiert werden.</source>
        <translation>This wizard imports routes from the program MyWay into the route manager.</translation>
    </message>
    <message>
        <source>Bitte wählen Sie die zu importierenden Punkte aus:</source>
        <translation>Please choose the points to import:</translation>
    </message>
    <message>
        <source>Meter</source>
        <translation>Metres</translation>
    </message>
    <message>
        <source>Beschreibung</source>
        <translation>Description</translation>
    </message>
    <message>
        <source>Index</source>
        <translation>Index</translation>
    </message>
    <message>
        <source>Alle</source>
        <translation>All</translation>
    </message>
    <message>
        <source>Keiner</source>
        <translation>None</translation>
    </message>
    <message>
        <source>Importieren</source>
        <translation>Import</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>Tmywaybusydlg</name>
    <message>
        <source>Warten...</source>
        <translation>Waiting...</translation>
    </message>
    <message>
        <source>Warten auf MyWay...</source>
        <translation>Waiting for MyWay...</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>MyWayPlanner</name>
    <message>
        <source>Der Ordner des Routenplaners MyWay ist nicht eingetragen (HKEY_LOCAL_MACHINE\Software\ZED1, Wert &quot;DIZPath&quot;). Ist MyWay installiert?</source>
        <translation>The folder of the route planner MyWay is not registered (HKEY_LOCAL_MACHINE\Software\ZED1, value &quot;DIZPath&quot;). Is MyWay installed?</translation>
    </message>
    <message>
        <source>Die Datenbank des Routenplaners MyWay &quot;%1&quot; wurde nicht gefunden.</source>
        <translation>The database &quot;%1&quot; of the route planner MyWay was not found.</translation>
    </message>
</context>
<context>
    <name>MyWayRoute</name>
    <message>
        <source>Es wurde kein Streckenpunkt ausgewählt.</source>
        <translation>No route point was chosen.</translation>
    </message>
    <message>
        <source>Der Routenplaner hat keine Strecke mit der Nummer %1.</source>
        <translation>The route planner has no route with the number %1.</translation>
    </message>
    <message>
        <source>Es wurde kein Streckenpunkt ausgewählt. Die Strecke wurde nicht importiert.</source>
        <translation>No route point was chosen. The route was not imported.</translation>
    </message>
</context>
</TS>
