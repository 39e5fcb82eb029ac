<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de_DE">
<context>
    <name>HrmImportWriter</name>
    <message>
        <source>Pulswerte</source>
        <translation>Heart rates</translation>
    </message>
    <message>
        <source>Seite &quot;%1&quot;, Zeile %2, Spalte &quot;%3&quot;: &quot;%4&quot; ist kein gültiger Wert.</source>
        <translation>Page &quot;%1&quot;, row %2, column &quot;%3&quot;: &quot;%4&quot; is not a valid value.</translation>
    </message>
    <message>
        <source>Zwischenzeiten</source>
        <translation>Splits</translation>
    </message>
    <message>
        <source>Seite &quot;Einheit&quot;, Feld &quot;%1&quot;: &quot;%2&quot; ist kein gültiger Wert.</source>
        <translation>Page &quot;Unit&quot;, field &quot;%1&quot;: &quot;%2&quot; is not a valid value.</translation>
    </message>
    <message>
        <source>Datum</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Zeit</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>Startzeit</source>
        <translation>Start time</translation>
    </message>
    <message>
        <source>Maximalpuls</source>
        <translation>Maximum heart rate</translation>
    </message>
    <message>
        <source>Ruhepuls</source>
        <translation>Resting heart rate</translation>
    </message>
    <message>
        <source>Gewicht</source>
        <translation>Weight</translation>
    </message>
    <message>
        <source>Kalorien</source>
        <translation>Calories</translation>
    </message>
    <message>
        <source>Berechnete Gesamtmeter</source>
        <translation>Calculated total metres</translation>
    </message>
    <message>
        <source>Es ist keine Einheit ausgewählt, der die Pulswerte und Zwischenzeiten zugeordnet werden können. Bitte wählen Sie zuerst eine Einheit.</source>
        <translation>No unit is selected to attach the heart rates and splits to. Please select a unit first.</translation>
    </message>
</context>
<context>
    <name>ThrmImport</name>
    <message>
        <source>HRM Import</source>
        <translation>HRM import</translation>
    </message>
    <message>
        <source>Polar-Import (Schritt 2/2)</source>
        <translation>Polar import (step 2/2)</translation>
    </message>
    <message>
        <source>Wählen Sie nun aus, welche Teile der Daten Sie importieren wollen.</source>
        <translation>Now choose which parts of the data you want to import.</translation>
    </message>
    <message>
        <source>Strecke zuordnen:</source>
        <translation>Assign route:</translation>
    </message>
    <message>
        <source>Einheit</source>
        <translation>Unit</translation>
    </message>
    <message>
        <source>Datum:</source>
        <translation>Date:</translation>
    </message>
    <message>
        <source>Zeit:</source>
        <translation>Time:</translation>
    </message>
    <message>
        <source>Startzeit:</source>
        <translation>Start time:</translation>
    </message>
    <message>
        <source>Intervall:</source>
        <translation>Interval:</translation>
    </message>
    <message>
        <source>Maximalpuls:</source>
        <translation>Maximum heart rate:</translation>
    </message>
    <message>
        <source>Ruhepuls:</source>
        <translation>Resting heart rate:</translation>
    </message>
    <message>
        <source>Gewicht:</source>
        <translation>Weight:</translation>
    </message>
    <message>
        <source>Kalorien:</source>
        <translation>Calories:</translation>
    </message>
    <message>
        <source>Kommentar:</source>
        <translation>Comment:</translation>
    </message>
    <message>
        <source>Berechnete Gesamtmeter:</source>
        <translation>Calculated total metres:</translation>
    </message>
    <message>
        <source>Einheit importieren</source>
        <translation>Import unit</translation>
    </message>
    <message>
        <source>Pulswerte</source>
        <translation>Heart rates</translation>
    </message>
    <message>
        <source>Pulswerte importieren</source>
        <translation>Import heart rates</translation>
    </message>
    <message>
        <source>Zwischenzeiten</source>
        <translation>Splits</translation>
    </message>
    <message>
        <source>Zwischenzeiten importieren</source>
        <translation>Import splits</translation>
    </message>
    <message>
        <source>Fertig stellen</source>
        <translation>Finish</translation>
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
        <source>Nummer</source>
        <translation>Number</translation>
    </message>
    <message>
        <source>Zeit</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>Puls</source>
        <translation>Heart rate</translation>
    </message>
    <message>
        <source>Min. Puls</source>
        <translation>Min. HR</translation>
    </message>
    <message>
        <source>Ø Puls</source>
        <translation>Avg. HR</translation>
    </message>
    <message>
        <source>Max. Puls</source>
        <translation>Max. HR</translation>
    </message>
    <message>
        <source>Höhe</source>
        <translation>Altitude</translation>
    </message>
    <message>
        <source>Temperatur</source>
        <translation>Temperature</translation>
    </message>
    <message>
        <source>Meter</source>
        <translation>Metres</translation>
    </message>
</context>
</TS>
