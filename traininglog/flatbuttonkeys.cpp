#include "traininglog/flatbuttonkeys.h"

#include "controls/xpbutton.h"
#include "platform/vcl/events.h"

void LetKeyboardPressButtons(const QList<TXPButton*>& buttons)
{
    for (TXPButton* button : buttons) {
        button->setFocusPolicy(Qt::StrongFocus);
        Events(button).OnKeyDown = [button](QObject*, int& Key, Qt::KeyboardModifiers) {
            if (Key == Qt::Key_Space && button->isEnabled()) {
                Key = 0;
                button->Click();
            }
        };
    }
}
