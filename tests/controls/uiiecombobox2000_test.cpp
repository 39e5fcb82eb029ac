// The flat combo box: type-ahead completion as the user types, and the flat border look.
#include "controls/uiiecombobox2000.h"

#include "tests/controls/controltesthelpers.h"

#include <gtest/gtest.h>

#include <QVBoxLayout>

using namespace controltest;

TEST(ComboCompletion, FirstItemBeginningWithTheTypedText)
{
    const QStringList names = {"Apfel", "BANANE", "Banjo", "Meier", "M\u00FCller", "\u00C4rger"};
    struct Case {
        const char* typed;
        bool found;
        const char* rest;
    };
    const Case cases[] = {
        {"b", true, "ANANE"},             // first match in list order, rest in the item's case
        {"banj", true, "o"},
        {"m", true, "eier"},
        {"m\u00FC", true, "ller"},        // umlauts compare without case too
        {"M\u00DC", true, "ller"},
        {"\u00E4r", true, "ger"},
        {"x", false, ""},
        {"Apfelbaum", false, ""},         // longer than every item
        {"APFEL", true, ""},              // a whole item completes with nothing
    };
    for (const Case& c : cases) {
        QString rest = "unchanged";
        const bool found = FindCompletion(QString::fromUtf8(c.typed), names, rest);
        EXPECT_EQ(found, c.found) << c.typed;
        if (c.found) {
            EXPECT_EQ(rest, QString::fromUtf8(c.rest)) << c.typed;
        }
    }
}

namespace {

struct ComboFixture {
    ComboFixture()
    {
        box.addItems({"Apfel", "BANANE", "Banjo", "Meier", "M\u00FCller"});
        box.SetText(QString());
    }
    QString text() const { return box.Text(); }
    QString selected() const { return box.Text().mid(box.SelStart(), box.SelLength()); }
    TUiIECombobox2000 box;
};

}  // namespace

TEST(ComboCompletion, TypingCompletesAndKeepsTheUsersCase)
{
    ComboFixture f;
    type(&f.box, "b");
    EXPECT_EQ(f.text(), "bANANE");
    EXPECT_EQ(f.box.SelStart(), 1);
    EXPECT_EQ(f.box.SelLength(), 5);
    type(&f.box, "a");  // replaces the selected rest and completes again
    EXPECT_EQ(f.text(), "baNANE");
    EXPECT_EQ(f.selected(), "NANE");
    type(&f.box, "nj");
    EXPECT_EQ(f.text(), "banjo");
    EXPECT_EQ(f.selected(), "o");
}

TEST(ComboCompletion, UmlautCompletesMueller)
{
    ComboFixture f;
    type(&f.box, "m\u00FC");
    EXPECT_EQ(f.text(), "m\u00FCller");
    EXPECT_EQ(f.selected(), "ller");
}

TEST(ComboCompletion, DeletingDoesNotCompleteAgain)
{
    for (int deleteKey : {int(Qt::Key_Backspace), int(Qt::Key_Delete)}) {
        ComboFixture f;
        type(&f.box, "ba");
        ASSERT_EQ(f.text(), "baNANE");
        key(&f.box, deleteKey);
        EXPECT_EQ(f.text(), "ba") << deleteKey;
        EXPECT_EQ(f.box.LastKey(), deleteKey);
        if (deleteKey == Qt::Key_Backspace) {
            key(&f.box, Qt::Key_Backspace);
            EXPECT_EQ(f.text(), "b");
        }
    }
}

TEST(ComboCompletion, MinimumLength)
{
    ComboFixture f;
    f.box.SetMinLengthComplete(3);
    type(&f.box, "ba");
    EXPECT_EQ(f.text(), "ba");
    type(&f.box, "n");
    EXPECT_EQ(f.text(), "banANE");
}

TEST(ComboCompletion, SwitchedOffOrListOnlyNeverCompletes)
{
    ComboFixture off;
    off.box.SetComplete(false);
    type(&off.box, "ba");
    EXPECT_EQ(off.text(), "ba");

    ComboFixture list;
    list.box.SetStyle(csDropDownList);
    ASSERT_TRUE(list.box.Complete());
    int asked = 0;
    list.box.OnComplete = [&](QObject*, int, QString&, bool&) { ++asked; };
    type(&list.box, "b");
    EXPECT_EQ(asked, 0);
    EXPECT_EQ(list.box.SelLength(), 0);
    EXPECT_TRUE(list.box.Items().contains(list.text())) << "a list-only box shows only items";
}

