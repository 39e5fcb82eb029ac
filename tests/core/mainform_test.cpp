// The main window: the enabling of its actions, its views, the database commands of the File
// menu, the tool pane, help and the outside programs, on the program started as a user starts it.
#include <gtest/gtest.h>

#include <QAction>
#include <QCalendarWidget>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMap>
#include <QMenu>

#include "core/about.h"
#include "core/main.h"
#include "core/mainactions.h"
#include "core/orvdbserver.h"
#include "core/startframe.h"
#include "core/toolexplorerframe.h"
#include "core/toolkalenderframe.h"
#include "core/umgebung.h"
#include "platform/vcl/actnlist.h"
#include "platform/vcl/dbctrls.h"
#include "tests/core/programfixture.h"
#include "tests/support/athletedb.h"

namespace {

// The states of the enabling matrix, in the column order of the table below.
const TMainState kStates[] = {
    {},                                         // no database
    {false, true, false, false},                // configuration open
    {true, true, true, false},                  // database open
    {false, false, false, true},                // no database, hrm.exe present
    {true, true, true, true},                   // database open, hrm.exe present
};

// Every action and whether its rule enables it in each state ('1') or not ('0').
const struct {
    const char* name;
    const char* enabled;
} kMatrix[] = {
    {"FileNew1", "11111"},        {"FileOpen1", "11111"},        {"FileClose1", "00101"},
    {"FileDBImport1", "00101"},   {"FileExcelImport1", "00101"}, {"Action26", "00101"},
    {"Action28", "00101"},        {"Action19", "00101"},         {"Action20", "11010"},
    {"FileDBReparieren1", "11111"}, {"Action23", "00101"},       {"Action24", "11111"},
    {"FilePrint1", "00101"},      {"FileExit1", "11111"},        {"Action22", "00101"},
    {"EditMuster1", "00101"},     {"Action25", "11111"},         {"StatZeitraum1", "00101"},
    {"StatWochen1", "00101"},     {"StatJahr1", "00101"},        {"StatAnalyse1", "00101"},
    {"Action27", "11111"},        {"Trainingszeiten", "11111"},  {"TempoflexTrain", "11111"},
    {"Action21", "11111"},        {"Action16", "00101"},         {"Trainingslexikon", "11111"},
    {"Action3", "11111"},         {"Action4", "11111"},          {"Action5", "11111"},
    {"Action11", "11111"},        {"Action12", "11111"},         {"Action13", "11111"},
    {"Action14", "11111"},        {"Action15", "11111"},         {"Action6", "11111"},
    {"Action7", "00101"},         {"Action8", "00101"},          {"Action17", "00101"},
    {"Action29", "00011"},        {"Action10", "01101"},         {"Action1", "11111"},
    {"Action2", "11111"},         {"FileRun1", "11111"},         {"HelpAbout1", "11111"},
    // No selection in an edit box and an empty clipboard: the runtime's edit rules say no.
    {"EditCopy1", "00000"},       {"EditPaste1", "00000"},
    // Hidden actions.
    {"FileDBKonvertieren1", "11111"}, {"Action18", "11111"}, {"Action9", "11111"},
};

}  // namespace

TEST(MainActionMatrix, EveryActionFollowsItsRuleInEveryState)
{
    ASSERT_EQ(std::size(kMatrix), MainActions().size()) << "every action has a row";
    for (const auto& row : kMatrix) {
        const TMainActionInfo* info = FindMainAction(QString::fromLatin1(row.name));
        ASSERT_NE(info, nullptr) << row.name;
        for (int s = 0; s < 5; ++s) {
            EXPECT_EQ(RuleAllows(info->Rule, kStates[s]), row.enabled[s] == '1') << row.name << " state " << s;
            // An action whose window is not built yet stays disabled whatever the state.
            EXPECT_EQ(MainActionEnabled(*info, kStates[s]), info->Built && row.enabled[s] == '1')
                << row.name << " state " << s;
        }
    }
}

