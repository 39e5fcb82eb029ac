// Editor hosting: which editor a cell gets, where it sits, the key that opened it, what it hands
// back (only what the user changed), and the moves between cells with their events and the
// editing option by cell.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QCalendarWidget>
#include <QKeyEvent>
#include <QLineEdit>

#include "grid/display/extgrid.h"
#include "grid/display/extrichedit.h"
#include "grid/editing/celleditors.h"
#include "grid/editing/celleditors_std.h"
#include "platform/rtl/sysutils.h"
#include "tests/support/qstringprinter.h"

namespace {

class GermanSettings : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved_ = FormatSettings();
        FormatSettings() = GermanFormatSettings();
    }
    void TearDown() override { FormatSettings() = saved_; }
    TFormatSettings saved_;
};

// A grid whose cells open the given kind.
void editedWith(TExtStringGrid& g, TEditorType kind)
{
    g.DefaultEditor = kind;
    g.SetOptions(g.Options() | goEditing);
    g.show();
}

// Opens the editor over a cell, as F2 or a click on the current cell does.
void openAt(TExtStringGrid& g, int ACol, int ARow)
{
    g.FocusCell(ACol, ARow, true);
    g.ShowEditor();
}

TEST(UnitText, TheValueIsTheLeadingNumberAndJoiningGivesTheTextBack)
{
    struct Case {
        QString text, value, unit;
    };
    const Case cases[] = {
        {QStringLiteral("12.5 kg"), QStringLiteral("12.5"), QStringLiteral(" kg")},
        {QStringLiteral("1,5 m"), QStringLiteral("1,5"), QStringLiteral(" m")},
        {QStringLiteral("kg"), QString(), QStringLiteral("kg")},
        {QStringLiteral("m2"), QString(), QStringLiteral("m2")},
        {QString::fromUtf8("-3 \u00b0C"), QStringLiteral("-3"), QString::fromUtf8(" \u00b0C")},
        {QStringLiteral("-"), QString(), QStringLiteral("-")},
        {QStringLiteral("42"), QStringLiteral("42"), QString()},
        {QString(), QString(), QString()},
        {QStringLiteral("3 x 2"), QStringLiteral("3"), QStringLiteral(" x 2")},
    };
    for (const Case& c : cases) {
        const TUnitText parts = SplitUnitText(c.text);
        EXPECT_EQ(parts.Value, c.value) << qPrintable(c.text);
        EXPECT_EQ(parts.Unit, c.unit) << qPrintable(c.text);
        EXPECT_EQ(JoinUnitText(parts.Value, parts.Unit), c.text);
    }

    // The unit editor shows the two parts and hands the joined text back once changed.
    TExtStringGrid g;
    editedWith(g, edUnitEditBtn);
    g.SetCellText(1, 1, QStringLiteral("1,5 m"));
    openAt(g, 1, 1);
    auto* unit = dynamic_cast<TUnitCellEditor*>(GridCellEditor(g, edUnitEditBtn));
    ASSERT_NE(unit, nullptr);
    EXPECT_EQ(unit->Edit()->text(), QStringLiteral("1,5"));
    EXPECT_EQ(unit->Edit()->UnitID(), QStringLiteral(" m"));
    unit->Edit()->setText(QStringLiteral("2,5"));
    g.HideInplaceEditor();
    EXPECT_EQ(g.GetCellText(1, 1), QStringLiteral("2,5 m"));
}

