// The start-up: command line, language switch, QuickLoad, the splash window and the objects that
// live for the whole run; and the small windows of the start: start page and busy window.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QApplication>
#include <QImage>
#include <QLibraryInfo>
#include <QMenu>
#include <QPainter>

#include "core/busy.h"
#include "core/main.h"
#include "core/orvdbserver.h"
#include "core/dtsetup.h"
#include "core/splash.h"
#include "core/startframe.h"
#include "core/toolexplorerframe.h"
#include "core/toolkalenderframe.h"
#include "exchange/dbrestoreu.h"
#include "tests/core/programfixture.h"
#include "tests/support/athletedb.h"
#include "tests/support/testenv.h"

using StartupTest = ProgramTest;

TEST_F(StartupTest, WithoutArgumentsNothingIsOpened)
{
    StartProgram({});
    EXPECT_NE(MainForm, nullptr);
    EXPECT_NE(startFrm, nullptr);
    EXPECT_NE(orvServer, nullptr);
    EXPECT_NE(BusyDlg, nullptr);
    EXPECT_NE(toolKalenderFrm, nullptr);
    EXPECT_NE(toolExplorerFrm, nullptr);
    EXPECT_EQ(IntroScreen, nullptr) << "the first show frees the splash window";
    EXPECT_TRUE(MainForm->isVisible());
    EXPECT_EQ(MainForm->windowTitle(), "Orvalo 5");
    EXPECT_FALSE(MainForm->databaseOpen());
    EXPECT_EQ(MainForm->getNavigator(), "Start");
    EXPECT_EQ(MainForm->getLanguageCode(), "DEU");
    EXPECT_EQ(FormatSettings().LongTimeFormat, "hh:mm:ss");
    EXPECT_TRUE(ScriptedAnswers::messages().isEmpty());
    // The start page is created first: the main window puts it into its navigator panel. The
    // output-options dialog follows the main window, before the data module.
    EXPECT_EQ(StartupObjectNames().mid(0, 4), QStringList({"startFrm", "MainForm", "dtSetupForm", "orvServer"}));
    EXPECT_NE(dtSetupForm, nullptr);

    FinishProgram();
    EXPECT_EQ(MainForm, nullptr);
    EXPECT_EQ(startFrm, nullptr);
    EXPECT_EQ(orvServer, nullptr);
}

TEST_F(StartupTest, OneArgumentOpensThatDatabase)
{
    AthleteDatabase db;
    setProgramValue("QuickLoadAktiviert", true);
    setProgramValue("QuickLoadFile", "/nirgendwo/gibt/es/das.orv");  // the command line wins
    StartProgram({db.path()});
    EXPECT_TRUE(MainForm->databaseOpen());
    EXPECT_EQ(orvServer->DatabasePath(), db.path());
    EXPECT_TRUE(MainForm->windowTitle().contains(db.path())) << MainForm->windowTitle().toStdString();
    EXPECT_TRUE(ScriptedAnswers::messages().isEmpty());
}

TEST_F(StartupTest, OpeningADatabaseRemovesWhatAKilledBackupOrRestoreLeftBesideIt)
{
    AthleteDatabase db;
    const QString folder = QFileInfo(db.path()).absolutePath();
    const QStringList leftovers = {"temp.~orv", ".temp.~orv.part", ".athlet.orv.part-Q7w2Ez",
                                   ".filter.sql.part-000aaa"};
    const QStringList kept = {"temp.orv", ".athlet.orv.part", "notiz.part-Q7w2Ez"};
    for (const QString& f : leftovers + kept)
        QFile(QDir(folder).filePath(f)).open(QIODevice::WriteOnly);
    StartProgram({db.path()});
    ASSERT_TRUE(MainForm->databaseOpen());
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name),
              QStringList({".athlet.orv.part", "athlet.orv", "notiz.part-Q7w2Ez", "temp.orv"}));
}

TEST_F(StartupTest, PathAndEnSwitchToEnglishAndApplyQuickLoad)
{
    AthleteDatabase commandLine("kommandozeile.orv");
    AthleteDatabase quick("quick.orv");
    setProgramValue("QuickLoadAktiviert", true);
    setProgramValue("QuickLoadFile", quick.path());
    StartProgram({commandLine.path(), "en"});
    EXPECT_EQ(orvServer->DatabasePath(), quick.path());
    EXPECT_EQ(MainForm->getLanguageCode(), "ENG");
    EXPECT_EQ(MainForm->FileNew1->Caption(), "&New");
    EXPECT_EQ(MainForm->FileNew1->Hint(), "New|Create a new file");
    EXPECT_EQ(MainForm->findChild<QMenu*>("Datei1")->title(), "&File");
    EXPECT_EQ(startFrm->ListView1->item(1)->text(), "Open user");
    EXPECT_NE(LoadStr(msg::QuickLoadFolderMissing), GermanMessage(65492));
}