TEST(MainActionMatrix, EditRulesFollowTheFocusedEditBox)
{
    TMainState s;
    s.CanCopy = true;
    EXPECT_TRUE(RuleAllows(TEnableRule::EditCopy, s));
    EXPECT_FALSE(RuleAllows(TEnableRule::EditPaste, s));
    s = {};
    s.CanPaste = true;
    EXPECT_TRUE(RuleAllows(TEnableRule::EditPaste, s));
}

class MainFormTest : public ProgramTest {
protected:
    // The enabled actions after an idle update.
    QStringList enabledActions() const
    {
        UpdateAllActions();
        QStringList names;
        for (TAction* a : MainForm->ActionManager1->Actions())
            if (a->Enabled())
                names << a->Name();
        return names;
    }
};

TEST_F(MainFormTest, IdleUpdateFollowsTheDatabaseAndTheHeartRateManager)
{
    AthleteDatabase db;
    StartProgram({});
    const QStringList closed = enabledActions();
    EXPECT_EQ(closed, QStringList({"FileNew1", "FileOpen1", "Action20", "FileDBReparieren1", "Action24", "FileExit1", "Action25",
                                   "Action27", "Trainingszeiten", "TempoflexTrain", "Action21", "Trainingslexikon", "Action3",
                                   "Action4", "Action18", "Action11", "Action12", "Action13", "Action14", "Action15",
                                   "Action1", "Action2", "FileRun1", "HelpAbout1"}));

    ASSERT_TRUE(orvServer->openDatabase(db.path()));
    EXPECT_TRUE(enabledActions().contains("FileClose1"));
    EXPECT_FALSE(enabledActions().contains("Action29"));

    QFile hrm(ProgramFile("hrm.exe"));
    ASSERT_TRUE(hrm.open(QIODevice::WriteOnly));
    hrm.close();
    EXPECT_TRUE(enabledActions().contains("Action29"));
    MainForm->Action29->Execute();
    ASSERT_EQ(started.size(), 1);
    EXPECT_EQ(QFileInfo(started[0].FileName).fileName(), "hrm.exe");
    EXPECT_EQ(started[0].Folder, ProgramDir());
}

TEST_F(MainFormTest, ActionsCarryTheirCaptionsShortcutsAndHints)
{
    StartProgram({});
    EXPECT_EQ(MainForm->FileNew1->Caption(), "&Neu");
    EXPECT_EQ(MainForm->FileNew1->ShortCut(), QKeySequence("Ctrl+N"));
    EXPECT_EQ(MainForm->FileNew1->Hint(), "Neu|Neue Datei erstellen");
    EXPECT_EQ(MainForm->Trainingslexikon->ShortCut(), QKeySequence("F2"));
    EXPECT_EQ(MainForm->Action1->ShortCut(), QKeySequence("F1"));
    EXPECT_EQ(MainForm->FileRun1->ShortCut(), QKeySequence("F3"));
    EXPECT_EQ(MainForm->StatZeitraum1->Hint(), "Zeitraumstatistik");
    EXPECT_FALSE(MainForm->FileDBKonvertieren1->Visible());
    EXPECT_FALSE(MainForm->Action9->Visible());

    // Menu entries with their own caption; the tool bar in the action order of the window.
    const auto titles = [](QMenu* m) {
        QStringList t;
        for (QAction* a : m->actions())
            if (!a->isSeparator())
                t << a->text();
        return t;
    };
    auto* import = MainForm->findChild<QMenu*>("Import1");
    ASSERT_NE(import, nullptr);
    EXPECT_EQ(titles(import), QStringList({"&DB Import", "&Excel Import", "Polar-Import", "Garmin-Import",
                                           "Outbreaker-Import", "&Orvalo"}));
    EXPECT_EQ(MainForm->ActionToolBar1->actions().size(), 15 + 4);  // 15 buttons, 4 separators
    for (const TMainActionInfo& info : MainActions()) {
        if (info.Image >= 0) {
            EXPECT_FALSE(MainForm->ImageList1->GetBitmap(info.Image).isNull()) << info.Name;
        }
    }
}

