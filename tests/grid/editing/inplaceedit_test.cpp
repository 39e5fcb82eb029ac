// The grid's own inplace edit for the text kinds: typed characters filtered by the editor kind,
// pasting by the same rules, the edit limit, and completion from the lookup list.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>

#include "grid/display/extgrid.h"
#include "grid/display/gridbeep.h"
#include "grid/editing/extinplaceedit.h"
#include "platform/rtl/sysutils.h"
#include "tests/support/qstringprinter.h"

namespace {

class InplaceEdit : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved_ = FormatSettings();
        FormatSettings() = GermanFormatSettings();
        SetGridBeepHook([this] { ++beeps_; });
        grid_.SetOptions(grid_.Options() | goEditing);
        grid_.show();
    }
    void TearDown() override
    {
        SetGridBeepHook({});
        FormatSettings() = saved_;
    }
    // Opens the edit over cell (1, 1) with the text, the caret at its end.
    TExtInplaceEdit* open(TEditorType kind, const QString& text = QString())
    {
        grid_.DefaultEditor = kind;
        grid_.SetCellText(1, 1, text);
        grid_.FocusCell(1, 1, true);
        grid_.ShowEditor();
        auto* edit = dynamic_cast<TExtInplaceEdit*>(grid_.InplaceEditor());
        if (edit)
            edit->end(false);
        return edit;
    }
    void type(TExtInplaceEdit* edit, const QString& keys, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        for (QChar c : keys) {
            QKeyEvent press(QEvent::KeyPress, 0, mods, QString(c));
            QApplication::sendEvent(edit, &press);
            QKeyEvent release(QEvent::KeyRelease, 0, mods, QString(c));
            QApplication::sendEvent(edit, &release);
        }
    }
    void key(TExtInplaceEdit* edit, int k)
    {
        QKeyEvent press(QEvent::KeyPress, k, Qt::NoModifier);
        QApplication::sendEvent(edit, &press);
        QKeyEvent release(QEvent::KeyRelease, k, Qt::NoModifier);
        QApplication::sendEvent(edit, &release);
    }
    TExtStringGrid grid_;
    TFormatSettings saved_;
    int beeps_ = 0;
};

TEST_F(InplaceEdit, TextKindsGetTheGridsOwnEditThatReportsEachChange)
{
    QStringList changes;
    grid_.OnEditChange = [&](QObject* Sender, int ACol, int ARow, const QString& Value) {
        EXPECT_EQ(Sender, &grid_);
        EXPECT_EQ(ACol * 10 + ARow, 11);
        changes << Value;
    };
    TExtInplaceEdit* edit = open(edNormal, QStringLiteral("a"));
    ASSERT_NE(edit, nullptr);
    EXPECT_TRUE(changes.isEmpty());  // loading the cell is no change
    type(edit, QStringLiteral("b"));
    EXPECT_EQ(changes, QStringList{QStringLiteral("ab")});
}

TEST_F(InplaceEdit, TypedCharactersFollowTheEditorKind)
{
    struct Case {
        TEditorType kind;
        const char* start;
        const char* typed;
        const char* result;
        int beeps;
    };
    const Case cases[] = {
        // German settings: "," is the decimal separator, "." the thousand separator.
        {edFloat, "", "1.5", "15", 0},
        {edFloat, "", "1,5,2", "1,52", 0},
        {edFloat, "", "-1,5-", "-1,5", 1},
        {edFloat, "", "12a", "12", 0},
        {edNumeric, "", "-12-", "-12", 1},
        {edNumeric, "", "1-", "1", 1},
        {edNumeric, "", "4x2", "42", 1},
        {edPositiveNumeric, "", "-15", "15", 1},
        {edUpperCase, "", "äb c", "ÄB C", 0},
        {edCapital, "", "ab", "AB", 0},
        {edLowerCase, "", "ABc", "abc", 0},
        {edNormal, "", "-a.1,", "-a.1,", 0},
        {edMixedCase, "", "mcdonald-o'neil iii", "McDonald-O'Neil III", 0},
    };
    for (const Case& c : cases) {
        beeps_ = 0;
        TExtInplaceEdit* edit = open(c.kind, QString::fromUtf8(c.start));
        ASSERT_NE(edit, nullptr);
        type(edit, QString::fromUtf8(c.typed));
        EXPECT_EQ(edit->text(), QString::fromUtf8(c.result)) << c.typed;
        EXPECT_EQ(beeps_, c.beeps) << c.typed;
        grid_.HideInplaceEditor();
    }
}