TEST(ListPosition, TheTextsItemElseTheDefault)
{
    const QStringList items{QStringLiteral("Rad"), QStringLiteral("Lauf"), QStringLiteral("Schwimmen")};
    struct Case {
        QString text;
        int defaultPosition;
        int position;
    };
    const Case cases[] = {
        {QStringLiteral("Lauf"), -1, 1}, {QStringLiteral("Lauf"), 2, 1}, {QStringLiteral("Ski"), -1, 0},
        {QStringLiteral("Ski"), 2, 2},   {QStringLiteral("Ski"), 7, -1}, {QString(), -1, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ListItemPosition(items, c.text, c.defaultPosition), c.position) << qPrintable(c.text) << c.defaultPosition;
    EXPECT_EQ(ListItemPosition({}, QStringLiteral("Rad"), -1), -1);

    // A list over a cell that holds no item shows the first item, and leaving it without a pick
    // keeps the cell's text.
    TExtStringGrid g;
    editedWith(g, edComboList);
    g.SetCellText(1, 1, QStringLiteral("Ski"));
    auto* list = dynamic_cast<TComboCellEditor*>(GridCellEditor(g, edComboList));
    ASSERT_NE(list, nullptr);
    list->Combo()->SetItems(items);
    int validations = 0;
    g.OnCellValidate = [&](QObject*, int, int, QString&, bool&) { ++validations; };
    openAt(g, 1, 1);
    EXPECT_EQ(list->Combo()->ItemIndex(), 0);
    g.HideInplaceEditor();
    EXPECT_EQ(g.GetCellText(1, 1), QStringLiteral("Ski"));
    EXPECT_EQ(validations, 0);
    // A pick is written.
    openAt(g, 1, 1);
    list->Combo()->SetItemIndex(2);
    g.HideInplaceEditor();
    EXPECT_EQ(g.GetCellText(1, 1), QStringLiteral("Schwimmen"));
    EXPECT_EQ(validations, 1);
    g.DefaultListPosition = 1;
    g.SetCellText(1, 2, QStringLiteral("Ski"));
    openAt(g, 1, 2);
    EXPECT_EQ(list->Combo()->ItemIndex(), 1);
}

using UntouchedEditors = GermanSettings;

TEST_F(UntouchedEditors, LeavingAnEditorUnchangedLeavesTheCellAsItWas)
{
    struct Case {
        TEditorType kind;
        QString text;
    };
    const Case cases[] = {
        {edSpinEdit, QStringLiteral("n/a")},        {edSpinEdit, QStringLiteral("250")},
        {edFloatSpinEdit, QStringLiteral("3,14159")}, {edDateSpinEdit, QString()},
        {edDateEdit, QString()},                     {edDateEditUpDown, QStringLiteral("kein Datum")},
        {edTimeEdit, QString()},                     {edComboEdit, QStringLiteral("frei")},
        {edEditBtn, QStringLiteral("x")},            {edUnitEditBtn, QStringLiteral("m2")},
        {edUniEdit, WideCellTextOf(QString::fromUtf8("\u03b1\u03b2"))}, {edUniComboList, QStringLiteral("kein Eintrag")},
        {edUniEditBtn, QStringLiteral("plain")},
    };
    for (const Case& c : cases) {
        TExtStringGrid g;
        editedWith(g, c.kind);
        g.SetCellText(1, 1, c.text);
        int notices = 0;
        g.OnCellsChanged = [&](QObject*, const QRect&) { ++notices; };
        openAt(g, 1, 1);
        EXPECT_TRUE(g.EditorShown()) << c.kind;
        g.HideInplaceEditor();
        EXPECT_FALSE(g.EditorShown()) << c.kind;
        EXPECT_EQ(g.GetCellText(1, 1), c.text) << c.kind;
        EXPECT_EQ(notices, 0) << c.kind;
    }
}

TEST_F(UntouchedEditors, DatesShowTodayOnAnEmptyCellAndTimesKeepTheirFormat)
{
    TExtStringGrid g;
    editedWith(g, edDateEdit);
    openAt(g, 1, 1);
    auto* date = dynamic_cast<TDateCellEditor*>(GridCellEditor(g, edDateEdit));
    ASSERT_NE(date, nullptr);
    EXPECT_EQ(int(date->Picker()->DateTime()), int(Date())) << "an empty cell shows today";
    g.HideInplaceEditor();
    EXPECT_EQ(g.GetCellText(1, 1), QString());

    // Unchecking empties a cell with a date.
    g.SetCellText(1, 2, QStringLiteral("11.12.2026"));
    openAt(g, 1, 2);
    EXPECT_EQ(date->Picker()->text(), QStringLiteral("11.12.2026"));
    date->SetChecked(false);
    g.HideInplaceEditor();
    EXPECT_EQ(g.GetCellText(1, 2), QString());

    // A time in the picker's own format; the format settings stay as they were.
    g.DefaultEditor = edTimeEdit;
    auto* time = dynamic_cast<TDateCellEditor*>(GridCellEditor(g, edTimeEdit));
    ASSERT_NE(time, nullptr);
    time->Format = QStringLiteral("HH:mm");
    const QString longTime = FormatSettings().LongTimeFormat;
    g.SetCellText(1, 3, QStringLiteral("09:15"));
    openAt(g, 1, 3);
    TDateTime t = 0;
    ASSERT_TRUE(TryEncodeTime(14, 30, 0, 0, t));
    time->Picker()->SetDateTime(t);
    QString formatWhileValidating;
    g.OnCellValidate = [&](QObject*, int, int, QString&, bool&) { formatWhileValidating = FormatSettings().LongTimeFormat; };
    g.HideInplaceEditor();
    EXPECT_EQ(formatWhileValidating, longTime) << "a handler sees the format settings as they are";
    EXPECT_EQ(g.GetCellText(1, 3), QStringLiteral("14:30"));
    EXPECT_EQ(FormatSettings().LongTimeFormat, longTime);
}

TEST(EditorPlace, TheButtonCoversTheGridLinesTheOthersStayInside)
{
    const QRect r(40, 20, 64, 21);  // a cell of 64 by 21 pixels, its grid lines included
    EXPECT_EQ(EditorBounds(edButton, r), QRect(39, 19, 65, 22));
    EXPECT_EQ(EditorBounds(edSpinEdit, r), QRect(40, 20, 63, 20));
    EXPECT_EQ(EditorBounds(edUniEdit, r, 2, 2), QRect(44, 24, 57, 14));

    // Over a merged cell every editor spans the whole area.
    TExtStringGrid g;
    g.SetOptions(g.Options() | goEditing);
    g.show();
    g.MergeCells(1, 1, 2, 2);
    const QRect merged = g.MergedCellRect(1, 1);
    for (TEditorType kind : {edComboEdit, edSpinEdit, edDateEdit, edEditBtn, edButton}) {
        g.DefaultEditor = kind;
        openAt(g, 1, 1);
        ASSERT_NE(g.ActiveEditorControl(), nullptr) << kind;
        const QRect placed = g.ActiveEditorControl()->geometry();
        if (kind == edButton) {
            EXPECT_EQ(placed, merged.adjusted(-1, -1, 0, 0)) << kind;
        } else {
            EXPECT_EQ(placed.topLeft(), merged.topLeft()) << kind;
            EXPECT_EQ(placed.width(), merged.width() - 1) << kind;
            EXPECT_LE(placed.height(), merged.height() - 1) << kind;
        }
        g.HideInplaceEditor();
    }
}

TEST(EditorHosting, TheKeyThatOpensAnEditorIsItsFirstInput)
{
    struct Case {
        TEditorType kind;
        bool receives;
    };
    for (const Case c : {Case{edComboEdit, true}, Case{edSpinEdit, true}, Case{edEditBtn, true},
                         Case{edUnitEditBtn, true}, Case{edUniEdit, true}, Case{edUniComboEdit, false},
                         Case{edDateEdit, false}, Case{edButton, false}, Case{edRichEdit, true},
                         Case{edTimeEdit, false}, Case{edCheckBox, false}}) {
        TExtStringGrid g;
        editedWith(g, c.kind);
        g.SetCellText(1, 1, QStringLiteral("12"));
        g.FocusCell(1, 1, true);
        QKeyEvent press(QEvent::KeyPress, Qt::Key_7, Qt::NoModifier, QStringLiteral("7"));
        QApplication::sendEvent(&g, &press);
        QApplication::processEvents();
        ASSERT_TRUE(g.EditorShown()) << c.kind;
        QString text;
        if (auto* combo = dynamic_cast<TComboCellEditor*>(GridCellEditor(g, c.kind)))
            text = combo->Combo()->currentText();
        else if (auto* spin = dynamic_cast<TSpinCellEditor*>(GridCellEditor(g, c.kind)))
            text = spin->Spin()->text();
        else if (auto* unit = dynamic_cast<TUnitCellEditor*>(GridCellEditor(g, c.kind)))
            text = unit->Edit()->text();
        else if (auto* edit = dynamic_cast<TEditBtnCellEditor*>(GridCellEditor(g, c.kind)))
            text = edit->Edit()->text();
        else if (auto* wide = dynamic_cast<TUniCellEditor*>(GridCellEditor(g, c.kind)))
            text = wide->Edit()->text();
        else if (auto* wideCombo = dynamic_cast<TUniComboCellEditor*>(GridCellEditor(g, c.kind)))
            text = wideCombo->Combo()->currentText();
        else if (auto* rich = dynamic_cast<TExtRichEdit*>(g.ActiveEditorControl()))
            text = rich->toPlainText();
        else if (auto* date = dynamic_cast<TDateCellEditor*>(GridCellEditor(g, c.kind)))
            text = date->Picker()->text();
        else if (auto* check = dynamic_cast<TCheckCellEditor*>(GridCellEditor(g, c.kind)))
            text = check->CheckBox()->text();
        // The key replaces what the cell held.
        if (c.receives) {
            EXPECT_EQ(text, QStringLiteral("7")) << c.kind;
        } else {
            EXPECT_FALSE(text.contains(QLatin1Char('7'))) << c.kind << " " << qPrintable(text);
        }
        EXPECT_TRUE(g.StartCharacter().isNull());
    }
}

TEST(EditorHosting, WideKindsWriteTheCellsWideText)
{
    const QString greek = QString::fromUtf8("\u03b1\u03b2");
    TExtStringGrid g;
    editedWith(g, edUniEdit);
    g.SetCellText(1, 1, WideCellTextOf(greek));
    QString validated;
    int ansi = 0;
    g.OnCellValidate = [&](QObject*, int, int, QString&, bool&) { ++ansi; };
    g.OnCellValidateWide = [&](QObject*, int, int, QString& Value, bool&) { validated = Value; };
    openAt(g, 1, 1);
    auto* wide = dynamic_cast<TUniCellEditor*>(GridCellEditor(g, edUniEdit));
    ASSERT_NE(wide, nullptr);
    EXPECT_EQ(wide->Edit()->text(), greek);
    wide->Edit()->setText(greek + QString::fromUtf8("\u03b3"));
    g.HideInplaceEditor();
    EXPECT_EQ(validated, greek + QString::fromUtf8("\u03b3"));
    EXPECT_EQ(ansi, 0);
    EXPECT_EQ(CellWideText(g.GetCellText(1, 1)), greek + QString::fromUtf8("\u03b3"));

    // A wide list shows the cell's item.
    g.DefaultEditor = edUniComboList;
    auto* list = dynamic_cast<TUniComboCellEditor*>(GridCellEditor(g, edUniComboList));
    ASSERT_NE(list, nullptr);
    list->Combo()->addItems({QStringLiteral("a"), greek});
    g.SetCellText(1, 2, WideCellTextOf(greek));
    openAt(g, 1, 2);
    EXPECT_EQ(list->Combo()->currentIndex(), 1);
}

TEST(EditorHosting, ARefusedValueOpensTheSpecialEditorAgain)
{
    TExtStringGrid g;
    editedWith(g, edSpinEdit);
    g.SetCellText(1, 1, QStringLiteral("5"));
    int done = 0;
    bool refuse = true;
    g.OnEditingDone = [&](QObject*) { ++done; };
    g.OnCellValidate = [&](QObject*, int, int, QString&, bool& Valid) { Valid = !refuse; };
    openAt(g, 1, 1);
    auto* spin = dynamic_cast<TSpinCellEditor*>(GridCellEditor(g, edSpinEdit));
    ASSERT_NE(spin, nullptr);
    spin->Spin()->SetValue(9);
    g.HideInplaceEditor();
    EXPECT_EQ(done, 1);
    EXPECT_EQ(g.GetCellText(1, 1), QStringLiteral("5"));
    EXPECT_TRUE(g.EditorShown()) << "the editor opens again on the cell";
    EXPECT_TRUE(spin->Spin()->isVisible());
    EXPECT_EQ(spin->Spin()->text(), QStringLiteral("5"));
    // Moving away is refused as well; accepted, the value goes in and the move happens.
    spin->Spin()->SetValue(9);
    g.FocusCell(1, 2, true);
    EXPECT_EQ(g.Row(), 1);
    EXPECT_TRUE(g.EditorShown());
    refuse = false;
    spin->Spin()->SetValue(9);
    g.FocusCell(1, 2, true);
    EXPECT_EQ(g.Row(), 2);
    EXPECT_EQ(g.GetCellText(1, 1), QStringLiteral("9"));
    EXPECT_FALSE(spin->Spin()->isVisible());
}

TEST(EditorHosting, ListChoicesAndCloseUpsAreReportedForTheCurrentCell)
{
    TExtStringGrid g;
    editedWith(g, edComboList);
    auto* list = dynamic_cast<TComboCellEditor*>(GridCellEditor(g, edComboList));
    ASSERT_NE(list, nullptr);
    QObject tag;
    list->Combo()->SetItems({QStringLiteral("Rad"), QStringLiteral("Lauf")});
    list->Combo()->setItemData(1, QVariant::fromValue(&tag));
    QStringList events;
    QObject* object = nullptr;
    g.OnComboChange = [&](QObject*, int ACol, int ARow, int AItemIndex, const QString& ASelection) {
        events << QStringLiteral("change %1,%2 %3 %4").arg(ACol).arg(ARow).arg(AItemIndex).arg(ASelection);
    };
    g.OnComboObjectChange = [&](QObject*, int, int, int, const QString&, QObject* AObject) { object = AObject; };
    g.OnComboCloseUp = [&](QObject*, int ACol, int ARow) { events << QStringLiteral("close %1,%2").arg(ACol).arg(ARow); };
    openAt(g, 2, 3);
    list->Combo()->showPopup();
    list->Combo()->setCurrentIndex(1);
    emit list->Combo()->activated(1);  // as the user's choice does
    list->Combo()->hidePopup();
    EXPECT_EQ(events, (QStringList{QStringLiteral("change 2,3 1 Lauf"), QStringLiteral("close 2,3")}));
    EXPECT_EQ(object, &tag);
    // Setting the list by code reports nothing.
    events.clear();
    list->Combo()->setCurrentIndex(0);
    g.HideInplaceEditor();
    EXPECT_TRUE(events.isEmpty());
}

TEST(EditorHosting, DirectDropsOpenTheListAndTheCalendarAtOnce)
{
    TExtStringGrid g;
    editedWith(g, edComboEdit);
    auto* combo = dynamic_cast<TComboCellEditor*>(GridCellEditor(g, edComboEdit));
    ASSERT_NE(combo, nullptr);
    combo->Combo()->SetItems({QStringLiteral("a"), QStringLiteral("b")});
    openAt(g, 1, 1);
    EXPECT_FALSE(combo->Combo()->view()->isVisible());
    g.HideInplaceEditor();
    g.MouseActions.DirectComboDrop = true;
    openAt(g, 1, 1);
    EXPECT_TRUE(combo->Combo()->view()->isVisible());
    g.HideInplaceEditor();
    EXPECT_FALSE(combo->Combo()->view()->isVisible());

    g.MouseActions.DirectDateDrop = true;
    for (TEditorType kind : {edDateEdit, edTimeEdit}) {
        g.DefaultEditor = kind;
        openAt(g, 1, 2);
        auto* date = dynamic_cast<TDateCellEditor*>(GridCellEditor(g, kind));
        ASSERT_NE(date, nullptr);
        QWidget* calendar = date->Picker()->calendarWidget();
        EXPECT_EQ(calendar && calendar->isVisible(), kind == edDateEdit) << kind;
        g.HideInplaceEditor();
        EXPECT_FALSE(calendar && calendar->isVisible()) << kind;
    }
}

TEST(EditorHosting, LeavingTheEditorForAnotherControlEndsEditing)
{
    QWidget window;
    auto* g = new TExtStringGrid(&window);
    auto* other = new QLineEdit(&window);
    other->move(0, 300);
    window.resize(420, 340);
    g->DefaultEditor = edSpinEdit;
    g->SetOptions(g->Options() | goEditing);
    window.show();
    QApplication::setActiveWindow(&window);
    g->SetCellText(1, 1, QStringLiteral("3"));
    openAt(*g, 1, 1);
    auto* spin = dynamic_cast<TSpinCellEditor*>(GridCellEditor(*g, edSpinEdit));
    ASSERT_NE(spin, nullptr);
    ASSERT_TRUE(spin->Spin()->hasFocus());
    spin->Spin()->SetValue(4);
    other->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    EXPECT_FALSE(g->EditorShown());
    EXPECT_FALSE(spin->Spin()->isVisible());
    EXPECT_EQ(g->GetCellText(1, 1), QStringLiteral("4"));
    EXPECT_TRUE(other->hasFocus()) << "the focus stays where the user put it";
}

TEST(EditorHosting, CellsWithoutAnEditor)
{
    TExtStringGrid g;
    g.SetOptions(g.Options() | goEditing);
    g.show();
    // A check-box cell: clicks work the box, no editor opens.
    g.SetCellCheckBox(1, 1, false, false);
    openAt(g, 1, 1);
    EXPECT_FALSE(g.EditorShown());
    EXPECT_FALSE(g.EditorMode());
    // edNone, and a kind no editor serves, leave the cell unedited and nothing open.
    g.OnGetEditorType = [](QObject*, int, int ARow, TEditorType& E) { E = ARow == 2 ? edNone : edCustom; };
    openAt(g, 1, 2);
    EXPECT_FALSE(g.EditorShown());
    openAt(g, 1, 3);
    EXPECT_FALSE(g.EditorShown());
    EXPECT_FALSE(g.EditorMode());
    // Text kinds open the grid's inplace edit.
    g.OnGetEditorType = [](QObject*, int, int, TEditorType& E) { E = edNumeric; };
    openAt(g, 1, 4);
    EXPECT_TRUE(g.EditorMode());
    EXPECT_TRUE(g.EditorShown());
    EXPECT_EQ(g.ActiveEditorControl(), nullptr);
}

TEST(EditorHosting, MovesBetweenCells)
{
    TExtStringGrid g;
    g.SetOptions(g.Options() | goEditing);
    g.show();
    g.FocusCell(1, 1, true);
    QStringList order;
    QList<QPair<int, int>> updates;
    g.OnRowChanging = [&](QObject*, int OldRow, int NewRow, bool&) { order << QStringLiteral("row %1>%2").arg(OldRow).arg(NewRow); };
    g.OnColChanging = [&](QObject*, int OldCol, int NewCol, bool&) { order << QStringLiteral("col %1>%2").arg(OldCol).arg(NewCol); };
    g.OnCellChanging = [&](QObject*, int, int, int NewRow, int NewCol, bool&) { order << QStringLiteral("cell %1,%2").arg(NewCol).arg(NewRow); };
    g.OnRowUpdate = [&](QObject*, int OldRow, int NewRow) { updates << qMakePair(OldRow, NewRow); };
    g.FocusCell(2, 3, true);
    EXPECT_EQ(order, (QStringList{QStringLiteral("row 1>3"), QStringLiteral("col 1>2"), QStringLiteral("cell 2,3")}));
    ASSERT_FALSE(updates.isEmpty());
    EXPECT_EQ(updates.last().second, 3);
    const int reported = int(updates.size());
    g.FocusCell(2, 5, true);
    EXPECT_EQ(updates.last(), qMakePair(3, 5));

    // Not while the grid loads, and not for a move that was refused.
    g.BeginLoad();
    g.FocusCell(2, 6, true);
    g.Loaded();
    EXPECT_EQ(int(updates.size()), reported + 1);
    g.OnRowChanging = [](QObject*, int, int, bool& Allow) { Allow = false; };
    g.FocusCell(2, 7, true);
    EXPECT_EQ(g.Row(), 6);
    EXPECT_EQ(int(updates.size()), reported + 1);
    g.OnRowChanging = nullptr;

    // A cell that may not be edited takes the editing option away; the next one gives it back.
    g.OnCanEditCell = [](QObject*, int ARow, int, bool& CanEdit) { CanEdit = ARow != 4; };
    g.FocusCell(1, 4, true);
    EXPECT_FALSE(g.Options() & goEditing);
    g.ShowEditor();
    EXPECT_FALSE(g.EditorMode());
    g.FocusCell(1, 5, true);
    EXPECT_TRUE(g.Options() & goEditing);
    // OnCanEditCell is asked for a check-box cell too, and the option stays as the grid has it.
    int asked = 0;
    g.OnCanEditCell = [&](QObject*, int, int, bool&) { ++asked; };
    g.SetCellCheckBox(1, 2, false, false);
    g.FocusCell(1, 2, true);
    EXPECT_GE(asked, 1);
    EXPECT_TRUE(g.Options() & goEditing);
}

TEST(EditorHosting, EscapeAndRestoreLeaveTheTextFromBeforeEditing)
{
    TExtStringGrid g;
    editedWith(g, edNormal);
    g.SetCellText(1, 1, QStringLiteral("before"));
    openAt(g, 1, 1);
    g.InplaceEditor()->setText(QStringLiteral("typed"));
    g.InplaceEditor()->setModified(true);
    QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(g.InplaceEditor(), &esc);
    EXPECT_FALSE(g.EditorMode());
    EXPECT_FALSE(g.EditorShown());
    EXPECT_EQ(g.GetCellText(1, 1), QStringLiteral("before"));

    g.SetCellText(1, 1, QStringLiteral("changed meanwhile"));
    g.RestoreEditText();
    EXPECT_EQ(g.GetCellText(1, 1), QStringLiteral("before"));
}

}  // namespace
