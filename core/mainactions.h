#pragma once
// The main window's commands as data: every action with its caption, shortcut, picture, hint and
// the rule that enables it, and the enabling itself as a plain function of the program's state,
// so that the idle update of the main window and its tests use one and the same table.
#include <QString>

#include <span>

// When an action is enabled at the idle update.
enum class TEnableRule {
    Always,     // always enabled
    Db,         // while the unit table `daten` of the data module is open
    Cfg,        // while the configuration table `config` is open
    Conn,       // while the connection to the athlete's database is up
    NoDb,       // while `daten` is closed
    Hrm,        // while the heart-rate manager "hrm.exe" lies beside the program
    EditCopy,   // the focused control has selected text to copy
    EditPaste,  // the focused control is editable and the clipboard holds text
};

// What the idle update looks at.
struct TMainState {
    bool Db = false;
    bool Cfg = false;
    bool Conn = false;
    bool Hrm = false;
    bool CanCopy = false;
    bool CanPaste = false;
};

// Pictures of the main window's image list, in list order.
enum TMainImage {
    imgNone = -1,
    imgNew,
    imgOpen,
    imgClose,
    imgImport,
    imgCompact,
    imgBackup,
    imgRestore,
    imgPrint,
    imgExit,
    imgCopy,
    imgPaste,
    imgTemplate,
    imgPeriodStat,
    imgWeekStat,
    imgMonthStat,
    imgAnalysis,
    imgTrainingTimes,
    imgTempoflex,
    imgThreshold,
    imgPlan,
    imgLexicon,
    imgTimeCalc,
    imgMarch,
    imgBestTimes,
    imgBodyMass,
    imgMaxPulse,
    imgPulseBands,
    imgTimeCalculation,
    imgPerformance,
    imgCalendar,
    imgRoutes,
    imgEquipment,
    imgBlocks,
    imgHrm,
    imgOptions,
    imgHelp,
    imgManual,
    imgAbout,
    imgCount
};

struct TMainActionInfo {
    const char* Name;     // component name of the action
    const char* Caption;  // German caption with "&" before the accelerator
    const char* Keys;     // shortcut in portable text, "" for none
    TEnableRule Rule;
    int Image;            // TMainImage
    const char* Hint;     // "Short|Long"; nullptr: the caption without "&"
    bool Visible;         // hidden actions stay out of the menus
    // The action's window or routine exists in this program. An action whose window is not
    // written yet stays in its menu, disabled.
    bool Built;
};

// Every action of the main window, in the order of its action manager.
std::span<const TMainActionInfo> MainActions();
// The entry of an action by component name; nullptr when there is none.
const TMainActionInfo* FindMainAction(const QString& name);

// The enabling rule alone, as the original action manager applied it.
bool RuleAllows(TEnableRule rule, const TMainState& state);
// Whether the idle update enables the action: its rule allows it and its window exists.
bool MainActionEnabled(const TMainActionInfo& action, const TMainState& state);