TEST_F(InplaceEdit, ASecondSeparatorOrMinusGoesInOnlyOverTheFirst)
{
    TExtInplaceEdit* edit = open(edFloat, QStringLiteral("-1,5"));
    edit->setSelection(2, 1);  // the ","
    type(edit, QStringLiteral(","));
    EXPECT_EQ(edit->text(), QStringLiteral("-1,5"));
    edit->setSelection(0, 1);  // the "-"
    type(edit, QStringLiteral("-"));
    EXPECT_EQ(edit->text(), QStringLiteral("-1,5"));
    EXPECT_EQ(beeps_, 0);

    // The keypad's full stop types the decimal separator when the grid asks for it.
    grid_.HideInplaceEditor();
    grid_.ExcelStyleDecimalSeparator = true;
    edit = open(edFloat, QStringLiteral("1"));
    type(edit, QStringLiteral("."), Qt::KeypadModifier);
    type(edit, QStringLiteral("5."));
    EXPECT_EQ(edit->text(), QStringLiteral("1,5"));
}

TEST_F(InplaceEdit, PastedTextFollowsTheEditorKind)
{
    struct Case {
        TEditorType kind;
        const char* pasted;
        const char* result;
    };
    const Case cases[] = {
        {edNumeric, "12a", "7"},
        {edNumeric, "-5", "7"},  // the minus would stand after the digit
        {edPositiveNumeric, "-5", "7"},
        {edPositiveNumeric, "15", "715"},
        {edFloat, "1,5", "71,5"},
        {edFloat, "1x", "7"},
        {edUpperCase, "ab", "7AB"},
        {edMixedCase, " main street", "7 Main Street"},
    };
    for (const Case& c : cases) {
        TExtInplaceEdit* edit = open(c.kind, QStringLiteral("7"));
        edit->PasteText(QString::fromUtf8(c.pasted));
        EXPECT_EQ(edit->text(), QString::fromUtf8(c.result)) << c.pasted;
        grid_.HideInplaceEditor();
    }

    // Into an empty positive cell only a non-negative integer goes.
    TExtInplaceEdit* edit = open(edPositiveNumeric);
    edit->PasteText(QStringLiteral("-5"));
    EXPECT_EQ(edit->text(), QString());
    edit->PasteText(QStringLiteral("15"));
    EXPECT_EQ(edit->text(), QStringLiteral("15"));
}

TEST_F(InplaceEdit, PasteGoesThroughTheGridsEventsAndTheClipboardKey)
{
    int before = 0, after = 0;
    grid_.OnClipboardBeforePasteCell = [&](QObject*, int ACol, int ARow, QString& Value, bool&) {
        ++before;
        EXPECT_EQ(ACol, 1);
        EXPECT_EQ(ARow, 1);
        Value = Value.trimmed();
    };
    grid_.OnClipboardPaste = [&](QObject*, bool& Allow) { Allow = ++after == 1; };
    TExtInplaceEdit* edit = open(edNormal, QStringLiteral("abcd"));
    edit->setSelection(1, 2);
    QApplication::clipboard()->setText(QStringLiteral("  XY  "));
    QKeyEvent paste(QEvent::KeyPress, Qt::Key_V, Qt::ControlModifier, QStringLiteral("\x16"));
    QApplication::sendEvent(edit, &paste);
    EXPECT_EQ(edit->text(), QStringLiteral("aXYd"));
    EXPECT_EQ(edit->selectedText(), QStringLiteral("XY"));  // the pasted text stays selected
    edit->PasteText(QStringLiteral("Z"));                   // refused by OnClipboardPaste
    EXPECT_EQ(edit->text(), QStringLiteral("aXYd"));
    EXPECT_EQ(before, 2);
}