TEST_F(MainFormTest, ViewsAreHostedByName)
{
    AthleteDatabase db;
    StartProgram({});
    EXPECT_EQ(MainForm->getNavigator(), "Start");
    EXPECT_EQ(startFrm->parentWidget(), MainForm->Panel3);
    EXPECT_EQ(MainForm->getTool(), "None");

    // The calendar is always there and shows today, whatever it showed before.
    toolKalenderFrm->MonthCalendar1->setSelectedDate(QDate(2001, 1, 1));
    MainForm->setTool("Kalender", true);
    EXPECT_EQ(toolKalenderFrm->parentWidget(), MainForm->Panel6);
    EXPECT_EQ(toolKalenderFrm->MonthCalendar1->selectedDate(), QDate(2024, 3, 15));
    EXPECT_EQ(MainForm->getTool(), QString());  // neither "Equipment" nor "QuickStat"

    // The other tools only while a database is open.
    MainForm->setTool("Vorschau", false);
    EXPECT_EQ(MainForm->getTool(), "None");
    EXPECT_EQ(toolKalenderFrm->parentWidget(), nullptr);
    ScriptedAnswers::pushFileName(db.path());
    MainForm->FileOpen1->Execute();  // the entry window shows: the database counts as open
    MainForm->setTool("Vorschau", false);
    EXPECT_EQ(toolExplorerFrm->parentWidget(), MainForm->Panel6);
    MainForm->setTool("Woche", false);  // its frame joins later: the pane stays empty
    EXPECT_EQ(MainForm->getTool(), "None");

    MainForm->setNavigator("None");
    EXPECT_EQ(MainForm->getNavigator(), "None");
    MainForm->setNavigator("Start");
    EXPECT_EQ(MainForm->getNavigator(), "Start");
}

TEST_F(MainFormTest, PreviewFollowsTheExplorersCurrentUnit)
{
    AthleteDatabase db;
    db.exec("INSERT INTO DATEN (dat_Id, Datum, Ort, Zeit, Meter, Sportart, Form, Belastungsart, Belastungsstufe, "
            "Hoehendifferenz) VALUES (1, 45000, 'Stadtpark', 0.02, 5000, 1, 2, 1, 2, 35), "
            "(2, 45001, 'Hafen', 0.03, 8000, 2, 1, 1, 3, 0)");
    StartProgram({db.path()});
    ASSERT_TRUE(MainForm->databaseOpen());
    auto texts = [] {
        QStringList l;
        for (QLabel* t : toolExplorerFrm->DBTexts)
            l << t->text();
        return l;
    };
    ASSERT_TRUE(orvServer->explorer.Locate("dat_Id", 1));
    const QStringList first = texts();
    EXPECT_EQ(first[1], "Stadtpark");
    EXPECT_EQ(first[2], "Laufen");
    EXPECT_EQ(first[3], "Wettkampf");
    EXPECT_EQ(first[6], "35");
    ASSERT_TRUE(orvServer->explorer.Locate("dat_Id", 2));
    EXPECT_EQ(texts()[1], "Hafen");
    EXPECT_EQ(texts()[2], "Radfahren");

    MainForm->FileClose1->Execute();  // the explorer closes with the database: empty texts
    EXPECT_EQ(texts(), QStringList(9, QString()));
}

