#pragma once
// The grid library's named bitmaps ("ESGCHK01".."ESGCHK08", "ESGRAD01".."ESGRAD08", "XPNODEO",
// "XPNODEC", "ESGLEAFOPEN", "ESGLEAFCLOSE", "ESGFILT"), drawn by the library at their sizes on a
// transparent background; a null pixmap for any other name.
#include <QPixmap>
#include <QString>

QPixmap DrawnGridBitmap(const QString& name);