TEST_F(InplaceEdit, TheEditLimitHoldsForTypingAndPasting)
{
    grid_.SetMaxEditLength(3);
    TExtInplaceEdit* edit = open(edNormal, QStringLiteral("abc"));
    type(edit, QStringLiteral("d"));
    EXPECT_EQ(edit->text(), QStringLiteral("abc"));
    key(edit, Qt::Key_Backspace);
    EXPECT_EQ(edit->text(), QStringLiteral("ab"));
    edit->PasteText(QStringLiteral("xy"));  // would make four: refused whole
    EXPECT_EQ(edit->text(), QStringLiteral("ab"));
    edit->PasteText(QStringLiteral("x"));
    EXPECT_EQ(edit->text(), QStringLiteral("abx"));
    grid_.HideInplaceEditor();

    // A limit beyond 32,767 is that many characters, not a wrapped or cut one.
    grid_.SetMaxEditLength(40000);
    edit = open(edNormal, QString(39999, QLatin1Char('a')));
    EXPECT_EQ(edit->LengthLimit(), 40000);
    EXPECT_EQ(edit->text().size(), 39999);
    type(edit, QStringLiteral("bc"));
    EXPECT_EQ(edit->text().size(), 40000);
    EXPECT_TRUE(edit->text().endsWith(QLatin1Char('b')));
    grid_.HideInplaceEditor();

    // Without a limit a long cell text is edited whole.
    grid_.SetMaxEditLength(0);
    edit = open(edNormal, QString(50000, QLatin1Char('a')));
    type(edit, QStringLiteral("b"));
    grid_.HideInplaceEditor();
    EXPECT_EQ(grid_.GetCellText(1, 1).size(), 50001);
}

TEST_F(InplaceEdit, TypedTextCompletesFromTheLookupList)
{
    grid_.Lookup = true;
    grid_.LookupItems.Add(QStringLiteral("Bernau"));
    grid_.LookupItems.Add(QStringLiteral("Berlin"));
    TExtInplaceEdit* edit = open(edNormal);
    type(edit, QStringLiteral("ber"));
    EXPECT_EQ(edit->text(), QStringLiteral("bernau"));
    EXPECT_EQ(edit->selectedText(), QStringLiteral("nau"));
    type(edit, QStringLiteral("l"));
    EXPECT_EQ(edit->text(), QStringLiteral("berlin"));
    key(edit, Qt::Key_Delete);  // removes the completion, completes nothing
    EXPECT_EQ(edit->text(), QStringLiteral("berl"));
    key(edit, Qt::Key_Backspace);
    EXPECT_EQ(edit->text(), QStringLiteral("ber"));

    // A long entry is completed whole.
    grid_.HideInplaceEditor();
    const QString longEntry = QStringLiteral("Q") + QString(299, QLatin1Char('x'));
    grid_.LookupItems.Add(longEntry);
    edit = open(edNormal);
    type(edit, QStringLiteral("q"));
    EXPECT_EQ(edit->text(), QStringLiteral("q") + longEntry.mid(1));
}

TEST_F(InplaceEdit, LookupHistoryKeepsANewTextWhenTheEditIsLeft)
{
    grid_.LookupHistory = true;
    grid_.LookupItems.Add(QStringLiteral("Berlin"));
    TExtInplaceEdit* edit = open(edNormal, QStringLiteral("Bonn"));
    edit->setFocus();
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(edit, &out);
    ASSERT_EQ(grid_.LookupItems.Count(), 2);
    EXPECT_EQ(grid_.LookupItems.Strings(1), QStringLiteral("Bonn"));
}

}  // namespace
