<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de_DE">
<context>
    <name>JetSql</name>
    <message>
        <source>Syntaxfehler in der SQL-Anweisung an Position %1: %2</source>
        <translation>Syntax error in SQL statement at position %1: %2</translation>
    </message>
    <message>
        <source>Text ohne schließendes Anführungszeichen</source>
        <translation>text without closing quote</translation>
    </message>
    <message>
        <source>Name ohne schließende Klammer</source>
        <translation>name without closing bracket</translation>
    </message>
    <message>
        <source>Datum ohne schließendes #</source>
        <translation>date without closing #</translation>
    </message>
    <message>
        <source>unerwartetes Zeichen '%1'</source>
        <translation>unexpected character '%1'</translation>
    </message>
    <message>
        <source>VALUES oder SELECT erwartet</source>
        <translation>VALUES or SELECT expected</translation>
    </message>
    <message>
        <source>Zeichen nach Ende der SQL-Anweisung gefunden.</source>
        <translation>Characters found after end of SQL statement.</translation>
    </message>
    <message>
        <source>Ende der Bedingung erwartet</source>
        <translation>end of condition expected</translation>
    </message>
    <message>
        <source>%1 erwartet</source>
        <translation>%1 expected</translation>
    </message>
    <message>
        <source>'%1' erwartet</source>
        <translation>'%1' expected</translation>
    </message>
    <message>
        <source>Ende der Anweisung</source>
        <translation>end of statement</translation>
    </message>
    <message>
        <source>Syntaxfehler in der SQL-Anweisung an Position %1: %2 (bei "%3")</source>
        <translation>Syntax error in SQL statement at position %1: %2 (at "%3")</translation>
    </message>
    <message>
        <source>Name erwartet</source>
        <translation>name expected</translation>
    </message>
    <message>
        <source>LIKE, IN oder BETWEEN erwartet</source>
        <translation>LIKE, IN or BETWEEN expected</translation>
    </message>
    <message>
        <source>ungültiges Datum #%1#</source>
        <translation>invalid date #%1#</translation>
    </message>
    <message>
        <source>Ausdruck erwartet</source>
        <translation>expression expected</translation>
    </message>
    <message>
        <source>Datentypen in Kriterienausdruck unverträglich.</source>
        <translation>Data type mismatch in criteria expression.</translation>
    </message>
    <message>
        <source>Hier ist nur eine Abfrage (SELECT) erlaubt; Änderungen an der Datenbank sind nicht möglich.</source>
        <translation>Only a query (SELECT) is allowed here; the database cannot be changed.</translation>
    </message>
    <message>
        <source>TOP, DISTINCTROW und INTO sind in einer selbst geschriebenen Abfrage nicht erlaubt.</source>
        <translation>TOP, DISTINCTROW and INTO are not allowed in a query you write yourself.</translation>
    </message>
    <message>
        <source>TOP ... PERCENT wird nicht unterstützt.</source>
        <translation>TOP ... PERCENT is not supported.</translation>
    </message>
    <message>
        <source>Falsche Anzahl von Argumenten für die Funktion %1.</source>
        <translation>Wrong number of arguments for function %1.</translation>
    </message>
    <message>
        <source>Überlauf</source>
        <translation>Overflow</translation>
    </message>
    <message>
        <source>Division durch Null</source>
        <translation>Division by zero</translation>
    </message>
    <message>
        <source>Ungültiges Intervall '%1'</source>
        <translation>Invalid interval '%1'</translation>
    </message>
    <message>
        <source>Ungültiger Prozeduraufruf oder ungültiges Argument</source>
        <translation>Invalid procedure call or argument</translation>
    </message>
