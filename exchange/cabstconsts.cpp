#include "exchange/cabstconsts.h"

#include <QCoreApplication>
#include <QDir>

#include <iterator>

namespace {

const char* const kWriterTexts[] = {
    QT_TRANSLATE_NOOP("CabSTConsts", "Kein Fehler"),
    QT_TRANSLATE_NOOP("CabSTConsts", "Fehler beim Öffnen einer Datei, die im Cabinet gespeichert werden soll"),
    QT_TRANSLATE_NOOP("CabSTConsts", "Fehler beim Lesen einer Datei, die im Cabinet gespeichert werden soll"),
    QT_TRANSLATE_NOOP("CabSTConsts", "Nicht genügend Arbeitsspeicher in FCI"),
    QT_TRANSLATE_NOOP("CabSTConsts", "Temporäre Datei konnte nicht erstellt werden"),
    QT_TRANSLATE_NOOP("CabSTConsts", "Unbekannter Komprimierungstyp"),
    QT_TRANSLATE_NOOP("CabSTConsts", "Cabinet-Datei konnte nicht erstellt werden"),
    QT_TRANSLATE_NOOP("CabSTConsts", "Abbruch durch den Aufrufer"),
    QT_TRANSLATE_NOOP("CabSTConsts", "Fehler beim Komprimieren der Daten"),
};

const char* const kReaderTexts[] = {
    QT_TRANSLATE_NOOP("CabSTConsts", "Kein Fehler"),
    QT_TRANSLATE_NOOP("CabSTConsts", "Cabinet nicht gefunden"),
    QT_TRANSLATE_NOOP("CabSTConsts", "Die Cabinet-Datei hat nicht das richtige Format"),
    QT_TRANSLATE_NOOP("CabSTConsts", "Die Cabinet-Datei hat eine unbekannte Versionsnummer"),
    QT_TRANSLATE_NOOP("CabSTConsts", "Die Cabinet-Datei ist beschädigt"),
    QT_TRANSLATE_NOOP("CabSTConsts", "Nicht genügend Arbeitsspeicher verfügbar"),
    QT_TRANSLATE_NOOP("CabSTConsts", "Unbekannter Komprimierungstyp in einem Cabinet-Ordner"),
    QT_TRANSLATE_NOOP("CabSTConsts", "Fehler beim Dekomprimieren von Daten aus einer Cabinet-Datei"),
    QT_TRANSLATE_NOOP("CabSTConsts", "Fehler beim Schreiben in die Zieldatei"),
    QT_TRANSLATE_NOOP("CabSTConsts", "Die Cabinets eines Satzes haben nicht dieselben RESERVE-Größen"),
    QT_TRANSLATE_NOOP("CabSTConsts", "Das bei fdintNEXT_CABINET zurückgegebene Cabinet ist falsch"),
    QT_TRANSLATE_NOOP("CabSTConsts", "FDI abgebrochen"),
};

QString Tr(const char* text)
{
    return QCoreApplication::translate("CabSTConsts", text);
}

}  // namespace

QString CabWriterErrorText(int code)
{
    if (code >= 0 && code < int(std::size(kWriterTexts)))
        return Tr(kWriterTexts[code]);
    return Tr(QT_TRANSLATE_NOOP("CabSTConsts", "FCI-Fehler"));
}

QString CabReaderErrorText(int code)
{
    if (code >= 0 && code < int(std::size(kReaderTexts)))
        return Tr(kReaderTexts[code]);
    return Tr(QT_TRANSLATE_NOOP("CabSTConsts", "FDI-Fehler"));
}

QString CabUnsafeNameText(const QString& name)
{
    return Tr(QT_TRANSLATE_NOOP("CabSTConsts", "Unzulässiger Dateiname im Cabinet: \"%1\"")).arg(name);
}

QString CabFileText(const QString& fileName)
{
    return Tr(QT_TRANSLATE_NOOP("CabSTConsts", "Datei: \"%1\"")).arg(QDir::toNativeSeparators(fileName));
}