TEST(ComboCompletion, OnCompleteMayRefuseOrChangeTheCompletion)
{
    ComboFixture refuse;
    refuse.box.OnComplete = [&](QObject* sender, int key, QString& with, bool& doComplete) {
        EXPECT_EQ(sender, &refuse.box);
        EXPECT_EQ(key, int(Qt::Key_B));
        EXPECT_EQ(with, "ANANE");
        doComplete = false;
    };
    type(&refuse.box, "b");
    EXPECT_EQ(refuse.text(), "b");

    ComboFixture change;
    change.box.OnComplete = [](QObject*, int, QString& with, bool&) { with = "-eigen"; };
    type(&change.box, "b");
    EXPECT_EQ(change.text(), "b-eigen");
    EXPECT_EQ(change.selected(), "-eigen");
}

TEST(ComboCompletion, OnChangeFiresBeforeTheCompletion)
{
    ComboFixture f;
    QStringList seen;
    f.box.OnChange = [&](QObject*) { seen << f.box.Text(); };
    type(&f.box, "ap");
    EXPECT_EQ(seen, QStringList({"a", "ap"}));
    EXPECT_EQ(f.text(), "apfel");
}

TEST(FlatCombo, HotBorderAndDisabledColour)
{
    QWidget parent;
    QPalette pal = parent.palette();
    pal.setColor(QPalette::Window, QColor(0xFF, 0xEE, 0xCC));
    parent.setPalette(pal);
    TUiIECombobox2000 box(&parent);
    box.setGeometry(5, 5, 150, 22);
    box.SetFlat(true);
    box.SetStyle(csDropDownList);
    box.addItems({"Laufen", "Radfahren"});
    EXPECT_FALSE(box.Ctl3D());
    parent.show();

    QImage img = render(&box);
    EXPECT_EQ(pixel(img, 0, 0), ColorToRGB(clBtnFace)) << "not hot: button-face frame";
    EXPECT_EQ(pixel(img, 2, 2), ColorToRGB(clWindow)) << "window-colour inner ring";
    enter(&box);
    EXPECT_TRUE(box.Hot());
    img = render(&box);
    EXPECT_EQ(pixel(img, 0, 0), ColorToRGB(clBtnShadow)) << "hot: sunken edge";
    EXPECT_EQ(pixel(img, 149, 21), ColorToRGB(clBtnHighlight));
    leave(&box);
    EXPECT_FALSE(box.Hot());

    box.setEnabled(false);
    EXPECT_TRUE(box.ParentColor());
    img = render(&box);
    EXPECT_EQ(pixel(img, 60, 11), RGBColor(0xFF, 0xEE, 0xCC)) << "disabled: the parent's colour";
    box.setEnabled(true);
    EXPECT_FALSE(box.ParentColor());
    img = render(&box);
    EXPECT_EQ(pixel(img, 60, 11), ColorToRGB(clWindow)) << "enabled again: its own colour";
}

TEST(FlatCombo, Screenshot)
{
    QWidget w;
    w.setAutoFillBackground(true);
    auto* layout = new QVBoxLayout(&w);
    auto add = [&](TComboBoxStyle style, const QString& text) {
        auto* b = new TUiIECombobox2000(&w);
        b->SetFlat(true);
        b->SetStyle(style);
        b->addItems({"Laufen", "Radfahren", "Schwimmen"});
        b->SetText(text);
        b->setFixedSize(160, 22);
        layout->addWidget(b);
        return b;
    };
    add(csDropDownList, "Laufen");
    TUiIECombobox2000* hot = add(csDropDownList, "Radfahren");
    TUiIECombobox2000* editable = add(csDropDown, QString());
    TUiIECombobox2000* disabled = add(csDropDownList, "Schwimmen");
    TUiIECombobox2000* plain = add(csDropDownList, "Laufen");
    plain->SetFlat(false);
    w.show();
    enter(hot);
    type(editable, "ra");
    disabled->setEnabled(false);
    saveShot(&w, QStringLiteral("flat_combo_states"));

    // The flat box shows a button-face frame, the hot one its sunken edge, the typed one the
    // completed item, the disabled one its parent's colour, the plain one the style's frame.
    auto* normal = qobject_cast<TUiIECombobox2000*>(layout->itemAt(0)->widget());
    EXPECT_EQ(pixel(render(normal), 0, 0), ColorToRGB(clBtnFace));
    EXPECT_EQ(pixel(render(hot), 0, 0), ColorToRGB(clBtnShadow));
    EXPECT_EQ(editable->Text(), "radfahren") << "completed from the list, the typed part kept";
    EXPECT_EQ(pixel(render(disabled), 60, 11), FromQColor(w.palette().color(QPalette::Window)));
    EXPECT_NE(render(plain), render(normal)) << "the plain box is not flat";
}
