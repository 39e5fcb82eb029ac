<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de_DE">
<context>
    <name>TconvBusyDlg</name>
    <message>
        <source>Aktion wird bearbeitet. Bitte warten ...</source>
        <translation>Processing. Please wait ...</translation>
    </message>
</context>
</TS>
