<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de_DE">
<context>
    <name>ReportPrinter</name>
    <message>
        <source>Drucken</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>Kein Drucker installiert!</source>
        <translation>No printers installed!</translation>
    </message>
    <message>
        <source>%1 an %2</source>
        <translation>%1 on %2</translation>
    </message>
    <message>
        <source>Der Drucker &quot;%1&quot; kann den Druckauftrag nicht annehmen.</source>
        <translation>The printer &quot;%1&quot; cannot accept the print job.</translation>
    </message>
    <message>
        <source>Der Druckauftrag &quot;%1&quot; ist fehlgeschlagen.</source>
        <translation>The print job &quot;%1&quot; failed.</translation>
    </message>
    <message>
        <source>Druck</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>Es ist kein Drucker installiert.</source>
        <translation>No printer is installed.</translation>
    </message>
    <message>
        <source>Der Drucker &quot;%1&quot; ist nicht installiert.</source>
        <translation>The printer &quot;%1&quot; is not installed.</translation>
    </message>
</context>
<context>
    <name>TPrinterCanvas</name>
    <message>
        <source>Es wird bereits gedruckt.</source>
        <translation>Printing is already in progress.</translation>
    </message>
    <message>
        <source>Es wird nicht gedruckt.</source>
        <translation>Printing is not in progress.</translation>
    </message>
</context>
<context>
    <name>TRenderHTML</name>
    <message>
        <source>Web Page (HTML)</source>
        <translation>Web Page (HTML)</translation>
    </message>
</context>
<context>
    <name>TRenderPDF</name>
    <message>
        <source>Adobe Acrobat (PDF)</source>
        <translation>Adobe Acrobat (PDF)</translation>
    </message>
    <message>
        <source>Die PDF-Datei kann nicht angelegt werden.</source>
        <translation>The PDF file cannot be created.</translation>
    </message>
</context>
<context>
    <name>TRenderText</name>
    <message>
        <source>Textdatei (TXT)</source>
        <translation>Text file (TXT)</translation>
    </message>
</context>
<context>
    <name>TReportExpression</name>
    <message>
        <source>Fehler im Ausdruck &quot;%1&quot; an Position %2: %3</source>
        <translation>Error in the expression &quot;%1&quot; at position %2: %3</translation>
    </message>
    <message>
        <source>unerwartetes Zeichen &apos;%1&apos;</source>
        <translation>unexpected character &apos;%1&apos;</translation>
    </message>
    <message>
        <source>unerwartetes Ende</source>
        <translation>unexpected end</translation>
    </message>
    <message>
        <source>ungültige Zahl</source>
        <translation>invalid number</translation>
    </message>
    <message>
        <source>Text ohne schließendes Anführungszeichen</source>
        <translation>text without a closing quotation mark</translation>
    </message>
    <message>
        <source>Feldname in Klammern erwartet</source>
        <translation>field name in brackets expected</translation>
    </message>
    <message>
        <source>unbekannte Funktion %1</source>
        <translation>unknown function %1</translation>
    </message>
    <message>
        <source>Summenfunktion innerhalb einer Summenfunktion</source>
        <translation>aggregate function inside an aggregate function</translation>
    </message>
    <message>
        <source>%1 erwartet genau ein Argument</source>
        <translation>%1 expects exactly one argument</translation>
    </message>
    <message>
        <source>&apos;%1&apos; erwartet</source>
        <translation>&apos;%1&apos; expected</translation>
    </message>
    <message>
        <source>Feld &apos;%1&apos; nicht gefunden</source>
        <translation>Field &apos;%1&apos; not found</translation>
    </message>
</context>
<context>
    <name>TReportPreview</name>
    <message>
        <source>Vorschau</source>
        <translation>Preview</translation>
    </message>
    <message>
        <source>&amp;Drucken</source>
        <translation>&amp;Print</translation>
    </message>
    <message>
        <source>Bericht drucken</source>
        <translation>Print the report</translation>
    </message>
    <message>
        <source>|&lt;</source>
        <translation>|&lt;</translation>
    </message>
    <message>
        <source>Erste Seite</source>
        <translation>First page</translation>
    </message>
    <message>
        <source>&lt;</source>
        <translation>&lt;</translation>
    </message>
    <message>
        <source>Vorherige Seite</source>
        <translation>Previous page</translation>
    </message>
    <message>
        <source>Seite 1 von 1</source>
        <translation>Page 1 of 1</translation>
    </message>
    <message>
        <source>&gt;</source>
        <translation>&gt;</translation>
    </message>
    <message>
        <source>Nächste Seite</source>
        <translation>Next page</translation>
    </message>
    <message>
        <source>&gt;|</source>
        <translation>&gt;|</translation>
    </message>
    <message>
        <source>Letzte Seite</source>
        <translation>Last page</translation>
    </message>
    <message>
        <source>&amp;Zoom:</source>
        <translation>&amp;Zoom:</translation>
    </message>
    <message>
        <source>Ganze Seite</source>
        <translation>Whole page</translation>
    </message>
    <message>
        <source>Seitenbreite</source>
        <translation>Page width</translation>
    </message>
    <message>
        <source>50 %</source>
        <translation>50 %</translation>
    </message>
    <message>
        <source>75 %</source>
        <translation>75 %</translation>
    </message>
    <message>
        <source>100 %</source>
        <translation>100 %</translation>
    </message>
    <message>
        <source>150 %</source>
        <translation>150 %</translation>
    </message>
    <message>
        <source>200 %</source>
        <translation>200 %</translation>
    </message>
    <message>
        <source>&amp;Schließen</source>
        <translation>&amp;Close</translation>
    </message>
    <message>
        <source>Seite %1 von %2</source>
        <translation>Page %1 of %2</translation>
    </message>
</context>
<context>
    <name>TReportProject</name>
    <message>
        <source>Es ist kein Bericht ausgewählt.</source>
        <translation>No report is selected.</translation>
    </message>
    <message>
        <source>Der Bericht &quot;%1&quot; ist nicht vorhanden.</source>
        <translation>The report &quot;%1&quot; does not exist.</translation>
    </message>
</context>
<context>
    <name>TReportRenderer</name>
    <message>
        <source>Die Datei &quot;%1&quot; kann nicht geschrieben werden: %2</source>
        <translation>The file &quot;%1&quot; cannot be written: %2</translation>
    </message>
</context>
<context>
    <name>TReportSysData</name>
    <message>
        <source>Seite %1</source>
        <translation>Page %1</translation>
    </message>
    <message>
        <source>Seite %1 von %2</source>
        <translation>Page %1 of %2</translation>
    </message>
</context>
<context>
    <name>TReportSystem</name>
    <message>
        <source>Ausgabeoptionen</source>
        <translation>Output Options</translation>
    </message>
    <message>
        <source>Vorschau</source>
        <translation>Preview</translation>
    </message>
    <message>
        <source>Für die Ausgabe in eine Datei ist kein Dateiname angegeben.</source>
        <translation>No file name is given for the output to a file.</translation>
    </message>
    <message>
        <source>Für die Datei &quot;%1&quot; ist kein Ausgabeformat gewählt.</source>
        <translation>No output format is chosen for the file &quot;%1&quot;.</translation>
    </message>
</context>
</TS>
