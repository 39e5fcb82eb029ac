// The form controls of an HTML cell edited in place: F2 opens the first editable one over its
// place, Tab goes on to the next, Enter ends, what was typed becomes the control's VALUE; a
// click on a control opens its editor; a list control takes its items from OnControlComboList.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>

#include "grid/display/esghtmle.h"
#include "grid/display/extgrid.h"
#include "grid/editing/controleditors.h"
#include "tests/support/qstringprinter.h"

namespace {

const QString form = QStringLiteral(
    "<B>Name</B> <CONTROL TYPE=\"EDIT\" ID=\"name\" VALUE=\"Max\" WIDTH=\"60\"> "
    "<CONTROL TYPE=\"CHECK\" ID=\"ok\" VALUE=\"FALSE\" WIDTH=\"20\"> "
    "Art <CONTROL TYPE=\"COMBO\" ID=\"art\" VALUE=\"Rad\" WIDTH=\"70\"> "
    "<CONTROL TYPE=\"BUTTON\" ID=\"go\" VALUE=\"Los\" WIDTH=\"40\">");

struct FormWindow {
    QWidget window;
    TExtStringGrid* g = new TExtStringGrid(&window);
    std::vector<QString> done;
    FormWindow()
    {
        window.resize(520, 200);
        g->resize(520, 200);
        g->SetColWidths(1, 320);
        g->SetOptions(g->Options() | goEditing);
        g->SetCellText(1, 1, form);
        g->OnControlEditDone = [this](QObject*, int ARow, int ACol, const QString& id, const QString& type,
                                      const QString& value) {
            EXPECT_EQ(ARow, 1);
            EXPECT_EQ(ACol, 1);
            done.push_back(id + QLatin1Char(':') + type + QLatin1Char('=') + value);
        };
        g->OnControlComboList = [this](QObject*, int, int, const QString& id, const QString&, const QString& value,
                                       QStringList& values, bool& edit, int& dropCount) {
            EXPECT_EQ(id, QStringLiteral("art"));
            EXPECT_EQ(value, this->value(QStringLiteral("art"))) << "the control's value";
            EXPECT_TRUE(edit);
            EXPECT_EQ(dropCount, 8);
            values = {QStringLiteral("Rad"), QStringLiteral("Lauf"), QStringLiteral("Ski")};
            edit = false;
        };
        window.show();
        QApplication::setActiveWindow(&window);
        g->setFocus();
        g->FocusCell(1, 1, true);
    }
    void key(int k, const QString& text = {})
    {
        QWidget* to = QApplication::focusWidget();
        ASSERT_NE(to, nullptr);
        QKeyEvent down(QEvent::KeyPress, k, Qt::NoModifier, text);
        QApplication::sendEvent(to, &down);
        QApplication::processEvents();
    }
    QString value(const QString& id)
    {
        for (const QString& part : g->GetCellText(1, 1).split(QLatin1String("<CONTROL")))
            if (part.contains(QStringLiteral("ID=\"%1\"").arg(id))) {
                const THTMLControl c = ParseControlTag(QStringLiteral("<CONTROL") + part.section(QLatin1Char('>'), 0, 0) + '>');
                return c.Value;
            }
        return QStringLiteral("?");
    }
};

// Closes the list's drop-down and gives its window the activation back, as the window system does.
void closeList(FormWindow& w, QComboBox* combo)
{
    combo->hidePopup();
    QApplication::setActiveWindow(&w.window);
    combo->setFocus();
}

TEST(FormControls, F2OpensTheFirstEditTabTheNextAndEnterEnds)
{
    FormWindow w;
    w.key(Qt::Key_F2);
    auto* edit = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_NE(edit, nullptr);
    EXPECT_NE(dynamic_cast<TControlEdit*>(edit), nullptr);
    EXPECT_EQ(edit->text(), QStringLiteral("Max"));
    EXPECT_TRUE(w.g->ControlEditCell().Active);
    EXPECT_EQ(w.g->ControlEditCell().ID, QStringLiteral("name"));
    EXPECT_TRUE(w.g->CellRect(1, 1).contains(edit->geometry())) << "over its place in the cell";
    edit->setText(QStringLiteral("Moritz"));
    // Tab: the check box is passed over, the list opens dropped down with the handler's items.
    w.key(Qt::Key_Tab);
    EXPECT_EQ(w.value(QStringLiteral("name")), QStringLiteral("Moritz"));
    auto* combo = w.g->viewport()->findChild<TControlCombo*>();
    ASSERT_NE(combo, nullptr);
    EXPECT_TRUE(combo->isVisible());
    EXPECT_TRUE(combo->view()->isVisible());
    EXPECT_EQ(combo->Items(), (QStringList{QStringLiteral("Rad"), QStringLiteral("Lauf"), QStringLiteral("Ski")}));
    EXPECT_FALSE(combo->isEditable()) << "the handler asked for a list";
    EXPECT_EQ(combo->currentText(), QStringLiteral("Rad"));
    EXPECT_EQ(w.g->ControlEditCell().ID, QStringLiteral("art"));
    closeList(w, combo);
    combo->setCurrentIndex(2);
    w.key(Qt::Key_Return);
    EXPECT_EQ(w.value(QStringLiteral("art")), QStringLiteral("Ski"));
    EXPECT_FALSE(combo->isVisible());
    EXPECT_TRUE(w.g->hasFocus());
    EXPECT_FALSE(w.g->ControlEditCell().Active);
    EXPECT_EQ(w.done, (std::vector<QString>{QStringLiteral("name:EDIT=Moritz"), QStringLiteral("art:COMBO=Ski")}));

    // Opened and left unchanged, the cell's text stays as it was.
    const QString before = w.g->GetCellText(1, 1);
    w.key(Qt::Key_F2);
    w.key(Qt::Key_Return);
    EXPECT_EQ(w.g->GetCellText(1, 1), before);
    // Tab after the last editable control: the grid has the focus, nothing is open.
    w.key(Qt::Key_F2);
    w.key(Qt::Key_Tab);
    closeList(w, combo);
    w.key(Qt::Key_Tab);
    EXPECT_TRUE(w.g->hasFocus());
    EXPECT_FALSE(w.g->ControlEditCell().Active);
    EXPECT_FALSE(combo->isVisible());
}

TEST(FormControls, AClickOnAnEditControlOpensItsEditorAndLeavingEndsIt)
{
    FormWindow w;
    auto* other = new QLineEdit(&w.window);
    other->move(0, 170);
    other->show();
    // Where the edit control stands: the editor F2 opens shows it.
    w.key(Qt::Key_F2);
    const QRect place = QApplication::focusWidget()->geometry();
    w.key(Qt::Key_Return);
    const QPoint at = place.center();
    QMouseEvent press(QEvent::MouseButtonPress, at, w.g->viewport()->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(w.g->viewport(), &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, w.g->viewport()->mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(w.g->viewport(), &release);
    QApplication::processEvents();
    auto* edit = dynamic_cast<TControlEdit*>(QApplication::focusWidget());
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->geometry(), place);
    edit->setText(QStringLiteral("Anna"));
    other->setFocus(Qt::MouseFocusReason);
    QApplication::processEvents();
    EXPECT_FALSE(edit->isVisible());
    EXPECT_EQ(w.value(QStringLiteral("name")), QStringLiteral("Anna"));
}

}  // namespace
