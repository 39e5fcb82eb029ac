<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de_DE">
<context>
    <name>TStatChartForm</name>
    <message>
        <source>/Meter * 10</source>
        <translation>/metres * 10</translation>
    </message>
</context>
<context>
    <name>TWochenstat</name>
    <message>
        <source>Wochenstatistik</source>
        <translation>Weekly statistics</translation>
    </message>
    <message>
        <source>Schließen </source>
        <translation>Close </translation>
    </message>
    <message>
        <source>Drucken</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>Grafik</source>
        <translation>Chart</translation>
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
        <source>Zeitraum</source>
        <translation>Period</translation>
    </message>
    <message>
        <source>Filter</source>
        <translation>Filter</translation>
    </message>
    <message>
        <source>Anfang:</source>
        <translation>Start:</translation>
    </message>
    <message>
        <source>Wochen:</source>
        <translation>Weeks:</translation>
    </message>
    <message>
        <source>Einheit:</source>
        <translation>Unit:</translation>
    </message>
    <message>
        <source>Nur bis akt. Woche</source>
        <translation>Up to the current week only</translation>
    </message>
    <message>
        <source>mit Planung</source>
        <translation>with planning</translation>
    </message>
    <message>
        <source>Sportartfilter aktivieren</source>
        <translation>Activate sport filter</translation>
    </message>
    <message>
        <source>Übernehmen</source>
        <translation>Apply</translation>
    </message>
    <message>
        <source>Auswertung</source>
        <translation>Evaluation</translation>
    </message>
    <message>
        <source>Gesamt</source>
        <translation>Totals</translation>
    </message>
    <message>
        <source>Jahresdetails</source>
        <translation>Totals of the run</translation>
    </message>
    <message>
        <source>Woche</source>
        <translation>Week</translation>
    </message>
    <message>
        <source>Wochendetails</source>
        <translation>Week details</translation>
    </message>
    <message>
        <source>Distanz gesamt:</source>
        <translation>Total distance:</translation>
    </message>
    <message>
        <source>Ø Distanz:</source>
        <translation>Ø distance:</translation>
    </message>
    <message>
        <source>HDiff ges:</source>
        <translation>Total height diff.:</translation>
    </message>
    <message>
        <source>Ø HDiff:</source>
        <translation>Ø height diff.:</translation>
    </message>
    <message>
        <source>Zeit ges:</source>
        <translation>Total time:</translation>
    </message>
    <message>
        <source>Ø Zeit:</source>
        <translation>Ø time:</translation>
    </message>
    <message>
        <source>Einheit</source>
        <translation>Unit</translation>
    </message>
    <message>
        <source>Fortschritt:</source>
        <translation>Progress:</translation>
    </message>
    <message>
        <source>&apos;%1&apos; ist keine gültige Zeit</source>
        <translation>&apos;%1&apos; is not a valid time</translation>
    </message>
    <message>
        <source>Datum</source>
        <translation>Date</translation>
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
        <source>HDiff</source>
        <translation>Height diff.</translation>
    </message>
    <message>
        <source>Sportart</source>
        <translation>Sport</translation>
    </message>
    <message>
        <source>Distanz</source>
        <translation>Distance</translation>
    </message>
    <message>
        <source>Ø Meter</source>
        <translation>Ø metres</translation>
    </message>
    <message>
        <source>Ø HDiff</source>
        <translation>Ø height diff.</translation>
    </message>
    <message>
        <source>Anz.</source>
        <translation>No.</translation>
    </message>
    <message>
        <source>Wochenstatistik vom </source>
        <translation>Weekly statistics from </translation>
    </message>
    <message>
        <source> Wochen</source>
        <translation> weeks</translation>
    </message>
    <message>
        <source>Höhe</source>
        <translation>Height</translation>
    </message>
    <message>
        <source>Vom</source>
        <translation>From</translation>
    </message>
    <message>
        <source>Bis zum</source>
        <translation>To</translation>
    </message>
    <message>
        <source>Die Anzahl der Wochen muss eine ganze Zahl größer als 0 sein.</source>
        <translation>The number of weeks must be a whole number greater than 0.</translation>
    </message>
</context>
<context>
    <name>Twochenstatgraf</name>
    <message>
        <source>Grafik zur Wochenstatistik</source>
        <translation>Weekly statistics chart</translation>
    </message>
    <message>
        <source>Schließen</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Reihen</source>
        <translation>Series</translation>
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
        <source>Meter</source>
        <translation>Metres</translation>
    </message>
    <message>
        <source>Höhe * 10</source>
        <translation>Height * 10</translation>
    </message>
    <message>
        <source>Zeit</source>
        <translation>Time</translation>
    </message>
</context>
<context>
    <name>TPeriodPrint</name>
    <message>
        <source>Erstellt mit Orvalo 5</source>
        <translation>Created with Orvalo 5</translation>
    </message>
</context>
</TS>
