// The import dialogs worked with the keyboard alone: Tab and Shift+Tab reach every field and
// button in the order they stand, a typed file name lands in its field, Return presses the
// default button and Escape the cancel button.
#include <gtest/gtest.h>

#include "core/main.h"
#include "core/orvdbserver.h"
#include "exchange/excelimport.h"
#include "exchange/excelimport2.h"
#include "exchange/garminimport.h"
#include "exchange/selforerunner.h"
#include "exchange/tableimport.h"
#include "tests/core/programfixture.h"
#include "tests/support/athletedb.h"
#include "tests/support/keyboardwalk.h"
#include "tests/support/testenv.h"

namespace {

class ImportKeysTest : public ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        StartProgram({db.path()});
    }
    AthleteDatabase db;
    TempFolder files;
};

TEST_F(ImportKeysTest, TabFollowsTheLayoutAndReturnAndEscapePressTheDialogsButtons)
{
    Tgarminimp garmin(MainForm);
    TselectForerunner runs(MainForm);
    Teximp wizard(MainForm);
    auto source = OpenImportSource(SourceFile(QStringLiteral("tests/platform/office/fixtures/lo-training.xlsx")), true);
    ASSERT_TRUE(source.Ok());
    Teximp2 mapping(MainForm, true, orvServer->daten, QString(), std::move(source.Value()));

    const struct {
        QWidget* window;
        QList<QWidget*> order;
    } walks[] = {
        {&garmin, {garmin.RadioButton1, garmin.Button2, garmin.Button4}},
        {&runs, {runs.ExtColumnGrid1, runs.Button1, runs.Button2}},
        {&wizard, {wizard.Edit1, wizard.Button2, wizard.Button4, wizard.Button1, wizard.Button3}},
        {&mapping,
         {mapping.ComboBox1, mapping.ListBox1, mapping.ListBox2, mapping.Button2, mapping.SpeedButton13,
          mapping.SpeedButton15, mapping.ListBox3, mapping.Button4, mapping.Button1, mapping.Button3}},
    };
    for (const auto& w : walks) {
        EXPECT_EQ(KeyboardWalkProblem(w.window, w.order), "") << w.window->objectName().toStdString();
        w.window->hide();
    }

    // The file name typed into step 1 is the one the wizard opens; Return there is "Weiter".
    FocusWindowAt(&wizard, wizard.Edit1);
    const QString missing = files.file(QStringLiteral("fehlt.xls"));
    TypeKeys(missing);
    EXPECT_EQ(wizard.Edit1->text(), missing);
    ScriptedAnswers::pushMessageAnswer(mrOk);
    PressKey(Qt::Key_Return);
    EXPECT_EQ(ScriptedAnswers::messages().size(), 1);
    EXPECT_EQ(ScriptedAnswers::lastMessage().Type, mtError);

    // Return in the mapping is "Fertig stellen", which first asks for a pair.
    FocusWindowAt(&mapping, mapping.ListBox1);
    ScriptedAnswers::pushMessageAnswer(mrOk);
    PressKey(Qt::Key_Return);
    EXPECT_EQ(ScriptedAnswers::messages().size(), 2);
    EXPECT_EQ(ScriptedAnswers::lastMessage().Type, mtInformation);

    // Return on the first step of the run import is "Weiter >": it asks for the file.
    FocusWindowAt(&garmin, garmin.RadioButton1);
    ScriptedAnswers::pushFileNames({});
    PressKey(Qt::Key_Return);
    EXPECT_EQ(ScriptedAnswers::fileDialogs().size(), 1);

    // Return in the run list is "Ok", also from the list itself: with no run ticked it writes
    // nothing.
    bool ok = false;
    QObject::connect(runs.Button1, &QPushButton::clicked, [&ok] { ok = true; });
    FocusWindowAt(&runs, runs.ExtColumnGrid1);
    PressKey(Qt::Key_Return);
    EXPECT_TRUE(ok);
    EXPECT_EQ(db.value(QStringLiteral("SELECT count(*) FROM DATEN")).toInt(), 0);

    // Escape is "Abbrechen" in each dialog.
    for (TForm* f : std::initializer_list<TForm*>{&garmin, &runs, &wizard, &mapping}) {
        FocusWindowAt(f, f->focusWidget() ? f->focusWidget() : f);
        bool cancelled = false;
        for (QPushButton* b : f->findChildren<QPushButton*>())
            if (b->property("Cancel").toBool())
                QObject::connect(b, &QPushButton::clicked, [&cancelled] { cancelled = true; });
        PressKey(Qt::Key_Escape);
        EXPECT_TRUE(cancelled) << f->objectName().toStdString();
    }
}

}  // namespace
