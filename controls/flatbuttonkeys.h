#pragma once
// The keyboard of flat buttons, which have no key handling of their own: Tab stops on each, and
// Space presses an enabled one as the mouse presses it.
#include <QList>

class QWidget;
class TXPButton;

// A flat button pressed as the mouse presses it: a grouped button goes down (or up, where its
// group allows it), then its click runs.
void PressFlatButton(TXPButton* button);
// Tab and Space for the given buttons.
void LetKeyboardPressButtons(const QList<TXPButton*>& buttons);
// Tab and Space for every flat button of a window.
void PressFlatButtonsOnSpace(QWidget* window);