TEST_F(MainFormTest, ResettingTheToolMenuHidesThePageItems)
{
    StartProgram({});
    for (QAction* a : {MainForm->Bio1, MainForm->Vorschau1})
        a->setVisible(true);
    bool clicked = false;
    MainForm->XPButton4->OnClick = [&](QObject*) { clicked = true; };
    MainForm->setTool("Kalender", false);
    EXPECT_TRUE(MainForm->Bio1->isVisible());
    EXPECT_TRUE(MainForm->XPButton4->OnClick != nullptr);
    MainForm->setTool("Kalender", true);
    EXPECT_FALSE(MainForm->Bio1->isVisible());
    EXPECT_FALSE(MainForm->Vorschau1->isVisible());
    EXPECT_TRUE(MainForm->Kalender1->isVisible());
    EXPECT_FALSE(MainForm->XPButton4->OnClick);
    EXPECT_FALSE(clicked);
    MainForm->Kalender1->trigger();
    EXPECT_EQ(toolKalenderFrm->parentWidget(), MainForm->Panel6);
}

TEST_F(MainFormTest, ToolPaneCollapsesAndExpandsStepByStep)
{
    StartProgram({});
    QList<int> heights;
    struct Recorder : QObject {
        QList<int>* h;
        bool eventFilter(QObject* o, QEvent* e) override
        {
            if (e->type() == QEvent::Resize)
                *h << static_cast<QWidget*>(o)->height();
            return false;
        }
    } recorder;
    recorder.h = &heights;
    MainForm->Panel9->installEventFilter(&recorder);
    ASSERT_EQ(MainForm->Panel9->height(), 228);

    MainForm->XPButton1Click(MainForm->UiNavPanel4);  // collapse
    EXPECT_EQ(MainForm->Panel9->height(), 18);
    ASSERT_FALSE(heights.isEmpty());
    EXPECT_EQ(heights.first(), 150);
    EXPECT_EQ(MainForm->Panel6->geometry().top(), 18);  // the header stays visible

    heights.clear();
    MainForm->XPButton1Click(MainForm->UiNavPanel4);  // already collapsed
    EXPECT_TRUE(heights.isEmpty());

    MainForm->UiNavPanel5->Click();  // expand
    EXPECT_EQ(MainForm->Panel9->height(), 228);
    ASSERT_FALSE(heights.isEmpty());
    EXPECT_EQ(heights.first(), 100);
    EXPECT_EQ(MainForm->Panel9->geometry().bottom(), MainForm->Panel5->height() - 1);

    heights.clear();
    MainForm->XPButton1Click(MainForm->Panel10);  // already expanded
    EXPECT_TRUE(heights.isEmpty());
    MainForm->Panel9->removeEventFilter(&recorder);
}

TEST_F(MainFormTest, NewDatabaseInAnEmptyFolderIsCreatedAndOpened)
{
    TempFolder folder;
    const QString file = folder.file("neu.orv");
    ScriptedAnswers::pushFileName(file);
    StartProgram({});
    // The new athlete's options come up at once, on the new database.
    bool optionsShown = false;
    ScriptedAnswers::onShowModal<TUmgebungsoptionen>([&](TUmgebungsoptionen& f) {
        optionsShown = orvServer->DatabasePath() == file;
        f.CancelBtn->click();
    });
    MainForm->FileNew1->Execute();
    EXPECT_TRUE(optionsShown);
    EXPECT_TRUE(QFileInfo::exists(file));
    EXPECT_TRUE(MainForm->databaseOpen());
    EXPECT_EQ(orvServer->DatabasePath(), file);
    EXPECT_TRUE(MainForm->windowTitle().contains(QFileInfo(file).fileName())) << MainForm->windowTitle().toStdString();
    ASSERT_EQ(ScriptedAnswers::fileDialogs().size(), 1);
    EXPECT_EQ(ScriptedAnswers::fileDialogs()[0].Title, "Neuer Benutzer");
    EXPECT_TRUE(ScriptedAnswers::fileDialogs()[0].Save);
    EXPECT_TRUE(ScriptedAnswers::messages().isEmpty()) << messageTexts().join("\n").toStdString();

    // Closing puts the start page back and closes the database.
    MainForm->FileClose1->Execute();
    EXPECT_FALSE(MainForm->databaseOpen());
    EXPECT_EQ(MainForm->getNavigator(), "Start");
    EXPECT_EQ(MainForm->getTool(), "None");
}

