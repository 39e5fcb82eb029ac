#pragma once
// The message table: every text that the program's code (as opposed to its forms) shows, with
// its fixed id. Code refers to a text only by its id and loads it at the moment of use through
// LoadStr, so that a language module carrying the same ids replaces every text without any
// change to the code. German is the source language.
#include <QString>
#include <QStringList>

#include <memory>
#include <span>
#include <vector>

#include "core/messageids.h"

class QTranslator;

struct TMessageEntry {
    int Id;
    const char* Text;  // UTF-8
};

// The 197 texts, ordered by id: 65296..65304, 65312..65487 and 65492..65503. The ids in the gaps
// belong to the runtime's own tables. Blanks at either end are part of the texts: callers join
// them to other text.
inline constexpr TMessageEntry kMessageTable[] = {
    {65296, "Maximale Økm/h"},
    {65297, "Minimale Økm/h"},
    {65298, "Durchschn. Økm/h"},
    {65299, "Maximale Trittfrequenz"},
    {65300, "Durchschn. Trittfrequenz"},
    {65301, "Vorschau"},
    {65302, "Kurzübersicht"},
    {65303, "Zwischenzeiten"},
    {65304, "cfxgerman.dll"},
    {65312, "Strecke flach"},
    {65313, "Max. Höhe"},
    {65314, "Min. Höhe"},
    {65315, "Durchschn. Höhe"},
    {65316, "Höhenmeter bergauf"},
    {65317, "Höhenmeter bergab"},
    {65318, "Maximale Steigung (%)"},
    {65319, "Maximales Gefälle (%)"},
    {65320, "Durchschn. Steigung (%)"},
    {65321, "Durchschn. Gefälle (%)"},
    {65322, "Leistung"},
    {65323, "Maximale min/km"},
    {65324, "Minimale min/km"},
    {65325, "Durschn. min/km"},
    {65326, "Maximale km/h"},
    {65327, "Minimale km/h"},
    {65328, "Vom: "},
    {65329, "Bis zum: "},
    {65330, "Der ausgewählte Wert besitzt für keine Einheit einen Wert größer 0."},
    {65331, "Die *.co5 Datei sollte im Orvalo Stammverzeichnis gespeichert werden, da sie sonst nicht in der Liste angezeigt wird."},
    {65332, "Diese Auswahl kann nur bei der Gruppierungsart \"keine Gruppierung\" gewählt werden."},
    {65333, "Einheit"},
    {65334, "Stunden"},
    {65335, "Ja"},
    {65336, "Nein"},
    {65337, "Unterlegt"},
    {65338, "Maximalpuls"},
    {65339, "Minimalpuls"},
    {65340, "Durchschnittspuls (berechnet)"},
    {65341, "Strecke"},
    {65342, "Strecke bergauf"},
    {65343, "Strecke bergab"},
    {65344, "Es ist kein Trainingsplan ausgewählt oder vorhanden."},
    {65345, "für"},
    {65346, "Einheit"},
    {65347, "Zwischenzeiten"},
    {65348, "Explorer"},
    {65349, "Tagebuch (Woche)"},
    {65350, "Tagebuch (Monat)"},
    {65351, "Bio"},
    {65352, "Equipment"},
    {65353, "Kurzübersicht"},
    {65354, "Kalender"},
    {65355, "Tools ausblenden"},
    {65356, "W O C H E "},
    {65357, "Zeitraumstatistik vom %s bis zum %s"},
    {65358, "Höhendifferenz"},
    {65359, "Woche/Monat"},
    {65360, "Die Eingaben müssen Zeiten bzw reelle Zahlen sein."},
    {65361, "Ein Fehler beim Import ist aufgetreten."},
    {65362, "Strecke wirklich löschen?"},
    {65363, "Streckenpunkt wirklich löschen?"},
    {65364, "Die Datei ist sehr groß. Das Einladen dieser Bilddatei kann sich auf die Performance auswirken. Wollen Sie wirklich fortfahren?"},
    {65365, "Sie müssen eine gültige Zielzeit eingeben."},
    {65366, "Die Einheit muß zunächst"},
    {65367, "gespeichert werden"},
    {65368, "Extensiver Dauerlauf (GA1)"},
    {65369, "Intensiver Dauerlauf (GA2)"},
    {65370, "Tempodauerlauf (TDL/ASW)"},
    {65371, "Wollen Sie diesen Trainingsplan wirklich löschen?"},
    {65372, "Eine vorhandene Einheit einfügen."},
    {65373, "Eine neue Einheit erstellen und einfügen."},
    {65374, "Planeinheit einfügen"},
    {65375, "Bei der Eingabe ist ein Fehler aufgetreten. Bitte wiederholen Sie ggf. die Eingabe."},
    {65376, "Das Datum einer Trainingseinheit ist neuer als das Datum des Trainingsblocks. Bitte korrigieren Sie Ihre Eingaben gegebenenfalls."},
    {65377, "Der der gelöschten Einheit zugeordnete Block ist leer, wollen Sie den Block auch löschen? (Empfohlen)"},
    {65378, "Soll die Form von %s auf Training gesetzt werden?"},
    {65379, "Das Datum einer Trainingseinheit ist neuer als das Datum des Trainingsblocks. Bitte überprüfen Sie Ihre Eingabe noch einmal."},
    {65380, "In der Datenbank befinden sich noch Einträge mit dieser %s. Sie kann daher nicht gelöscht werden."},
    {65381, "Diese %s kann nicht gelöscht werden. Sie kann nur umbenannt werden."},
    {65382, " am "},
    {65383, "Orvalo muß eine Korrektur an Ihrer Datenbank vornehmen. (Fehlerhafte Einträge in Tabelle Sportart.)"},
    {65384, "Wollen Sie vorher eine Sicherung Ihrer Datenbank vornehmen?"},
    {65385, "Beim Update der Datenbank ist ein Fehler aufgetreten: "},
    {65386, "Orvalo muß eine Korrektur an Ihrer Datenbank vornehmen. (Nicht gesetzte Höhendifferenz in Tabelle Daten.)"},
    {65387, "Orvalo muß eine Korrektur an Ihrer Datenbank vornehmen. (Nicht gesetzte Meter in Tabelle Daten.)"},
    {65388, "Orvalo muß eine Korrektur an Ihrer Datenbank vornehmen. (Dringend empfohlen!)\n(Falsche Werte im Feld Zeit in Tabelle Daten.)"},
    {65389, "Die angegebene Datei konnte nicht richtig interpretiert werden."},
    {65390, "Für den direkten Import benötigen Sie das Tool SL2HRM. Weitere Infos finden Sie in Hilfe und Handbuch."},
    {65391, "Es muß der Maximalpuls als ganze Zahl eingegeben werden"},
    {65392, "Monat"},
    {65393, "Meter"},
    {65394, "Splitzeit"},
    {65395, "Es muß sowohl die Streckenlänge als auch die Länge einer Runde angegeben werden. Dazu entweder die Zeit in Min/km, die Rundenzeit oder die Gesamtzeit. Bitte beachten Sie, daß sich der Textcursor auf dem Feld mit dem eingegebenen Wert befindet!"},
    {65396, "Marschtabelle"},
    {65397, "Zw.Zeit"},
    {65398, "Bestehende Zwischenzeiten werden geändert. Fortfahren?"},
    {65399, "Es muß das Alter in Jahren in das Feld Lebensalter eintragen werden."},
    {65400, " ist keine gültige Musterdatei."},
    {65401, "Kein Datensatz ausgewählt."},
    {65402, "Archiv"},
    {65403, "Die Einheit muß vorher gespeichert werden."},
    {65404, "Kein Block ausgewählt."},
    {65405, "Datum"},
    {65406, "Woche"},
    {65407, "Fehler beim Öffnen der Datenbank. "},
    {65408, "km/h"},
    {65409, "Vergleich beenden"},
    {65410, "Vergleichseinheit laden"},
    {65411, "Anzahl"},
    {65412, "Modus"},
    {65413, "Nummer"},
    {65414, "Ø Puls"},
    {65415, "Max. Puls"},
    {65416, "Min. Puls"},
    {65417, "Geschw."},
    {65418, "Frequ."},
    {65419, "Kraft"},
    {65420, "M. Split"},
    {65421, "Monatsstatistik von "},
    {65422, " Monate"},
    {65423, "Erstellt mit Orvalo 5"},
    {65424, "Import erfolgreich abgeschlossen."},
    {65425, "Sportart"},
    {65426, "Form"},
    {65427, "Belastungsstufe"},
    {65428, "Belastungsart"},
    {65429, "Ort"},
    {65430, "Equipment"},
    {65431, "Kommentar zum "},
    {65432, "Distanz"},
    {65433, "Zeit"},
    {65434, "Puls"},
    {65435, "Höhe"},
    {65436, "T.Frequ."},
    {65437, "Steigung (%)"},
    {65438, "Temperatur"},
    {65439, "Ø km/h"},
    {65440, "Ø min/km"},
    {65441, "Ø km/h"},
    {65442, "Puls"},
    {65443, "Min. Puls"},
    {65444, "Max. Puls"},
    {65445, "Tr.Frequ."},
    {65446, "Notiz/Streckenpunkt"},
    {65447, "H.Diff."},
    {65448, "Steigung"},
    {65449, "Temp."},
    {65450, "Split Dist."},
    {65451, "Genutzt bei "},
    {65452, "Einheiten"},
    {65453, "Wollen Sie den Datensatz wirklich löschen?"},
    {65454, "Es wurden zu viele und/oder falsche Zuweisungen erstellt."},
    {65455, "Beim Import ist ein Fehler aufgetreten: "},
    {65456, "Wählen Sie ein Verzeichnis aus:"},
    {65457, "Rücksicherung abgeschlossen."},
    {65458, "unbekannt"},
    {65459, "Sicherung abgeschlossen."},
    {65460, "Kein Eintrag ausgewählt."},
    {65461, "Equipment kann erst nach dem Speichern der Einheit eingetragen werden. Wollen Sie jetzt speichern?"},
    {65462, "Wirklich alle Zwischenzeiten löschen?"},
    {65463, "Es sind keine Zwischenzeiten vorhanden."},
    {65464, "Wollen Sie die aktuelle Einheit wirklich löschen?"},
    {65465, "Zwischenzeit wirklich löschen?"},
    {65466, "Die Einheit wurde noch nicht gespeichert. Wollen Sie nun speichern?"},
    {65467, "Eingabe"},
    {65468, "Distanz in Metern:"},
    {65469, "Nicht alle zur Berechnung benötigten Felder haben einen Wert."},
    {65470, "Zwischenzeit"},
    {65471, "Split"},
    {65472, "Vor dem Hinzufügen von Einheiten muß der Block gespeichert werden. Soll Orvalo den aktuellen Block jetzt speichern?"},
    {65473, "Das Datum einer Trainingseinheit ist neuer als das Datum des Trainingsblocks. Bitte korrigieren Sie Ihre Eingaben gegebenenfalls."},
    {65474, "Es müssen das Gewicht in kg und die Größe in cm eintragen werden."},
    {65475, "Legende ->"},
    {65476, "<- Legende"},
    {65477, "Dies ist keine Orvalo 4 Datei."},
    {65478, "Daten konvertiert"},
    {65479, "Einheiten importieren ..."},
    {65480, "Zwischenzeiten importieren ..."},
    {65481, "Bestzeiten importieren ... "},
    {65482, "Orvalo 4 Import"},
    {65483, "Strecken importieren ... "},
    {65484, "Streckenpunkte importieren ..."},
    {65485, "Equipment importieren ... "},
    {65486, "Equipmentzuordnungen wiederherstellen ... "},
    {65487, "Fehler"},
    {65492, "Das eingestellte QuickLoad-Verzeichnis existiert nicht."},
    {65493, "Diese Operation kann nur ausgeführt werden, wenn alle Benutzer geschlossen sind."},
    {65494, "Kompression abgeschlossen."},
    {65495, "Beim Start der Analyse ist ein Fehler aufgetreten. Wahrscheinlich ist Excel nicht installiert."},
    {65496, "(Basis: "},
    {65497, "(Basis: Zeit)"},
    {65498, "Alle"},
    {65499, "Sportarten"},
    {65500, "Formen"},
    {65501, "Wollen Sie diesen Block wirklich löschen?"},
    {65502, "Dieser Block kann nicht gelöscht werden, da ihm noch Einheiten zugeordnet sind."},
    {65503, "Wollen Sie wirklich alle leeren Trainingsblöcke löschen?"},
};