TEST_F(StartupTest, OnlyALowerCaseEnAsSecondArgumentSwitches)
{
    for (const char* second : {"EN", "de"}) {
        StartProgram({"egal.orv", second});
        EXPECT_EQ(MainForm->getLanguageCode(), "DEU") << second;
        EXPECT_EQ(MainForm->FileNew1->Caption(), "&Neu") << second;
        EXPECT_FALSE(MainForm->databaseOpen()) << "two arguments open nothing from the command line";
        FinishProgram();
    }
}

TEST_F(StartupTest, FormatsAreTheDesktopsNamedLocaleElseTheInterfaceLanguages)
{
    struct Case {
        const char* desktop;  // LC_ALL
        bool english;
        const char* date;     // 2 December 2026, 18:00
        const char* time;
        const char* decimal;  // 9.5
        const char* december;
    };
    const Case cases[] = {
        {"C", false, "02.12.2026", "18:00", "9,5", "Dezember"},
        {"C", true, "02/12/2026", "18:00", "9.5", "December"},
        {"POSIX", true, "02/12/2026", "18:00", "9.5", "December"},
        {"de_DE.UTF-8", true, "02.12.2026", "18:00", "9,5", "Dezember"},
        {"en_GB.UTF-8", false, "02/12/2026", "18:00", "9.5", "December"},
    };
    const TDateTime evening = EncodeDate(2026, 12, 2) + EncodeTime(18, 0, 0, 0);
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.desktop) + (c.english ? " en" : ""));
        const DesktopLocaleScope desktop(c.desktop);
        StartProgram(c.english ? QStringList{"egal.orv", "en"} : QStringList{});
        EXPECT_EQ(DateToStr(evening), c.date);
        EXPECT_EQ(FormatDateTime(FormatSettings().ShortTimeFormat, evening), c.time);
        EXPECT_EQ(TimeToStr(evening), QString::fromLatin1(c.time) + ":00") << "the long time is always hh:mm:ss";
        EXPECT_EQ(FloatToStr(9.5), c.decimal);
        // The data module's fields and the toolkit's calendars read the same formats.
        EXPECT_EQ(orvServer->daten.FieldByName("Startzeit")->DisplayFormat(), FormatSettings().ShortTimeFormat);
        EXPECT_EQ(QLocale().monthName(12), c.december);
        EXPECT_EQ(toolKalenderFrm->MonthCalendar1->locale().monthName(12), c.december);
        FinishProgram();
    }
}

TEST_F(StartupTest, QtsOwnDialogTextsFollowTheInterfaceLanguage)
{
    // scripts/install-deps installs Qt's own German texts; without them this test must fail.
    ASSERT_TRUE(QFileInfo::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + "/qtbase_de.qm"))
        << "Qt's German texts are not installed";
    const char* label = "File &name:";  // the file dialogs' name box
    StartProgram({});
    EXPECT_EQ(QCoreApplication::translate("QFileDialog", label), "Datei&name:");
    FinishProgram();
    StartProgram({"egal.orv", "en"});
    EXPECT_EQ(QCoreApplication::translate("QFileDialog", label), label);
    FinishProgram();
    EXPECT_EQ(QCoreApplication::translate("QFileDialog", label), label);
}

TEST_F(StartupTest, MissingQuickLoadFileIsReported)
{
    setProgramValue("QuickLoadAktiviert", true);
    setProgramValue("QuickLoadFile", "/nirgendwo/gibt/es/das.orv");
    ScriptedAnswers::pushMessageAnswer(mrOk);
    StartProgram({});
    ASSERT_EQ(ScriptedAnswers::messages().size(), 1);
    EXPECT_EQ(ScriptedAnswers::messages()[0].Type, mtError);
    EXPECT_EQ(ScriptedAnswers::messages()[0].Text, "Das eingestellte QuickLoad-Verzeichnis existiert nicht.");
    EXPECT_FALSE(MainForm->databaseOpen());
}

