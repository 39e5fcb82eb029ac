// The flat edit box: its border while hot and not, its colour while disabled, its change event.
#include "controls/uiofficeedit2000.h"

#include "tests/controls/controltesthelpers.h"

#include <gtest/gtest.h>

#include <QVBoxLayout>

using namespace controltest;

TEST(FlatEdit, BorderColourAndChange)
{
    QWidget parent;
    QPalette pal = parent.palette();
    pal.setColor(QPalette::Window, QColor(0xDD, 0xEE, 0xFF));
    parent.setPalette(pal);
    TUiOfficeEdit2000 edit(&parent);
    edit.setGeometry(5, 5, 120, 21);
    edit.SetFlat(true);
    int changes = 0;
    edit.OnChange = [&](QObject* sender) {
        EXPECT_EQ(sender, &edit);
        ++changes;
    };
    parent.show();

    QImage img = render(&edit);
    EXPECT_EQ(pixel(img, 0, 0), ColorToRGB(clBtnFace));
    EXPECT_EQ(pixel(img, 1, 1), ColorToRGB(clBtnFace));
    EXPECT_EQ(pixel(img, 2, 2), ColorToRGB(clWindow));
    enter(&edit);
    img = render(&edit);
    EXPECT_EQ(pixel(img, 0, 0), ColorToRGB(clBtnShadow)) << "hot: sunken edge";
    EXPECT_EQ(pixel(img, 119, 20), ColorToRGB(clBtnHighlight));
    leave(&edit);

    edit.setEnabled(false);
    img = render(&edit);
    EXPECT_EQ(pixel(img, 60, 10), RGBColor(0xDD, 0xEE, 0xFF)) << "disabled: the parent's colour";
    edit.setEnabled(true);
    img = render(&edit);
    EXPECT_EQ(pixel(img, 60, 10), ColorToRGB(clWindow));

    edit.SetText("12:30");
    EXPECT_EQ(changes, 1);
}

TEST(FlatEdit, Screenshot)
{
    QWidget w;
    w.setAutoFillBackground(true);
    auto* layout = new QVBoxLayout(&w);
    std::vector<TUiOfficeEdit2000*> edits;
    for (const char* text : {"normal", "hot", "disabled", "not flat"}) {
        auto* e = new TUiOfficeEdit2000(&w);
        e->SetFlat(true);
        e->SetText(QString::fromLatin1(text));
        e->setFixedSize(140, 21);
        layout->addWidget(e);
        edits.push_back(e);
    }
    w.show();
    enter(edits[1]);
    edits[2]->setEnabled(false);
    edits[3]->SetFlat(false);
    saveShot(&w, QStringLiteral("flat_edit_states"));

    EXPECT_EQ(pixel(render(edits[0]), 0, 0), ColorToRGB(clBtnFace)) << "flat: button-face frame";
    EXPECT_EQ(pixel(render(edits[1]), 0, 0), ColorToRGB(clBtnShadow)) << "hot: sunken edge";
    EXPECT_EQ(pixel(render(edits[2]), 60, 10), FromQColor(w.palette().color(QPalette::Window)))
        << "disabled: the parent's colour";
    const QImage plain = render(edits[3]);
    EXPECT_NE(pixel(plain, 60, 0), ColorToRGB(clBtnFace)) << "not flat: the style's frame";
    EXPECT_NE(pixel(plain, 0, 10), ColorToRGB(clBtnFace));
}
