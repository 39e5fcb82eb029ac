#include "controls/flatbuttonkeys.h"

#include "controls/xpbutton.h"

void LetKeyboardPressButtons(const QList<TXPButton*>& buttons)
{
    for (TXPButton* button : buttons)
        button->setFocusPolicy(Qt::StrongFocus);
}

void PressFlatButtonsOnSpace(QWidget* window)
{
    LetKeyboardPressButtons(window->findChildren<TXPButton*>());
}