TEST_F(StartupTest, QuickLoadSwitchedOffOrMalformedOpensNothing)
{
    AthleteDatabase quick;
    setProgramValue("QuickLoadFile", quick.path());
    for (const QVariant& on : {QVariant(false), QVariant(QStringLiteral("ja"))}) {
        setProgramValue("QuickLoadAktiviert", on);
        StartProgram({});
        EXPECT_FALSE(MainForm->databaseOpen()) << on.toString().toStdString();
        FinishProgram();
    }
    EXPECT_TRUE(ScriptedAnswers::messages().isEmpty());
}

TEST_F(StartupTest, SplashWindowIsGoneBeforeAnyQuestion)
{
    // The first box of the start-up is left unscripted: the layer reports it, and the report
    // tells whether the splash window still existed at that moment.
    setProgramValue("QuickLoadAktiviert", true);
    setProgramValue("QuickLoadFile", "/nirgendwo/gibt/es/das.orv");
    QList<bool> splashAlive;
    ScriptedAnswers::activate([&](const QString&) { splashAlive << (IntroScreen != nullptr); });
    StartProgram({});
    ScriptedAnswers::activate([](const QString& m) { ADD_FAILURE() << m.toStdString(); });
    EXPECT_EQ(splashAlive, QList<bool>({false}));
}

TEST_F(StartupTest, StoredLanguageChoiceIsReadForThisProgram)
{
    TRegistry reg;
    reg.SetRootKey(HKEY_CURRENT_USER);
    reg.OpenKey(QString::fromLatin1(kLocaleRegistryKey), true);
    reg.WriteString(QCoreApplication::applicationFilePath(), "ENG");
    EXPECT_EQ(StoredLanguageCode(), "ENG");
    StartProgram({});
    EXPECT_EQ(MainForm->getLanguageCode(), "ENG");
    EXPECT_EQ(MainForm->FileOpen1->Caption(), "&Open");
    EXPECT_EQ(HelpFile(), ProgramFile("orv5help_ENG.chm"));
}

TEST_F(StartupTest, LanguageModuleFallsBackToTwoLetters)
{
    // The modules beside the program carry two-letter codes ("_en"): "ENG" finds them second.
    EXPECT_TRUE(LoadLocaleResourceModule("ENG"));
    EXPECT_NE(LoadStr(msg::CompactionDone), GermanMessage(65494));
    SetLanguageModule(nullptr);
    EXPECT_FALSE(LoadLocaleResourceModule("XYZ"));
    EXPECT_FALSE(LoadLocaleResourceModule(""));
    EXPECT_EQ(LoadStr(msg::CompactionDone), "Kompression abgeschlossen.");
}

TEST_F(StartupTest, EnglishModuleCoversEveryMessage)
{
    ASSERT_TRUE(LoadLocaleResourceModule("ENG"));
    for (const TMessageEntry& e : MessageTable())
        EXPECT_FALSE(LoadStr(e.Id).isEmpty()) << e.Id;
}

// ---------------------------------------------------------------------------------------------
// Splash window

class SplashTest : public ProgramTest {
protected:
    void TearDown() override
    {
        freeIntroScreen();
        ProgramTest::TearDown();
    }
    static void writePicture(const QString& name, QSize size, QColor corner)
    {
        QDir(ProgramDir()).mkpath("Custom");
        QImage img(size, QImage::Format_RGB32);
        img.fill(Qt::gray);
        img.setPixelColor(2, 2, corner);
        ASSERT_TRUE(img.save(ProgramFile("Custom/" + name), "BMP"));
    }
};

TEST_F(SplashTest, ShowsNameAndCompanyAndStepsToItsMaximum)
{
    setProgramValue("Name", "Erika Mustermann");
    setProgramValue("Company", "Laufclub Nord");
    initIntroScreen(5);
    EXPECT_EQ(IntroScreen->Label2->text(), "Erika Mustermann");
    EXPECT_EQ(IntroScreen->Label1->text(), "Laufclub Nord");
    EXPECT_FALSE(IntroScreen->Label5->isVisibleTo(IntroScreen));
    EXPECT_EQ(IntroScreen->size(), QSize(420, 280));
    EXPECT_EQ(IntroScreen->Gauge1->maximum(), 5);
    for (int i = 0; i < 5; ++i)
        updateIntroScreen("x");
    EXPECT_EQ(IntroScreen->Gauge1->value(), IntroScreen->Gauge1->maximum());
    // The gauge's background is the picture's colour at (2, 2).
    EXPECT_EQ(IntroScreen->Gauge1->property("BackColor").value<QColor>(),
              IntroScreen->Image1->pixmap().toImage().pixelColor(2, 2));
}

