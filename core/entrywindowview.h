#pragma once
// What the unit and split rules ask of the training-unit entry window (Teingabe).
#include <QString>

#include "platform/rtl/graphics.h"

class EntryWindowView {
public:
    virtual ~EntryWindowView() = default;
    // Shown: a database is open exactly while the entry window is visible.
    virtual bool Visible() const = 0;
    // The window itself, not one of its controls, holds the keyboard focus.
    virtual bool hasOwnFocus() const = 0;
    // The page control PageControl2 shows the split page TabSheet5.
    virtual bool splitPageShown() const = 0;
    // Points the split dataset at the current unit.
    virtual void updateZwSql() = 0;
    // Refills the split grid.
    virtual void fillZwGrid() = 0;
    // Repaints the split grid StringGrid1.
    virtual void repaintZwGrid() = 0;
    // Colour and font colour of one of the window's lookup boxes, by component name
    // ("DBLookupComboBox1" ...).
    virtual void setControlColor(const QString& control, TColor color) = 0;
    virtual void setControlFontColor(const QString& control, TColor color) = 0;
};
