#pragma once
// A file read whole into memory, as the readers of recordings (exercise files, their day files,
// run files) read theirs. One larger than any real recording is refused before a byte of it is
// read, so that a huge, sparse or endless file (a device, a pipe) never takes the memory.
#include <QByteArray>
#include <QString>

// A whole day recorded at one sample a second is a few megabytes; nothing real comes near this.
inline constexpr qint64 kMaxRecordingFileSize = qint64(256) << 20;

// The file's bytes; false with the reason when it cannot be read or holds more than `limit`
// bytes (the reason states the limit). The caller names the file, as its own messages do.
bool ReadWholeFile(const QString& fileName, QByteArray& bytes, QString& reason,
                   qint64 limit = kMaxRecordingFileSize);
