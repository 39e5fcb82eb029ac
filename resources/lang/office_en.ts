<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de_DE">
<context>
    <name>Office</name>
    <message>
        <source>Die Datei &quot;%1&quot; wurde nicht gefunden.</source>
        <translation>The file &quot;%1&quot; was not found.</translation>
    </message>
    <message>
        <source>Die Datei &quot;%1&quot; kann nicht gelesen werden: %2</source>
        <translation>The file &quot;%1&quot; cannot be read: %2</translation>
    </message>
    <message>
        <source>Die Datei &quot;%1&quot; ist keine Excel-Arbeitsmappe.</source>
        <translation>The file &quot;%1&quot; is not an Excel workbook.</translation>
    </message>
    <message>
        <source>Die Arbeitsmappe &quot;%1&quot; ist beschädigt und kann nicht gelesen werden.</source>
        <translation>The workbook &quot;%1&quot; is damaged and cannot be read.</translation>
    </message>
    <message>
        <source>Die Arbeitsmappe &quot;%1&quot; ist mit einem Kennwort geschützt. Speichern Sie sie in Excel ohne Kennwort und wählen Sie sie dann erneut aus.</source>
        <translation>The workbook &quot;%1&quot; is protected by a password. Save it in Excel without a password and then choose it again.</translation>
    </message>
    <message>
        <source>Die Arbeitsmappe &quot;%1&quot; ist zu groß, um gelesen zu werden.</source>
        <translation>The workbook &quot;%1&quot; is too large to be read.</translation>
    </message>
    <message>
        <source>Die Tabelle &quot;%1&quot; gibt es in der Datenquelle nicht.</source>
        <translation>The data source has no table &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>Das Tabellenblatt &quot;%1&quot; ist zu groß für den Import: gelesen werden höchstens %2 Zeilen, %3 Spalten und %4 gefüllte Zellen.</source>
        <translation>The sheet &quot;%1&quot; is too large for the import: at most %2 rows, %3 columns and %4 filled cells are read.</translation>
    </message>
    <message>
        <source>Die Datei &quot;%1&quot; ist keine Access-Datenbank.</source>
        <translation>The file &quot;%1&quot; is not an Access database.</translation>
    </message>
    <message>
        <source>Die Access-Datenbank &quot;%1&quot; ist beschädigt und kann nicht gelesen werden.</source>
        <translation>The Access database &quot;%1&quot; is damaged and cannot be read.</translation>
    </message>
    <message>
        <source>Die Access-Datenbank &quot;%1&quot; ist verschlüsselt und kann nicht gelesen werden.</source>
        <translation>The Access database &quot;%1&quot; is encrypted and cannot be read.</translation>
    </message>
    <message>
        <source>%1, Zeile %2, Spalte %3</source>
        <translation>%1, line %2, column %3</translation>
    </message>
    <message>
        <source>Teil %1</source>
        <translation>part %1</translation>
    </message>
    <message>
        <source>Tabellenblatt &quot;%1&quot;, Zelle %2</source>
        <translation>worksheet &quot;%1&quot;, cell %2</translation>
    </message>
    <message>
        <source>Die Arbeitsmappe &quot;%1&quot; kann nicht gespeichert werden: %2</source>
        <translation>The workbook &quot;%1&quot; cannot be saved: %2</translation>
    </message>
    <message>
        <source>Die Zelle liegt außerhalb des Tabellenblatts.</source>
        <translation>The cell lies outside the worksheet.</translation>
    </message>
    <message>
        <source>Tabellenblatt &quot;%1&quot;, Zeile %2, Spalte %3</source>
        <translation>worksheet &quot;%1&quot;, row %2, column %3</translation>
    </message>
    <message>
        <source>Der Text ist länger als die 32767 Zeichen, die eine Zelle aufnimmt.</source>
        <translation>The text is longer than the 32767 characters a cell holds.</translation>
    </message>
    <message>
        <source>Der Zellname &quot;%1&quot; ist ungültig.</source>
        <translation>The cell name &quot;%1&quot; is invalid.</translation>
    </message>
    <message>
        <source>Tabellenblatt &quot;%1&quot;</source>
        <translation>worksheet &quot;%1&quot;</translation>
    </message>
    <message>
        <source>Der Name &quot;%1&quot; ist als Name eines Tabellenblatts nicht erlaubt.</source>
        <translation>The name &quot;%1&quot; is not allowed as the name of a worksheet.</translation>
    </message>
    <message>
        <source>Der Name ist kein Dateiname.</source>
        <translation>The name is not a file name.</translation>
    </message>
    <message>
        <source>Der Ordner &quot;%1&quot; existiert nicht.</source>
        <translation>The folder &quot;%1&quot; does not exist.</translation>
    </message>
    <message>
        <source>Zu wenig Arbeitsspeicher.</source>
        <translation>Not enough memory.</translation>
    </message>
    <message>
        <source>Das Tabellenblatt &quot;%1&quot; kann nicht angelegt werden.</source>
        <translation>The worksheet &quot;%1&quot; cannot be created.</translation>
    </message>
</context>
</TS>
