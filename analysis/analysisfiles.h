#pragma once
// Whole-file reading and writing for the small text files of the period statistics (condition
// files and column views), with the German messages the error box shows.
#include <QByteArray>
#include <QString>

// The file's bytes; EFOpenError "Datei <file> kann nicht geöffnet werden" when it cannot be read.
QByteArray ReadWholeFile(const QString& fileName);
// Replaces the file with `bytes`, whole or not at all: an existing file stays as it was when the
// write fails (EFCreateError "Datei <file> kann nicht erstellt werden").
void WriteWholeFile(const QString& fileName, const QByteArray& bytes);
