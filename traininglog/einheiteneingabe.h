#pragma once
// The training-unit entry window: created once at start-up, shown over the main window's work
// area while a database is open (its visibility is what "a database is open" means for every
// window) and closed together with the database. Its pages are the unit page "Einheit", the
// split page "Zwischenzeit", the filtered unit list "Explorer" and the diary "Tagebuch"; every
// control of the unit page is data-aware and bound to the data module's sources by the
// dynamic properties DataSource, DataField, ListSource, KeyField and ListField of the .ui file.
// The table rules (defaults, derived fields, blocks) belong to the data module.
#include <QFrame>
#include <QLabel>
#include <QListView>
#include <QTreeView>
#include <QScrollArea>
#include <QTabWidget>
#include <QToolBar>

#include <functional>
#include <memory>

#include "controls/dbdatetimepicker.h"
#include "controls/xpbutton.h"
#include "core/entrywindowview.h"
#include "platform/rtl/graphics.h"
#include "platform/vcl/actnlist.h"
#include "platform/vcl/dbctrls.h"
#include "platform/vcl/dbgrids.h"
#include "platform/vcl/dialogs.h"
#include "platform/vcl/forms.h"
#include "platform/vcl/grids.h"

namespace Ui {
class Teingabe;
}

class TImageList;
class TStringGrid;
class QMenu;
class QTabBar;
class TExplorerListModel;

class Teingabe : public TForm, public EntryWindowView {
    Q_OBJECT
public:
    explicit Teingabe(QWidget* Owner = nullptr);
    ~Teingabe() override;

    std::unique_ptr<Ui::Teingabe> ui;

    // --- components ---------------------------------------------------------------------------
    QToolBar* ActionToolBar1;
    QTabWidget* PageControl2;
    QWidget* TabSheet4;  // "Einheit"
    QWidget* TabSheet5;  // "Zwischenzeit"
    QWidget* TabSheet6;  // "Explorer"
    QWidget* TabSheet1;  // "Tagebuch"
    QWidget* Panel7;     // the unit page's content, scaled to the screen
    QScrollArea* ScrollBox1;  // holds Panel7, so a page scaled past the screen's height scrolls
    QWidget* Panel4;     // comment panel
    QFrame* Panel3;      // block panel of the unit page
    QFrame* Panel14;     // block panel of the split page
    QWidget* Panel11;    // button row of the split page
    QWidget* Panel17;    // host of the diary frames
    TDBLookupComboBox* DBLookupComboBox1;  // Sportart
    TDBLookupComboBox* DBLookupComboBox2;  // Form
    TDBLookupComboBox* DBLookupComboBox3;  // Belastungsstufe
    TDBLookupComboBox* DBLookupComboBox4;  // Belastungsart
    TDBDateTimePicker* DBDateTimePicker1;  // Datum
    TDBDateTimePicker* DBDateTimePicker2;  // Startzeit
    TDBEdit* DBEdit1;   // Ort
    TDBEdit* DBEdit2;   // Meter, in the sport's distance unit
    TDBEdit* DBEdit3;   // Hoehendifferenz
    TDBEdit* DBEdit4;   // Streckenbeschreibung
    TDBEdit* DBEdit6;   // Zeit
    TDBEdit* DBEdit7;   // minkm
    TDBEdit* DBEdit8;   // kmh
    TDBEdit* DBEdit9;   // Temperatur
    TDBEdit* DBEdit10;  // Puls
    TDBEdit* DBEdit11;  // Gli
    TDBEdit* DBEdit12;  // akplatz
    TDBEdit* DBEdit13;  // platz
    TDBEdit* DBEdit14;  // Gewicht
    TDBEdit* DBEdit15;  // User1
    TDBEdit* DBEdit16;  // User2
    TDBComboBox* DBComboBox1;  // Wetter
    TDBComboBox* DBComboBox2;  // Wind
    TDBComboBox* DBComboBox3;  // Gefuehl
    TDBMemo* DBMemo1;          // Bemerkungen
    TDBText* DBText1;          // Tag
    TDBText* DBText3;          // trbname on the unit page
    TDBLookupListBox* DBLookupListBox1;  // route list under "Ort"
    TDBNavigator* DBNavigator1;  // post only
    TDBNavigator* DBNavigator2;  // cancel only
    TDBGrid* DBGrid1;
    TDBGrid* DBGrid3;
    TXPButton* XPButton1;   // "H": today
    TXPButton* XPButton2;   // distance in metres
    TXPButton* XPButton3;   // performance index
    TXPButton* XPButton4;   // "Equipment"
    TXPButton* XPButton5;   // "Erweitert"
    TXPButton* XPButton9;   // block panel of the unit page
    TXPButton* XPButton10;  // "Übernehmen"
    TXPButton* XPButton11;  // "Abbrechen"
    TXPButton* XPButton12;  // block panel of the split page
    TXPButton* XPButton13;  // "Übernehmen"
    TXPButton* XPButton14;  // "Abbrechen"
    TXPButton* XPButton16;  // "Kommentarfeld ausblenden"
    TXPButton* XPButton17;  // "Kommentarfeld einblenden"
    TXPButton* SpeedButton1;  // diary window (hidden)
    // The explorer page: one list of units in two views, icons or list (ListView1) and the detail
    // view with its columns (ListView1Report), chosen by "Symbole", "Liste" and "Details".
    QListView* ListView1;
    QTreeView* ListView1Report;
    TXPButton* XPButton30;  // "Symbole"
    TXPButton* XPButton31;  // "Liste"
    TXPButton* XPButton32;  // "Details"
    TExplorerListModel* ExplorerList() const { return explorerList_; }

