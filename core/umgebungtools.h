#pragma once
// What the options dialog does without widgets: swapping the display order of two rows of a
// lookup table, the list of interface languages, and loading a picture file as a bitmap.
#include <QByteArray>
#include <QList>
#include <QString>

class TDataSet;

// Swaps the order value of the table's current row with that of the row before it (up) or after
// it (down), in one transaction, then reopens the table on the moved row. Nothing happens at the
// table's beginning (up) or end (down), or while a row is edited or inserted; false then. A
// refused post rolls the swap back, reopens the table on the row and passes the error on.
bool MoveLookupRow(TDataSet& table, const QString& idField, const QString& orderField, bool up);

// An interface language: its name and its three-letter code in upper case ("DEU", "ENG").
struct TLanguageEntry {
    QString Name;
    QString Code;
};

// German first, then each language whose module ("<area>_<code>.qm") lies in the folder, in
// the order of their codes.
QList<TLanguageEntry> AvailableLanguages(const QString& moduleFolder);
// The last entry with the code (without case), else 0.
int LanguageIndex(const QList<TLanguageEntry>& languages, const QString& code);

// The picture in the file (BMP, PNG or JPEG) as BMP bytes, the format the picture fields hold;
// empty when the file cannot be read as a picture.
QByteArray PictureFileAsBitmap(const QString& fileName);
