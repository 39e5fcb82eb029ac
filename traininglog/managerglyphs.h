#pragma once
// The small pictures of the managers' flat tool buttons, drawn by the program: moving through
// records, new, delete, delete all, save, cancel, help and adding units. Moving, delete, save and
// cancel show the pictures of the standard dataset actions.
#include <QImage>

enum TManagerGlyph { mgFirst, mgPrior, mgNext, mgLast, mgNew, mgDelete, mgDeleteAll, mgPost, mgCancel, mgHelp, mgAddUnits };

QImage ManagerGlyph(TManagerGlyph kind);
