#include "platform/cabinet/syserror.h"

#include <QCoreApplication>

#include <cerrno>
#include <cstring>

QString CabSystemErrorMessage(int code)
{
    const char* text = nullptr;
    switch (code) {
    case ENOENT:
        text = QT_TRANSLATE_NOOP("SystemError", "Das System kann die angegebene Datei nicht finden.");
        break;
    case EACCES:
    case EPERM:
        text = QT_TRANSLATE_NOOP("SystemError", "Zugriff verweigert.");
        break;
    case ENOSPC:
    case EDQUOT:
        text = QT_TRANSLATE_NOOP("SystemError", "Auf dem Datenträger ist nicht genügend Speicherplatz vorhanden.");
        break;
    case EFBIG:
        text = QT_TRANSLATE_NOOP("SystemError", "Die Datei ist zu groß.");
        break;
    case EROFS:
        text = QT_TRANSLATE_NOOP("SystemError", "Der Datenträger ist schreibgeschützt.");
        break;
    case EIO:
        text = QT_TRANSLATE_NOOP("SystemError", "Das Gerät kann nicht gelesen oder beschrieben werden.");
        break;
    case EISDIR:
        text = QT_TRANSLATE_NOOP("SystemError", "Der Name bezeichnet ein Verzeichnis.");
        break;
    case ENOTDIR:
        text = QT_TRANSLATE_NOOP("SystemError", "Der Pfad ist ungültig.");
        break;
    case ENOMEM:
        text = QT_TRANSLATE_NOOP("SystemError", "Nicht genügend Arbeitsspeicher verfügbar.");
        break;
    case EMFILE:
    case ENFILE:
        text = QT_TRANSLATE_NOOP("SystemError", "Es sind zu viele Dateien geöffnet.");
        break;
    case ENAMETOOLONG:
        text = QT_TRANSLATE_NOOP("SystemError", "Der Dateiname ist zu lang.");
        break;
    default:
        return QString::fromLocal8Bit(std::strerror(code));
    }
    return QCoreApplication::translate("SystemError", text);
}
