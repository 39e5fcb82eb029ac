#pragma once
// The error texts of the cabinet components: one per operation code of the cabinet library's
// compression and decompression side, German, with their English in the language module.
#include <QString>

// Text of an operation code of the writer (compression side); "FCI-Fehler" for unknown codes.
QString CabWriterErrorText(int code);
// Text of an operation code of the reader (decompression side); "FDI-Fehler" for unknown codes.
QString CabReaderErrorText(int code);
// The text of an archive name that may not be extracted ("..\x", "/tmp/x", "C:\x").
QString CabUnsafeNameText(const QString& name);
// The line that names the file an error concerns: "Datei: "<name>"".
QString CabFileText(const QString& fileName);
