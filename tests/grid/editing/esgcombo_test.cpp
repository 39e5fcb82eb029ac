// The combo editor: its settings' rules, the colour of a disabled flat combo, the drop-down
// list's width, the frames while hovered, and owner-drawn items.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QEnterEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStyle>

#include "grid/editing/esgcombo.h"
#include "tests/support/qstringprinter.h"

namespace {

// A parent of a colour of its own with one combo in it, drawn offscreen.
struct ComboOnPanel {
    QWidget panel;
    TESGComboBox* combo;
    ComboOnPanel()
    {
        QPalette pal = panel.palette();
        pal.setColor(QPalette::Window, QColor(255, 255, 0));
        panel.setPalette(pal);
        panel.setAutoFillBackground(true);
        panel.resize(200, 60);
        combo = new TESGComboBox(&panel);
        combo->setGeometry(10, 10, 150, 24);
        panel.show();
    }
    // The colour inside the frames, left of the text.
    QColor inside() const { return combo->grab().toImage().pixelColor(4, combo->height() / 2); }
};

}  // namespace

TEST(ESGComboTest, DefaultsAndTheRulesOfItsSettings)
{
    TESGComboBox combo;
    EXPECT_TRUE(combo.Flat());
    EXPECT_FALSE(combo.Ctl3D());
    EXPECT_FALSE(combo.Etched());
    EXPECT_FALSE(combo.FocusBorder());
    EXPECT_FALSE(combo.AutoFocus());
    EXPECT_EQ(combo.Style(), csDropDown);
    EXPECT_EQ(combo.DropDownCount(), 8);
    EXPECT_EQ(combo.DropWidth(), 0);
    const int systemWidth = combo.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &combo) + 4;
    EXPECT_EQ(combo.ButtonWidth(), systemWidth);

    struct Case {
        int set;
        int result;
    };
    const Case widths[] = {{13, systemWidth}, {33, systemWidth}, {14, 14}, {32, 32}, {20, 20}, {0, 20}};
    for (const Case& c : widths) {
        combo.SetButtonWidth(c.set);
        EXPECT_EQ(combo.ButtonWidth(), c.result) << c.set;
    }

    EXPECT_EQ(combo.GetVersionNr(), 0x01020000u);
    EXPECT_EQ(combo.Version(), QStringLiteral("1.2.0.0"));
    combo.SetVersion(QStringLiteral("9.9.9.9"));
    EXPECT_EQ(combo.Version(), QStringLiteral("1.2.0.0"));
    EXPECT_TRUE(combo.setProperty("Version", QStringLiteral("2.0.0.0")));
    EXPECT_EQ(combo.property("Version").toString(), QStringLiteral("1.2.0.0"));

    combo.SetFlat(false);
    EXPECT_TRUE(combo.Ctl3D());
}

TEST(ESGComboTest, EditFieldMovesWithTheLook)
{
    // Made flat and switched to the style's look, the edit field stands where the style puts it,
    // as in a combo that never was flat.
    QWidget form;
    auto* switched = new TESGComboBox(&form);
    auto* plain = new TESGComboBox(&form);
    plain->SetFlat(false);
    for (TESGComboBox* c : {switched, plain})
        c->setGeometry(0, 0, 150, 24);
    form.show();
    const QRect flatField = switched->lineEdit()->geometry();
    switched->SetFlat(false);
    EXPECT_EQ(switched->lineEdit()->geometry(), plain->lineEdit()->geometry());
    switched->SetFlat(true);
    EXPECT_EQ(switched->lineEdit()->geometry(), flatField);
}

TEST(ESGComboTest, DisabledFlatComboShowsItsParentsColour)
{
    ComboOnPanel f;
    f.combo->SetColor(clAqua);
    EXPECT_EQ(f.inside(), ToQColor(clAqua));
    f.combo->setEnabled(false);
    EXPECT_TRUE(f.combo->ParentColor());
    EXPECT_EQ(f.inside(), QColor(255, 255, 0));
    f.combo->setEnabled(true);
    EXPECT_FALSE(f.combo->ParentColor());
    EXPECT_EQ(f.combo->Color(), clAqua);
    EXPECT_EQ(f.inside(), ToQColor(clAqua));

    // Without the flat look the control keeps its own colour.
    f.combo->SetFlat(false);
    f.combo->setEnabled(false);
    EXPECT_FALSE(f.combo->ParentColor());
    EXPECT_EQ(f.combo->EffectiveColor(), clAqua);
}

