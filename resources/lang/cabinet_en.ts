<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de_DE">
<context>
    <name>CabSTConsts</name>
    <message><source>Kein Fehler</source><translation>No error</translation></message>
    <message><source>Fehler beim Öffnen einer Datei, die im Cabinet gespeichert werden soll</source><translation>Failure opening file to be stored in cabinet</translation></message>
    <message><source>Fehler beim Lesen einer Datei, die im Cabinet gespeichert werden soll</source><translation>Failure reading file to be stored in cabinet</translation></message>
    <message><source>Nicht genügend Arbeitsspeicher in FCI</source><translation>Out of memory in FCI</translation></message>
    <message><source>Temporäre Datei konnte nicht erstellt werden</source><translation>Could not create a temporary file</translation></message>
    <message><source>Unbekannter Komprimierungstyp</source><translation>Unknown compression type</translation></message>
    <message><source>Cabinet-Datei konnte nicht erstellt werden</source><translation>Could not create cabinet file</translation></message>
    <message><source>Abbruch durch den Aufrufer</source><translation>Client requested abort</translation></message>
    <message><source>Fehler beim Komprimieren der Daten</source><translation>Failure compressing data</translation></message>
    <message><source>FCI-Fehler</source><translation>FCI error</translation></message>
    <message><source>Cabinet nicht gefunden</source><translation>Cabinet not found</translation></message>
    <message><source>Die Cabinet-Datei hat nicht das richtige Format</source><translation>Cabinet file does not have the correct format</translation></message>
    <message><source>Die Cabinet-Datei hat eine unbekannte Versionsnummer</source><translation>Cabinet file has an unknown version number</translation></message>
    <message><source>Die Cabinet-Datei ist beschädigt</source><translation>Cabinet file is corrupt</translation></message>
    <message><source>Nicht genügend Arbeitsspeicher verfügbar</source><translation>Could not allocate enough memory</translation></message>
    <message><source>Unbekannter Komprimierungstyp in einem Cabinet-Ordner</source><translation>Unknown compression type in a cabinet folder</translation></message>
    <message><source>Fehler beim Dekomprimieren von Daten aus einer Cabinet-Datei</source><translation>Failure decompressing data from a cabinet file</translation></message>
    <message><source>Fehler beim Schreiben in die Zieldatei</source><translation>Failure writing to target file</translation></message>
    <message><source>Die Cabinets eines Satzes haben nicht dieselben RESERVE-Größen</source><translation>Cabinets in a set do not have the same RESERVE sizes</translation></message>
    <message><source>Das bei fdintNEXT_CABINET zurückgegebene Cabinet ist falsch</source><translation>Cabinet returned on fdintNEXT_CABINET is incorrect</translation></message>
    <message><source>FDI abgebrochen</source><translation>FDI aborted</translation></message>
    <message><source>FDI-Fehler</source><translation>FDI error</translation></message>
    <message><source>Unzulässiger Dateiname im Cabinet: &quot;%1&quot;</source><translation>Invalid file name in cabinet: &quot;%1&quot;</translation></message>
    <message><source>Datei: &quot;%1&quot;</source><translation>File: &quot;%1&quot;</translation></message>
</context>
<context>
    <name>SystemError</name>
    <message><source>Das System kann die angegebene Datei nicht finden.</source><translation>The system cannot find the file specified.</translation></message>
    <message><source>Zugriff verweigert.</source><translation>Access is denied.</translation></message>
    <message><source>Auf dem Datenträger ist nicht genügend Speicherplatz vorhanden.</source><translation>There is not enough space on the disk.</translation></message>
    <message><source>Die Datei ist zu groß.</source><translation>The file is too large.</translation></message>
    <message><source>Der Datenträger ist schreibgeschützt.</source><translation>The media is write protected.</translation></message>
    <message><source>Das Gerät kann nicht gelesen oder beschrieben werden.</source><translation>The device cannot be read or written.</translation></message>
    <message><source>Der Name bezeichnet ein Verzeichnis.</source><translation>The name is a folder.</translation></message>
    <message><source>Der Pfad ist ungültig.</source><translation>The path is not valid.</translation></message>
    <message><source>Nicht genügend Arbeitsspeicher verfügbar.</source><translation>Not enough memory is available.</translation></message>
    <message><source>Es sind zu viele Dateien geöffnet.</source><translation>Too many files are open.</translation></message>
    <message><source>Der Dateiname ist zu lang.</source><translation>The file name is too long.</translation></message>
</context>
</TS>
