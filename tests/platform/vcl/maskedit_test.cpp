// The masked edit box gives its text as the runtime did: literals kept, unfilled positions blank.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>

#include "platform/vcl/maskedit.h"
#include "tests/support/qstringprinter.h"

TEST(MaskEdit, TimeMaskTextWithBlanksAndTyping)
{
    TMaskEdit e;
    e.SetEditMask("!90:00:00;1;_");
    EXPECT_EQ(e.Text(), QStringLiteral("  :  :  "));
    EXPECT_EQ(e.displayText(), QStringLiteral("  :  :  ")) << "an empty mask without the focus is blank";
    for (const char* t : {"00:14:00", " 0:14:00", "25:00:00", "  :  :  ", "12:  :05"}) {
        e.SetText(QString::fromLatin1(t));
        EXPECT_EQ(e.Text(), QString::fromLatin1(t));
    }
    e.Clear();
    e.setFocus();
    e.setCursorPosition(0);
    for (QChar c : QStringLiteral("0a1x4y00")) {  // letters do not fit the digit positions
        QKeyEvent press(QEvent::KeyPress, int(c.toUpper().unicode()), Qt::NoModifier, QString(c));
        QApplication::sendEvent(&e, &press);
    }
    EXPECT_EQ(e.Text(), QStringLiteral("01:40:0 "));
    // Without a mask it is a plain edit.
    TMaskEdit plain;
    plain.SetText("  x ");
    EXPECT_EQ(plain.Text(), QStringLiteral("  x "));
}
