#pragma once
// A picture file chosen for a route's picture or map: read whole, its bytes stored unchanged.
// The program shows BMP, JPEG and PNG (told by their first bytes); a file of 3,000,000 bytes or
// more is large enough that the user is asked before it is loaded.
#include <QByteArray>
#include <QString>

inline constexpr qint64 kLargePictureBytes = 3000000;

struct TPictureFileCheck {
    QByteArray Bytes;
    bool Large = false;  // kLargePictureBytes or more
    QString Error;       // why the file cannot be loaded; empty when it can
};

TPictureFileCheck CheckPictureFile(const QString& fileName);