// A language module: the translated text of a message, or "" when the module has none for the
// id (the caller then shows the empty text, as the runtime did with a module lacking an id).
class TLanguageModule {
public:
    virtual ~TLanguageModule();
    // `german` is the table's text for the id, for modules keyed by the source text.
    virtual QString Text(int id, const QString& german) const = 0;
};

// Chooses the module every later LoadStr reads from; nullptr returns to the German table.
// Chosen once at start-up, so all texts of a run come from one language.
void SetLanguageModule(std::shared_ptr<const TLanguageModule> module);
std::shared_ptr<const TLanguageModule> LanguageModule();

// The text with that id: from the language module when one is set, else the German table;
// "" for an id outside the table. Read at every use, never cached.
QString LoadStr(int id);

// The German text of the table regardless of the module; "" for an id outside the table.
QString GermanMessage(int id);

// The whole table, for tools and tests.
inline std::span<const TMessageEntry> MessageTable()
{
    return kMessageTable;
}

// A language module made of Qt translations, one .qm file per area of the program. Message
// texts are looked up in the context "language" with the German text as source and the id as
// disambiguation; form texts are translated by Qt itself once the translators are installed.
class TTranslationModule : public TLanguageModule {
public:
    ~TTranslationModule() override;

    // Loads every "*_<code>.qm" in the folder; nullptr when there is none or none loads.
    static std::shared_ptr<TTranslationModule> Load(const QString& folder, const QString& code);

    QString Text(int id, const QString& german) const override;
    // Hands the translators to the application, so forms and Qt's tr() use them too; they are
    // removed again when the module is destroyed.
    void InstallTranslators();
    // The files the module was loaded from.
    const QStringList& Files() const { return files_; }

private:
    TTranslationModule() = default;
    std::vector<std::unique_ptr<QTranslator>> translators_;
    QStringList files_;
    bool installed_ = false;
};

// The folder of the language modules beside the program: "<program folder>/lang".
QString LanguageFolder();

// Loads the language modules for `code` ("en") from LanguageFolder(), installs their translators
// and makes them the source of LoadStr. Returns false when no module is found: the program then
// runs in German, and nothing is reported.
bool ActivateLanguage(const QString& code);