TEST(ESGComboTest, DropWidthWidensTheListOnlyWhenPositive)
{
    TESGComboBox combo;
    const int systemWidth = combo.view()->minimumWidth();
    for (int w : {0, -5}) {
        combo.SetDropWidth(w);
        EXPECT_EQ(combo.DropWidth(), w);
        EXPECT_EQ(combo.view()->minimumWidth(), systemWidth) << w;
    }
    combo.SetDropWidth(300);
    EXPECT_EQ(combo.view()->minimumWidth(), 300);
}

TEST(ESGComboTest, HoverChangesTheFramesOnlyWithFocusBorder)
{
    ComboOnPanel f;
    auto hover = [&](bool in) {
        if (in) {
            QEnterEvent e(QPointF(5, 5), QPointF(5, 5), f.combo->mapToGlobal(QPointF(5, 5)));
            QApplication::sendEvent(f.combo, &e);
        } else {
            QEvent e(QEvent::Leave);
            QApplication::sendEvent(f.combo, &e);
        }
    };
    const QImage plain = f.combo->grab().toImage();
    hover(true);
    EXPECT_TRUE(f.combo->MouseInControl());
    EXPECT_EQ(f.combo->grab().toImage(), plain) << "flat frames kept";
    hover(false);
    EXPECT_FALSE(f.combo->MouseInControl());

    f.combo->SetFocusBorder(true);
    EXPECT_EQ(f.combo->grab().toImage(), plain);
    hover(true);
    const QImage hot = f.combo->grab().toImage();
    EXPECT_NE(hot, plain) << "a sunken border while hovered";
    EXPECT_EQ(hot.pixelColor(0, 0), ToQColor(clBtnShadow));
    hover(false);
    EXPECT_EQ(f.combo->grab().toImage(), plain);

    // A disabled combo does not light up.
    f.combo->setEnabled(false);
    hover(true);
    EXPECT_FALSE(f.combo->MouseInControl());
}

TEST(ESGComboTest, ItemsSortedAndOwnerDrawn)
{
    ComboOnPanel f;
    f.combo->SetItems({QStringLiteral("Rad"), QStringLiteral("laufen"), QStringLiteral("Schwimmen")});
    f.combo->SetSorted(true);
    EXPECT_EQ(f.combo->Items(),
              QStringList({QStringLiteral("laufen"), QStringLiteral("Rad"), QStringLiteral("Schwimmen")}));

    f.combo->SetStyle(csOwnerDrawFixed);
    EXPECT_FALSE(f.combo->isEditable());
    f.combo->SetItemHeight(21);
    f.combo->SetItemIndex(1);
    QList<int> drawn;
    TOwnerDrawState editState = 0;
    f.combo->OnDrawItem = [&](QObject*, int index, QPainter&, const QRect&, TOwnerDrawState state) {
        drawn << index;
        editState = state;
    };
    f.combo->grab();
    EXPECT_EQ(drawn, QList<int>{1}) << "the chosen item in the edit area";
    EXPECT_TRUE(editState & odComboBoxEdit);
    EXPECT_EQ(f.combo->view()->sizeHintForRow(0), 21);
    EXPECT_EQ(f.combo->ItemHeight(), 21);

    f.combo->SetStyle(csOwnerDrawVariable);
    f.combo->OnMeasureItem = [](QObject*, int index, int& height) { height = 10 + index; };
    EXPECT_EQ(f.combo->view()->sizeHintForRow(2), 12);
}

TEST(ESGComboTest, KeyEventsMaySwallowOrChangeTheKey)
{
    ComboOnPanel f;
    f.combo->setFocus();
    int changes = 0;
    f.combo->OnChange = [&](QObject*) { ++changes; };
    f.combo->OnKeyPress = [](QObject*, QChar& key) {
        if (key == QLatin1Char('x'))
            key = QChar();
        else
            key = key.toUpper();
    };
    for (const char* t : {"a", "x", "b"}) {
        QKeyEvent e(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QString::fromLatin1(t));
        QApplication::sendEvent(f.combo, &e);
    }
    EXPECT_EQ(f.combo->Text(), QStringLiteral("AB"));
    EXPECT_EQ(changes, 2);
}