TEST_F(SplashTest, MissingValuesLeaveTheLabelsEmpty)
{
    initIntroScreen(5);
    EXPECT_EQ(IntroScreen->Label2->text(), "");
    EXPECT_EQ(IntroScreen->Label1->text(), "");
}

TEST_F(SplashTest, BrandingPicturesReplaceAndExtendTheSplash)
{
    writePicture("bigcustom.bmp", QSize(500, 300), QColor(10, 200, 30));
    writePicture("custom.bmp", QSize(60, 20), Qt::white);
    initIntroScreen(5);
    EXPECT_EQ(IntroScreen->size(), QSize(500, 300));
    EXPECT_EQ(IntroScreen->Gauge1->geometry(), QRect(0, 295, 500, 5));
    IntroScreen->Show();
    EXPECT_EQ(IntroScreen->Gauge1->property("BackColor").value<QColor>(), QColor(10, 200, 30));
    EXPECT_TRUE(IntroScreen->Label5->isVisibleTo(IntroScreen));
    EXPECT_EQ(IntroScreen->Image2->pixmap().size(), QSize(60, 20));
}

// ---------------------------------------------------------------------------------------------
// Start page

using StartPageTest = ProgramTest;

TEST_F(StartPageTest, TasksRunTheMainWindowsActions)
{
    StartProgram({});
    // No selected item: nothing runs.
    startFrm->ListView1->clearSelection();
    startFrm->ListView1Click(startFrm->ListView1);
    startFrm->ListView2->clearSelection();
    startFrm->ListView2Click(startFrm->ListView2);
    EXPECT_TRUE(ScriptedAnswers::fileDialogs().isEmpty());

    const struct {
        int row;
        const char* dialogTitle;  // the file dialog the task opens; nullptr: the restore wizard
    } cases[] = {{0, "Neuer Benutzer"}, {1, ""}, {2, nullptr}, {3, "Datenbank komprimieren"}};
    for (const auto& c : cases) {
        ScriptedAnswers::clear();
        if (c.dialogTitle)
            ScriptedAnswers::pushFileName("");  // cancel the dialog
        bool wizardShown = false;
        if (!c.dialogTitle)
            ScriptedAnswers::onShowModal<TdbRestore>([&](TdbRestore& w) {
                wizardShown = true;
                w.Button4->click();
            });
        startFrm->ListView1->setCurrentRow(c.row);
        startFrm->ListView1Click(startFrm->ListView1);
        EXPECT_EQ(wizardShown, !c.dialogTitle) << c.row;
        if (c.dialogTitle) {
            ASSERT_EQ(ScriptedAnswers::fileDialogs().size(), 1) << c.row;
            EXPECT_EQ(ScriptedAnswers::fileDialogs()[0].Title, c.dialogTitle) << c.row;
        } else {
            EXPECT_TRUE(ScriptedAnswers::fileDialogs().isEmpty()) << c.row;
        }
    }
    EXPECT_EQ(startFrm->ListView1->count(), 4);
    EXPECT_EQ(startFrm->ListView2->item(0)->text(), "Orvalo 4/3/3.5");
}

// ---------------------------------------------------------------------------------------------
// Busy window

TEST(BusyDlgTest, ProgressBarOnlyWhenAskedAndResetAtEachShow)
{
    TBusyDlg dlg;
    EXPECT_FALSE(dlg.showProgress);
    dlg.Show();
    EXPECT_FALSE(dlg.ProgressBar1->isVisible());
    EXPECT_TRUE(dlg.Animate1->Active());
    dlg.Close();
    EXPECT_FALSE(dlg.Animate1->Active());

    for (int round = 0; round < 2; ++round) {
        dlg.showProgress = true;
        dlg.ProgressBar1->setMaximum(3);
        dlg.Show();
        EXPECT_TRUE(dlg.ProgressBar1->isVisible());
        EXPECT_EQ(dlg.ProgressBar1->value(), 0) << round;
        dlg.stepProgress();
        dlg.stepProgress();
        EXPECT_EQ(dlg.ProgressBar1->value(), 2);
        dlg.Close();
        dlg.showProgress = false;
    }
    EXPECT_EQ(dlg.Label1->text(), "Aktion wird bearbeitet. Bitte warten ...");
    EXPECT_EQ(dlg.windowTitle(), "Orvalo 5");
}
