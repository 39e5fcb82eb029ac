<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de_DE">
<context>
    <name>TstrManager</name>
    <message>
        <source>Streckenmanager</source>
        <translation>Route manager</translation>
    </message>
    <message>
        <source>  Kategorie</source>
        <translation>  Category</translation>
    </message>
    <message>
        <source>Ort</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Land</source>
        <translation>Country</translation>
    </message>
    <message>
        <source>Streckenbeschreibung</source>
        <translation>Route description</translation>
    </message>
    <message>
        <source>Länge</source>
        <translation>Length</translation>
    </message>
    <message>
        <source>HDiff</source>
        <translation>Climb</translation>
    </message>
    <message>
        <source>Kategorie</source>
        <translation>Category</translation>
    </message>
    <message>
        <source>Beschreibung</source>
        <translation>Description</translation>
    </message>
    <message>
        <source>Kommentar</source>
        <translation>Comment</translation>
    </message>
    <message>
        <source>Ergänzende Angaben</source>
        <translation>Additional notes</translation>
    </message>
    <message>
        <source>Streckenpunkte</source>
        <translation>Route points</translation>
    </message>
    <message>
        <source>Streckenprofil</source>
        <translation>Route profile</translation>
    </message>
    <message>
        <source>Karte/Bild</source>
        <translation>Map/Picture</translation>
    </message>
    <message>
        <source>Zum Vergrößern doppelklicken</source>
        <translation>Double-click to enlarge</translation>
    </message>
    <message>
        <source>Bild laden</source>
        <translation>Load picture</translation>
    </message>
    <message>
        <source>Bild entfernen</source>
        <translation>Remove picture</translation>
    </message>
    <message>
        <source>Karte laden</source>
        <translation>Load map</translation>
    </message>
    <message>
        <source>Karte entfernen</source>
        <translation>Remove map</translation>
    </message>
    <message>
        <source>Meter</source>
        <translation>Metres</translation>
    </message>
    <message>
        <source>Streckenpunkt</source>
        <translation>Route point</translation>
    </message>
    <message>
        <source>Höhe</source>
        <translation>Height</translation>
    </message>
    <message>
        <source>Höhenprofil</source>
        <translation>Height profile</translation>
    </message>
    <message>
        <source>Bilder (*.bmp;*.jpg;*.jpeg;*.png)|*.bmp;*.jpg;*.jpeg;*.png|Bitmaps (*.bmp)|*.bmp|JPEG-Bilder (*.jpg;*.jpeg)|*.jpg;*.jpeg|PNG-Bilder (*.png)|*.png</source>
        <translation>Pictures (*.bmp;*.jpg;*.jpeg;*.png)|*.bmp;*.jpg;*.jpeg;*.png|Bitmaps (*.bmp)|*.bmp|JPEG pictures (*.jpg;*.jpeg)|*.jpg;*.jpeg|PNG pictures (*.png)|*.png</translation>
    </message>
    <message>
        <source>Erste Strecke</source>
        <translation>First route</translation>
    </message>
    <message>
        <source>Vorherige Strecke</source>
        <translation>Previous route</translation>
    </message>
    <message>
        <source>Nächste Strecke</source>
        <translation>Next route</translation>
    </message>
    <message>
        <source>Letzte Strecke</source>
        <translation>Last route</translation>
    </message>
    <message>
        <source>Strecke hinzufügen</source>
        <translation>Add route</translation>
    </message>
    <message>
        <source>Strecke löschen</source>
        <translation>Delete route</translation>
    </message>
    <message>
        <source>Strecke speichern</source>
        <translation>Save route</translation>
    </message>
    <message>
        <source>Bearbeiten abbrechen</source>
        <translation>Cancel editing</translation>
    </message>
    <message>
        <source>Erster Punkt</source>
        <translation>First point</translation>
    </message>
    <message>
        <source>Vorheriger Punkt</source>
        <translation>Previous point</translation>
    </message>
    <message>
        <source>Nächster Punkt</source>
        <translation>Next point</translation>
    </message>
    <message>
        <source>Letzter Punkt</source>
        <translation>Last point</translation>
    </message>
    <message>
        <source>Punkt hinzufügen</source>
        <translation>Add point</translation>
    </message>
    <message>
        <source>Punkt löschen</source>
        <translation>Delete point</translation>
    </message>
    <message>
        <source>Speichern</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Aktualisieren</source>
        <translation>Refresh</translation>
    </message>
    <message>
        <source>MyWay Import</source>
        <translation>MyWay import</translation>
    </message>
    <message>
        <source>Vorhandene Strecke importieren</source>
        <translation>Import existing route</translation>
    </message>
    <message>
        <source>Neue Strecke anlegen</source>
        <translation>Create new route</translation>
    </message>
    <message>
        <source>Neue Strecke und Karte anlegen</source>
        <translation>Create new route and map</translation>
    </message>
    <message>
        <source>Hilfe</source>
        <translation>Help</translation>
    </message>
</context>
<context>
    <name>TimgPreview</name>
    <message>
        <source>Bild</source>
        <translation>Picture</translation>
    </message>
    <message>
        <source>Schließen</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>RoutePicture</name>
    <message>
        <source>Die Datei %1 kann nicht geöffnet werden.</source>
        <translation>The file %1 cannot be opened.</translation>
    </message>
    <message>
        <source>Die Datei %1 enthält kein Bild im Format BMP, JPEG oder PNG.</source>
        <translation>The file %1 holds no BMP, JPEG or PNG picture.</translation>
    </message>
</context>
<context>
    <name>MyWayHandOver</name>
    <message>
        <source>Der Schlüssel %1 des Routenplaners fehlt.</source>
        <translation>The route planner's key %1 is missing.</translation>
    </message>
    <message>
        <source>Der Routenplaner %1 wurde nicht gefunden.</source>
        <translation>The route planner %1 was not found.</translation>
    </message>
    <message>
        <source>Der Routenplaner %1 konnte nicht gestartet werden.</source>
        <translation>The route planner %1 could not be started.</translation>
    </message>
</context>
</TS>
