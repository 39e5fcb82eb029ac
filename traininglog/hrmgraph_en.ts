<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de_DE">
<context>
    <name>TzwHRMGraph</name>
    <message>
        <source>Zwischenzeiten- und HF-Grafik</source>
        <translation>Splits and heart-rate graph</translation>
    </message>
    <message>
        <source>&amp;Schließen</source>
        <translation>&amp;Close</translation>
    </message>
    <message>
        <source>HF &amp;Unterl.</source>
        <translation>HR &amp;zones</translation>
    </message>
    <message>
        <source>Herzfrequenzbereiche der Belastungsstufen</source>
        <translation>Heart-rate zones of the load levels</translation>
    </message>
    <message>
        <source>&amp;Hilfe</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>Info</source>
        <translation>Info</translation>
    </message>
    <message>
        <source>Ausblenden</source>
        <translation>Hide</translation>
    </message>
    <message>
        <source>Einblenden</source>
        <translation>Show</translation>
    </message>
    <message>
        <source>Reihen:</source>
        <translation>Series:</translation>
    </message>
    <message>
        <source>Höhe</source>
        <translation>Altitude</translation>
    </message>
    <message>
        <source>Höhenprofil</source>
        <translation>Altitude profile</translation>
    </message>
    <message>
        <source>Puls</source>
        <translation>Heart rate</translation>
    </message>
    <message>
        <source>Pulsfrequenz</source>
        <translation>Heart rate</translation>
    </message>
    <message>
        <source>T.Frequ.</source>
        <translation>Cadence</translation>
    </message>
    <message>
        <source>Trittfrequenz</source>
        <translation>Cadence</translation>
    </message>
    <message>
        <source>Steig.</source>
        <translation>Incl.</translation>
    </message>
    <message>
        <source>Steigung</source>
        <translation>Incline</translation>
    </message>
    <message>
        <source>Temp.</source>
        <translation>Temp.</translation>
    </message>
    <message>
        <source>Temperatur</source>
        <translation>Temperature</translation>
    </message>
    <message>
        <source>Ber. Geschw.</source>
        <translation>Calc. speed</translation>
    </message>
    <message>
        <source>Berechnete Geschwindigkeit</source>
        <translation>Calculated speed</translation>
    </message>
    <message>
        <source>Gem. Geschw.</source>
        <translation>Meas. speed</translation>
    </message>
    <message>
        <source>Gemessene Geschwindigkeit</source>
        <translation>Measured speed</translation>
    </message>
    <message>
        <source>X-Achse:</source>
        <translation>X axis:</translation>
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
        <source>Geschwindigkeit:</source>
        <translation>Speed:</translation>
    </message>
    <message>
        <source>minkm</source>
        <translation>min/km</translation>
    </message>
    <message>
        <source>kmh</source>
        <translation>km/h</translation>
    </message>
    <message>
        <source>Numerisch</source>
        <translation>Numeric</translation>
    </message>
    <message>
        <source>Max. Puls:</source>
        <translation>Max. HR:</translation>
    </message>
    <message>
        <source>Min. Puls:</source>
        <translation>Min. HR:</translation>
    </message>
    <message>
        <source>Ø Puls (ber.):</source>
        <translation>Ø HR (calc.):</translation>
    </message>
    <message>
        <source>Ø Puls (aus Eing.):</source>
        <translation>Ø HR (entered):</translation>
    </message>
    <message>
        <source>Zeit:</source>
        <translation>Time:</translation>
    </message>
    <message>
        <source>Filter</source>
        <translation>Filter</translation>
    </message>
    <message>
        <source>Pulswerte ausschließen</source>
        <translation>Exclude heart rates</translation>
    </message>
    <message>
        <source>über:</source>
        <translation>above:</translation>
    </message>
    <message>
        <source>unter:</source>
        <translation>below:</translation>
    </message>
    <message>
        <source>Ü&amp;bernehmen</source>
        <translation>&amp;Apply</translation>
    </message>
    <message>
        <source>Filter übernehmen</source>
        <translation>Apply filter</translation>
    </message>
    <message>
        <source>Weitere Optionen</source>
        <translation>More options</translation>
    </message>
    <message>
        <source>&amp;Vergleichseinheit laden</source>
        <translation>Load &amp;comparison unit</translation>
    </message>
    <message>
        <source>Konstanten:</source>
        <translation>Constants:</translation>
    </message>
    <message>
        <source>Maximalpuls</source>
        <translation>Maximum heart rate</translation>
    </message>
    <message>
        <source>Minimalpuls</source>
        <translation>Minimum heart rate</translation>
    </message>
    <message>
        <source>Durchschnittspuls (berechn.)</source>
        <translation>Average heart rate (calc.)</translation>
    </message>
    <message>
        <source>Durchschnittspuls (aus Eing.)</source>
        <translation>Average heart rate (entered)</translation>
    </message>
    <message>
        <source>Maximale Steigung</source>
        <translation>Maximum incline</translation>
    </message>
    <message>
        <source>Maximales Gefälle</source>
        <translation>Maximum decline</translation>
    </message>
    <message>
        <source>Durchschn. Steigung</source>
        <translation>Average incline</translation>
    </message>
    <message>
        <source>Durchschn. Gefälle</source>
        <translation>Average decline</translation>
    </message>
    <message>
        <source>Durchschn. Trittfrequenz</source>
        <translation>Average cadence</translation>
    </message>
    <message>
        <source>&amp;Punktbeschriftungen zeigen</source>
        <translation>Show &amp;point labels</translation>
    </message>
    <message>
        <source>Zeigt auf den Höhenprofil die Notiz an</source>
        <translation>Shows the notes on the altitude profile</translation>
    </message>
    <message>
        <source>Diesen Punkt bearbeiten</source>
        <translation>Edit this point</translation>
    </message>
</context>
</TS>