TEST_F(MainFormTest, NewDatabaseOntoAnExistingFileAsksFirst)
{
    TempFolder folder;
    const QString file = folder.write("alt.orv", "not a database, but the user's file");
    StartProgram({});

    // No: the file stays as it was and nothing is opened.
    ScriptedAnswers::pushFileName(file);
    ScriptedAnswers::pushMessageAnswer(mrNo);
    MainForm->FileNew1->Execute();
    ASSERT_EQ(ScriptedAnswers::messages().size(), 1);
    EXPECT_EQ(ScriptedAnswers::messages()[0].Type, mtConfirmation);
    EXPECT_TRUE(ScriptedAnswers::messages()[0].Text.contains(QDir::toNativeSeparators(file)));
    EXPECT_FALSE(MainForm->databaseOpen());
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("not a database, but the user's file"));
    f.close();

    // Yes: replaced by the template and opened.
    ScriptedAnswers::pushFileName(file);
    ScriptedAnswers::pushMessageAnswer(mrYes);
    ScriptedAnswers::onShowModal<TUmgebungsoptionen>([](TUmgebungsoptionen& options) { options.CancelBtn->click(); });
    MainForm->FileNew1->Execute();
    EXPECT_TRUE(MainForm->databaseOpen());
    EXPECT_EQ(QFileInfo(file).size(), QFileInfo(ProgramFile("DB/leer.orv.system")).size());
}

TEST_F(MainFormTest, NewDatabaseWithoutTemplateFailsWithAMessage)
{
    TempFolder folder;
    QFile::remove(ProgramFile("DB/leer.orv.system"));
    StartProgram({});
    ScriptedAnswers::pushFileName(folder.file("neu.orv"));
    ScriptedAnswers::pushMessageAnswer(mrOk);
    MainForm->FileNew1->Execute();
    ASSERT_EQ(ScriptedAnswers::messages().size(), 1);
    EXPECT_EQ(ScriptedAnswers::messages()[0].Type, mtError);
    EXPECT_TRUE(ScriptedAnswers::messages()[0].Text.contains("leer.orv.system"));
    EXPECT_FALSE(QFileInfo::exists(folder.file("neu.orv")));
    EXPECT_FALSE(MainForm->databaseOpen());
}

TEST_F(MainFormTest, EnglishRunCopiesTheEnglishTemplate)
{
    TempFolder folder;
    StartProgram({"x", "en"});
    QFile::remove(ProgramFile("DB/leer.orv.system"));  // only the English template is needed
    ScriptedAnswers::pushFileName(folder.file("new.orv"));
    ScriptedAnswers::onShowModal<TUmgebungsoptionen>([](TUmgebungsoptionen& f) { f.CancelBtn->click(); });
    MainForm->FileNew1->Execute();
    EXPECT_TRUE(MainForm->databaseOpen());
    EXPECT_EQ(QFileInfo(folder.file("new.orv")).size(), QFileInfo(ProgramFile("DB/leer_ENG.orv.system")).size());
}

TEST_F(MainFormTest, OpenAndCloseThroughTheFileMenu)
{
    AthleteDatabase db;
    StartProgram({});
    ScriptedAnswers::pushFileName("");  // cancelled
    MainForm->FileOpen1->Execute();
    EXPECT_FALSE(MainForm->databaseOpen());

    ScriptedAnswers::pushFileName(db.path());
    MainForm->FileOpen1->Execute();
    EXPECT_TRUE(MainForm->databaseOpen());
    EXPECT_EQ(ScriptedAnswers::fileDialogs().last().Filter, "Orvalo Datenbanken (*.orv)|*.orv|Alle Dateien(*.*)|*.*");

    // A file that is no database: the data module reports it, nothing stays open.
    TempFolder folder;
    const QString bad = folder.write("kaputt.orv", "garbage");
    ScriptedAnswers::pushFileName(bad);
    ScriptedAnswers::pushMessageAnswer(mrOk);
    MainForm->FileOpen1->Execute();
    EXPECT_FALSE(MainForm->databaseOpen());
    EXPECT_EQ(ScriptedAnswers::lastMessage().Type, mtError);
}

