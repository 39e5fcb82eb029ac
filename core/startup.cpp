#include "core/startup.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QScreen>
#include <QTranslator>

#include "analysis/toolquickstatframe.h"
#include "analysis/wochenstatgraf.h"
#include "core/about.h"
#include "core/busy.h"
#include "core/dtsetup.h"
#include "core/language.h"
#include "core/main.h"
#include "core/orvdbserver.h"
#include "core/orvtools.h"
#include "core/splash.h"
#include "core/startframe.h"
#include "core/explorerframe.h"
#include "core/navigatorframe.h"
#include "core/toolexplorerframe.h"
#include "core/toolkalenderframe.h"
#include "grid/editing/gridediting.h"
#include "platform/rtl/application.h"
#include "platform/rtl/sysutils.h"
#include "platform/vcl/dialogs.h"
#include "platform/vcl/registry.h"
#include "traininglog/einheiteneingabe.h"
#include "traininglog/toolcalweekframe.h"
#include "traininglog/tooleqframe.h"
#include "traininglog/pulsgewicht.h"
#include "traininglog/zweditdlg.h"
#include "traininglog/zwinfo.h"
#include "traininglog/kalendermonat.h"
#include "traininglog/kalendertag.h"
#include "traininglog/terminframe.h"

namespace {

QStringList g_params;
bool g_paramsSet = false;
bool g_english = false;

// The start-up list: what is created, in its order. Objects of windows this program does not
// have yet join the list with the code that builds them.
struct StartupStep {
    const char* Instance;
    void (*Create)();
    void (*Free)();
};

template <class T>
void freeGlobal(T*& global)
{
    T* p = global;
    global = nullptr;
    delete p;
}

const StartupStep kSteps[] = {
    {"startFrm", [] { startFrm = new TstartFrm(nullptr); }, [] { freeGlobal(startFrm); }},
    {"MainForm", [] { MainForm = new TMainForm(nullptr); }, [] { freeGlobal(MainForm); }},
    {"dtSetupForm", [] { dtSetupForm = new TdtSetupForm(); }, [] { freeGlobal(dtSetupForm); }},
    {"orvServer",
     [] {
         orvServer = new TorvServer();
         orvServer->DataModuleCreate();
         orvServer->SetHooks(MainForm);
     },
     [] {
         if (orvServer)
             orvServer->closeDatabase();
         freeGlobal(orvServer);
     }},
    // Lies over the main window's work area for the life of the process.
    {"eingabe", [] { eingabe = new Teingabe(MainForm ? MainForm->Panel2 : nullptr); },
     [] { freeGlobal(eingabe); }},
    {"BusyDlg", [] { BusyDlg = new TBusyDlg(nullptr); }, [] { freeGlobal(BusyDlg); }},
    {"zwEditDlg", [] { zwEditDlg = new TzwEditDlg(MainForm); }, [] { freeGlobal(zwEditDlg); }},
    {"toolKalenderFrm", [] { toolKalenderFrm = new TtoolKalenderFrm(nullptr); },
     [] { freeGlobal(toolKalenderFrm); }},
    {"toolExplorerFrm", [] { toolExplorerFrm = new TtoolExplorerFrm(nullptr); },
     [] { freeGlobal(toolExplorerFrm); }},
    {"zwInfo", [] { zwInfo = new TzwInfo(nullptr); }, [] { freeGlobal(zwInfo); }},
    {"toolCalWeekFrm", [] { toolCalWeekFrm = new TtoolCalWeekFrm(nullptr); }, [] { freeGlobal(toolCalWeekFrm); }},
    {"toolEqFrm", [] { toolEqFrm = new TtoolEqFrm(nullptr); }, [] { freeGlobal(toolEqFrm); }},
    {"toolQuickstatFrm", [] { toolQuickstatFrm = new TtoolQuickstatFrm(nullptr); },
     [] { freeGlobal(toolQuickstatFrm); }},
    {"pulsgewFrm", [] { pulsgewFrm = new TpulsgewFrm(nullptr); }, [] { freeGlobal(pulsgewFrm); }},
    {"PulsGewicht", [] { PulsGewicht = new TPulsGewicht(MainForm); }, [] { freeGlobal(PulsGewicht); }},
    {"navigatorFrm", [] { navigatorFrm = new TnavigatorFrm(nullptr); }, [] { freeGlobal(navigatorFrm); }},
    {"explorerFrm", [] { explorerFrm = new TexplorerFrm(nullptr); }, [] { freeGlobal(explorerFrm); }},
    {"wochenstatgraf", [] { wochenstatgraf = new Twochenstatgraf(nullptr); }, [] { freeGlobal(wochenstatgraf); }},
    // The diary page's two views and the planner that hosts them.
    {"frmKalTag", [] { frmKalTag = new TfrmKalTag(nullptr); }, [] { freeGlobal(frmKalTag); }},
    {"frmKalMonat", [] { frmKalMonat = new TfrmKalMonat(nullptr); }, [] { freeGlobal(frmKalMonat); }},
    {"terminFrame", [] { terminFrame = new TterminFrame(nullptr); }, [] { freeGlobal(terminFrame); }},
};
constexpr int kStepCount = int(std::size(kSteps));
int g_created = 0;

// Qt's own texts (the file dialogs' labels and buttons) in German while the interface is German;
// in English they keep Qt's built-in English.
QTranslator* g_qtGerman = nullptr;

void setQtGerman(bool on)
{
    if (!on) {
        if (g_qtGerman)
            QCoreApplication::removeTranslator(g_qtGerman);
        delete g_qtGerman;
        g_qtGerman = nullptr;
        return;
    }
    if (g_qtGerman)
        return;
    auto* t = new QTranslator;
    if (t->load(QStringLiteral("qtbase_de"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(t);
        g_qtGerman = t;
    } else {
        delete t;  // no German Qt texts installed: Qt's dialogs stay English
    }
}

}  // namespace

QStringList ProgramParams()
{
    if (!g_paramsSet)
        return QCoreApplication::arguments().mid(1);
    return g_params;
}

void SetProgramParams(const QStringList& params)
{
    g_params = params;
    g_paramsSet = true;
}

int ParamCount()
{
    return int(ProgramParams().size());
}

QString ParamStr(int index)
{
    const QStringList params = ProgramParams();
    return index >= 1 && index <= params.size() ? params.at(index - 1) : QString();
}

bool EnglishRequested(const QStringList& params)
{
    return params.size() == 2 && params.at(1) == QLatin1String("en");
}

bool StartedInEnglish()
{
    return g_english;
}

QString StoredLanguageCode()
{
    TRegistry reg;
    reg.SetRootKey(HKEY_CURRENT_USER);
    if (!reg.OpenKeyReadOnly(QString::fromLatin1(kLocaleRegistryKey)))
        return QString();
    const QString name = QCoreApplication::applicationFilePath();
    return reg.ValueExists(name) ? reg.ReadString(name) : QString();
}

bool LoadLocaleResourceModule(const QString& abbreviation)
{
    if (abbreviation.isEmpty())
        return false;
    // The module files carry the code in lower case ("forms_en.qm").
    const QString code = abbreviation.toLower();
    if (ActivateLanguage(code))
        return true;
    return code.size() > 2 && ActivateLanguage(code.left(2));
}

QStringList StartupObjectNames()
{
    QStringList names;
    for (const StartupStep& s : kSteps)
        names << QString::fromLatin1(s.Instance);
    return names;
}

void StartProgram(const QStringList& params)
{
    SetProgramParams(params);
    g_english = false;

    // The language chosen in the options dialog, as the runtime loaded it before the program ran.
    const QString stored = StoredLanguageCode();
    bool moduleLoaded = false;
    if (!stored.isEmpty() && stored.toUpper() != QLatin1String("DEU"))
        moduleLoaded = LoadLocaleResourceModule(stored);
    // "<file> en": the English module replaces it.
    if (EnglishRequested(params)) {
        g_english = LoadLocaleResourceModule(QStringLiteral("ENG"));
        moduleLoaded = moduleLoaded || g_english;
    }
    setQtGerman(!moduleLoaded);

    // One source of formats for the whole run: the runtime's settings that windows, fields and
    // prints read, and the toolkit's locale behind the calendars, both by the same rule.
    FormatSettings() = GetUserFormatSettings();
    FormatSettings().LongTimeFormat = QStringLiteral("hh:mm:ss");
    QLocale::setDefault(GetUserLocale());

    // The grid library's unit start-up, before any window holds a grid.
    InitGridEditingUnit();
    initIntroScreen(kStepCount - 1);
    InstallExceptionPresenter();
    SetApplicationTitle(QStringLiteral("Orvalo 5"));

    IntroScreen->Show();
    IntroScreen->repaint();
    QCoreApplication::processEvents();
    IntroScreen->repaint();

    g_created = 0;
    for (const StartupStep& s : kSteps) {
        s.Create();
        if (g_created++ > 0)
            updateIntroScreen(QString::fromLatin1(s.Instance));
    }

    // The main window's first show opens the database and frees the splash window.
    // Maximised; the geometry is set as well for desktops without a window manager.
    if (QScreen* screen = MainForm->screen())
        MainForm->setGeometry(screen->availableGeometry());
    MainForm->showMaximized();
}

void FinishProgram()
{
    freeIntroScreen();
    for (int i = g_created - 1; i >= 0; --i)
        kSteps[i].Free();
    g_created = 0;
    setQtGerman(false);
}
