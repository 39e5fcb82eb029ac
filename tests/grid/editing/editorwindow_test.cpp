// A window with one column per editor kind, edited as a user does it: each cell by the keyboard
// alone, then several by the mouse alone, in German settings. With ORV_GRID_SHOTS naming a
// folder, a picture of the window with each editor open is saved there to be looked at.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>

#include "grid/display/extcgrid.h"
#include "grid/display/extrichedit.h"
#include "grid/display/rtfreader.h"
#include "grid/editing/celleditors.h"
#include "grid/editing/celleditors_std.h"
#include "platform/rtl/sysutils.h"
#include "tests/support/grid/testlink.h"
#include "tests/support/qstringprinter.h"

namespace {

struct Column {
    const char* header;
    TEditorType kind;
    QString cell;
};

const Column columns[] = {
    {"Text", edNormal, QStringLiteral("Rad")},
    {"Spin", edSpinEdit, QStringLiteral("10")},
    {"Liste", edComboList, QStringLiteral("Rad")},
    {"Auswahl", edComboEdit, QStringLiteral("Rad")},
    {"Datum", edDateEdit, QStringLiteral("17.05.2024")},
    {"Zeit", edTimeEdit, QStringLiteral("10:30:00")},
    {"Knopf-Edit", edEditBtn, QStringLiteral("abc")},
    {"Einheit", edUnitEditBtn, QStringLiteral("12,5 kg")},
    {"Rich", edRichEdit, QStringLiteral("{\\rtf1 Text {\\b fett}}")},
    {"Haken", edCheckBox, QStringLiteral("N")},
    {"Knopf", edButton, QStringLiteral("Wahl")},
    {"Unicode", edUniEdit, QString()},
    {"Uni-Liste", edUniComboList, QStringLiteral("eins")},
    {"Eigen", edCustom, QStringLiteral("alt")},
};
constexpr int columnCount = int(std::size(columns));

class EditorWindow : public QWidget {
public:
    TExtColumnGrid* g = new TExtColumnGrid(this);
    QLineEdit* below = new QLineEdit(this);
    TestLink link;
    int ellipsis = 0;

    EditorWindow()
    {
        resize(1180, 330);
        g->setGeometry(4, 4, 1172, 280);
        below->setGeometry(4, 292, 300, 24);
        g->SetColCount(columnCount + 1);
        g->SetRowCount(6);
        g->SetOptions(g->Options() | goEditing | goTabs);
        g->SetWordWrap(false);
        g->SetColWidths(0, 24);
        for (int i = 0; i < columnCount; ++i) {
            TGridColumnItem* item = g->Columns()[i + 1];
            item->Editor = columns[i].kind;
            item->SetHeader(QString::fromUtf8(columns[i].header));
            item->SetWidth(i == 8 ? 100 : i == 4 ? 96 : 74);
        }
        g->Columns()[3]->ComboItems.SetText(QStringLiteral("Rad\nLauf\nSki"));
        g->Columns()[4]->ComboItems.SetText(QStringLiteral("Rad\nLauf\nSki"));
        g->Columns()[2]->SpinMin = 0;
        g->Columns()[2]->SpinMax = 50;
        g->Columns()[2]->SpinStep = 1;
        g->EditLink = &link;
        g->OnEllipsClick = [this](QObject*, int, int, QString& S) {
            ++ellipsis;
            S = QStringLiteral("Gewählt");
        };
        if (auto* uni = dynamic_cast<TUniComboCellEditor*>(GridCellEditor(*g, edUniComboList))) {
            uni->Combo()->Items().Add(QStringLiteral("eins"));
            uni->Combo()->Items().Add(QStringLiteral("zwei"));
        }
        fill();
        show();
        QApplication::setActiveWindow(this);
    }
    void fill()
    {
        for (int i = 0; i < columnCount; ++i)
            for (int r = 1; r < g->RowCount(); ++r)
                g->SetCellText(i + 1, r, columns[i].cell);
    }
    void key(int k, Qt::KeyboardModifiers mods = Qt::NoModifier, const QString& text = {})
    {
        QWidget* to = QApplication::focusWidget();
        ASSERT_NE(to, nullptr);
        QKeyEvent over(QEvent::ShortcutOverride, k, mods, text);
        QApplication::sendEvent(to, &over);
        QKeyEvent down(QEvent::KeyPress, k, mods, text);
        QApplication::sendEvent(to, &down);
        if (QWidget* now = QApplication::focusWidget()) {
            QKeyEvent up(QEvent::KeyRelease, k, mods, text);
            QApplication::sendEvent(now, &up);
        }
        QApplication::processEvents();

    }
    void type(const QString& text)
    {
        for (const QChar c : text)
            key(0, Qt::NoModifier, QString(c));
    }
    void click(QWidget* w, const QPoint& at)
    {
        // A press gives the focus to what takes it by clicks, as the window system's press does.
        for (QWidget* f = w; f; f = f->parentWidget())
            if (f->focusPolicy() & Qt::ClickFocus) {
                f->setFocus(Qt::MouseFocusReason);
                break;
            }
        QMouseEvent press(QEvent::MouseButtonPress, at, w->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(w, &press);
        QMouseEvent release(QEvent::MouseButtonRelease, at, w->mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                            Qt::NoModifier);
        QApplication::sendEvent(w, &release);
        QApplication::processEvents();
    }
    void clickCell(int col, int row) { click(g->viewport(), g->CellRect(col, row).center()); }
    void shot(const QString& name)
    {
        const QString dir = qEnvironmentVariable("ORV_GRID_SHOTS");
        if (dir.isEmpty())
            return;
        QDir().mkpath(dir);
        grab().save(dir + QLatin1Char('/') + name + QStringLiteral(".png"));
    }
};

class GermanEditorWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved_ = FormatSettings();
        FormatSettings() = GermanFormatSettings();
    }
    void TearDown() override { FormatSettings() = saved_; }
    TFormatSettings saved_;
};

