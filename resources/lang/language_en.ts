<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de_DE">
<context>
    <name>language</name>
    <message>
        <source>Maximale Økm/h</source>
        <comment>65296</comment>
        <translation>Maximum Økm/h</translation>
    </message>
    <message>
        <source>Minimale Økm/h</source>
        <comment>65297</comment>
        <translation>Minimum Økm/h</translation>
    </message>
    <message>
        <source>Durchschn. Økm/h</source>
        <comment>65298</comment>
        <translation>Average Økm/h</translation>
    </message>
    <message>
        <source>Maximale Trittfrequenz</source>
        <comment>65299</comment>
        <translation>Maximum cadence</translation>
    </message>
    <message>
        <source>Durchschn. Trittfrequenz</source>
        <comment>65300</comment>
        <translation>Average cadence</translation>
    </message>
    <message>
        <source>Vorschau</source>
        <comment>65301</comment>
        <translation>Preview</translation>
    </message>
    <message>
        <source>Kurzübersicht</source>
        <comment>65302</comment>
        <translation>Summary</translation>
    </message>
    <message>
        <source>Zwischenzeiten</source>
        <comment>65303</comment>
        <translation>Splits</translation>
    </message>
    <message>
        <source>cfxgerman.dll</source>
        <comment>65304</comment>
        <translation>cfxenglish.dll</translation>
    </message>
    <message>
        <source>Strecke flach</source>
        <comment>65312</comment>
        <translation>Flat distance</translation>
    </message>
    <message>
        <source>Max. Höhe</source>
        <comment>65313</comment>
        <translation>Max. altitude</translation>
    </message>
    <message>
        <source>Min. Höhe</source>
        <comment>65314</comment>
        <translation>Min. altitude</translation>
    </message>
    <message>
        <source>Durchschn. Höhe</source>
        <comment>65315</comment>
        <translation>Avg. altitude</translation>
    </message>
    <message>
        <source>Höhenmeter bergauf</source>
        <comment>65316</comment>
        <translation>Elevation gain</translation>
    </message>
    <message>
        <source>Höhenmeter bergab</source>
        <comment>65317</comment>
        <translation>Elevation loss</translation>
    </message>
    <message>
        <source>Maximale Steigung (%)</source>
        <comment>65318</comment>
        <translation>Maximum incline (%)</translation>
    </message>
    <message>
        <source>Maximales Gefälle (%)</source>
        <comment>65319</comment>
        <translation>Maximum decline (%)</translation>
    </message>
    <message>
        <source>Durchschn. Steigung (%)</source>
        <comment>65320</comment>
        <translation>Average incline (%)</translation>
    </message>
    <message>
        <source>Durchschn. Gefälle (%)</source>
        <comment>65321</comment>
        <translation>Average decline (%)</translation>
    </message>
    <message>
        <source>Leistung</source>
        <comment>65322</comment>
        <translation>Power</translation>
    </message>
    <message>
        <source>Maximale min/km</source>
        <comment>65323</comment>
        <translation>Maximum min/km</translation>
    </message>
    <message>
        <source>Minimale min/km</source>
        <comment>65324</comment>
        <translation>Minimum min/km</translation>
    </message>
    <message>
        <source>Durschn. min/km</source>
        <comment>65325</comment>
        <translation>Avg. min/km</translation>
    </message>
    <message>
        <source>Maximale km/h</source>
        <comment>65326</comment>
        <translation>Maximum km/h</translation>
    </message>
    <message>
        <source>Minimale km/h</source>
        <comment>65327</comment>
        <translation>Minimum km/h</translation>
    </message>
    <message>
        <source>Vom: </source>
        <comment>65328</comment>
        <translation>From: </translation>
    </message>
    <message>
        <source>Bis zum: </source>
        <comment>65329</comment>
        <translation>To: </translation>
    </message>
    <message>
        <source>Der ausgewählte Wert besitzt für keine Einheit einen Wert größer 0.</source>
        <comment>65330</comment>
        <translation>The selected value is not greater than 0 for any unit.</translation>
    </message>
    <message>
        <source>Die *.co5 Datei sollte im Orvalo Stammverzeichnis gespeichert werden, da sie sonst nicht in der Liste angezeigt wird.</source>
        <comment>65331</comment>
        <translation>The *.co5 file should be saved in the Orvalo program folder; otherwise it will not be shown in the list.</translation>
    </message>
    <message>
        <source>Diese Auswahl kann nur bei der Gruppierungsart &quot;keine Gruppierung&quot; gewählt werden.</source>
        <comment>65332</comment>
        <translation>This selection is only available with the grouping type &quot;no grouping&quot;.</translation>
    </message>
    <message>
        <source>Einheit</source>
        <comment>65333</comment>
        <translation>Unit</translation>
    </message>
    <message>
        <source>Stunden</source>
        <comment>65334</comment>
        <translation>Hours</translation>
    </message>
    <message>
        <source>Ja</source>
        <comment>65335</comment>
        <translation>Yes</translation>
    </message>
    <message>
        <source>Nein</source>
        <comment>65336</comment>
        <translation>No</translation>
    </message>
    <message>
        <source>Unterlegt</source>
        <comment>65337</comment>
        <translation>Shaded</translation>
    </message>
    <message>
        <source>Maximalpuls</source>
        <comment>65338</comment>
        <translation>Maximum heart rate</translation>
    </message>
    <message>
        <source>Minimalpuls</source>
        <comment>65339</comment>
        <translation>Minimum heart rate</translation>
    </message>
    <message>
        <source>Durchschnittspuls (berechnet)</source>
        <comment>65340</comment>
        <translation>Average heart rate (calculated)</translation>
    </message>
    <message>
        <source>Strecke</source>
        <comment>65341</comment>
        <translation>Distance</translation>
    </message>
    <message>
        <source>Strecke bergauf</source>
        <comment>65342</comment>
        <translation>Distance uphill</translation>
    </message>
    <message>
        <source>Strecke bergab</source>
        <comment>65343</comment>
        <translation>Distance downhill</translation>
    </message>
    <message>
        <source>Es ist kein Trainingsplan ausgewählt oder vorhanden.</source>
        <comment>65344</comment>
        <translation>No training plan is selected or available.</translation>
    </message>
    <message>
        <source>für</source>
        <comment>65345</comment>
        <translation>for</translation>
    </message>
    <message>
        <source>Einheit</source>
        <comment>65346</comment>
        <translation>Unit</translation>
    </message>
    <message>
        <source>Zwischenzeiten</source>
        <comment>65347</comment>
        <translation>Splits</translation>
    </message>
    <message>
        <source>Explorer</source>
        <comment>65348</comment>
        <translation>Explorer</translation>
    </message>
    <message>
        <source>Tagebuch (Woche)</source>
        <comment>65349</comment>
        <translation>Diary (week)</translation>
    </message>
    <message>
        <source>Tagebuch (Monat)</source>
        <comment>65350</comment>
        <translation>Diary (month)</translation>
    </message>
    <message>
        <source>Bio</source>
        <comment>65351</comment>
        <translation>Bio</translation>
    </message>
    <message>
        <source>Equipment</source>
        <comment>65352</comment>
        <translation>Equipment</translation>
    </message>
    <message>
        <source>Kurzübersicht</source>
        <comment>65353</comment>
        <translation>Summary</translation>
    </message>
    <message>
        <source>Kalender</source>
        <comment>65354</comment>
        <translation>Calendar</translation>
    </message>
    <message>
        <source>Tools ausblenden</source>
        <comment>65355</comment>
        <translation>Hide tools</translation>
    </message>
    <message>
        <source>W O C H E </source>
        <comment>65356</comment>
        <translation>W E E K </translation>
    </message>
    <message>
        <source>Zeitraumstatistik vom %s bis zum %s</source>
        <comment>65357</comment>
        <translation>Period statistics from %s to %s</translation>
    </message>
    <message>
        <source>Höhendifferenz</source>
        <comment>65358</comment>
        <translation>Elevation difference</translation>
    </message>
    <message>
        <source>Woche/Monat</source>
        <comment>65359</comment>
        <translation>Week/month</translation>
    </message>
    <message>
        <source>Die Eingaben müssen Zeiten bzw reelle Zahlen sein.</source>
        <comment>65360</comment>
        <translation>The entries must be times or real numbers.</translation>
    </message>
    <message>
        <source>Ein Fehler beim Import ist aufgetreten.</source>
        <comment>65361</comment>
        <translation>An error occurred during the import.</translation>
    </message>
    <message>
        <source>Strecke wirklich löschen?</source>
        <comment>65362</comment>
        <translation>Really delete this route?</translation>
    </message>
    <message>
        <source>Streckenpunkt wirklich löschen?</source>
        <comment>65363</comment>
        <translation>Really delete this route point?</translation>
    </message>
    <message>
        <source>Die Datei ist sehr groß. Das Einladen dieser Bilddatei kann sich auf die Performance auswirken. Wollen Sie wirklich fortfahren?</source>
        <comment>65364</comment>
        <translation>The file is very large. Loading this picture may affect performance. Do you really want to continue?</translation>
    </message>
    <message>
        <source>Sie müssen eine gültige Zielzeit eingeben.</source>
        <comment>65365</comment>
        <translation>You must enter a valid target time.</translation>
    </message>
    <message>
        <source>Die Einheit muß zunächst</source>
        <comment>65366</comment>
        <translation>The unit must first</translation>
    </message>
    <message>
        <source>gespeichert werden</source>
        <comment>65367</comment>
        <translation>be saved</translation>
    </message>
    <message>
        <source>Extensiver Dauerlauf (GA1)</source>
        <comment>65368</comment>
        <translation>Easy endurance run (GA1)</translation>
    </message>
    <message>
        <source>Intensiver Dauerlauf (GA2)</source>
        <comment>65369</comment>
        <translation>Intensive endurance run (GA2)</translation>
    </message>
    <message>
        <source>Tempodauerlauf (TDL/ASW)</source>
        <comment>65370</comment>
        <translation>Tempo run (TDL/ASW)</translation>
    </message>
    <message>
        <source>Wollen Sie diesen Trainingsplan wirklich löschen?</source>
        <comment>65371</comment>
        <translation>Do you really want to delete this training plan?</translation>
    </message>
    <message>
        <source>Eine vorhandene Einheit einfügen.</source>
        <comment>65372</comment>
        <translation>Insert an existing unit.</translation>
    </message>
    <message>
        <source>Eine neue Einheit erstellen und einfügen.</source>
        <comment>65373</comment>
        <translation>Create and insert a new unit.</translation>
    </message>
    <message>
        <source>Planeinheit einfügen</source>
        <comment>65374</comment>
        <translation>Insert plan unit</translation>
    </message>
    <message>
        <source>Bei der Eingabe ist ein Fehler aufgetreten. Bitte wiederholen Sie ggf. die Eingabe.</source>
        <comment>65375</comment>
        <translation>An error occurred during input. Please repeat your input if necessary.</translation>
    </message>
    <message>
        <source>Das Datum einer Trainingseinheit ist neuer als das Datum des Trainingsblocks. Bitte korrigieren Sie Ihre Eingaben gegebenenfalls.</source>
        <comment>65376</comment>
        <translation>The date of a training unit is later than the date of the training block. Please correct your entries if necessary.</translation>
    </message>
    <message>
        <source>Der der gelöschten Einheit zugeordnete Block ist leer, wollen Sie den Block auch löschen? (Empfohlen)</source>
        <comment>65377</comment>
        <translation>The block of the deleted unit is empty. Do you want to delete the block as well? (Recommended)</translation>
    </message>
    <message>
        <source>Soll die Form von %s auf Training gesetzt werden?</source>
        <comment>65378</comment>
        <translation>Should the form of %s be set to training?</translation>
    </message>
    <message>
        <source>Das Datum einer Trainingseinheit ist neuer als das Datum des Trainingsblocks. Bitte überprüfen Sie Ihre Eingabe noch einmal.</source>
        <comment>65379</comment>
        <translation>The date of a training unit is later than the date of the training block. Please check your entry again.</translation>
    </message>
    <message>
        <source>In der Datenbank befinden sich noch Einträge mit dieser %s. Sie kann daher nicht gelöscht werden.</source>
        <comment>65380</comment>
        <translation>The database still contains entries with this %s. It therefore cannot be deleted.</translation>
    </message>
    <message>
        <source>Diese %s kann nicht gelöscht werden. Sie kann nur umbenannt werden.</source>
        <comment>65381</comment>
        <translation>This %s cannot be deleted. It can only be renamed.</translation>
    </message>
    <message>
        <source> am </source>
        <comment>65382</comment>
        <translation> on </translation>
    </message>
    <message>
        <source>Orvalo muß eine Korrektur an Ihrer Datenbank vornehmen. (Fehlerhafte Einträge in Tabelle Sportart.)</source>
        <comment>65383</comment>
        <translation>Orvalo has to correct your database. (Invalid entries in table Sportart.)</translation>
    </message>
    <message>
        <source>Wollen Sie vorher eine Sicherung Ihrer Datenbank vornehmen?</source>
        <comment>65384</comment>
        <translation>Do you want to back up your database first?</translation>
    </message>
    <message>
        <source>Beim Update der Datenbank ist ein Fehler aufgetreten: </source>
        <comment>65385</comment>
        <translation>An error occurred while updating the database: </translation>
    </message>
    <message>
        <source>Orvalo muß eine Korrektur an Ihrer Datenbank vornehmen. (Nicht gesetzte Höhendifferenz in Tabelle Daten.)</source>
        <comment>65386</comment>
        <translation>Orvalo has to correct your database. (Height difference not set in table Daten.)</translation>
    </message>
    <message>
        <source>Orvalo muß eine Korrektur an Ihrer Datenbank vornehmen. (Nicht gesetzte Meter in Tabelle Daten.)</source>
        <comment>65387</comment>
        <translation>Orvalo has to correct your database. (Metres not set in table Daten.)</translation>
    </message>
    <message>
        <source>Orvalo muß eine Korrektur an Ihrer Datenbank vornehmen. (Dringend empfohlen!)
