#pragma once
// The grid library's named bitmaps ("ESGCHK01".."ESGCHK08", "ESGRAD01".."ESGRAD08", "XPNODEO",
// "XPNODEC", "ESGLEAFOPEN", "ESGLEAFCLOSE", "ESGFILT", the panning marks "INTLI1".."INTLI3", the
// search panel's "ESGARDOWN", "ESGARUP", "ESGCLOSE", "ESGCLOSEH", "ESGHI" and their disabled forms with "D"), drawn by the library at their sizes on a
// transparent background; a null pixmap for any other name.
#include <QPixmap>
#include <QString>

QPixmap DrawnGridBitmap(const QString& name);

#include <QCursor>

// The library's cursors by their numbers, drawn by the library: 8000 to 8008 the panning
// cursors (8000 at rest, then one per direction clockwise from up: 8001 up, 8002 up-right,
// 8003 right, ... 8008 up-left), 8010 the row-select arrow (pointing right), 8011 the
// column-select arrow (pointing down), 8012 the select-all and resize-handle cross; any other
// number the arrow cursor.
QCursor GridCursor(int id);
// The panning cursor for a direction (-1, 0 or +1 on each axis).
int PanCursorId(int dx, int dy);