    TActionList* ActionManager1;
    TImageList* ImageList1;
    TAction* DataSetFirst1;
    TAction* DataSetPrior1;
    TAction* DataSetNext1;
    TAction* DataSetLast1;
    TAction* DataSetInsert1;
    TAction* DataSetDelete1;
    TAction* DataSetPost1;
    TAction* DataSetCancel1;
    TAction* Action1;  // "Mustereinheiten"
    TAction* Action2;  // "Zeit.Stat."
    TAction* Action3;  // "Liste"
    TAction* Action4;  // "Drucken"
    TAction* Action5;  // "Hilfe"

    // Suspends the refill of the split grid during bulk work on the split rows.
    bool zwFillEnabled = true;

    // --- the split page (einheiteneingabe_zw.cpp) ------------------------------------------------
    QTabBar* TabControl1;       // "Zwischenzeiten", "HF"
    TStringGrid* StringGrid1;   // the split grid, 18 columns (traininglog/zwgrid.h)
    QLabel* StaticText1;        // hint: the unit has heart-rate samples
    TXPButton* btn_insert;      // "Neu"
    TXPButton* XPButton18;      // "Löschen"
    TXPButton* XPButton19;      // "Bearbeiten"
    TXPButton* XPButton6;       // "Alle löschen"
    TXPButton* XPButton20;      // "Drucken"
    TXPButton* XPButton21;      // "Import/Export"
    TXPButton* XPButton22;      // "Zw. laden"
    TXPButton* XPButton23;      // "Grafik"
    TXPButton* XPButton24;      // "Hilfe"
    QMenu* PopupMenu1;          // the grid's popup menu
    QMenu* PopupMenu3;          // the routes of "Zw. laden"
    QMenu* Zwischenzeitenladen1;  // the routes in the grid's popup menu
    QMenu* PopupMenu6;          // distance units of the header of column 1
    TImageList* ImageList5;     // pictures of the split types
    // True while the tab "HF" (heart-rate samples) is chosen.
    bool hrmTabActive() const;
    void StringGrid1Click(QObject* Sender);
    void StringGrid1DblClick(QObject* Sender);
    void StringGrid1DrawCell(QObject* Sender, int ACol, int ARow, const QRect& Rect, TGridDrawState State);
    void StringGrid1MouseUp(QObject* Sender, Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y);
    void PopupMenu6Popup(QObject* Sender);
    void mi1Click(QAction* item);
    void btn_insertClick(QObject* Sender);
    void XPButton18Click(QObject* Sender);
    void XPButton19Click(QObject* Sender);
    void XPButton6Click(QObject* Sender);
    void XPButton20Click(QObject* Sender);
    void XPButton22Click(QObject* Sender);
    void XPButton24Click(QObject* Sender);
    // "Grafik": the heart-rate graph of the rows the page holds; afterwards the filter of zeit
    // is put back and the split the graph chose is selected.
    void XPButton23Click(QObject* Sender);
    void StaticText1Click(QObject* Sender);
    // Rebuilds a route menu: one entry per route, carrying the route's id.
    void fillRouteMenu(QMenu* menu);
    // Loads the points of the route the entry names as split rows of the current unit.
    void ItemClick(QAction* item);