(Falsche Werte im Feld Zeit in Tabelle Daten.)</source>
        <comment>65388</comment>
        <translation>Orvalo has to correct your database. (Strongly recommended!)
(Wrong values in field Zeit of table Daten.)</translation>
    </message>
    <message>
        <source>Die angegebene Datei konnte nicht richtig interpretiert werden.</source>
        <comment>65389</comment>
        <translation>The given file could not be interpreted correctly.</translation>
    </message>
    <message>
        <source>Für den direkten Import benötigen Sie das Tool SL2HRM. Weitere Infos finden Sie in Hilfe und Handbuch.</source>
        <comment>65390</comment>
        <translation>The direct import needs the tool SL2HRM. You will find more information in the help and the manual.</translation>
    </message>
    <message>
        <source>Es muß der Maximalpuls als ganze Zahl eingegeben werden</source>
        <comment>65391</comment>
        <translation>The maximum heart rate must be entered as a whole number</translation>
    </message>
    <message>
        <source>Monat</source>
        <comment>65392</comment>
        <translation>Month</translation>
    </message>
    <message>
        <source>Meter</source>
        <comment>65393</comment>
        <translation>Metres</translation>
    </message>
    <message>
        <source>Splitzeit</source>
        <comment>65394</comment>
        <translation>Split time</translation>
    </message>
    <message>
        <source>Es muß sowohl die Streckenlänge als auch die Länge einer Runde angegeben werden. Dazu entweder die Zeit in Min/km, die Rundenzeit oder die Gesamtzeit. Bitte beachten Sie, daß sich der Textcursor auf dem Feld mit dem eingegebenen Wert befindet!</source>
        <comment>65395</comment>
        <translation>Both the distance and the length of a lap must be given, and either the time in min/km, the lap time or the total time. Please make sure that the text cursor is in the field with the value you entered!</translation>
    </message>
    <message>
        <source>Marschtabelle</source>
        <comment>65396</comment>
        <translation>Pace table</translation>
    </message>
    <message>
        <source>Zw.Zeit</source>
        <comment>65397</comment>
        <translation>Split</translation>
    </message>
    <message>
        <source>Bestehende Zwischenzeiten werden geändert. Fortfahren?</source>
        <comment>65398</comment>
        <translation>Existing split times will be changed. Continue?</translation>
    </message>
    <message>
        <source>Es muß das Alter in Jahren in das Feld Lebensalter eintragen werden.</source>
        <comment>65399</comment>
        <translation>The age in years must be entered in the field Age.</translation>
    </message>
    <message>
        <source> ist keine gültige Musterdatei.</source>
        <comment>65400</comment>
        <translation> is not a valid template file.</translation>
    </message>
    <message>
        <source>Kein Datensatz ausgewählt.</source>
        <comment>65401</comment>
        <translation>No record selected.</translation>
    </message>
    <message>
        <source>Archiv</source>
        <comment>65402</comment>
        <translation>Archive</translation>
    </message>
    <message>
        <source>Die Einheit muß vorher gespeichert werden.</source>
        <comment>65403</comment>
        <translation>The unit must be saved first.</translation>
    </message>
    <message>
        <source>Kein Block ausgewählt.</source>
        <comment>65404</comment>
        <translation>No block selected.</translation>
    </message>
    <message>
        <source>Datum</source>
        <comment>65405</comment>
        <translation>Date</translation>
    </message>
    <message>
        <source>Woche</source>
        <comment>65406</comment>
        <translation>Week</translation>
    </message>
    <message>
        <source>Fehler beim Öffnen der Datenbank. </source>
        <comment>65407</comment>
        <translation>Error opening the database. </translation>
    </message>
    <message>
        <source>km/h</source>
        <comment>65408</comment>
        <translation>km/h</translation>
    </message>
    <message>
        <source>Vergleich beenden</source>
        <comment>65409</comment>
        <translation>End comparison</translation>
    </message>
    <message>
        <source>Vergleichseinheit laden</source>
        <comment>65410</comment>
        <translation>Load comparison unit</translation>
    </message>
    <message>
        <source>Anzahl</source>
        <comment>65411</comment>
        <translation>Count</translation>
    </message>
    <message>
        <source>Modus</source>
        <comment>65412</comment>
        <translation>Mode</translation>
    </message>
    <message>
        <source>Nummer</source>
        <comment>65413</comment>
        <translation>Number</translation>
    </message>
    <message>
        <source>Ø Puls</source>
        <comment>65414</comment>
        <translation>Ø HR</translation>
    </message>
    <message>
        <source>Max. Puls</source>
        <comment>65415</comment>
        <translation>Max. HR</translation>
    </message>
    <message>
        <source>Min. Puls</source>
        <comment>65416</comment>
        <translation>Min. HR</translation>
    </message>
    <message>
        <source>Geschw.</source>
        <comment>65417</comment>
        <translation>Speed</translation>
    </message>
    <message>
        <source>Frequ.</source>
        <comment>65418</comment>
        <translation>Cad.</translation>
    </message>
    <message>
        <source>Kraft</source>
        <comment>65419</comment>
        <translation>Force</translation>
    </message>
    <message>
        <source>M. Split</source>
        <comment>65420</comment>
        <translation>M. split</translation>
    </message>
    <message>
        <source>Monatsstatistik von </source>
        <comment>65421</comment>
        <translation>Monthly statistics from </translation>
    </message>
    <message>
        <source> Monate</source>
        <comment>65422</comment>
        <translation> months</translation>
    </message>
    <message>
        <source>Erstellt mit Orvalo 5</source>
        <comment>65423</comment>
        <translation>Created with Orvalo 5</translation>
    </message>
    <message>
        <source>Import erfolgreich abgeschlossen.</source>
        <comment>65424</comment>
        <translation>Import completed successfully.</translation>
    </message>
    <message>
        <source>Sportart</source>
        <comment>65425</comment>
        <translation>Sport</translation>
    </message>
    <message>
        <source>Form</source>
        <comment>65426</comment>
        <translation>Form</translation>
    </message>
    <message>
        <source>Belastungsstufe</source>
        <comment>65427</comment>
        <translation>Load level</translation>
    </message>
    <message>
        <source>Belastungsart</source>
        <comment>65428</comment>
        <translation>Load type</translation>
    </message>
    <message>
        <source>Ort</source>
        <comment>65429</comment>
        <translation>Location</translation>
    </message>
    <message>
        <source>Equipment</source>
        <comment>65430</comment>
        <translation>Equipment</translation>
    </message>
    <message>
        <source>Kommentar zum </source>
        <comment>65431</comment>
        <translation>Comment on </translation>
    </message>
    <message>
        <source>Distanz</source>
        <comment>65432</comment>
        <translation>Distance</translation>
    </message>
    <message>
        <source>Zeit</source>
        <comment>65433</comment>
        <translation>Time</translation>
    </message>
    <message>
        <source>Puls</source>
        <comment>65434</comment>
        <translation>Heart rate</translation>
    </message>
    <message>
        <source>Höhe</source>
        <comment>65435</comment>
        <translation>Altitude</translation>
    </message>
    <message>
        <source>T.Frequ.</source>
        <comment>65436</comment>
        <translation>Cadence</translation>
    </message>
    <message>
        <source>Steigung (%)</source>
        <comment>65437</comment>
        <translation>Incline (%)</translation>
    </message>
    <message>
        <source>Temperatur</source>
        <comment>65438</comment>
        <translation>Temperature</translation>
    </message>
    <message>
        <source>Ø km/h</source>
        <comment>65439</comment>
        <translation>Ø km/h</translation>
    </message>
    <message>
        <source>Ø min/km</source>
        <comment>65440</comment>
        <translation>Ø min/km</translation>
    </message>
    <message>
        <source>Ø km/h</source>
        <comment>65441</comment>
        <translation>Ø km/h</translation>
    </message>
    <message>
        <source>Puls</source>
        <comment>65442</comment>
        <translation>Heart rate</translation>
    </message>
    <message>
        <source>Min. Puls</source>
        <comment>65443</comment>
        <translation>Min. HR</translation>
    </message>
    <message>
        <source>Max. Puls</source>
        <comment>65444</comment>
        <translation>Max. HR</translation>
    </message>
    <message>
        <source>Tr.Frequ.</source>
        <comment>65445</comment>
        <translation>Cadence</translation>
    </message>
    <message>
        <source>Notiz/Streckenpunkt</source>
        <comment>65446</comment>
        <translation>Note/route point</translation>
    </message>
    <message>
        <source>H.Diff.</source>
        <comment>65447</comment>
        <translation>Elev. diff.</translation>
    </message>
    <message>
        <source>Steigung</source>
        <comment>65448</comment>
        <translation>Incline</translation>
    </message>
    <message>
        <source>Temp.</source>
        <comment>65449</comment>
        <translation>Temp.</translation>
    </message>
    <message>
        <source>Split Dist.</source>
        <comment>65450</comment>
        <translation>Split dist.</translation>
    </message>
    <message>
        <source>Genutzt bei </source>
        <comment>65451</comment>
        <translation>Used in </translation>
    </message>
    <message>
        <source>Einheiten</source>
        <comment>65452</comment>
        <translation>Units</translation>
    </message>
    <message>
        <source>Wollen Sie den Datensatz wirklich löschen?</source>
        <comment>65453</comment>
        <translation>Do you really want to delete the record?</translation>
    </message>
    <message>
        <source>Es wurden zu viele und/oder falsche Zuweisungen erstellt.</source>
        <comment>65454</comment>
        <translation>Too many and/or wrong assignments were made.</translation>
    </message>
    <message>
        <source>Beim Import ist ein Fehler aufgetreten: </source>
        <comment>65455</comment>
        <translation>An error occurred during the import: </translation>
    </message>
    <message>
        <source>Wählen Sie ein Verzeichnis aus:</source>
        <comment>65456</comment>
        <translation>Select a folder:</translation>
    </message>
    <message>
        <source>Rücksicherung abgeschlossen.</source>
        <comment>65457</comment>
        <translation>Restore completed.</translation>
    </message>
    <message>
        <source>unbekannt</source>
        <comment>65458</comment>
        <translation>unknown</translation>
    </message>
    <message>
        <source>Sicherung abgeschlossen.</source>
        <comment>65459</comment>
        <translation>Backup completed.</translation>
    </message>
    <message>
        <source>Kein Eintrag ausgewählt.</source>
        <comment>65460</comment>
        <translation>No entry selected.</translation>
    </message>
    <message>
        <source>Equipment kann erst nach dem Speichern der Einheit eingetragen werden. Wollen Sie jetzt speichern?</source>
        <comment>65461</comment>
        <translation>Equipment can only be entered after the unit has been saved. Do you want to save now?</translation>
    </message>
    <message>
        <source>Wirklich alle Zwischenzeiten löschen?</source>
        <comment>65462</comment>
        <translation>Really delete all split times?</translation>
    </message>
    <message>
        <source>Es sind keine Zwischenzeiten vorhanden.</source>
        <comment>65463</comment>
        <translation>There are no split times.</translation>
    </message>
    <message>
        <source>Wollen Sie die aktuelle Einheit wirklich löschen?</source>
        <comment>65464</comment>
        <translation>Do you really want to delete the current unit?</translation>
    </message>
    <message>
        <source>Zwischenzeit wirklich löschen?</source>
        <comment>65465</comment>
        <translation>Really delete this split time?</translation>
    </message>
    <message>
        <source>Die Einheit wurde noch nicht gespeichert. Wollen Sie nun speichern?</source>
        <comment>65466</comment>
        <translation>The unit has not been saved yet. Do you want to save now?</translation>
    </message>
    <message>
        <source>Eingabe</source>
        <comment>65467</comment>
        <translation>Input</translation>
    </message>
    <message>
        <source>Distanz in Metern:</source>
        <comment>65468</comment>
        <translation>Distance in metres:</translation>
    </message>
    <message>
        <source>Nicht alle zur Berechnung benötigten Felder haben einen Wert.</source>
        <comment>65469</comment>
        <translation>Not all fields needed for the calculation have a value.</translation>
    </message>
    <message>
        <source>Zwischenzeit</source>
        <comment>65470</comment>
        <translation>Split time</translation>
    </message>
    <message>
        <source>Split</source>
        <comment>65471</comment>
        <translation>Split</translation>
    </message>
    <message>
        <source>Vor dem Hinzufügen von Einheiten muß der Block gespeichert werden. Soll Orvalo den aktuellen Block jetzt speichern?</source>
        <comment>65472</comment>
        <translation>The block must be saved before units can be added. Should Orvalo save the current block now?</translation>
    </message>
    <message>
        <source>Das Datum einer Trainingseinheit ist neuer als das Datum des Trainingsblocks. Bitte korrigieren Sie Ihre Eingaben gegebenenfalls.</source>
        <comment>65473</comment>
        <translation>The date of a training unit is later than the date of the training block. Please correct your entries if necessary.</translation>
    </message>
    <message>
        <source>Es müssen das Gewicht in kg und die Größe in cm eintragen werden.</source>
        <comment>65474</comment>
        <translation>The weight in kg and the height in cm must be entered.</translation>
    </message>
    <message>
        <source>Legende -&gt;</source>
        <comment>65475</comment>
        <translation>Legend -&gt;</translation>
    </message>
    <message>
        <source>&lt;- Legende</source>
        <comment>65476</comment>
        <translation>&lt;- Legend</translation>
    </message>
    <message>
        <source>Dies ist keine Orvalo 4 Datei.</source>
        <comment>65477</comment>
        <translation>This is not an Orvalo 4 file.</translation>
    </message>
    <message>
        <source>Daten konvertiert</source>
        <comment>65478</comment>
        <translation>Data converted</translation>
    </message>
    <message>
        <source>Einheiten importieren ...</source>
        <comment>65479</comment>
        <translation>Importing units ...</translation>
    </message>
    <message>
        <source>Zwischenzeiten importieren ...</source>
        <comment>65480</comment>
        <translation>Importing split times ...</translation>
    </message>
    <message>
        <source>Bestzeiten importieren ... </source>
        <comment>65481</comment>
        <translation>Importing best times ... </translation>
    </message>
    <message>
        <source>Orvalo 4 Import</source>
        <comment>65482</comment>
        <translation>Orvalo 4 import</translation>
    </message>
    <message>
        <source>Strecken importieren ... </source>
        <comment>65483</comment>
        <translation>Importing routes ... </translation>
    </message>
    <message>
        <source>Streckenpunkte importieren ...</source>
        <comment>65484</comment>
        <translation>Importing route points ...</translation>
    </message>
    <message>
        <source>Equipment importieren ... </source>
        <comment>65485</comment>
        <translation>Importing equipment ... </translation>
    </message>
    <message>
        <source>Equipmentzuordnungen wiederherstellen ... </source>
        <comment>65486</comment>
        <translation>Restoring equipment assignments ... </translation>
    </message>
    <message>
        <source>Fehler</source>
        <comment>65487</comment>
        <translation>Error</translation>
    </message>
    <message>
        <source>Das eingestellte QuickLoad-Verzeichnis existiert nicht.</source>
        <comment>65492</comment>
        <translation>The QuickLoad folder that is set does not exist.</translation>
    </message>
    <message>
        <source>Diese Operation kann nur ausgeführt werden, wenn alle Benutzer geschlossen sind.</source>
        <comment>65493</comment>
        <translation>This operation can only be carried out when all users have closed the database.</translation>
    </message>
    <message>
        <source>Kompression abgeschlossen.</source>
        <comment>65494</comment>
        <translation>Compaction completed.</translation>
    </message>
    <message>
        <source>Beim Start der Analyse ist ein Fehler aufgetreten. Wahrscheinlich ist Excel nicht installiert.</source>
        <comment>65495</comment>
        <translation>An error occurred while starting the analysis. Excel is probably not installed.</translation>
    </message>
    <message>
        <source>(Basis: </source>
        <comment>65496</comment>
        <translation>(Base: </translation>
    </message>
    <message>
        <source>(Basis: Zeit)</source>
        <comment>65497</comment>
        <translation>(Base: time)</translation>
    </message>
    <message>
        <source>Alle</source>
        <comment>65498</comment>
        <translation>All</translation>
    </message>
    <message>
        <source>Sportarten</source>
        <comment>65499</comment>
        <translation>Sports</translation>
    </message>
    <message>
        <source>Formen</source>
        <comment>65500</comment>
        <translation>Forms</translation>
    </message>
    <message>
        <source>Wollen Sie diesen Block wirklich löschen?</source>
        <comment>65501</comment>
        <translation>Do you really want to delete this block?</translation>
    </message>
    <message>
        <source>Dieser Block kann nicht gelöscht werden, da ihm noch Einheiten zugeordnet sind.</source>
        <comment>65502</comment>
        <translation>This block cannot be deleted because units are still assigned to it.</translation>
    </message>
    <message>
        <source>Wollen Sie wirklich alle leeren Trainingsblöcke löschen?</source>
        <comment>65503</comment>
        <translation>Do you really want to delete all empty training blocks?</translation>
    </message>
</context>
</TS>
