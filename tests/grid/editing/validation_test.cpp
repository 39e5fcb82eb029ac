// An edited value on its way into the cell: validation, the handler's corrections, refusals that
// open the editor again, the checker, and the notices that follow the write.
#include <gtest/gtest.h>

#include <QApplication>

#include "grid/display/extgrid.h"
#include "grid/editing/esgcheck.h"
#include "tests/support/qstringprinter.h"

namespace {

// A grid that records what a footer recalculation would sum: the cell's text at that moment.
class RecordingGrid : public TExtStringGrid {
public:
    QStringList footerSaw;
    int watchCol = 1;
    int watchRow = 1;
    void UpdateFooterColumn(int ACol) override
    {
        if (ACol == watchCol || ACol == -1)
            footerSaw << GetCellText(watchCol, watchRow);
    }
};

// Types a text into the runtime's inplace edit over the current cell, as the user does.
void typeInto(TExtStringGrid& g, const QString& text)
{
    g.ShowEditor();
    ASSERT_TRUE(g.EditorMode());
    g.InplaceEditor()->setText(text);
    g.InplaceEditor()->setModified(true);
}

void editable(TExtStringGrid& g)
{
    g.SetOptions(g.Options() | goEditing);
    g.show();
    g.FocusCell(1, 1, true);
}

TEST(EditValidation, RefusalsCorrectionsAndUnchangedCommits)
{
    struct Case {
        const char* what;
        bool valid;
        QString handlerValue;  // empty: the handler leaves the value
        QString cellAfter;
        bool editorOpenAfter;
        int rowAfter;
    };
    const Case cases[] = {
        {"refused as typed", false, QString(), QStringLiteral("old"), true, 1},
        {"refused with a correction", false, QStringLiteral("fixed"), QStringLiteral("fixed"), true, 1},
        {"accepted", true, QString(), QStringLiteral("new"), false, 2},
        {"accepted as corrected", true, QStringLiteral("better"), QStringLiteral("better"), false, 2},
    };
    for (const Case& c : cases) {
        TExtStringGrid g;
        editable(g);
        g.SetCellText(1, 1, QStringLiteral("old"));
        int events = 0;
        g.OnCellValidate = [&](QObject*, int ACol, int ARow, QString& Value, bool& Valid) {
            ++events;
            EXPECT_EQ(ACol, 1);
            EXPECT_EQ(ARow, 1);
            EXPECT_EQ(Value, QStringLiteral("new"));
            Valid = c.valid;
            if (!c.handlerValue.isEmpty())
                Value = c.handlerValue;
        };
        typeInto(g, QStringLiteral("new"));
        g.FocusCell(1, 2, true);  // the user moves down
        EXPECT_EQ(events, 1) << c.what;
        EXPECT_EQ(g.GetCellText(1, 1), c.cellAfter) << c.what;
        EXPECT_EQ(g.Row(), c.rowAfter) << c.what;
        EXPECT_EQ(g.EditorMode(), c.editorOpenAfter) << c.what;
        if (c.editorOpenAfter) {
            EXPECT_EQ(g.InplaceEditor()->text(), c.cellAfter) << c.what << ": the editor shows the cell again";
        }
    }

    // A value typed back to what the cell held is neither validated nor written.
    TExtStringGrid g;
    editable(g);
    g.SetCellText(1, 1, QStringLiteral("same"));
    int events = 0;
    QList<QRect> notices;
    g.OnCellValidate = [&](QObject*, int, int, QString&, bool&) { ++events; };
    g.OnCellsChanged = [&](QObject*, const QRect& R) { notices << R; };
    typeInto(g, QStringLiteral("same"));
    g.FocusCell(1, 2, true);
    EXPECT_EQ(events, 0);
    EXPECT_TRUE(notices.isEmpty());
    EXPECT_EQ(g.Row(), 2);
    g.AlwaysValidate = true;
    g.BeginEditValue(1, 2);
    EXPECT_TRUE(g.CommitEditValue(QString()));
    EXPECT_EQ(events, 1) << "always validating asks even for an unchanged value";
}

TEST(EditValidation, ACommitFromInsideAHandlerDoesNothing)
{
    TExtStringGrid g;
    editable(g);
    g.SetCellText(1, 1, QStringLiteral("old"));
    int events = 0;
    bool inner = false;
    g.OnCellValidate = [&](QObject*, int, int, QString&, bool& Valid) {
        ++events;
        inner = g.CommitEditValue(QStringLiteral("from the handler"));
        Valid = false;
    };
    g.BeginEditValue(1, 1);
    EXPECT_FALSE(g.CommitEditValue(QStringLiteral("new")));
    EXPECT_TRUE(inner);
    EXPECT_EQ(events, 1);
    EXPECT_EQ(g.GetCellText(1, 1), QStringLiteral("old"));
}

TEST(EditValidation, TheWriteComesBeforeItsNotices)
{
    // A handler that corrects 7 to 8: the footer and OnCellsChanged see 8, and so does the
    // modified row's flag.
    RecordingGrid g;
    editable(g);
    g.ShowModified.Enabled = true;
    g.SetCellText(1, 1, QStringLiteral("5"));
    QStringList announced;
    g.OnCellValidate = [](QObject*, int, int, QString& Value, bool&) {
        if (Value == QLatin1String("7"))
            Value = QStringLiteral("8");
    };
    g.OnCellsChanged = [&](QObject*, const QRect& R) {
        EXPECT_EQ(R, QRect(QPoint(1, 1), QPoint(1, 1)));
        announced << g.GetCellText(1, 1);
    };
    typeInto(g, QStringLiteral("7"));
    g.FocusCell(1, 2, true);
    EXPECT_EQ(g.GetCellText(1, 1), QStringLiteral("8"));
    ASSERT_FALSE(g.footerSaw.isEmpty());
    for (const QString& seen : g.footerSaw)
        EXPECT_EQ(seen, QStringLiteral("8"));
    EXPECT_EQ(announced, QStringList{QStringLiteral("8")});
    EXPECT_TRUE(g.IsRowModified(1));

    // The floating footer's sum counts the corrected value.
    TExtStringGrid f;
    f.SetColCount(3);
    f.SetRowCount(4);
    f.SetCellText(1, 1, QStringLiteral("5"));
    f.SetCellText(1, 2, QStringLiteral("1"));
    f.FloatingFooter.SetVisible(true);
    f.CellProperties(1, 3)->FooterCalc = 1;
    editable(f);
    f.UpdateFooterColumn(-1);
    EXPECT_DOUBLE_EQ(f.GetFloats(1, 3), 6);
    f.OnCellValidate = g.OnCellValidate;
    typeInto(f, QStringLiteral("7"));
    f.FocusCell(1, 2, true);
    EXPECT_DOUBLE_EQ(f.GetFloats(1, 3), 9);
    f.FocusCell(1, 3, true);
    EXPECT_EQ(f.Row(), 2) << "the footer row is not selected";

    // A refusal puts the row's modified flag back.
    g.OnCellValidate = [](QObject*, int, int, QString&, bool& Valid) { Valid = false; };
    g.BeginEditValue(1, 2);
    EXPECT_FALSE(g.CommitEditValue(QStringLiteral("x")));
    EXPECT_FALSE(g.IsRowModified(2));
}

TEST(EditValidation, WideValuesGoThroughTheirOwnEvent)
{
    TExtStringGrid g;
    editable(g);
    const QString greek = QString::fromUtf8("\u03b1\u03b2");
    int ansi = 0;
    QString seen;
    g.OnCellValidate = [&](QObject*, int, int, QString&, bool&) { ++ansi; };
    g.OnCellValidateWide = [&](QObject*, int, int, QString& Value, bool&) { seen = Value; };
    g.BeginEditValue(1, 1);
    EXPECT_TRUE(g.CommitEditValueWide(greek));
    EXPECT_EQ(ansi, 0);
    EXPECT_EQ(seen, greek);
    EXPECT_TRUE(g.GetCellText(1, 1).startsWith(QLatin1String("|\\")));
    // Committing the same wide text again validates nothing.
    seen.clear();
    g.BeginEditValue(1, 1);
    EXPECT_TRUE(g.CommitEditValueWide(greek));
    EXPECT_TRUE(seen.isEmpty());
}

class UpperChecker : public TExtStringGridCheck {
public:
    QString Correct(int, int, const QString& Value) override { return Value.toUpper(); }
    QString MarkError(int, int, const QString& Value) override { return QStringLiteral("<ERR>") + Value + QStringLiteral("</ERR>"); }
};

TEST(CellChecker, BaseChecksNothingAndAFreedCheckerIsForgotten)
{
    TExtStringGridCheck base;
    EXPECT_FALSE(base.GotoCell || base.AutoCorrect || base.AutoMarkError || base.UseCorrect || base.UseMarkError);
    for (const QString& t : {QString(), QStringLiteral("abc"), QStringLiteral("<b>x</b>"), QStringLiteral("|\\\x00\x41")}) {
        EXPECT_EQ(base.Correct(1, 2, t), t);
        EXPECT_EQ(base.MarkError(1, 2, t), t);
    }

    TExtStringGrid g;
    editable(g);
    QString validated;
    g.OnCellValidate = [&](QObject*, int, int, QString& Value, bool&) { validated = Value; };
    {
        UpperChecker checker;
        g.SetCellChecker(&checker);
        EXPECT_EQ(g.CellChecker(), &checker);
        // Off by default: the checker is held but not asked.
        g.BeginEditValue(1, 1);
        g.CommitEditValue(QStringLiteral("abc"));
        EXPECT_EQ(g.GetCellText(1, 1), QStringLiteral("abc"));
        checker.AutoCorrect = true;
        checker.AutoMarkError = true;
        g.BeginEditValue(1, 2);
        g.CommitEditValue(QStringLiteral("def"));
        EXPECT_EQ(validated, QStringLiteral("DEF")) << "corrected before it is validated";
        EXPECT_EQ(g.GetCellText(1, 2), QStringLiteral("<ERR>DEF</ERR>"));
    }
    EXPECT_EQ(g.CellChecker(), nullptr);
    g.BeginEditValue(1, 3);
    EXPECT_TRUE(g.CommitEditValue(QStringLiteral("ghi")));  // no checker: nothing to crash on
    EXPECT_EQ(g.GetCellText(1, 3), QStringLiteral("ghi"));
}

TEST(EditValidation, CompanionsHearOfValuesAndChangedCells)
{
    struct Companion : TGridCompanion {
        QStringList values;
        QList<QRect> rects;
        void GridCellValidated(int, int, const QString& Value) override { values << Value; }
        void GridCellsChanged(const QRect& R) override { rects << R; }
    } companion;
    TExtStringGrid g;
    g.AddCompanion(&companion);
    g.AddCompanion(&companion);  // once is enough
    g.BeginEditValue(2, 3);
    g.CommitEditValue(QStringLiteral("v"));
    EXPECT_EQ(companion.values, QStringList{QStringLiteral("v")});
    EXPECT_EQ(companion.rects, QList<QRect>{QRect(QPoint(2, 3), QPoint(2, 3))});
    g.RemoveCompanion(&companion);
    g.CellsChanged(QRect(0, 0, 2, 2));
    EXPECT_EQ(companion.rects.size(), 1);
}

}  // namespace
