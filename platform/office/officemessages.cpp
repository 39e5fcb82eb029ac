#include "platform/office/officemessages.h"

#include <QCoreApplication>

#include "platform/office/cellname.h"

namespace OfficeMessages {

static QString tr(const char* text)
{
    return QCoreApplication::translate("Office", text);
}

QString FileNotFound(const QString& fileName)
{
    return tr("Die Datei \"%1\" wurde nicht gefunden.").arg(fileName);
}

QString FileUnreadable(const QString& fileName, const QString& reason)
{
    return tr("Die Datei \"%1\" kann nicht gelesen werden: %2").arg(fileName, reason);
}

QString NotAWorkbook(const QString& fileName)
{
    return tr("Die Datei \"%1\" ist keine Excel-Arbeitsmappe.").arg(fileName);
}

QString Damaged(const QString& fileName)
{
    return tr("Die Arbeitsmappe \"%1\" ist beschädigt und kann nicht gelesen werden.").arg(fileName);
}

QString Protected(const QString& fileName)
{
    return tr("Die Arbeitsmappe \"%1\" ist mit einem Kennwort geschützt. Speichern Sie sie in Excel ohne "
              "Kennwort und wählen Sie sie dann erneut aus.")
        .arg(fileName);
}

QString TooLarge(const QString& fileName)
{
    return tr("Die Arbeitsmappe \"%1\" ist zu groß, um gelesen zu werden.").arg(fileName);
}

QString UnknownTable(const QString& table)
{
    return tr("Die Tabelle \"%1\" gibt es in der Datenquelle nicht.").arg(table);
}

QString SheetTooLarge(const QString& sheet, qint64 maxCells)
{
    return tr("Das Tabellenblatt \"%1\" ist zu groß für den Import: gelesen werden höchstens %2 Zeilen, %3 "
              "Spalten und %4 gefüllte Zellen.")
        .arg(sheet)
        .arg(kSheetMaxRows)
        .arg(kSheetMaxColumns)
        .arg(maxCells);
}

QString NotAnAccessDatabase(const QString& fileName)
{
    return tr("Die Datei \"%1\" ist keine Access-Datenbank.").arg(fileName);
}

QString AccessDamaged(const QString& fileName)
{
    return tr("Die Access-Datenbank \"%1\" ist beschädigt und kann nicht gelesen werden.").arg(fileName);
}

QString AccessProtected(const QString& fileName)
{
    return tr("Die Access-Datenbank \"%1\" ist verschlüsselt und kann nicht gelesen werden.").arg(fileName);
}

QString PartPosition(const QString& part, qint64 line, qint64 column)
{
    return tr("%1, Zeile %2, Spalte %3").arg(part, QString::number(line), QString::number(column));
}

QString PartPosition(const QString& part)
{
    return tr("Teil %1").arg(part);
}

QString CellPosition(const QString& sheet, int row, int column)
{
    return tr("Tabellenblatt \"%1\", Zelle %2").arg(sheet, CellName(row, column));
}

}  // namespace OfficeMessages