TEST_F(MainFormTest, CompactionIsRefusedWhileADatabaseIsOpen)
{
    AthleteDatabase db;
    StartProgram({db.path()});
    ASSERT_TRUE(MainForm->databaseOpen());
    ScriptedAnswers::pushMessageAnswer(mrOk);
    MainForm->FileDBReparieren1->Execute();
    EXPECT_EQ(messageTexts(), QStringList({QString::number(mtError) + ':' + LoadStr(msg::CloseAllUsersFirst)}));
    EXPECT_TRUE(ScriptedAnswers::fileDialogs().isEmpty());

    ScriptedAnswers::clear();
    MainForm->FileClose1->Execute();
    ScriptedAnswers::pushFileName(db.path());
    ScriptedAnswers::pushMessageAnswer(mrOk);
    MainForm->FileDBReparieren1->Execute();
    EXPECT_EQ(messageTexts(), QStringList({QString::number(mtInformation) + ':' + LoadStr(msg::CompactionDone)}));
    EXPECT_EQ(ScriptedAnswers::fileDialogs().last().Title, "Datenbank komprimieren");
    EXPECT_FALSE(QFileInfo::exists(db.path() + ".pck"));
    EXPECT_TRUE(QFileInfo::exists(db.path()));
}

TEST_F(MainFormTest, HelpManualAndLexiconFollowTheLanguage)
{
    for (const char* f : {"orv5help/Willkommen.htm", "orv5help/Hilfe0.htm", "orv5help/Navigator.htm", "Zaredor5.chm",
                          "handbuch.pdf", "Lexicon5_ENG.chm", "handbuch_ENG.pdf"})
        touchProgramFile(f);
    StartProgram({});
    MainForm->Action1->Execute();
    MainForm->Action2->Execute();
    bool callHelp = true;
    EXPECT_FALSE(MainForm->showHelp(1, "Navigator", callHelp));
    EXPECT_FALSE(callHelp);
    EXPECT_EQ(helpPages, QStringList({ProgramFile("orv5help/Willkommen.htm"), ProgramFile("orv5help/Hilfe0.htm"),
                                      ProgramFile("orv5help/Navigator.htm")}));
    MainForm->Trainingslexikon->Execute();
    MainForm->FileRun1->Execute();
    ASSERT_EQ(started.size(), 2);
    EXPECT_EQ(started[0].FileName, ProgramFile("Zaredor5.chm"));
    EXPECT_EQ(started[1].FileName, ProgramFile("handbuch.pdf"));

    FinishProgram();
    started.clear();
    StartProgram({"x", "en"});
    EXPECT_EQ(HelpFile(), ProgramFile("orv5help_ENG.chm"));
    MainForm->Trainingslexikon->Execute();
    MainForm->FileRun1->Execute();
    ASSERT_EQ(started.size(), 2);
    EXPECT_EQ(started[0].FileName, ProgramFile("Lexicon5_ENG.chm"));
    EXPECT_EQ(started[1].FileName, ProgramFile("handbuch_ENG.pdf"));
}

