// The editor wrappers as cell editors: the keys that end editing, Escape that writes nothing,
// leaving that writes, the spin's step keys and events, the button's ellipsis event, the
// drop-down width, custom editor links inside the cell and on a popup, the rich-text editor that
// grows its row, and the transparent edit.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

#include "grid/display/extcgrid.h"
#include "grid/display/extgrid.h"
#include "grid/display/extrichedit.h"
#include "grid/display/rtfreader.h"
#include "grid/editing/celleditors.h"
#include "grid/editing/celleditors_std.h"
#include "grid/editing/editlink.h"
#include "grid/editing/editorwrappers.h"
#include "platform/rtl/sysutils.h"
#include "tests/support/grid/fixedmeasurer.h"
#include "tests/support/grid/testlink.h"
#include "tests/support/qstringprinter.h"

namespace {

// A shown, active window with a grid of the given editor kind and a second control to click.
struct EditWindow {
    QWidget window;
    TExtStringGrid* g = new TExtStringGrid(&window);
    QLineEdit* other = new QLineEdit(&window);
    int validations = 0;
    int changes = 0;
    int done = 0;
    QString validated;

    explicit EditWindow(TEditorType kind)
    {
        g->resize(420, 260);
        other->move(0, 270);
        window.resize(430, 300);
        g->DefaultEditor = kind;
        g->SetOptions(g->Options() | goEditing);
        g->SetWordWrap(false);
        g->OnCellValidate = [this](QObject*, int, int, QString& v, bool&) {
            ++validations;
            validated = v;
        };
        g->OnCellValidateWide = g->OnCellValidate;
        g->OnCellsChanged = [this](QObject*, const QRect&) { ++changes; };
        g->OnEditingDone = [this](QObject*) { ++done; };
        window.show();
        QApplication::setActiveWindow(&window);
    }
    void open(int ACol = 1, int ARow = 1)
    {
        g->setFocus();
        g->FocusCell(ACol, ARow, true);
        g->ShowEditor();
    }
    // A key as the keyboard delivers it: to the widget with the focus.
    void press(int key, Qt::KeyboardModifiers mods = Qt::NoModifier, const QString& text = {})
    {
        QWidget* to = QApplication::focusWidget();
        ASSERT_NE(to, nullptr);
        QKeyEvent over(QEvent::ShortcutOverride, key, mods, text);
        QApplication::sendEvent(to, &over);
        QKeyEvent down(QEvent::KeyPress, key, mods, text);
        QApplication::sendEvent(to, &down);
        QKeyEvent up(QEvent::KeyRelease, key, mods, text);
        QApplication::sendEvent(to, &up);
        QApplication::processEvents();
    }
};

template <class E>
E* editorOf(TExtStringGrid& g, TEditorType kind)
{
    return dynamic_cast<E*>(GridCellEditor(g, kind));
}

const char* keyName(int key)
{
    switch (key) {
    case Qt::Key_Tab: return "Tab";
    case Qt::Key_Return: return "Enter";
    case Qt::Key_Escape: return "Escape";
    case Qt::Key_PageUp: return "PageUp";
    case Qt::Key_PageDown: return "PageDown";
    case Qt::Key_Home: return "Home";
    case Qt::Key_End: return "End";
    case Qt::Key_Left: return "Left";
    case Qt::Key_Right: return "Right";
    case Qt::Key_Up: return "Up";
    case Qt::Key_Down: return "Down";
    default: return "key";
    }
}

struct WrapperCase {
    TEditorType kind;
    QString cell;
    // The user's change in the open editor; answers the text the cell gets for it.
    std::function<QString(EditWindow&)> change;
    std::vector<int> ending;  // besides Escape, and Tab where goTabs moves
    std::vector<int> kept;
    bool tabMoves = true;
};

std::vector<WrapperCase> wrapperCases(TestLink& link)
{
    const QStringList items{QStringLiteral("Rad"), QStringLiteral("Lauf"), QStringLiteral("Ski")};
    using K = std::vector<int>;
    return {
        {edComboEdit, QStringLiteral("Rad"),
         [items](EditWindow& w) {
             auto* c = editorOf<TComboCellEditor>(*w.g, edComboEdit)->Combo();
             c->SetText(QStringLiteral("Lauf"));
             return QStringLiteral("Lauf");
         },
         K{Qt::Key_Return, Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_End, Qt::Key_Up, Qt::Key_Down},
         K{Qt::Key_Left, Qt::Key_Right, Qt::Key_Home}},
        // A list over a cell that holds no item.
        {edComboList, QStringLiteral("Kajak"),
         [](EditWindow& w) {
             editorOf<TComboCellEditor>(*w.g, edComboList)->Combo()->SetItemIndex(2);
             return QStringLiteral("Ski");
         },
         K{Qt::Key_Return, Qt::Key_Left, Qt::Key_Right}, K{Qt::Key_Up, Qt::Key_Down}},
        // A spin over a text that is no number.
        {edSpinEdit, QStringLiteral("n/a"),
         [](EditWindow& w) {
             editorOf<TSpinCellEditor>(*w.g, edSpinEdit)->Spin()->SetValue(7);
             return QStringLiteral("7");
         },
         K{Qt::Key_Return, Qt::Key_Up, Qt::Key_Down}, K{Qt::Key_Left, Qt::Key_Right}},
        // An empty date shows today; Escape keeps it empty.
        {edDateEdit, QString(),
         [](EditWindow& w) {
             auto* p = editorOf<TDateCellEditor>(*w.g, edDateEdit)->Picker();
             p->SetDateTime(EncodeDate(2024, 5, 17));
             return p->text();
         },
         K{Qt::Key_Return, Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_End}, K{Qt::Key_Up, Qt::Key_Left}},
        {edTimeEdit, QString(),
         [](EditWindow& w) {
             auto* p = editorOf<TDateCellEditor>(*w.g, edTimeEdit)->Picker();
             p->SetDateTime(EncodeTime(10, 30, 0, 0));
             return p->text();
         },
         K{Qt::Key_Return, Qt::Key_End}, K{Qt::Key_Down, Qt::Key_Right}},
        {edEditBtn, QStringLiteral("abc"),
         [](EditWindow& w) {
             editorOf<TEditBtnCellEditor>(*w.g, edEditBtn)->Edit()->setText(QStringLiteral("xyz"));
             return QStringLiteral("xyz");
         },
         K{Qt::Key_Return, Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_Up, Qt::Key_Down},
         K{Qt::Key_Home, Qt::Key_End, Qt::Key_Left}},
        {edUnitEditBtn, QStringLiteral("12,5 kg"),
         [](EditWindow& w) {
             editorOf<TUnitCellEditor>(*w.g, edUnitEditBtn)->Edit()->setText(QStringLiteral("13"));
             return QStringLiteral("13 kg");
         },
         K{Qt::Key_Return, Qt::Key_PageDown, Qt::Key_Up}, K{Qt::Key_Home, Qt::Key_Right}},
        {edUniEdit, WideCellTextOf(QString::fromUtf8("\u03b1\u03b2")),
         [](EditWindow& w) {
             editorOf<TUniCellEditor>(*w.g, edUniEdit)->Edit()->setText(QString::fromUtf8("\u03b3"));
             return WideCellTextOf(QString::fromUtf8("\u03b3"));
         },
         K{Qt::Key_Return, Qt::Key_Up, Qt::Key_Down}, K{Qt::Key_PageUp, Qt::Key_Home}},
        {edUniComboEdit, QStringLiteral("eins"),
         [](EditWindow& w) {
             editorOf<TUniComboCellEditor>(*w.g, edUniComboEdit)->Combo()->SetText(QStringLiteral("zwei"));
             return WideCellTextOf(QStringLiteral("zwei"));
         },
         K{Qt::Key_Return, Qt::Key_PageUp, Qt::Key_Down}, K{Qt::Key_Left, Qt::Key_Home}},
        // The check box stores the check texts (Y and N by default).
        {edCheckBox, QStringLiteral("N"),
         [](EditWindow& w) {
             editorOf<TCheckCellEditor>(*w.g, edCheckBox)->CheckBox()->setChecked(true);
             return QStringLiteral("Y");
         },
         K{Qt::Key_Return, Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_End, Qt::Key_Left, Qt::Key_Up, Qt::Key_Right,
           Qt::Key_Down},
         K{Qt::Key_Home}, false},
        // The push button writes nothing.
        {edButton, QStringLiteral("Wahl"), [](EditWindow&) { return QStringLiteral("Wahl"); },
         K{Qt::Key_Left, Qt::Key_Up, Qt::Key_Right, Qt::Key_Down}, K{Qt::Key_Home, Qt::Key_Return}, false},
        {edRichEdit, QStringLiteral("{\\rtf1 Text}"),
         [](EditWindow& w) {
             auto* e = dynamic_cast<TExtRichEdit*>(w.g->ActiveEditorControl());
             e->moveCursor(QTextCursor::End);
             e->insertPlainText(QStringLiteral(" mehr"));
             return e->SaveRichText();
         },
         K{Qt::Key_Up, Qt::Key_Down}, K{Qt::Key_Left, Qt::Key_Return, Qt::Key_Home}},
        {edCustom, QStringLiteral("alt"),
         [&link](EditWindow&) {
             link.edit->setText(QStringLiteral("neu"));
             return QStringLiteral("neu");
         },
         K{Qt::Key_Return, Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_Home, Qt::Key_End, Qt::Key_Left, Qt::Key_Right,
           Qt::Key_Up, Qt::Key_Down},
         K{Qt::Key_A}},
    };
}

TEST(EditorWrappers, LeavingWritesEscapeWritesNothingAndTheEndingKeysEndEditing)
{
    TestLink link;
    for (const WrapperCase& c : wrapperCases(link)) {
        SCOPED_TRACE(testing::Message() << "kind " << c.kind);
        EditWindow w(c.kind);
        w.g->EditLink = &link;
        if (auto* combo = editorOf<TComboCellEditor>(*w.g, c.kind))
            combo->Combo()->SetItems({QStringLiteral("Rad"), QStringLiteral("Lauf"), QStringLiteral("Ski")});
        if (auto* wide = editorOf<TUniComboCellEditor>(*w.g, c.kind)) {
            wide->Combo()->Items().Add(QStringLiteral("eins"));
            wide->Combo()->Items().Add(QStringLiteral("zwei"));
        }
        w.g->SetCellText(1, 1, c.cell);

        // Escape after a change: the cell as it was, no validation, no notice.
        w.open();
        ASSERT_TRUE(w.g->EditorShown());
        c.change(w);
        w.press(Qt::Key_Escape);
        EXPECT_FALSE(w.g->EditorShown());
        EXPECT_EQ(w.g->GetCellText(1, 1), c.cell);
        EXPECT_EQ(w.validations, 0);
        EXPECT_EQ(w.changes, 0);
        EXPECT_EQ(w.done, 0);
        EXPECT_TRUE(w.g->hasFocus());

        // Opened and left unchanged: nothing either.
        w.open();
        w.other->setFocus(Qt::MouseFocusReason);
        QApplication::processEvents();
        EXPECT_FALSE(w.g->EditorShown());
        EXPECT_EQ(w.g->GetCellText(1, 1), c.cell);
        EXPECT_EQ(w.validations, 0);

        // Clicking away after a change writes the value.
        w.open();
        const QString written = c.change(w);
        w.other->setFocus(Qt::MouseFocusReason);
        QApplication::processEvents();
        EXPECT_FALSE(w.g->EditorShown());
        EXPECT_EQ(w.g->GetCellText(1, 1), written);
        EXPECT_EQ(w.validations, written == c.cell ? 0 : 1);
        w.g->SetCellText(1, 1, c.cell);
        w.validations = 0;

        for (int key : c.ending) {
            w.open();
            ASSERT_TRUE(w.g->EditorShown()) << keyName(key);
            w.press(key);
            EXPECT_FALSE(w.g->EditorShown()) << keyName(key) << " ends editing";
            EXPECT_EQ(w.g->GetCellText(1, 1), c.cell) << keyName(key);
            w.g->CancelInplaceEditor();
        }
        for (int key : c.kept) {
            w.open();
            w.press(key);
            EXPECT_TRUE(w.g->EditorShown()) << keyName(key) << " stays in the editor";
            w.g->CancelInplaceEditor();
        }
        EXPECT_EQ(w.validations, 0) << "no key of an unchanged editor validates";

        // Tab with goTabs moves on, Shift+Tab back.
        if (c.tabMoves) {
            w.g->SetOptions(w.g->Options() | goTabs);
            w.open(1, 1);
            w.press(Qt::Key_Tab);
            EXPECT_FALSE(w.g->EditorShown() && w.g->Col() == 1);
            EXPECT_EQ(w.g->Col(), 2);
            w.g->CancelInplaceEditor();
            w.open(2, 1);
            w.press(Qt::Key_Backtab, Qt::ShiftModifier);
            EXPECT_EQ(w.g->Col(), 1);
            w.g->CancelInplaceEditor();
        }
    }
}

TEST(EditorWrappers, AnEndingKeyWritesTheChangeAndARefusedValueKeepsTheEditorOnItsCell)
{
    EditWindow w(edEditBtn);
    w.g->SetCellText(1, 1, QStringLiteral("alt"));
    bool accept = false;
    w.g->OnCellValidate = [&](QObject*, int, int, QString&, bool& valid) {
        ++w.validations;
        valid = accept;
    };
    w.open();
    auto* edit = editorOf<TEditBtnCellEditor>(*w.g, edEditBtn)->Edit();
    edit->setText(QStringLiteral("neu"));
    w.press(Qt::Key_Down);
    EXPECT_EQ(w.validations, 1);
    EXPECT_EQ(w.g->Row(), 1) << "the refused value keeps the cell";
    EXPECT_TRUE(w.g->EditorShown());
    EXPECT_EQ(edit->text(), QStringLiteral("alt"));
    EXPECT_EQ(w.g->GetCellText(1, 1), QStringLiteral("alt"));

    accept = true;
    edit->setText(QStringLiteral("neu"));
    w.press(Qt::Key_Down);
    EXPECT_EQ(w.g->GetCellText(1, 1), QStringLiteral("neu"));
    EXPECT_EQ(w.g->Row(), 2);
    EXPECT_EQ(w.done, 2) << "each end of the editor's editing";
}

TEST(EditorWrappers, TheUnitEditValidatesAndStoresTheValueWithItsUnit)
{
    EditWindow w(edUnitEditBtn);
    w.g->SetCellText(1, 1, QStringLiteral("10 kg"));
    w.open();
    editorOf<TUnitCellEditor>(*w.g, edUnitEditBtn)->Edit()->setText(QStringLiteral("12,5"));
    w.press(Qt::Key_Return);
    EXPECT_EQ(w.validated, QStringLiteral("12,5 kg"));
    EXPECT_EQ(w.g->GetCellText(1, 1), QStringLiteral("12,5 kg"));
}

TEST(EditorWrappers, TheCheckBoxStoresTheColumnsCheckTexts)
{
    QWidget window;
    auto* g = new TExtColumnGrid(&window);
    g->SetColCount(3);
    g->Columns()[1]->Editor = edCheckBox;
    g->Columns()[1]->CheckTrue = QStringLiteral("ja");
    g->Columns()[1]->CheckFalse = QStringLiteral("nein");
    g->SetOptions(g->Options() | goEditing);
    window.show();
    QApplication::setActiveWindow(&window);
    g->SetCellText(1, 1, QStringLiteral("ja"));
    g->setFocus();
    g->FocusCell(1, 1, true);
    g->ShowEditor();
    QCheckBox* box = editorOf<TCheckCellEditor>(*g, edCheckBox)->CheckBox();
    ASSERT_TRUE(box->isVisible());
    EXPECT_TRUE(box->isChecked()) << "the cell holds the check-true text";
    // Space toggles, Down ends and moves.
    QKeyEvent space(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
    QApplication::sendEvent(box, &space);
    QKeyEvent spaceUp(QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
    QApplication::sendEvent(box, &spaceUp);
    EXPECT_FALSE(box->isChecked());
    QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
    QApplication::sendEvent(box, &down);
    EXPECT_EQ(g->GetCellText(1, 1), QStringLiteral("nein"));
    EXPECT_EQ(g->Row(), 2);
}

TEST(EditorWrappers, TheSpinsStepKeysAndEvents)
{
    EditWindow w(edSpinEdit);
    std::vector<std::pair<int, bool>> clicks;
    w.g->OnSpinClick = [&](QObject*, int ACol, int ARow, int AValue, bool UpDown) {
        EXPECT_EQ(ACol, 1);
        EXPECT_EQ(ARow, 1);
        clicks.emplace_back(AValue, UpDown);
    };
    w.g->SetCellText(1, 1, QStringLiteral("99"));
    w.open();
    TEsgSpinEdit* spin = editorOf<TSpinCellEditor>(*w.g, edSpinEdit)->Spin();
    EXPECT_EQ(spin->MinValue(), 0);
    EXPECT_EQ(spin->MaxValue(), 100);
    spin->SetIncrement(5);
    struct Step {
        int start, key, value;
        bool up;
    };
    const Step steps[] = {
        {99, Qt::Key_PageUp, 99, true},    // 104 would pass the maximum
        {95, Qt::Key_PageUp, 100, true},   //
        {3, Qt::Key_PageDown, 3, false},   // below the minimum
        {50, Qt::Key_PageDown, 45, false}, //
        {50, Qt::Key_Home, 100, true},     // the maximum
        {50, Qt::Key_End, 0, false},       // the minimum
    };
    for (const Step& s : steps) {
        spin->SetValue(s.start);
        clicks.clear();
        w.press(s.key);
        EXPECT_TRUE(w.g->EditorShown()) << keyName(s.key);
        EXPECT_EQ(spin->Value(), s.value) << keyName(s.key) << " from " << s.start;
        ASSERT_EQ(clicks.size(), 1u);
        EXPECT_EQ(clicks[0], std::make_pair(s.value, s.up));
    }
    // The spin's buttons report their steps too.
    clicks.clear();
    spin->SetValue(10);
    spin->UpClick(spin);
    spin->DownClick(spin);
    ASSERT_EQ(clicks.size(), 2u);
    EXPECT_EQ(clicks[0], std::make_pair(15, true));
    EXPECT_EQ(clicks[1], std::make_pair(10, false));
}

TEST(EditorWrappers, TheButtonAndTheEditWithButtonHandTheirTextToTheEllipsisEvent)
{
    for (TEditorType kind : {edButton, edEditBtn}) {
        EditWindow w(kind);
        int calls = 0;
        w.g->OnEllipsClick = [&](QObject*, int ACol, int ARow, QString& S) {
            ++calls;
            EXPECT_EQ(ACol, 1);
            EXPECT_EQ(ARow, 1);
            EXPECT_EQ(S, QStringLiteral("Wahl"));
            S = QStringLiteral("Gewählt");
        };
        w.g->SetCellText(1, 1, QStringLiteral("Wahl"));
        w.open();
        if (kind == edButton) {
            QPushButton* b = editorOf<TButtonCellEditor>(*w.g, kind)->Button();
            w.press(Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
            EXPECT_EQ(calls, 1);
            EXPECT_EQ(b->text(), QStringLiteral("Gewählt"));
            EXPECT_EQ(w.g->GetCellText(1, 1), QStringLiteral("Wahl")) << "the button writes nothing";
        } else {
            TEsgEditBtn* e = editorOf<TEditBtnCellEditor>(*w.g, kind)->Edit();
            e->ClickButton();
            EXPECT_EQ(calls, 1);
            EXPECT_EQ(e->text(), QStringLiteral("Gewählt"));
            EXPECT_EQ(e->selectedText(), QStringLiteral("Gewählt"));
        }
    }
}

TEST(EditorWrappers, TheDropDownFitsTheItems)
{
    // Ten pixels a character: "widest 180" is eighteen characters.
    struct TenPixels : TGridTextMeasurer {
        int TextWidth(const QFont&, const QString& t) const override { return 10 * int(t.size()); }
        int LineHeight(const QFont&) const override { return 16; }
    } measurer;
    ScopedTextMeasurer scoped(&measurer);
    auto w = [](int chars) { return QString(chars, QLatin1Char('x')); };
    auto width = [&](const QString& t) { return measurer.TextWidth(QFont(), t); };
    QStringList ten;
    for (int i = 0; i < 9; ++i)
        ten << w(5);
    ten << w(18);
    EXPECT_EQ(FitComboDropWidth(ten, 120, 8, width), 205) << "a list that scrolls";
    EXPECT_EQ(FitComboDropWidth({w(3), w(13), w(4)}, 120, 8, width), 138) << "one that does not";
    EXPECT_EQ(FitComboDropWidth({w(3), w(4)}, 120, 8, width), 120) << "narrow items keep the combo's width";

    // The grid fits its list that way when it opens.
    EditWindow win(edComboList);
    win.g->Navigation.AutoComboDropSize = true;
    win.g->SetColWidths(1, 121);
    TESGComboBox* combo = editorOf<TComboCellEditor>(*win.g, edComboList)->Combo();
    combo->SetItems(ten);
    combo->SetDropDownCount(8);
    win.open();
    EXPECT_EQ(combo->width(), 120);
    EXPECT_EQ(combo->view()->minimumWidth(), 205);
}

TEST(EditLinks, TheGridDrivesALinkAndItsKeys)
{
    EditWindow w(edCustom);
    TestLink link;
    w.g->EditLink = &link;
    int props = 0;
    w.g->OnGetEditorProp = [&](QObject*, int ACol, int ARow, TEditLink* l) {
        ++props;
        EXPECT_EQ(l, &link);
        EXPECT_EQ(ACol, link.EditCell().X);
        EXPECT_EQ(ARow, link.EditCell().Y);
        link.calls << QStringLiteral("OnGetEditorProp");
    };
    w.g->SetCellText(1, 1, QStringLiteral("alt"));
    w.open();
    const QStringList order{QStringLiteral("CreateEditor"),  QStringLiteral("SetRect"),
                            QStringLiteral("SetVisible(true)"), QStringLiteral("SetCellProps"),
                            QStringLiteral("SetProperties"), QStringLiteral("OnGetEditorProp"),
                            QStringLiteral("SetEditorValue"), QStringLiteral("SetFocus(true)")};
    EXPECT_EQ(link.calls, order);
    EXPECT_EQ(link.Grid, w.g);
    EXPECT_EQ(link.EditCell(), (TGridCoord{1, 1}));
    EXPECT_EQ(link.edit->text(), QStringLiteral("alt"));
    EXPECT_TRUE(link.edit->hasFocus());
    const QRect cell = w.g->CellRect(1, 1);
    EXPECT_EQ(link.edit->geometry(), QRect(cell.left(), cell.top(), cell.width() - 1, cell.height() - 1));

    // The want flags keep keys in the control.
    link.WantKeyHomeEnd = true;
    for (int key : {Qt::Key_Home, Qt::Key_End}) {
        w.press(key);
        EXPECT_TRUE(w.g->EditorShown()) << keyName(key);
    }
    link.WantKeyLeftRight = true;
    w.press(Qt::Key_Left);
    EXPECT_TRUE(w.g->EditorShown());
    // Escape: nothing written, the control hidden.
    link.edit->setText(QStringLiteral("neu"));
    link.calls.clear();
    w.press(Qt::Key_Escape);
    EXPECT_FALSE(w.g->EditorShown());
    EXPECT_FALSE(link.edit->isVisible());
    EXPECT_TRUE(link.calls.contains(QStringLiteral("SetVisible(false)")));
    EXPECT_EQ(w.g->GetCellText(1, 1), QStringLiteral("alt"));
    // Enter writes and advances.
    w.open();
    link.edit->setText(QStringLiteral("neu"));
    w.press(Qt::Key_Return);
    EXPECT_EQ(w.g->GetCellText(1, 1), QStringLiteral("neu"));
    EXPECT_FALSE(link.edit->isVisible());
    // Typed: the key that opens the editor is its first input.
    w.g->setFocus();
    w.g->FocusCell(2, 2, true);
    QKeyEvent seven(QEvent::KeyPress, Qt::Key_7, Qt::NoModifier, QStringLiteral("7"));
    QApplication::sendEvent(w.g, &seven);
    QApplication::processEvents();
    ASSERT_TRUE(w.g->EditorShown());
    EXPECT_EQ(link.edit->text(), QStringLiteral("7"));
    w.g->CancelInplaceEditor();
    // Without a link the cell is not edited.
    w.g->EditLink = nullptr;
    w.open(2, 2);
    EXPECT_FALSE(w.g->EditorShown());
}

TEST(EditLinks, APopupLinkOpensAtTheCellAndEndsWhenItCloses)
{
    EditWindow w(edCustom);
    TestLink link;
    link.EditStyle = esPopup;
    link.PopupWidth = 150;
    link.PopupHeight = 60;
    link.AutoPopupWidth = true;
    w.g->EditLink = &link;
    w.g->SetColWidths(1, 70);
    w.g->SetColWidths(2, 50);
    w.g->MergeCells(1, 1, 2, 1);
    w.g->SetCellText(1, 1, QStringLiteral("alt"));
    w.open();
    QWidget* popup = link.PopupForm();
    ASSERT_TRUE(popup->isVisible());
    const QRect merged = w.g->MergedCellRect(1, 1);
    EXPECT_EQ(popup->width(), merged.width()) << "the merged span's width";
    EXPECT_EQ(popup->pos(), w.g->viewport()->mapToGlobal(merged.topLeft()));
    EXPECT_EQ(link.edit->parentWidget(), popup);
    // The popup closing (a click elsewhere) ends editing with the value written.
    link.edit->setText(QStringLiteral("neu"));
    popup->hide();
    QApplication::processEvents();
    EXPECT_FALSE(w.g->EditorShown());
    EXPECT_EQ(w.g->GetCellText(1, 1), QStringLiteral("neu"));
    EXPECT_TRUE(link.calls.contains(QStringLiteral("DestroyEditor")));

    // A position of its own (the width taken from the cell stays the link's).
    EXPECT_EQ(link.PopupWidth, merged.width());
    link.AutoPopupWidth = false;
    link.PopupLeft = 40;
    link.PopupTop = 50;
    link.PopupWidth = 150;
    w.open();
    EXPECT_EQ(popup->geometry(), QRect(40, 50, 150, 60));
    w.press(Qt::Key_Escape);
    EXPECT_FALSE(popup->isVisible());
    EXPECT_EQ(w.g->GetCellText(1, 1), QStringLiteral("neu"));
}

TEST(RichTextEditor, TheRowGrowsWhileTypingButNotPastTheClientArea)
{
    EditWindow w(edRichEdit);
    w.g->SizeWhileTyping.Height = true;
    std::vector<int> sized;
    w.g->OnEndRowSize = [&](QObject*, int row) { sized.push_back(row); };
    w.g->SetCellText(1, 1, QStringLiteral("{\\rtf1 eins}"));
    w.open();
    auto* edit = dynamic_cast<TExtRichEdit*>(w.g->ActiveEditorControl());
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->toPlainText(), QStringLiteral("eins"));
    const int startHeight = w.g->RowHeights(1);
    const int top = w.g->CellRect(1, 1).top();
    for (int line = 0; line < 40; ++line) {
        edit->moveCursor(QTextCursor::End);
        edit->insertPlainText(QStringLiteral("\nZeile"));
        const int rowHeight = w.g->RowHeights(1);
        EXPECT_LE(top + rowHeight, w.g->viewport()->height() + 5);
        if (rowHeight != startHeight && edit->ReqHeight() + 5 == rowHeight) {
            EXPECT_EQ(edit->height(), edit->ReqHeight() + 4);
        }
    }
    EXPECT_GT(w.g->RowHeights(1), startHeight);
    EXPECT_FALSE(sized.empty());
    EXPECT_EQ(sized.back(), 1);
    // It stopped growing before the client area's end: the last request went past it.
    EXPECT_GT(top + edit->ReqHeight(), w.g->viewport()->height());
    // The text typed is stored as rich text.
    w.g->HideInplaceEditor();
    EXPECT_TRUE(RichTextPlain(w.g->GetCellText(1, 1)).startsWith(QStringLiteral("eins\nZeile")));
}

TEST(TransparentEdit, WritesBeforeTheEditingDoneNoticeAndARefusalKeepsTheFocus)
{
    EditWindow w(edNormal);
    TGridTransEdit edit(w.g, w.g->viewport());
    EXPECT_FALSE(edit.isVisible());
    edit.Col = 2;
    edit.Row = 3;
    w.g->SetCellText(2, 3, QStringLiteral("alt"));
    bool accept = false;
    w.g->OnCellValidate = [&](QObject*, int ACol, int ARow, QString& v, bool& valid) {
        EXPECT_EQ(ACol, 2);
        EXPECT_EQ(ARow, 3);
        EXPECT_EQ(v, QStringLiteral("neu"));
        valid = accept;
    };
    QString seenByDone;
    w.g->OnEditingDone = [&](QObject*) { seenByDone = w.g->GetCellText(2, 3); };
    edit.show();
    edit.setFocus();
    edit.setText(QStringLiteral("neu"));
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    QApplication::sendEvent(&edit, &enter);
    EXPECT_TRUE(edit.hasFocus()) << "Enter is dropped";
    w.other->setFocus();
    QApplication::processEvents();
    EXPECT_TRUE(edit.hasFocus()) << "refused: the edit keeps the focus";
    EXPECT_TRUE(edit.isVisible());
    EXPECT_EQ(w.g->GetCellText(2, 3), QStringLiteral("alt"));
    EXPECT_EQ(w.g->Col(), 2);
    EXPECT_EQ(w.g->Row(), 3);
    EXPECT_TRUE(seenByDone.isNull());

    accept = true;
    w.other->setFocus();
    QApplication::processEvents();
    EXPECT_FALSE(edit.isVisible());
    EXPECT_EQ(w.g->GetCellText(2, 3), QStringLiteral("neu"));
    EXPECT_EQ(seenByDone, QStringLiteral("neu")) << "the value is in the cell when editing is done";
}

}  // namespace