    // --- heart-rate files, split import and export (einheiteneingabe_zwio.cpp) ----------------
    // The menu of "Import/Export": "Excel Import", "DB  Import", "Polar Import", "Excel Export".
    QMenu* PopupMenu2;
    QAction* Excelimport1;
    QAction* DBImport1;
    QAction* PolarImport1;
    QAction* Excelexport1;
    TSaveDialog excelDialog;
    void XPButton21Click(QObject* Sender);
    void Excelimport1Click(QObject* Sender);
    void DBImport1Click(QObject* Sender);
    void PolarImport1Click(QObject* Sender);
    // Writes the rows of the split view (the tab's kind, in the view's order) into a new
    // workbook and saves it under the name the save dialog gives.
    void Excelexport1Click(QObject* Sender);
    // Add the heart-rate samples ("[HRData]") or the laps ("[IntTimes]") of an exercise file to
    // the current unit, in one transaction: a value that does not convert raises an error that
    // names its line, and no row is added. loadHf refills the split grid; both leave the split
    // view showing the rows.
    void loadHf(const QString& fileName);
    void loadzwHf(const QString& fileName);

    // --- operations other windows call ---------------------------------------------------------
    // Lies exactly over the main window's work area.
    void fitToWorkArea();
    // Shows the window (FormShow runs) and closes it (FormClose runs: the database closes).
    // FormCloseQuery first asks to save a unit being entered; a failed save or Cancel refuses the
    // close, so the database and the unit in edit stay.
    void FormShow(QObject* Sender);
    void FormCloseQuery(QObject* Sender, bool& CanClose);
    void FormClose(QObject* Sender, TCloseAction& Action);
    // After a page switch: chooses the navigator and tool views of the page.
    void PageControl2Change(QObject* Sender);
    // Before a page switch the user started: asks to save a unit being edited.
    void PageControl2Changing(QObject* Sender, bool& AllowChange);
    // Switches to a page as the user does (the question first); false when it stayed.
    bool selectPage(QWidget* page);
    // The split page's operations (filled with the split page).
    void updateZwSql() override;
    void fillZwGrid() override;
    void repaintZwGrid() override;
    void TabControl1Change(QObject* Sender);
    // Fills the explorer list with the units of a WHERE condition (the text after "Where"), with
    // the units' equipment links joined when withEquipment is set. A fill asked for while one
    // runs (the list lets the program breathe between rows) runs after it, the latest one only.
    void fillExplorer(const QString& where, bool withEquipment);
    // Leaving "Zeit" and "Ø Puls": while a unit is edited and the settings ask for the
    // automatic load level, "Zeit" sets it from the pace (pace mode) and "Ø Puls" from the
    // average heart rate (heart-rate mode). Imports and the pulse dialog call them as well.
    void DBEdit6Exit(QObject* Sender);
    void DBEdit10Exit(QObject* Sender);
    // The load level of a pace by the athlete's 5000 m bands, of a pulse by the levels' heart-rate
    // bounds; 0 for none.
    int get5000BelStufe(TDateTime pace);
    int getHfBelStufe(int pulse);

    // --- what the data module's rules ask of this window (EntryWindowView) ---------------------
    bool Visible() const override { return TForm::Visible(); }
    // The window itself, not one of its controls, holds the keyboard focus.
    bool hasOwnFocus() const override;
    bool splitPageShown() const override;
    // Colours a control by component name (the lookup boxes of the colour rule).
    void setControlColor(const QString& control, TColor color) override;
    void setControlFontColor(const QString& control, TColor color) override;