TEST_F(MainFormTest, EveryShortcutHasOneOwnerSoF1OpensTheHelpAndAMissingLexiconIsReported)
{
    touchProgramFile("orv5help/Willkommen.htm");
    StartProgram({});
    // Menu items show the shortcuts of their actions; a second owner in the window would make
    // the key ambiguous (F1 did nothing at all).
    QMap<QString, QStringList> owners;
    for (QAction* a : MainForm->findChildren<QAction*>()) {
        if (a->shortcut().isEmpty() || a->shortcutContext() == Qt::WidgetShortcut)
            continue;
        owners[a->shortcut().toString()] << a->text();
    }
    for (auto it = owners.cbegin(); it != owners.cend(); ++it)
        EXPECT_EQ(it.value().size(), 1) << it.key().toStdString() << ": " << it.value().join(", ").toStdString();
    ASSERT_EQ(owners.value("F1").size(), 1);
    UpdateAllActions();
    for (QAction* a : MainForm->findChildren<QAction*>())
        if (a->shortcut() == QKeySequence("F1") && a->shortcutContext() != Qt::WidgetShortcut)
            a->trigger();
    EXPECT_EQ(helpPages, QStringList{ProgramFile("orv5help/Willkommen.htm")});

    // F2 without the lexicon beside the program says which file is missing.
    ScriptedAnswers::pushMessageAnswer(mrOk);
    MainForm->Trainingslexikon->Execute();
    EXPECT_TRUE(started.isEmpty());
    EXPECT_EQ(ScriptedAnswers::lastMessage().Type, mtError);
    EXPECT_EQ(ScriptedAnswers::lastMessage().Text,
              "Die Datei \"" + QDir::toNativeSeparators(ProgramFile("Zaredor5.chm")) + "\" wurde nicht gefunden.");
}

TEST_F(MainFormTest, TheCaptionIsTheProgramTitleAndPathWithoutTheDesktopsSuffix)
{
    AthleteDatabase db;
    StartProgram({db.path()});
    EXPECT_EQ(MainForm->windowTitle(), "Orvalo 5 - [" + db.path() + "]");
    // The desktop appends the toolkit's display name to every title once it is set, which gave
    // "Orvalo 5 - [path] — Orvalo 5": the program's title is kept apart from it.
    EXPECT_EQ(QGuiApplication::applicationDisplayName(), QCoreApplication::applicationName());
}

TEST_F(MainFormTest, ClosingTheWindowClosesTheDatabaseAndCleansTemp)
{
    AthleteDatabase db;
    const QString copy = UserDataFile("Temp/~copy.xml");
    const QString hrm = UserDataFile("Temp/~import.hrm");
    for (const QString& f : {copy, hrm}) {
        QFile file(f);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    StartProgram({db.path()});
    ASSERT_TRUE(MainForm->databaseOpen());
    MainForm->FileExit1->Execute();
    EXPECT_FALSE(orvServer->DatabaseOpen());
    EXPECT_FALSE(QFileInfo::exists(copy));
    EXPECT_FALSE(QFileInfo::exists(hrm));
}

TEST_F(MainFormTest, AboutBoxShowsTheBuildAndTheBrandingText)
{
    QDir(ProgramDir()).mkpath("Custom");
    StartProgram({});
    QString build, memo;
    ScriptedAnswers::onShowModal<TAboutForm>([&](TAboutForm& f) {
        build = f.Label6->text();
        memo = f.Memo1->toPlainText();
        f.Button1->click();
    });
    MainForm->HelpAbout1->Execute();
    EXPECT_TRUE(build.startsWith("Build: ")) << build.toStdString();
    EXPECT_GT(build.size(), QString("Build: ").size());
    EXPECT_FALSE(memo.isEmpty());
    EXPECT_EQ(AboutForm, nullptr);  // freed after showing

    for (const auto& [content, expected] : {std::pair<QByteArray, QString>{"Laufclub Nord\r\nTel. 0123\r\n",
                                                                            "Laufclub Nord\nTel. 0123"},
                                            {"", ""}}) {
        QFile custom(ProgramFile("Custom/customabout.txt"));
        ASSERT_TRUE(custom.open(QIODevice::WriteOnly));
        custom.write(content);
        custom.close();
        ScriptedAnswers::onShowModal<TAboutForm>([&](TAboutForm& f) {
            memo = f.Memo1->toPlainText();
            f.Button1->click();
        });
        MainForm->HelpAbout1->Execute();
        EXPECT_EQ(memo, expected);
    }
}
