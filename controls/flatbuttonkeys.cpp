#include "controls/flatbuttonkeys.h"

#include "controls/xpbutton.h"
#include "platform/vcl/events.h"

void PressFlatButton(TXPButton* button)
{
    if (button->GroupIndex() != 0)
        button->SetDown(!button->Down());
    button->Click();
}

void LetKeyboardPressButtons(const QList<TXPButton*>& buttons)
{
    for (TXPButton* button : buttons) {
        button->setFocusPolicy(Qt::StrongFocus);
        Events(button).OnKeyDown = [button](QObject*, int& Key, Qt::KeyboardModifiers) {
            if (Key == Qt::Key_Space && button->isEnabled()) {
                Key = 0;
                PressFlatButton(button);
            }
        };
    }
}

void PressFlatButtonsOnSpace(QWidget* window)
{
    LetKeyboardPressButtons(window->findChildren<TXPButton*>());
}
