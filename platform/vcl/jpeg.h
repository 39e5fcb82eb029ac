#pragma once
// JPEG pictures through libjpeg: route maps and blob pictures are decoded into QImage, report
// pictures are encoded with a quality setting. Broken data raises EJPEG, never a crash.
#include <QByteArray>
#include <QImage>

#include "platform/rtl/sysutils.h"

class EJPEG : public Exception {
    using Exception::Exception;
};

// True when the bytes start with the JPEG start-of-image marker.
bool IsJpeg(const QByteArray& bytes);
// Decodes JPEG bytes (greyscale, RGB or CMYK) into an RGB32 image; EJPEG on broken data.
QImage JpegToImage(const QByteArray& bytes);
// Encodes an image as baseline JPEG; quality 1 (smallest) to 100 (best), clamped.
QByteArray ImageToJpeg(const QImage& image, int quality = 75);
