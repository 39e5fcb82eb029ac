#pragma once
// The ids of the message table's texts (core/language.h) that the code loads, by what they
// say. A text gets its name here when code first uses it; the table itself stays ordered by id.
namespace msg {

// View and page names, as the settings store them and the tool menu shows them.
inline constexpr int ViewPreview = 65301;           // "Vorschau"
inline constexpr int ViewQuickStat = 65302;         // "Kurzübersicht"
inline constexpr int Unit = 65333;                  // "Einheit"
inline constexpr int StartPageSplits = 65347;       // "Zwischenzeiten"
inline constexpr int StartPageExplorer = 65348;     // "Explorer"
inline constexpr int StartPageDiaryWeek = 65349;    // "Tagebuch (Woche)"
inline constexpr int StartPageDiaryMonth = 65350;   // "Tagebuch (Monat)"
inline constexpr int ToolBio = 65351;               // "Bio"
inline constexpr int ToolEquipment = 65352;         // "Equipment"
inline constexpr int ToolQuickStat = 65353;         // "Kurzübersicht"
inline constexpr int ToolCalendar = 65354;          // "Kalender"
inline constexpr int WeekCaption = 65356;           // "W O C H E "
inline constexpr int Sportart = 65425;              // "Sportart"
inline constexpr int Form = 65426;                  // "Form"
inline constexpr int Belastungsstufe = 65427;       // "Belastungsstufe"
inline constexpr int Belastungsart = 65428;         // "Belastungsart"

// Statistics.
inline constexpr int OnlyWithoutGrouping = 65332;   // "Diese Auswahl kann nur bei der Gruppierungsart ..."

// Training units and blocks.
inline constexpr int UnitAfterBlockDate = 65376;    // "Das Datum einer Trainingseinheit ist neuer ... gegebenenfalls."
inline constexpr int DeleteEmptyBlock = 65377;      // "Der der gelöschten Einheit zugeordnete Block ist leer, ..."
inline constexpr int SetFormToTraining = 65378;     // "Soll die Form von %s auf Training gesetzt werden?"
inline constexpr int BlockDateCheck = 65379;        // "Das Datum einer Trainingseinheit ist neuer ... noch einmal."
inline constexpr int BlockNameOn = 65382;           // " am "
inline constexpr int ConfirmDeleteUnit = 65464;     // "Wollen Sie die aktuelle Einheit wirklich löschen?"
inline constexpr int AskSaveUnit = 65466;           // "Die Einheit wurde noch nicht gespeichert. Wollen Sie nun speichern?"
inline constexpr int InputCaption = 65467;          // "Eingabe"
inline constexpr int DistanceInMetres = 65468;      // "Distanz in Metern:"
inline constexpr int MissingCalculationValues = 65469;  // "Nicht alle zur Berechnung benötigten Felder haben einen Wert."

// Lookup tables and managers.
inline constexpr int LookupStillUsed = 65380;       // "In der Datenbank befinden sich noch Einträge mit dieser %s. ..."
inline constexpr int LookupOnlyRename = 65381;      // "Diese %s kann nicht gelöscht werden. Sie kann nur umbenannt werden."
inline constexpr int ConfirmDeleteRecord = 65453;   // "Wollen Sie den Datensatz wirklich löschen?"

// Calculators.
inline constexpr int InvalidTargetTime = 65365;     // "Sie müssen eine gültige Zielzeit eingeben."
inline constexpr int PaceExtensiveRun = 65368;      // "Extensiver Dauerlauf (GA1)"
inline constexpr int PaceIntensiveRun = 65369;      // "Intensiver Dauerlauf (GA2)"
inline constexpr int PaceTempoRun = 65370;          // "Tempodauerlauf (TDL/ASW)"
inline constexpr int TimesOrRealNumbers = 65360;    // "Die Eingaben müssen Zeiten bzw reelle Zahlen sein."
inline constexpr int MaxPulseWholeNumber = 65391;   // "Es muß der Maximalpuls als ganze Zahl eingegeben werden"
inline constexpr int MarchMeter = 65393;            // "Meter"
inline constexpr int MarchSplitTime = 65394;        // "Splitzeit"
inline constexpr int MarchInputMissing = 65395;     // "Es muß sowohl die Streckenlänge als auch die Länge einer Runde ..."
inline constexpr int MarchTable = 65396;            // "Marschtabelle"
inline constexpr int MarchRunningTime = 65397;      // "Zw.Zeit"
inline constexpr int AskChangeSplits = 65398;       // "Bestehende Zwischenzeiten werden geändert. Fortfahren?"
inline constexpr int AgeMissing = 65399;            // "Es muß das Alter in Jahren in das Feld Lebensalter eintragen werden."
inline constexpr int NoRecordSelected = 65401;      // "Kein Datensatz ausgewählt."
inline constexpr int SaveUnitFirst = 65403;         // "Die Einheit muß vorher gespeichert werden."
inline constexpr int MarchTime = 65433;             // "Zeit"
inline constexpr int WeightAndHeightMissing = 65474;  // "Es müssen das Gewicht in kg und die Größe in cm eintragen werden."
inline constexpr int LegendShow = 65475;            // "Legende ->"
inline constexpr int LegendHide = 65476;            // "<- Legende"

// Opening, checking and compacting the database.
inline constexpr int AskBackupFirst = 65384;        // "Wollen Sie vorher eine Sicherung Ihrer Datenbank vornehmen?"
inline constexpr int DatabaseUpdateError = 65385;   // "Beim Update der Datenbank ist ein Fehler aufgetreten: "
inline constexpr int RepairSports = 65383;          // "Orvalo muß eine Korrektur ... (Fehlerhafte Einträge in Tabelle Sportart.)"
inline constexpr int RepairHeightDifferences = 65386;  // "... (Nicht gesetzte Höhendifferenz in Tabelle Daten.)"
inline constexpr int RepairDistances = 65387;       // "... (Nicht gesetzte Meter in Tabelle Daten.)"
inline constexpr int RepairDurations = 65388;       // "Orvalo muß eine Korrektur an Ihrer Datenbank vornehmen. ..."
inline constexpr int DatabaseOpenError = 65407;     // "Fehler beim Öffnen der Datenbank. "
inline constexpr int QuickLoadFolderMissing = 65492;  // "Das eingestellte QuickLoad-Verzeichnis existiert nicht."
inline constexpr int CloseAllUsersFirst = 65493;    // "Diese Operation kann nur ausgeführt werden, wenn alle Benutzer ..."
inline constexpr int CompactionDone = 65494;        // "Kompression abgeschlossen."

// Data exchange: imports and the conversion of the previous version's data.
inline constexpr int FileNotUnderstood = 65389;     // "Die angegebene Datei konnte nicht richtig interpretiert werden."
inline constexpr int ConverterMissing = 65390;      // "Für den direkten Import benötigen Sie das Tool SL2HRM. ..."
inline constexpr int Count = 65411;                 // "Anzahl"
inline constexpr int Mode = 65412;                  // "Modus"
inline constexpr int ImportFailed = 65455;          // "Beim Import ist ein Fehler aufgetreten: "
inline constexpr int NoOldVersionFile = 65477;      // "Dies ist keine Orvalo 4 Datei."
inline constexpr int DataConverted = 65478;         // "Daten konvertiert"
inline constexpr int ConvertingUnits = 65479;       // "Einheiten importieren ..."
inline constexpr int ConvertingSplits = 65480;      // "Zwischenzeiten importieren ..."
inline constexpr int ConvertingBestTimes = 65481;   // "Bestzeiten importieren ... "
inline constexpr int OldVersionImport = 65482;      // "Orvalo 4 Import"
inline constexpr int ConvertingRoutes = 65483;      // "Strecken importieren ... "
inline constexpr int ConvertingRoutePoints = 65484; // "Streckenpunkte importieren ..."
inline constexpr int ConvertingEquipment = 65485;   // "Equipment importieren ... "
inline constexpr int ConvertingLinks = 65486;       // "Equipmentzuordnungen wiederherstellen ... "
inline constexpr int Error = 65487;                 // "Fehler"

}  // namespace msg
