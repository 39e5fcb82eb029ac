#include "core/mainactions.h"

#include <QtGlobal>

namespace {

using R = TEnableRule;

// Captions and hints are translated in the context "TMainForm" by the main window.
constexpr TMainActionInfo kActions[] = {
    // File
    {"FileNew1", QT_TRANSLATE_NOOP("TMainForm", "&Neu"), "Ctrl+N", R::Always, imgNew, QT_TRANSLATE_NOOP("TMainForm", "Neu|Neue Datei erstellen"), true, true},
    {"FileOpen1", QT_TRANSLATE_NOOP("TMainForm", "Ö&ffnen"), "Ctrl+O", R::Always, imgOpen, QT_TRANSLATE_NOOP("TMainForm", "Öffnen|Eine Datei öffnen"), true, true},
    {"FileClose1", QT_TRANSLATE_NOOP("TMainForm", "Sch&ließen"), "", R::Db, imgClose, nullptr, true, true},
    {"FileDBImport1", QT_TRANSLATE_NOOP("TMainForm", "DB Import"), "", R::Db, imgImport, nullptr, true, true},
    {"FileExcelImport1", QT_TRANSLATE_NOOP("TMainForm", "&Excel Import"), "", R::Db, imgImport, nullptr, true, true},
    {"Action26", QT_TRANSLATE_NOOP("TMainForm", "Polar-Import"), "", R::Db, imgImport, nullptr, true, true},
    {"Action28", QT_TRANSLATE_NOOP("TMainForm", "Garmin-Import"), "", R::Db, imgImport, nullptr, true, true},
    {"Action19", QT_TRANSLATE_NOOP("TMainForm", "Outbreaker-Import"), "", R::Db, imgImport, nullptr, true, true},
    {"Action20", QT_TRANSLATE_NOOP("TMainForm", "Orvalo"), "", R::NoDb, imgImport, nullptr, true, true},
    {"FileDBKonvertieren1", QT_TRANSLATE_NOOP("TMainForm", "Datenbank &konvertieren"), "", R::Always, imgNone, nullptr, false, false},
    {"FileDBReparieren1", QT_TRANSLATE_NOOP("TMainForm", "D&atenbank komprimieren und reparieren"), "", R::Always, imgCompact, nullptr, true, true},
    {"Action23", QT_TRANSLATE_NOOP("TMainForm", "Datenbank sichern"), "", R::Conn, imgBackup, nullptr, true, true},
    {"Action24", QT_TRANSLATE_NOOP("TMainForm", "Datenbank rücksichern"), "", R::Always, imgRestore, nullptr, true, true},
    {"FilePrint1", QT_TRANSLATE_NOOP("TMainForm", "&Drucken"), "", R::Db, imgPrint, nullptr, true, true},
    {"FileExit1", QT_TRANSLATE_NOOP("TMainForm", "&Beenden"), "", R::Always, imgExit, nullptr, true, true},
    // Edit
    {"EditCopy1", QT_TRANSLATE_NOOP("TMainForm", "&Kopieren"), "", R::EditCopy, imgCopy, nullptr, true, true},
    {"EditPaste1", QT_TRANSLATE_NOOP("TMainForm", "&Einfügen"), "", R::EditPaste, imgPaste, nullptr, true, true},
    {"Action22", QT_TRANSLATE_NOOP("TMainForm", "Muster laden .."), "", R::Db, imgTemplate, nullptr, true, true},
    {"EditMuster1", QT_TRANSLATE_NOOP("TMainForm", "Als Muster speichern..."), "", R::Db, imgTemplate, nullptr, true, true},
    {"Action25", QT_TRANSLATE_NOOP("TMainForm", "Mustereditor"), "", R::Always, imgTemplate, nullptr, true, true},
    // Statistics
    {"StatZeitraum1", QT_TRANSLATE_NOOP("TMainForm", "&Zeitraumstatistik"), "", R::Db, imgPeriodStat, nullptr, true, true},
    {"StatWochen1", QT_TRANSLATE_NOOP("TMainForm", "&Wochenstatistik"), "", R::Db, imgWeekStat, nullptr, true, true},
    {"StatJahr1", QT_TRANSLATE_NOOP("TMainForm", "&Monatsstatistik"), "", R::Db, imgMonthStat, nullptr, true, true},
    {"StatAnalyse1", QT_TRANSLATE_NOOP("TMainForm", "&Analyse"), "", R::Db, imgAnalysis, nullptr, true, true},
    {"Action27", QT_TRANSLATE_NOOP("TMainForm", "Eigene Analysen"), "", R::Always, imgAnalysis, nullptr, true, true},
    // Training
    {"Trainingszeiten", QT_TRANSLATE_NOOP("TMainForm", "Trainings&zeiten"), "", R::Always, imgTrainingTimes, nullptr, true, true},
    {"TempoflexTrain", QT_TRANSLATE_NOOP("TMainForm", "&Tempoflex-Training"), "", R::Always, imgTempoflex, nullptr, true, true},
    {"Action21", QT_TRANSLATE_NOOP("TMainForm", "Schwellentempo"), "", R::Always, imgThreshold, nullptr, true, true},
    {"Action16", QT_TRANSLATE_NOOP("TMainForm", "Trainingsplanmanager"), "", R::Db, imgPlan, nullptr, true, true},
    {"Trainingslexikon", QT_TRANSLATE_NOOP("TMainForm", "Trainingslexikon"), "F2", R::Always, imgLexicon, nullptr, true, true},
    // Extras
    {"Action3", QT_TRANSLATE_NOOP("TMainForm", "&Zeitenrechner"), "", R::Always, imgTimeCalc, nullptr, true, true},
    {"Action4", QT_TRANSLATE_NOOP("TMainForm", "&Marschtabelle"), "", R::Always, imgMarch, nullptr, true, true},
    {"Action5", QT_TRANSLATE_NOOP("TMainForm", "&Bestzeiten"), "", R::Db, imgBestTimes, nullptr, true, true},
    {"Action18", QT_TRANSLATE_NOOP("TMainForm", "Eigene Tools"), "", R::Always, imgNone, nullptr, false, true},
    {"Action11", QT_TRANSLATE_NOOP("TMainForm", "Bodymaßindex"), "", R::Always, imgBodyMass, nullptr, true, true},
    {"Action12", QT_TRANSLATE_NOOP("TMainForm", "Maximalpuls"), "", R::Always, imgMaxPulse, nullptr, true, true},
    {"Action13", QT_TRANSLATE_NOOP("TMainForm", "Pulsfrequenzen"), "", R::Always, imgPulseBands, nullptr, true, true},
    {"Action14", QT_TRANSLATE_NOOP("TMainForm", "Zeitenberechnung"), "", R::Always, imgTimeCalculation, nullptr, true, true},
    {"Action15", QT_TRANSLATE_NOOP("TMainForm", "Leistungsindex"), "", R::Always, imgPerformance, nullptr, true, true},
    {"Action6", QT_TRANSLATE_NOOP("TMainForm", "&Kalender"), "", R::Always, imgCalendar, nullptr, true, true},
    {"Action7", QT_TRANSLATE_NOOP("TMainForm", "&Streckenmanager"), "", R::Db, imgRoutes, nullptr, true, true},
    {"Action8", QT_TRANSLATE_NOOP("TMainForm", "&Equipmentmanager"), "", R::Db, imgEquipment, nullptr, true, true},
    {"Action17", QT_TRANSLATE_NOOP("TMainForm", "Blockmanager"), "", R::Db, imgBlocks, nullptr, true, true},
    {"Action29", QT_TRANSLATE_NOOP("TMainForm", "Zadiv Udud Ororaze"), "", R::Hrm, imgHrm, nullptr, true, true},
    {"Action9", QT_TRANSLATE_NOOP("TMainForm", "&Anapassen"), "", R::Always, imgNone, nullptr, false, false},
    {"Action10", QT_TRANSLATE_NOOP("TMainForm", "&Optionen"), "", R::Cfg, imgOptions, nullptr, true, true},
    // Help
    {"Action1", QT_TRANSLATE_NOOP("TMainForm", "Hilfethemen"), "F1", R::Always, imgHelp, nullptr, true, true},
    {"Action2", QT_TRANSLATE_NOOP("TMainForm", "H&ilfe zur Hilfe"), "", R::Always, imgHelp, nullptr, true, true},
    {"FileRun1", QT_TRANSLATE_NOOP("TMainForm", "Handbuch (pdf)"), "F3", R::Always, imgManual, nullptr, true, true},
    {"HelpAbout1", QT_TRANSLATE_NOOP("TMainForm", "&Info..."), "", R::Always, imgAbout, nullptr, true, true},
};

}  // namespace

std::span<const TMainActionInfo> MainActions()
{
    return kActions;
}

const TMainActionInfo* FindMainAction(const QString& name)
{
    for (const TMainActionInfo& a : kActions)
        if (name == QLatin1String(a.Name))
            return &a;
    return nullptr;
}

bool RuleAllows(TEnableRule rule, const TMainState& state)
{
    switch (rule) {
    case TEnableRule::Always: return true;
    case TEnableRule::Db: return state.Db;
    case TEnableRule::Cfg: return state.Cfg;
    case TEnableRule::Conn: return state.Conn;
    case TEnableRule::NoDb: return !state.Db;
    case TEnableRule::Hrm: return state.Hrm;
    case TEnableRule::EditCopy: return state.CanCopy;
    case TEnableRule::EditPaste: return state.CanPaste;
    }
    return false;
}

bool MainActionEnabled(const TMainActionInfo& action, const TMainState& state)
{
    return action.Built && RuleAllows(action.Rule, state);
}
