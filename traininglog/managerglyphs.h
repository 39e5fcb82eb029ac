#pragma once
// The small pictures of the managers' flat tool buttons and tool bars, drawn by the program:
// moving through records, new, delete, delete all, save, cancel, help, adding units, refresh, the
// list/form view and the route planner. Moving, delete, save and cancel show the pictures of the
// standard dataset actions.
#include <QImage>

enum TManagerGlyph { mgFirst, mgPrior, mgNext, mgLast, mgNew, mgDelete, mgDeleteAll, mgPost, mgCancel, mgHelp, mgAddUnits,
                    mgRefresh, mgView, mgRoutePlanner };

QImage ManagerGlyph(TManagerGlyph kind);
