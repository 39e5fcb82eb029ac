#pragma once
// Flat buttons take the keyboard focus only where a window lets them: Tab then stops on each, and
// the button itself answers Space (and Return where its window has no default button).
#include <QList>

class QWidget;
class TXPButton;

// Tab stops on the given buttons.
void LetKeyboardPressButtons(const QList<TXPButton*>& buttons);
// Tab stops on every flat button of a window.
void PressFlatButtonsOnSpace(QWidget* window);
