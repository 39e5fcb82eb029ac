#pragma once
// The grid library's named bitmaps ("ESGCHK01".."ESGCHK08", "ESGRAD01".."ESGRAD08", "XPNODEO",
// "XPNODEC", "ESGLEAFOPEN", "ESGLEAFCLOSE", "ESGFILT"), drawn by the library at their sizes on a
// transparent background; a null pixmap for any other name.
#include <QPixmap>
#include <QString>

QPixmap DrawnGridBitmap(const QString& name);

#include <QCursor>

// The library's cursors by their numbers, drawn by the library: 8010 the row-select arrow
// (pointing right), 8011 the column-select arrow (pointing down), 8012 the select-all and
// resize-handle cross; any other number the arrow cursor.
QCursor GridCursor(int id);
