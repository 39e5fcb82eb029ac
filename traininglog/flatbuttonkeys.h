#pragma once
// The keyboard of the training log windows' flat buttons, which have no key handling of their
// own: Tab stops on each, Space presses an enabled one.
#include <QList>

class TXPButton;

void LetKeyboardPressButtons(const QList<TXPButton*>& buttons);
