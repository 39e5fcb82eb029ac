<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de_DE">
<context>
    <name>Tschwtempo</name>
    <message>
        <source>Schwellentempo</source>
        <translation>Threshold pace</translation>
    </message>
    <message>
        <source>Mit diesem Werkzeug können Sie das Tempo für die anaerobe Schwelle bestimmen. Daten sind alle 30 Sekunden vorhanden.</source>
        <translation>With this tool you can find the pace at your anaerobic threshold. Data are available every 30 seconds.</translation>
    </message>
    <message>
        <source>Bitte geben Sie Ihre 5000m Zeit ein:</source>
        <translation>Please enter your 5000m time:</translation>
    </message>
    <message>
        <source>Berechnen</source>
        <translation>Calculate</translation>
    </message>
    <message>
        <source>Schließen</source>
        <translation>Close</translation>
    </message>
</context>
</TS>
