<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de_DE">
<context>
    <name>TTrainForm</name>
    <message>
        <source>Trainingsplanmanager</source>
        <translation>Training plan manager</translation>
    </message>
    <message>
        <source>Erster Datensatz</source>
        <translation>First record</translation>
    </message>
    <message>
        <source>Vorheriger  Datensatz</source>
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
        <source>Neuer Datensatz</source>
        <translation>New record</translation>
    </message>
    <message>
        <source>Datensatz löschen</source>
        <translation>Delete record</translation>
    </message>
    <message>
        <source>Übernehmen</source>
        <translation>Apply</translation>
    </message>
    <message>
        <source>Bearbeiten abbrechen</source>
        <translation>Cancel editing</translation>
    </message>
    <message>
        <source>Belastungsübersicht Monat</source>
        <translation>Monthly load overview</translation>
    </message>
    <message>
        <source>Ansehen/Drucken</source>
        <translation>View/Print</translation>
    </message>
    <message>
        <source>Hilfe</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>Trainingspläne</source>
        <translation>Training plans</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>Name:</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Erstellt am:</source>
        <translation>Created on:</translation>
    </message>
    <message>
        <source>Realisiert</source>
        <translation>Realised</translation>
    </message>
    <message>
        <source>Periode</source>
        <translation>Period</translation>
    </message>
    <message>
        <source>Beschreibung:</source>
        <translation>Description:</translation>
    </message>
    <message>
        <source>Gesamtstrecke:</source>
        <translation>Total distance:</translation>
    </message>
    <message>
        <source>Gesamtzeit:</source>
        <translation>Total time:</translation>
    </message>
    <message>
        <source>Planeinheit hinzufügen</source>
        <translation>Add plan unit</translation>
    </message>
    <message>
        <source>Planeinheit löschen</source>
        <translation>Remove plan unit</translation>
    </message>
    <message>
        <source>Planeinheit übernehmen</source>
        <translation>Apply plan unit</translation>
    </message>
    <message>
        <source>Bearbeiten der Planeinheit abbrechen</source>
        <translation>Cancel editing the plan unit</translation>
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
        <source>Woche</source>
        <translation>Week</translation>
    </message>
    <message>
        <source>Tag</source>
        <translation>Day</translation>
    </message>
    <message>
        <source>Datum</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Sportart</source>
        <translation>Sport</translation>
    </message>
    <message>
        <source>Ort</source>
        <translation>Place</translation>
    </message>
    <message>
        <source>Meter</source>
        <translation>Metres</translation>
    </message>
    <message>
        <source>Zeit</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>Bel.art</source>
        <translation>Load type</translation>
    </message>
    <message>
        <source>Bel.stufe</source>
        <translation>Load level</translation>
    </message>
    <message>
        <source>Form</source>
        <translation>Form</translation>
    </message>
    <message>
        <source>HDiff</source>
        <translation>Height diff.</translation>
    </message>
    <message>
        <source>Puls</source>
        <translation>Pulse</translation>
    </message>
    <message>
        <source>Streckenbeschreibung</source>
        <translation>Route description</translation>
    </message>
</context>
<context>
    <name>Tplan_delete</name>
    <message>
        <source>Planeinheit entfernen</source>
        <translation>Remove plan unit</translation>
    </message>
    <message>
        <source>Wie möchten Sie vorgehen?</source>
        <translation>How do you want to proceed?</translation>
    </message>
    <message>
        <source>Einheit nur aus diesem Trainingsplan entfernen, aber nicht löschen.</source>
        <translation>Remove the unit from this training plan only, do not delete it.</translation>
    </message>
    <message>
        <source>Einheit aus diesem und allen anderen Trainingsplänen entfernen und Einheit löschen.</source>
        <translation>Remove the unit from this and all other training plans and delete the unit.</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>TTrainManPrint</name>
    <message>
        <source>Trainingsplan</source>
        <translation>Training plan</translation>
    </message>
    <message>
        <source>Plan: </source>
        <translation>Plan: </translation>
    </message>
    <message>
        <source>Erstellt:</source>
        <translation>Created:</translation>
    </message>
    <message>
        <source>Realisiert:</source>
        <translation>Realised:</translation>
    </message>
    <message>
        <source>Periode:</source>
        <translation>Period:</translation>
    </message>
    <message>
        <source>Beschreibung:</source>
        <translation>Description:</translation>
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
        <source>Woche:</source>
        <translation>Week:</translation>
    </message>
    <message>
        <source>Sport</source>
        <translation>Sport</translation>
    </message>
    <message>
        <source>Distanz</source>
        <translation>Distance</translation>
    </message>
    <message>
        <source>Zeit</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>min/km</source>
        <translation>min/km</translation>
    </message>
    <message>
        <source>Ort</source>
        <translation>Place</translation>
    </message>
    <message>
        <source>Distanz/Woche:</source>
        <translation>Distance/week:</translation>
    </message>
    <message>
        <source>Gesamtdistanz:</source>
        <translation>Total distance:</translation>
    </message>
    <message>
        <source>Erstellt mit Orvalo 5</source>
        <translation>Created with Orvalo 5</translation>
    </message>
</context>
</TS>