</context>
<context>
    <name>DbFilter</name>
    <message>
        <source>Fehler im Filter "%1" an Position %2: %3</source>
        <translation>Error in filter "%1" at position %2: %3</translation>
    </message>
    <message>
        <source>Operator erwartet</source>
        <translation>operator expected</translation>
    </message>
    <message>
        <source>')' erwartet</source>
        <translation>')' expected</translation>
    </message>
    <message>
        <source>NULL erwartet</source>
        <translation>NULL expected</translation>
    </message>
    <message>
        <source>Vergleichsoperator erwartet</source>
        <translation>comparison operator expected</translation>
    </message>
    <message>
        <source>ungültiges Datum #%1#</source>
        <translation>invalid date #%1#</translation>
    </message>
    <message>
        <source>ungültiges Datum %1</source>
        <translation>invalid date %1</translation>
    </message>
    <message>
        <source>Feldname oder Wert erwartet</source>
        <translation>field name or value expected</translation>
    </message>
    <message>
        <source>Fehler im Filter "%1": Bedingung erwartet</source>
        <translation>Error in filter "%1": condition expected</translation>
    </message>
    <message>
        <source>Feld '%1' nicht gefunden</source>
        <translation>Field '%1' not found</translation>
    </message>
</context>
<context>
    <name>DataPacket</name>
    <message>
        <source>Die Datei ist kein gültiges Datenpaket (Zeile %1, Spalte %2): %3</source>
        <translation>The file is not a valid data packet (line %1, column %2): %3</translation>
    </message>
    <message>
        <source>DATAPACKET erwartet</source>
        <translation>DATAPACKET expected</translation>
    </message>
    <message>
        <source>FIELD erwartet</source>
        <translation>FIELD expected</translation>
    </message>
    <message>
        <source>Feld ohne Namen</source>
        <translation>field without a name</translation>
    </message>
    <message>
        <source>Feld '%1' doppelt</source>
        <translation>field '%1' appears twice</translation>
    </message>
    <message>
        <source>unbekannter Feldtyp '%1'</source>
        <translation>unknown field type '%1'</translation>
    </message>
    <message>
        <source>ROWDATA vor den Felddefinitionen</source>
        <translation>ROWDATA before the field definitions</translation>
    </message>
    <message>
        <source>ROW erwartet</source>
        <translation>ROW expected</translation>
    </message>
    <message>
        <source>ungültiger Wert '%1' im Feld '%2'</source>
        <translation>invalid value '%1' in field '%2'</translation>
    </message>
    <message>
        <source>keine Felddefinitionen</source>
        <translation>no field definitions</translation>
    </message>
    <message>
        <source>Datei %1 kann nicht geöffnet werden</source>
        <translation>Cannot open file %1</translation>
    </message>
    <message>
        <source>Datei %1 kann nicht erstellt werden</source>
        <translation>Cannot create file %1</translation>
    </message>
    <message>
        <source>Das Datenpaket hat %1 Felder statt %2.</source>
        <translation>The data packet has %1 fields instead of %2.</translation>
    </message>
    <message>
        <source>Das Datenpaket passt nicht: Feld %1 ist '%2', erwartet wird '%3'.</source>
        <translation>The data packet does not fit: field %1 is '%2', '%3' is expected.</translation>
    </message>
</context>
<context>
    <name>ClientDataSet</name>
    <message>
        <source>Die Datenmenge kann ohne Felder nicht angelegt werden.</source>
        <translation>The dataset cannot be created without fields.</translation>
    </message>
    <message>
        <source>Fehlender Daten-Provider oder Datenpaket.</source>
        <translation>Missing data provider or data packet.</translation>
    </message>
    <message>
        <source>Das Datenpaket enthält keine Felder.</source>
        <translation>The data packet holds no fields.</translation>
    </message>
    <message>
        <source>Das Datenpaket passt nicht zur Datenmenge: das Feld '%1' fehlt.</source>
        <translation>The data packet does not fit the dataset: the field '%1' is missing.</translation>
    </message>
    <message>
        <source>Das Datenpaket passt nicht zur Datenmenge: das Feld '%1' hat eine andere Art von Werten.</source>
        <translation>The data packet does not fit the dataset: the field '%1' holds another kind of value.</translation>
    </message>
    <message>
        <source>Das Datenpaket passt nicht zur Datenmenge: ungültiger Wert '%1' im Feld '%2' (Zeile %3).</source>
        <translation>The data packet does not fit the dataset: invalid value '%1' in the field '%2' (row %3).</translation>
    </message>
