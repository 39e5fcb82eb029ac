#pragma once
// What the table rules of the data module need of the windows: the navigator, the main
// window's tool panel, the entry window, the tool views and the quick statistics. The rules
// never include a window header; they call these hooks through orvServer->ViewHooks(). Each
// window implements the methods of its own operations when it is built and registers one
// object with SetViewHooks; tests replace the hooks with a recorder.
//
// Every method has a do-nothing default: while a window does not exist, its queries answer
// "not shown" (false, empty text) and its operations do nothing.
#include <QString>

#include "controls/colorutils.h"
#include "platform/rtl/sysutils.h"

class TorvViewHooks {
public:
    virtual ~TorvViewHooks() = default;

    // --- main window ---------------------------------------------------------------------------
    // The tool view shown beside the unit page: "Bio", "Equipment", "QuickStat", "Kalender" or
    // empty.
    virtual QString mainGetTool() { return {}; }
    // The navigator view shown: "Navigator" while the unit navigator is shown.
    virtual QString mainGetNavigator() { return {}; }
    // The tool panel's button: expands the tool panel to its full height.
    virtual void mainXPButton1Click() {}

    // --- navigator -----------------------------------------------------------------------------
    // Refills the navigator's unit list.
    virtual void navigatorButton1Click() {}
    // Selects the current unit of daten in the navigator.
    virtual void navigatorSelectCurrentUnit() {}
    // Rebuilds the navigator's current view.
    virtual void navigatorChangeNavItem() {}
    // True while the navigator's view button XPButton9 is down.
    virtual bool navigatorXPButton9Down() { return false; }

    // --- entry window --------------------------------------------------------------------------
    virtual bool eingabeVisible() { return false; }
    // True when the entry window itself (not one of its controls) holds the keyboard focus.
    virtual bool eingabeHasOwnFocus() { return false; }
    // True when the page control PageControl2 shows the split page TabSheet5.
    virtual bool eingabeSplitPageShown() { return false; }
    // Points the split dataset at the current unit.
    virtual void eingabeUpdateZwSql() {}
    // Refills the split grid.
    virtual void eingabeFillZwGrid() {}
    // Colour and font colour of one of the entry window's lookup boxes, by component name
    // ("DBLookupComboBox1" ...).
    virtual void eingabeSetControlColor(const QString& control, TColor color)
    {
        (void)control;
        (void)color;
    }
    virtual void eingabeSetControlFontColor(const QString& control, TColor color)
    {
        (void)control;
        (void)color;
    }

    // --- equipment tool ------------------------------------------------------------------------
    // Shows the equipment of the current unit again.
    virtual void toolEqFormShow() {}

    // --- quick statistics ----------------------------------------------------------------------
    // True while the week button XPButton1 / the block button XPButton2 is down.
    virtual bool quickStatXPButton1Down() { return false; }
    virtual bool quickStatXPButton2Down() { return false; }
    // Shows the statistics of the current unit's week / block.
    virtual void quickStatXPButton1Click() {}
    virtual void quickStatXPButton2Click() {}

    // --- split grid and split edit dialog ------------------------------------------------------
    // Repaints the entry window's split grid StringGrid1.
    virtual void eingabeRepaintZwGrid() {}
    // True while the split edit dialog TzwEditDlg is visible.
    virtual bool zwEditDlgVisible() { return false; }
    // Enables the dialog's save button btn_post (nothing while the dialog does not exist).
    virtual void zwEditDlgSetPostEnabled(bool enabled) { (void)enabled; }
    // Empties the dialog's time box MaskEdit1.
    virtual void zwEditDlgClearTime() {}

    // --- block manager -------------------------------------------------------------------------
    virtual bool blockmanExists() { return false; }
    virtual void blockmanUpdateListView() {}
    // The block's totals: Edit1 (distance) and Edit2 (time).
    virtual void blockmanSetTotals(const QString& distance, const QString& time)
    {
        (void)distance;
        (void)time;
    }

    // --- training plan manager -----------------------------------------------------------------
    virtual bool trainFormExists() { return false; }
    // The plan's totals: Edit1 (distance in the statistics unit), Label4 (that unit's caption),
    // Edit2 (time); the total metres are kept by the manager for its own use.
    virtual void trainFormSetEdit1(const QString& text) { (void)text; }
    virtual void trainFormSetEdit2(const QString& text) { (void)text; }
    virtual void trainFormSetLabel4(const QString& text) { (void)text; }
    virtual void trainFormSetTotalMeters(qint64 meters) { (void)meters; }
    // Checks the first item of PopupMenu6.
    virtual void trainFormCheckPopupMenu6First() {}
    // XPButton15 ("Übernehmen") and XPButton16 ("Bearbeiten abbrechen").
    virtual void trainFormSetPostButtonsEnabled(bool enabled) { (void)enabled; }
    // XPButton20 ("Planeinheit hinzufügen") and XPButton21 ("Planeinheit löschen").
    virtual void trainFormSetUnitButtonsEnabled(bool enabled) { (void)enabled; }

    // --- equipment, route and best-time managers, tools catalogue ------------------------------
    virtual bool eqManagerExists() { return false; }
    virtual void eqManagerFillTreeView() {}
    virtual void eqManagerShowUsage() {}
    virtual void eqManagerSynchronizeOverview() {}
    virtual bool strManagerExists() { return false; }
    virtual void strManagerFillTreeView() {}
    virtual void strManagerSynchronizeOverview() {}
    // Reloads the data of the height-profile chart DBChart1.
    virtual void strManagerRefreshChart() {}
    virtual bool bestzeitExists() { return false; }
    virtual void bestzeitFillTreeView() {}
    virtual void bestzeitSynchronizeOverview() {}
    virtual bool formelnExists() { return false; }
    // Shows a page in the tools catalogue's browser WebBrowser1.
    virtual void formelnNavigate(const QString& fileName) { (void)fileName; }

    // --- diary ---------------------------------------------------------------------------------
    // The day selected in the week-by-day calendar frame TfrmKalTag (today while it does not
    // exist).
    virtual TDateTime kalTagSelectedDay() { return Date(); }
};
