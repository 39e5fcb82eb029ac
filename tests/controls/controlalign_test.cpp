// Aligned controls follow their parent's size, also in a parent that held other children before
// the first control was aligned.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QWidget>

#include "controls/controlalign.h"

TEST(ControlAlign, AlignedControlsFollowEveryResizeOfTheirParent)
{
    QWidget parent;
    parent.resize(300, 200);
    new QLabel(QStringLiteral("not aligned"), &parent);  // a child that is there first
    auto* top = new QWidget(&parent);
    top->setGeometry(0, 0, 50, 30);
    auto* client = new QWidget(&parent);
    SetControlAlign(top, alTop);
    SetControlAlign(client, alClient);
    EXPECT_EQ(top->geometry(), QRect(0, 0, 300, 30));
    EXPECT_EQ(client->geometry(), QRect(0, 30, 300, 170));

    parent.show();
    parent.resize(400, 120);
    QApplication::processEvents();
    EXPECT_EQ(top->geometry(), QRect(0, 0, 400, 30));
    EXPECT_EQ(client->geometry(), QRect(0, 30, 400, 90));
}