</context>
<context>
    <name>DataSet</name>
    <message>
        <source>Kann eine Nur-Lesen-Datenmenge nicht ändern.</source>
        <translation>Cannot modify a read-only dataset.</translation>
    </message>
    <message>
        <source>Operation bei geschlossener Datenmenge nicht möglich</source>
        <translation>Cannot perform this operation on a closed dataset</translation>
    </message>
    <message>
        <source>Felder können nur bei geschlossener Datenmenge angelegt werden</source>
        <translation>Fields can only be created while the dataset is closed</translation>
    </message>
    <message>
        <source>Feld &apos;%1&apos; nicht gefunden</source>
        <translation>Field &apos;%1&apos; not found</translation>
    </message>
    <message>
        <source>Die Abfrage liefert keine Datensätze</source>
        <translation>The query returns no records</translation>
    </message>
    <message>
        <source>Filterausdrücke werden nicht unterstützt: %1</source>
        <translation>Filter expressions are not supported: %1</translation>
    </message>
    <message>
        <source>Datenmenge nicht im Bearbeitungs- oder Einfügemodus</source>
        <translation>Dataset not in edit or insert mode</translation>
    </message>
    <message>
        <source>Feld &apos;%1&apos; kann nicht geändert werden</source>
        <translation>Field &apos;%1&apos; cannot be modified</translation>
    </message>
    <message>
        <source>Die Datenbankverbindung ist nicht geöffnet.</source>
        <translation>The database connection is not open.</translation>
    </message>
    <message>
        <source>Feld &apos;%1&apos; muß einen Wert haben</source>
        <translation>Field &apos;%1&apos; must have a value</translation>
    </message>
    <message>
        <source>Der Datensatz wurde inzwischen gelöscht und kann nicht geändert werden.</source>
        <translation>The record has been deleted in the meantime and cannot be changed.</translation>
    </message>
    <message>
        <source>Der Datensatz wurde inzwischen gelöscht.</source>
        <translation>The record has been deleted in the meantime.</translation>
    </message>
    <message>
        <source>Operation bei leerer Datenmenge nicht möglich</source>
        <translation>Cannot perform this operation on an empty dataset</translation>
    </message>
    <message>
        <source>Anzahl der Suchwerte passt nicht zu den Suchfeldern</source>
        <translation>The number of search values does not match the search fields</translation>
    </message>
    <message>
        <source>Datensatz nicht gefunden</source>
        <translation>Record not found</translation>
    </message>
