// The edit with a button and the unit edit: a disabled editor, the button and F4, the unit menu,
// the layout of text, unit strip and button, and the caption's place on the speed button.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QDropEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QVBoxLayout>

#include "grid/editing/esgedit.h"
#include "tests/support/keyboardwalk.h"
#include "tests/support/qstringprinter.h"

namespace {

void sendKey(QWidget* w, int key, const QString& text = {}, Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    QKeyEvent press(QEvent::KeyPress, key, mods, text);
    QApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, key, mods, text);
    QApplication::sendEvent(w, &release);
}

void mouse(QWidget* w, QEvent::Type type, QPointF pos = {-1, -1})
{
    if (pos.x() < 0)
        pos = QRectF(w->rect()).center();
    QMouseEvent e(type, pos, w->mapToGlobal(pos), Qt::LeftButton,
                  type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

void click(QWidget* w)
{
    mouse(w, QEvent::MouseButtonPress);
    mouse(w, QEvent::MouseButtonRelease);
}

// A window with the edit and a second edit before it.
template <class Edit>
struct Form {
    QWidget window;
    QLineEdit* other;
    Edit* edit;
    Form()
    {
        auto* layout = new QVBoxLayout(&window);
        other = new QLineEdit;
        edit = new Edit;
        layout->addWidget(other);
        layout->addWidget(edit);
        window.setGeometry(20, 20, 200, 80);
        FocusWindowAt(&window, edit);
    }
};

// The bounding box of the dark pixels of `image` within `area`.
QRect inkBox(const QImage& image, const QRect& area)
{
    QRect box;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (qGray(image.pixel(x, y)) < 100)
                box |= QRect(x, y, 1, 1);
    return box;
}

}  // namespace

TEST(EsgEditBtnTest, DisabledEditorRefusesEveryEditButTheButtonAndF4Work)
{
    Form<TEsgEditBtn> f;
    EXPECT_EQ(f.edit->Text(), QStringLiteral("0"));
    int clicks = 0;
    f.edit->OnClickBtn = [&](QObject* sender) {
        EXPECT_EQ(sender, f.edit);
        ++clicks;
    };
    QString pressed;
    f.edit->OnKeyPress = [&](QObject*, QChar& key) { pressed += key; };

    // Enabled first, so that each refusal below is the editor's and not the test's.
    f.edit->setText(QStringLiteral("12"));
    f.edit->setCursorPosition(2);
    sendKey(f.edit, Qt::Key_3, "3");
    EXPECT_EQ(f.edit->Text(), QStringLiteral("123"));
    EXPECT_EQ(pressed, QStringLiteral("3"));

    f.edit->SetEditorEnabled(false);
    QApplication::clipboard()->setText(QStringLiteral("77"));
    QMimeData dropped;
    dropped.setText(QStringLiteral("9"));
    const std::function<void()> edits[] = {
        [&] { sendKey(f.edit, Qt::Key_4, "4"); },
        [&] { sendKey(f.edit, Qt::Key_Backspace, "\b"); },
        [&] {
            f.edit->setCursorPosition(0);
            sendKey(f.edit, Qt::Key_Delete);
        },
        [&] {
            f.edit->selectAll();
            sendKey(f.edit, Qt::Key_X, "\x18", Qt::ControlModifier);
        },
        [&] { sendKey(f.edit, Qt::Key_V, "\x16", Qt::ControlModifier); },
        [&] {
            QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(f.edit, &enter);
            QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(f.edit, &drop);
        },
        [&] {
            QInputMethodEvent commit;
            commit.setCommitString(QStringLiteral("5"));
            QApplication::sendEvent(f.edit, &commit);
        },
    };
    for (size_t i = 0; i < std::size(edits); ++i) {
        f.edit->setCursorPosition(3);
        edits[i]();
        EXPECT_EQ(f.edit->Text(), QStringLiteral("123")) << "edit " << i;
    }
    EXPECT_NE(QApplication::clipboard()->text(), QStringLiteral("123")) << "nothing was cut";
    // Return and Escape still reach the window (its default and cancel buttons).
    for (int key : {Qt::Key_Return, Qt::Key_Escape}) {
        QKeyEvent e(QEvent::KeyPress, key, Qt::NoModifier, key == Qt::Key_Return ? "\r" : "\x1b");
        QApplication::sendEvent(f.edit, &e);
        EXPECT_FALSE(e.isAccepted()) << key;
    }
    EXPECT_EQ(pressed, QStringLiteral("3")) << "no character reached OnKeyPress";

    // The button and F4 still work, each once.
    click(f.edit->Button()->Button());
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(f.edit->hasFocus());
    sendKey(f.edit, Qt::Key_F4);
    EXPECT_EQ(clicks, 2);
    // A press on the button released away from it is no click.
    TExtSpeedButton* button = f.edit->Button()->Button();
    mouse(button, QEvent::MouseButtonPress);
    mouse(button, QEvent::MouseButtonRelease, QPointF(button->width() + 10, 2));
    EXPECT_EQ(clicks, 2);
}

TEST(EsgEditBtnTest, ButtonAndTextPlacedByTheBorder)
{
    struct Case {
        TEditBorderStyle border;
        int buttonWidth;  // 0: not set
        QRect button;     // in a 120 x 30 edit
    };
    const Case cases[] = {
        {bsSingle, 0, QRect(120 - 18 - 3, 2, 18, 25)},
        {bsSingle, 25, QRect(120 - 25 - 3, 2, 25, 25)},
        {bsNone, 0, QRect(120 - 18 - 1, 0, 18, 29)},
    };
    for (const Case& c : cases) {
        TEsgEditBtn edit;
        edit.SetBorderStyle(c.border);
        if (c.buttonWidth)
            edit.SetButtonWidth(c.buttonWidth);
        edit.resize(120, 30);
        edit.show();
        EXPECT_EQ(edit.ButtonWidth(), c.buttonWidth);
        EXPECT_EQ(edit.Button()->geometry(), c.button) << c.border << " " << c.buttonWidth;
        EXPECT_EQ(edit.Button()->Button()->geometry(), QRect(QPoint(0, 0), c.button.size())) << "the button fills it";
        EXPECT_GE(edit.textMargins().right(), c.button.width() + 3) << "the text keeps clear of the button";
    }
    TEsgEditBtn small;
    small.resize(120, 4);
    small.show();
    EXPECT_EQ(small.height(), small.MinHeight()) << "a smaller height is raised";
}

TEST(EsgEditBtnTest, UnitPickedFromTheMenuUnderTheButton)
{
    Form<TEsgUnitEditBtn> f;
    int clicks = 0;
    f.edit->OnClickBtn = [&](QObject*) { ++clicks; };
    f.edit->SetUnits({QStringLiteral("kg"), QStringLiteral("g"), QStringLiteral("lb")});
    f.edit->SetUnitID(QStringLiteral("kg"));

    click(f.edit->Button()->Button());
    QMenu* menu = f.edit->UnitMenu();
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(menu->isVisible());
    QStringList entries;
    for (QAction* a : menu->actions())
        entries << a->text();
    EXPECT_EQ(entries, f.edit->Units());
    const QRect client = f.edit->ClientRect();
    EXPECT_EQ(menu->pos(), f.edit->mapToGlobal(QPoint(client.left() + client.width() - 15, client.bottom() + 1)));
    menu->actions().at(1)->trigger();
    menu->close();
    EXPECT_EQ(f.edit->UnitID(), QStringLiteral("g"));
    EXPECT_EQ(clicks, 0) << "the unit menu takes the place of OnClickBtn";
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(f.edit->UnitMenu(), nullptr) << "the menu is gone after the pick";

    // F4 opens it too; dismissed, or empty, it changes nothing.
    sendKey(f.edit, Qt::Key_F4);
    ASSERT_NE(f.edit->UnitMenu(), nullptr);
    f.edit->UnitMenu()->close();
    EXPECT_EQ(f.edit->UnitID(), QStringLiteral("g"));
    f.edit->SetUnits({});
    f.edit->ClickButton();
    if (QMenu* empty = f.edit->UnitMenu()) {
        EXPECT_TRUE(empty->actions().isEmpty());
        empty->close();
    }
    EXPECT_EQ(f.edit->UnitID(), QStringLiteral("g"));
    EXPECT_EQ(clicks, 0);
}

TEST(EsgEditBtnTest, UnitStripBetweenTheRightAlignedTextAndTheButton)
{
    QWidget window;
    auto* edit = new TEsgUnitEditBtn(&window);
    edit->setGeometry(0, 0, 140, 26);
    window.show();
    EXPECT_TRUE(edit->RightAlign());
    EXPECT_TRUE(edit->alignment() & Qt::AlignRight);
    EXPECT_EQ(edit->UnitSpace(), 20);
    const QRect strip = edit->UnitRect();
    EXPECT_EQ(strip.width(), 20);
    EXPECT_EQ(edit->Button()->x() - (strip.right() + 1), 2) << "two pixels between strip and button";
    EXPECT_EQ(strip.top(), edit->ClientRect().top() + 2);

    edit->setText(QStringLiteral("1234,5"));
    edit->setCursorPosition(6);
    edit->grab();  // lays the text out
    EXPECT_LE(edit->inputMethodQuery(Qt::ImCursorRectangle).toRect().center().x(), strip.left()) << "the text ends before the strip";
    EXPECT_GT(edit->inputMethodQuery(Qt::ImCursorRectangle).toRect().center().x(), strip.left() - 10) << "right-aligned against it";

    // The unit is drawn in the strip, and only there.
    const QImage without = edit->grab().toImage();
    edit->SetUnitID(QStringLiteral("kg"));
    const QImage with = edit->grab().toImage();
    QRect changed;
    for (int y = 0; y < with.height(); ++y)
        for (int x = 0; x < with.width(); ++x)
            if (with.pixel(x, y) != without.pixel(x, y))
                changed |= QRect(x, y, 1, 1);
    EXPECT_FALSE(changed.isEmpty());
    EXPECT_TRUE(strip.contains(changed)) << "changed " << changed.x() << "," << changed.y() << " " << changed.width()
                                         << "x" << changed.height();

    edit->SetUnitSpace(30);
    EXPECT_EQ(edit->UnitRect().width(), 30);
    EXPECT_GE(edit->textMargins().right(), edit->Button()->width() + 3 + 30);
}

TEST(EsgEditBtnTest, CaptionAtTwoTwoAndAPixelOnWhilePressed)
{
    QFont font(QStringLiteral("Sans"), 9);
    font.setStyleStrategy(QFont::NoAntialias);
    for (bool flat : {false, true}) {
        TExtSpeedButton button;
        button.SetFlat(flat);
        button.setFont(font);
        button.resize(40, 24);
        button.SetCaption(QStringLiteral("Ab"));
        // Where the caption lands when drawn with its top-left corner at (2, 2).
        QImage reference(button.size(), QImage::Format_RGB32);
        reference.fill(Qt::white);
        {
            QPainter p(&reference);
            p.setFont(font);
            p.setPen(Qt::black);
            p.drawText(QRect(2, 2, 40, 24), Qt::AlignLeft | Qt::AlignTop, button.Caption());
        }
        const QRect inside = button.rect().adjusted(2, 2, -2, -2);
        const QRect expected = inkBox(reference, inside);
        ASSERT_FALSE(expected.isEmpty());
        EXPECT_EQ(inkBox(button.grab().toImage(), inside), expected) << "flat " << flat;
        button.setDown(true);
        EXPECT_EQ(inkBox(button.grab().toImage(), inside), expected.translated(1, 1)) << "pressed, flat " << flat;
        button.setDown(false);
        button.setCheckable(true);
        button.setChecked(true);
        EXPECT_EQ(inkBox(button.grab().toImage(), inside), expected.translated(1, 1)) << "latched, flat " << flat;
    }
}

TEST(EsgEditBtnTest, TabReachesTheEditsButNotTheirButtons)
{
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* first = new QLineEdit;
    auto* edit = new TEsgEditBtn;
    auto* unit = new TEsgUnitEditBtn;
    auto* last = new QLineEdit;
    for (QWidget* w : {static_cast<QWidget*>(first), static_cast<QWidget*>(edit), static_cast<QWidget*>(unit),
                       static_cast<QWidget*>(last)})
        layout->addWidget(w);
    EXPECT_EQ(KeyboardWalkProblem(&window, {first, edit, unit, last}), "");
}
