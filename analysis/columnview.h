#pragma once
// Saved column views of the period statistics' grid: per column, in grid order, the field, the
// title, the width, the visibility and the alignment, kept as a text file of our own with the
// extension ".co5" in the folder "Views" of the user's data folder.
//
// File layout (UTF-8, one line per column after the first):
//   Orvalo-Spaltenansicht 1
//   <field> TAB <width> TAB <visible 0|1> TAB <alignment L|R|C> TAB <title>
#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

class TDBGrid;

struct TColumnSetting {
    QString Field;
    QString Title;
    int Width = 64;
    bool Visible = true;
    Qt::Alignment Alignment = Qt::AlignLeft;
    bool operator==(const TColumnSetting&) const = default;
};

// What a view file held: the columns, or the reason it is no view and the line (1-based) where
// that showed.
struct TColumnViewRead {
    QList<TColumnSetting> Columns;
    QString Error;
    int Line = 0;
    bool Ok() const { return Error.isEmpty(); }
};

TColumnViewRead ReadColumnView(const QByteArray& bytes);
QByteArray WriteColumnView(const QList<TColumnSetting>& columns);

// The folder the views are listed from and saved into (created on first use).
QString ColumnViewDir();
// The names (with extension) of the ".co5" files in that folder, sorted.
QStringList ColumnViewFiles();

// The grid's columns as settings, and back: loading replaces the grid's column set, order
// included.
QList<TColumnSetting> ColumnSettingsOf(TDBGrid& grid);
void ApplyColumnSettings(TDBGrid& grid, const QList<TColumnSetting>& columns);

// Reads a view file into the grid. A file that cannot be read or holds no view raises
// EFOpenError or EConvertError with a German message; the grid then keeps its columns.
void LoadColumnViewFile(TDBGrid& grid, const QString& fileName);
// Writes the grid's columns to the file, whole or not at all (EFCreateError on failure).
void SaveColumnViewFile(TDBGrid& grid, const QString& fileName);