</context>
<context>
    <name>Connection</name>
    <message>
        <source>Die Datei &quot;%1&quot; wurde nicht gefunden.</source>
        <translation>The file &quot;%1&quot; was not found.</translation>
    </message>
    <message>
        <source>Die Datei &quot;%1&quot; kann nicht geöffnet werden: %2</source>
        <translation>The file &quot;%1&quot; cannot be opened: %2</translation>
    </message>
    <message>
        <source>Die Datei &quot;%1&quot; ist keine gültige Datenbank.</source>
        <translation>The file &quot;%1&quot; is not a valid database.</translation>
    </message>
    <message>
        <source>Die Datenbank im Speicher kann nicht angelegt werden.</source>
        <translation>The in-memory database cannot be created.</translation>
    </message>
    <message>
        <source>Die Datenbankverbindung ist nicht geöffnet.</source>
        <translation>The database connection is not open.</translation>
    </message>
    <message>
        <source>Transaktion kann nicht begonnen werden</source>
        <translation>Cannot start the transaction</translation>
    </message>
    <message>
        <source>Es ist keine Transaktion aktiv.</source>
        <translation>No transaction is active.</translation>
    </message>
    <message>
        <source>Transaktion kann nicht abgeschlossen werden</source>
        <translation>Cannot commit the transaction</translation>
    </message>
    <message>
        <source>Transaktion kann nicht zurückgenommen werden</source>
        <translation>Cannot roll back the transaction</translation>
    </message>
    <message>
        <source>Nicht genug Speicher</source>
        <translation>Out of memory</translation>
    </message>
    <message>
        <source>Die Datei%1 ist keine Datenbank.</source>
        <translation>The file%1 is not a database.</translation>
    </message>
    <message>
        <source>Die Datenbank%1 ist beschädigt.</source>
        <translation>The database%1 is damaged.</translation>
    </message>
    <message>
        <source>Die Datenbank%1 ist schreibgeschützt; Änderungen können nicht gespeichert werden.</source>
        <translation>The database%1 is write-protected; changes cannot be saved.</translation>
    </message>
    <message>
        <source>Die Datenbank%1 wird gerade von einem anderen Programm verwendet.</source>
        <translation>The database%1 is being used by another program.</translation>
    </message>
    <message>
        <source>Der Datenträger der Datenbank%1 ist voll.</source>
        <translation>The disk of the database%1 is full.</translation>
    </message>
    <message>
        <source>Beim Lesen oder Schreiben der Datenbank%1 ist ein Fehler aufgetreten.</source>
        <translation>An error occurred while reading or writing the database%1.</translation>
    </message>
    <message>
        <source>Die Datenbank%1 kann nicht geöffnet werden.</source>
        <translation>The database%1 cannot be opened.</translation>
    </message>
    <message>
        <source>Die Tabelle &quot;%1&quot; fehlt in der Datenbank%2.</source>
        <translation>The table &quot;%1&quot; is missing from the database%2.</translation>
    </message>
    <message>
        <source>Das Feld &quot;%1&quot; ist unbekannt.</source>
        <translation>The field &quot;%1&quot; is unknown.</translation>
    </message>
    <message>
        <source>Die Datei ist schreibgeschützt.</source>
        <translation>The file is write-protected.</translation>
    </message>
    <message>
        <source>In den Ordner &quot;%1&quot; darf nicht geschrieben werden.</source>
        <translation>The folder &quot;%1&quot; may not be written to.</translation>
    </message>
    <message>
        <source>Die Datenbank &quot;%1&quot; kann nur gelesen werden: %2</source>
        <translation>The database &quot;%1&quot; can only be read: %2</translation>
    </message>
</context>
<context>
    <name>SqliteFile</name>
    <message>
        <source>Nicht genug Speicher</source>
        <translation>Out of memory</translation>
    </message>
</context>
<context>
    <name>Query</name>
    <message>
        <source>Parameter &apos;%1&apos; nicht gefunden</source>
        <translation>Parameter &apos;%1&apos; not found</translation>
    </message>
    <message>
        <source>Die Datenbankverbindung ist nicht geöffnet.</source>
        <translation>The database connection is not open.</translation>
    </message>
</context>
<context>
    <name>Table</name>
    <message>
        <source>Kein Tabellenname angegeben</source>
        <translation>No table name given</translation>
    </message>
    <message>
        <source>Tabelle &apos;%1&apos; nicht gefunden</source>
        <translation>Table &apos;%1&apos; not found</translation>
    </message>
</context>
<context>
    <name>Fields</name>
    <message>
        <source>%1 ist kein gültiger Wert für Feld &apos;%2&apos;. Der erlaubte Bereich ist %3 bis %4</source>
        <translation>%1 is not a valid value for field &apos;%2&apos;. The allowed range is %3 to %4</translation>
    </message>
    <message>
        <source>&apos;%1&apos; ist kein gültiger Boolescher Wert für das Feld &apos;%2&apos;</source>
        <translation>&apos;%1&apos; is not a valid boolean value for field &apos;%2&apos;</translation>
    </message>
    <message>
        <source>&apos;%1&apos; ist kein gültiger Integerwert</source>
        <translation>&apos;%1&apos; is not a valid integer value</translation>
    </message>
    <message>
        <source>&apos;%1&apos; ist kein gültiger Gleitkommawert</source>
        <translation>&apos;%1&apos; is not a valid floating point value</translation>
    </message>
    <message>
        <source>Feld &apos;%1&apos; kann nicht als Gleitkommawert gelesen werden</source>
        <translation>Field &apos;%1&apos; cannot be read as a floating point value</translation>
    </message>
    <message>
        <source>Datei %1 kann nicht geöffnet werden</source>
        <translation>Cannot open file %1</translation>
    </message>
    <message>
        <source>Datei %1 kann nicht erstellt werden</source>
        <translation>Cannot create file %1</translation>
    </message>
</context>
</TS>