TEST_F(GermanEditorWindow, EveryEditorKindByTheKeyboardAlone)
{
    EditorWindow w;
    struct Step {
        int col;
        std::function<void(EditorWindow&)> edit;  // starts on the cell, the grid focused
        QString expected;                          // the cell afterwards; null: checked by `check`
        std::function<void(const QString&)> check = {};
    };
    const QString wideSharp = QString::fromUtf8("\u00df\u20ac");
    const Step steps[] = {
        {1, [](EditorWindow& e) { e.type(QStringLiteral("Lauf")); e.key(Qt::Key_Return); }, QStringLiteral("Lauf")},
        {2, [](EditorWindow& e) { e.key(Qt::Key_F2); e.key(Qt::Key_PageUp); e.key(Qt::Key_PageUp); e.key(Qt::Key_Return); },
         QStringLiteral("12")},
        {3, [](EditorWindow& e) { e.key(Qt::Key_F2); e.key(Qt::Key_Down); e.key(Qt::Key_Return); }, QStringLiteral("Lauf")},
        {4, [](EditorWindow& e) { e.type(QStringLiteral("Ski")); e.key(Qt::Key_Return); }, QStringLiteral("Ski")},
        {5, [](EditorWindow& e) { e.key(Qt::Key_F2); e.key(Qt::Key_Up); e.key(Qt::Key_Return); }, QStringLiteral("18.05.2024")},
        {6, [](EditorWindow& e) { e.key(Qt::Key_F2); e.key(Qt::Key_Up); e.key(Qt::Key_Return); }, QStringLiteral("11:30:00")},
        {7, [](EditorWindow& e) { e.key(Qt::Key_F2); e.key(Qt::Key_End); e.type(QStringLiteral("d")); e.key(Qt::Key_Return); },
         QStringLiteral("abcd")},
        {8, [](EditorWindow& e) { e.type(QStringLiteral("13")); e.key(Qt::Key_Return); }, QStringLiteral("13 kg")},
        {9, [](EditorWindow& e) { e.type(QStringLiteral("Neu")); e.key(Qt::Key_Tab); }, QString(),
         [](const QString& t) {
             EXPECT_EQ(RichTextPlain(t), QStringLiteral("Neu")) << t.toStdString();
             EXPECT_FALSE(t.contains(QLatin1String("\\b"))) << "typed over, in the format of the first character";
         }},
        {10, [](EditorWindow& e) { e.key(Qt::Key_F2); e.key(Qt::Key_Space, Qt::NoModifier, QStringLiteral(" ")); e.key(Qt::Key_Return); },
         QStringLiteral("Y")},
        {11, [](EditorWindow& e) {
             e.key(Qt::Key_F2);
             e.key(Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
             EXPECT_EQ(e.ellipsis, 1);
             auto* b = dynamic_cast<TButtonCellEditor*>(GridCellEditor(*e.g, edButton))->Button();
             EXPECT_EQ(b->text(), QStringLiteral("Gewählt"));
             e.key(Qt::Key_Down);
         },
         QStringLiteral("Wahl")},
        {12, [&](EditorWindow& e) { e.type(wideSharp); e.key(Qt::Key_Return); }, WideCellTextOf(wideSharp)},
        {13, [](EditorWindow& e) { e.key(Qt::Key_F2); e.key(Qt::Key_Down); e.key(Qt::Key_Return); },
         WideCellTextOf(QStringLiteral("zwei"))},
        {14, [](EditorWindow& e) { e.type(QStringLiteral("neu")); e.key(Qt::Key_Return); }, QStringLiteral("neu")},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(columns[s.col - 1].header);
        w.g->setFocus();
        w.g->FocusCell(s.col, 1, true);
        ASSERT_TRUE(w.g->hasFocus());
        s.edit(w);
        const QString text = w.g->GetCellText(s.col, 1);
        if (s.check)
            s.check(text);
        else
            EXPECT_EQ(text, s.expected);
        EXPECT_FALSE(w.g->EditorShown() || w.g->EditorMode()) << "editing ended";
        EXPECT_TRUE(w.g->hasFocus()) << "the grid has the focus back";
        // Escape in a newly opened editor leaves the cell of the next row alone.
        w.g->FocusCell(s.col, 2, true);
        w.key(Qt::Key_F2);
        w.shot(QStringLiteral("keyboard-%1").arg(s.col, 2, 10, QLatin1Char('0')));
        w.key(Qt::Key_Escape);
        EXPECT_EQ(w.g->GetCellText(s.col, 2), columns[s.col - 1].cell);
    }
    w.shot(QStringLiteral("keyboard-done"));
}

TEST_F(GermanEditorWindow, EditorsByTheMouseAlone)
{
    EditorWindow w;
    w.g->MouseActions.DirectEdit = true;
    auto open = [&](int col) {
        w.clickCell(col, 3);
        EXPECT_TRUE(w.g->EditorShown() || w.g->EditorMode()) << columns[col - 1].header;
    };

    // The spin's up button, then a click on another cell.
    open(2);
    auto* spin = dynamic_cast<TSpinCellEditor*>(GridCellEditor(*w.g, edSpinEdit))->Spin();
    ASSERT_TRUE(spin->isVisible());
    QWidget* up = spin->Button()->UpButton();
    w.click(up, up->rect().center());
    w.shot(QStringLiteral("mouse-spin"));
    w.clickCell(1, 4);
    EXPECT_EQ(w.g->GetCellText(2, 3), QStringLiteral("11"));

    // A list item picked from the open list.
    open(3);
    auto* combo = dynamic_cast<TComboCellEditor*>(GridCellEditor(*w.g, edComboList))->Combo();
    combo->showPopup();
    w.shot(QStringLiteral("mouse-list"));
    QAbstractItemView* view = combo->view();
    const QRect item = view->visualRect(view->model()->index(2, 0));
    w.click(view->viewport(), item.center());
    EXPECT_EQ(combo->currentText(), QStringLiteral("Ski"));
    EXPECT_FALSE(view->isVisible());
    // The window is active again once the list closed (the window system does that).
    QApplication::setActiveWindow(&w);
    w.clickCell(1, 4);
    EXPECT_EQ(w.g->GetCellText(3, 3), QStringLiteral("Ski"));

    // The check box ticked by a click on it.
    open(10);
    auto* box = dynamic_cast<TCheckCellEditor*>(GridCellEditor(*w.g, edCheckBox))->CheckBox();
    w.click(box, QPoint(8, box->height() / 2));
    w.shot(QStringLiteral("mouse-check"));
    w.clickCell(1, 4);
    EXPECT_EQ(w.g->GetCellText(10, 3), QStringLiteral("Y"));

    // The push button clicked.
    open(11);
    auto* button = dynamic_cast<TButtonCellEditor*>(GridCellEditor(*w.g, edButton))->Button();
    w.click(button, button->rect().center());
    EXPECT_EQ(w.ellipsis, 1);
    EXPECT_EQ(button->text(), QStringLiteral("Gewählt"));
    w.shot(QStringLiteral("mouse-button"));
    w.clickCell(1, 4);
    EXPECT_EQ(w.g->GetCellText(11, 3), QStringLiteral("Wahl"));

    // The edit with a button: its button hands the text to the ellipsis event.
    open(7);
    auto* edit = dynamic_cast<TEditBtnCellEditor*>(GridCellEditor(*w.g, edEditBtn))->Edit();
    QWidget* dots = edit->Button()->Button();
    w.click(dots, dots->rect().center());
    EXPECT_EQ(w.ellipsis, 2);
    w.shot(QStringLiteral("mouse-editbtn"));
    w.clickCell(1, 4);
    EXPECT_EQ(w.g->GetCellText(7, 3), QStringLiteral("Gewählt"));

    // Opened and left by clicks alone, the other cells keep their texts byte for byte.
    for (int col : {4, 5, 6, 8, 9, 12, 13, 14}) {
        open(col);
        w.shot(QStringLiteral("mouse-open-%1").arg(col, 2, 10, QLatin1Char('0')));
        w.click(w.below, QPoint(5, 5));
        EXPECT_FALSE(w.g->EditorShown()) << columns[col - 1].header;
        EXPECT_EQ(w.g->GetCellText(col, 3), columns[col - 1].cell) << columns[col - 1].header;
    }
}

}  // namespace