    // True once the unit page was scaled to the screen (at most once per run; the screen's
    // width is compared with the 800 pixels the page was laid out for).
    bool Scaled() const { return scaled_; }

    // --- handlers -----------------------------------------------------------------------------
    void XPButton1Click(QObject* Sender);
    // "Erweitert": the pulse and weight dialog, modal.
    void XPButton5Click(QObject* Sender);
    void XPButton2Click(QObject* Sender);
    void XPButton3Click(QObject* Sender);
    void XPButton9Click(QObject* Sender);
    void XPButton10Click(QObject* Sender);
    void XPButton11Click(QObject* Sender);
    void XPButton16Click(QObject* Sender);
    void XPButton17Click(QObject* Sender);
    // "Equipment": the equipment dialog for the current unit, saved first when it is not.
    void XPButton4Click(QObject* Sender);
    void DBGrid1DblClick(QObject* Sender);
    void DBEdit1Enter(QObject* Sender);
    void DBEdit1Exit(QObject* Sender);
    void DBEdit1KeyPress(QObject* Sender, QChar& Key);
    void DBLookupListBox1Exit(QObject* Sender);
    void DBLookupListBox1KeyPress(QObject* Sender, QChar& Key);
    void DBLookupListBox1DblClick(QObject* Sender);
    void DBEdit4Enter(QObject* Sender);
    void DBEdit4Exit(QObject* Sender);
    void DataSetDelete1Execute(QObject* Sender);
    // The hidden diary button: the diary window, modal.
    void SpeedButton1Click(QObject* Sender);
    void Action1Execute(QObject* Sender);
    void Action2Execute(QObject* Sender);
    void Action3Execute(QObject* Sender);
    void Action4Execute(QObject* Sender);
    void Action5Execute(QObject* Sender);
    // The explorer list: selection, double click (opens the unit), Delete, and the view buttons.
    void ListView1Change(QObject* Sender);
    void ListView1DblClick(QObject* Sender);
    void ListView1KeyDown(QObject* Sender, int& Key, Qt::KeyboardModifiers Shift);
    void XPButton30Click(QObject* Sender);
    void XPButton31Click(QObject* Sender);
    void XPButton32Click(QObject* Sender);
    // The dat_Id of the selected explorer item; empty without a selection.
    QString selectedExplorerId() const;

private:
    void bindControls();
    void setUpSplitPage();
    void layOutSplitPage();
    // Runs a report of the data module's project (opened first when `reopen` or closed).
    void printReport(const QString& name, bool reopen);
    // After a fill of the split grid: the split statistics and the split information panel.
    void afterZwGridFill(int datId, bool hrm);
    void showSplitEditDialog();
    void setUpSplitImportExport();
    // Whether the data module has units; the current unit's dat_Id (0 while it has none).
    static bool hasUnits();
    static int currentUnitId();
    // Split rows go to the saved current unit: a unit being entered has no id yet.
    static void requireSavedUnit();
    // Inserts rows (read samples or laps, a route's points) into zeit inside one transaction:
    // `setFields(i)` fills the i-th new row; all rows land or none.
    void insertSplitRows(int count, bool progress, const std::function<void(int index)>& setFields);
    void createActions();
    void setUpControls();
    void scaleUnitPage();
    // Puts daten into edit state unless it is being edited or inserted.
    void editUnit();
    void showDescriptionHint();
    void hideDescriptionHint();
    void setUpExplorerPage();
    void runFillExplorer(const QString& where, bool withEquipment);

    bool scaled_ = false;
    bool closing_ = false;
    QLabel* descriptionHint_ = nullptr;
    TExplorerListModel* explorerList_ = nullptr;
    bool explorerFilling_ = false;
    bool explorerPending_ = false;
    QString pendingWhere_;
    bool pendingWithEquipment_ = false;
};

extern Teingabe* eingabe;
