<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de_DE">
<context>
    <name>TeingabeFrm</name>
    <message><source>Allgemein</source><translation>General</translation></message>
    <message><source>Sportart</source><translation>Sport</translation></message>
    <message><source>Form</source><translation>Form</translation></message>
    <message><source>Datum</source><translation>Date</translation></message>
    <message><source>Heute</source><translation>Today</translation></message>
    <message><source>Strecke</source><translation>Route</translation></message>
    <message><source>Ort</source><translation>Place</translation></message>
    <message><source>Beschreibung</source><translation>Description</translation></message>
    <message><source>H.Diff</source><translation>Height diff.</translation></message>
    <message><source>Leistung</source><translation>Performance</translation></message>
    <message><source>Zeit</source><translation>Time</translation></message>
    <message><source>Km/h - Min/km</source><translation>km/h - min/km</translation></message>
    <message><source>Belast.stufe</source><translation>Load level</translation></message>
    <message><source>Belast.art</source><translation>Load type</translation></message>
    <message><source>Bio</source><translation>Bio</translation></message>
    <message><source>Ø Puls</source><translation>Ø heart rate</translation></message>
    <message><source>Gewicht</source><translation>Weight</translation></message>
    <message><source>Erweitert</source><translation>Extended</translation></message>
    <message><source>Umgebung</source><translation>Surroundings</translation></message>
    <message><source>Startzeit</source><translation>Start time</translation></message>
    <message><source>Wetter</source><translation>Weather</translation></message>
    <message><source>Wind</source><translation>Wind</translation></message>
    <message><source>Temperatur</source><translation>Temperature</translation></message>
    <message><source>°C</source><translation>°C</translation></message>
    <message><source>Anderes</source><translation>Other</translation></message>
    <message><source>Gefühl</source><translation>Feeling</translation></message>
    <message><source>Gli</source><translation>Gli</translation></message>
    <message><source>Platz</source><translation>Place (rank)</translation></message>
    <message><source>User1 (Text):</source><translation>User1 (text):</translation></message>
    <message><source>User2 (Zahl):</source><translation>User2 (number):</translation></message>
    <message><source>Übernehmen</source><translation>Apply</translation></message>
    <message><source>Bearbeiten abbrechen</source><translation>Cancel editing</translation></message>
</context>
<context>
    <name>TeingabeWin</name>
    <message><source>Einheit bearbeiten</source><translation>Edit unit</translation></message>
    <message><source>Übernehmen</source><translation>Apply</translation></message>
    <message><source>Bearbeiten abbrechen</source><translation>Cancel editing</translation></message>
    <message><source>Schließen</source><translation>Close</translation></message>
    <message><source>Abbrechen</source><translation>Cancel</translation></message>
</context>
</TS>
