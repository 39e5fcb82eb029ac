#pragma once
#include <memory>
// The main window: menu bar and tool bar built from one action list, the work area over which the
// entry window lies while a database is open, and the right-hand column with the navigator panel
// and the tool pane, into which the frames created at start-up are moved by view name.
#include <QMainWindow>
#include <QString>

#include "core/mainactions.h"
#include "core/orvdbserver.h"
#include "core/mainwindowview.h"
#include "platform/db/clientdataset.h"
#include "platform/vcl/actnlist.h"
#include "platform/vcl/dialogs.h"
#include "platform/vcl/imglist.h"
#include <QMenuBar>
#include <QToolBar>
#include "controls/uinavbar.h"
#include "controls/xpbutton.h"

namespace Ui {
class TMainForm;
}

class QMenu;

// Every action of the main window, by component name (the order of core/mainactions.cpp).
#define ORV_MAIN_ACTIONS(X)                                                                          \
    X(FileNew1) X(FileOpen1) X(FileClose1) X(FileDBImport1) X(FileExcelImport1) X(Action26)          \
    X(Action28) X(Action19) X(Action20) X(FileDBKonvertieren1) X(FileDBReparieren1) X(Action23)      \
    X(Action24) X(FilePrint1) X(FileExit1) X(EditCopy1) X(EditPaste1) X(Action22) X(EditMuster1)     \
    X(Action25) X(StatZeitraum1) X(StatWochen1) X(StatJahr1) X(StatAnalyse1) X(Action27)             \
    X(Trainingszeiten) X(TempoflexTrain) X(Action21) X(Action16) X(Trainingslexikon) X(Action3)      \
    X(Action4) X(Action5) X(Action18) X(Action11) X(Action12) X(Action13) X(Action14) X(Action15)    \
    X(Action6) X(Action7) X(Action8) X(Action17) X(Action29) X(Action9) X(Action10) X(Action1)       \
    X(Action2) X(FileRun1) X(HelpAbout1)

class TMainForm : public QMainWindow, public TorvServerHooks, public MainWindowView {
    Q_OBJECT
public:
    explicit TMainForm(QWidget* Owner = nullptr);
    ~TMainForm() override;

    std::unique_ptr<Ui::TMainForm> ui;
    QMenuBar* MenuBar;
    QToolBar* ActionToolBar1;
    QWidget* Panel2;
    QWidget* Panel3;
    QWidget* Panel5;
    QWidget* Panel6;
    QWidget* Panel9;
    QWidget* Panel10;
    TUiNavSplitter* UiNavSplitter1;
    TUiNavPanel* UiNavPanel1;
    TUiNavPanel* UiNavPanel3;
    TUiNavPanel* UiNavPanel4;
    TUiNavPanel* UiNavPanel5;
    TXPButton* XPButton4;

    TActionList* ActionManager1;
    TImageList* ImageList1;
#define ORV_DECLARE_ACTION(name) TAction* name = nullptr;
    ORV_MAIN_ACTIONS(ORV_DECLARE_ACTION)
#undef ORV_DECLARE_ACTION

    // The tool menu; items with Tag 0 belong to pages of the entry window, Tag 1 always show.
    QMenu* PopupMenu1;
    QAction* Zwischenzeiten1;
    QAction* Bio1;
    QAction* Equipment1;
    QAction* QuickStat1;
    QAction* Vorschau1;
    QAction* Wochendetails1;
    QAction* N1;
    QAction* Kalender1;

    TOpenDialog OpenDialog;
    TOpenDialog CompressDialog1;
    TSaveDialog SaveDialog2;
    // Unit templates: saving asks for the file in SaveDialog1, loading in OpenDialog3. Units
    // are written through cds and read through cds2 (core/unitpacket.h).
    TSaveDialog SaveDialog1;
    TOpenDialog OpenDialog3;
    TClientDataSet cds;
    TClientDataSet cds2;

    // The manual that "Handbuch (pdf)" opens.
    QString ManualFile() const { return manualFile_; }

    // --- views --------------------------------------------------------------------------------
    // Moves the frame of a navigator view ("Navigator", "Explorer", "Start", "Terminplaner")
    // into the navigator panel; any other name leaves it empty.
    void setNavigator(const QString& name);
    // "Navigator", "Start", "None" for an empty panel, "" for any other frame.
    QString getNavigator() const override;
    // Moves a tool frame into the tool pane. "Kalender" always (set to today); "Woche",
    // "Zwischenzeit", "Bio", "Vorschau", "QuickStat" and "Equipment" only while a database is
    // open; any other name leaves the pane empty. resetMenu clears XPButton4's click handler and
    // hides the tool menu's page items.
    void setTool(const QString& name, bool resetMenu);
    // "Equipment", "QuickStat", "None" for an empty pane, "" for any other frame.
    QString getTool() const override;
    // Opens a topic of the help; every "Hilfe" button calls it with command 1.
    bool showHelp(quint16 command, const QString& topic, bool& callHelp);
    // "DEU", or the language chosen for this program; "ENG" for a run started with "en".
    QString getLanguageCode() const;

    // A database counts as open exactly while the entry window is visible. Until the entry
    // window exists, the data module is asked.
    bool databaseOpen() const;
    // What the idle update looks at.
    TMainState currentState() const;

    // --- handlers -----------------------------------------------------------------------------
    void FormCreate(QObject* Sender);
    void FormShow(QObject* Sender);
    void FormClose(QObject* Sender);
    void FormResize(QObject* Sender);
    void ActionManager1Update(TAction* Action, bool& Handled);
    void FileNew1Execute(QObject* Sender);
    void FileOpen1Execute(QObject* Sender);
    void FileClose1Execute(QObject* Sender);
    void FileDBReparieren1Execute(QObject* Sender);
    // The backup and the restore wizard, shown modally.
    void Action23Execute(QObject* Sender);
    void Action24Execute(QObject* Sender);
    void FileExit1Execute(QObject* Sender);
    void FilePrint1Execute(QObject* Sender);
    // The import wizard for units: from a workbook, from an Access database.
    void FileExcelImport1Execute(QObject* Sender);
    void FileDBImport1Execute(QObject* Sender);
    void Action26Execute(QObject* Sender);
    void Action28Execute(QObject* Sender);
    // The analysis workbooks: the standard one of the interface language ("&Analyse") and the
    // picker of the user's own ("Eigene Analysen"). OpenPivot writes the athlete's data for
    // them and opens the workbook named relative to the folder "DB" ("pivot\\name" for one of
    // the user's) through the desktop; a failure shows message 65495 with the error's text.
    void OpenPivot(const QString& name);
    void StatAnalyse1Execute(QObject* Sender);
    void Action27Execute(QObject* Sender);
    // The Outbreaker import, shown modally.
    void Action19Execute(QObject* Sender);
    void Action20Execute(QObject* Sender);
    void TrainingslexikonExecute(QObject* Sender);
    void Action29Execute(QObject* Sender);
    // The options dialog, modal.
    void Action10Execute(QObject* Sender);
    void Action1Execute(QObject* Sender);
    void Action2Execute(QObject* Sender);
    void FileRun1Execute(QObject* Sender);
    void HelpAbout1Execute(QObject* Sender);
    // The period statistics: created on first use, then the same window shown modally again.
    void StatZeitraum1Execute(QObject* Sender);
    // The weekly statistics: created, shown modally and freed.
    void StatWochen1Execute(QObject* Sender);
    void StatJahr1Execute(QObject* Sender);
    // The calculators, each shown modally and freed.
    void TrainingszeitenExecute(QObject* Sender);
    void TempoflexTrainExecute(QObject* Sender);
    void Action21Execute(QObject* Sender);
    void Action14Execute(QObject* Sender);
    void Action3Execute(QObject* Sender);
    void Action4Execute(QObject* Sender);
    void Action11Execute(QObject* Sender);
    // The date dialog "Kalender", modal, always on today.
    void Action6Execute(QObject* Sender);
    void Action12Execute(QObject* Sender);
    void Action13Execute(QObject* Sender);
    void Action15Execute(QObject* Sender);
    void Action18Execute(QObject* Sender);
    // The equipment manager.
    void Action8Execute(QObject* Sender);
    void Action17Execute(QObject* Sender);
    // The training plan manager.
    void Action16Execute(QObject* Sender);
    // Copy and paste of the current unit through the buffer "Temp/~copy.xml" in the user's data
    // folder, and unit templates (".mt5" files, by default in the folder "mt5" there).
    void EditCopy1Execute(QObject* Sender);
    void EditPaste1Execute(QObject* Sender);
    void EditMuster1Execute(QObject* Sender);
    // "Mustereditor": the template editor, modal, over cds and cds2.
    void Action25Execute(QObject* Sender);
    void Action22Execute(QObject* Sender);
    // Collapses the tool pane when the sender is "UiNavPanel4", else expands it.
    void XPButton1Click(QObject* Sender) override;
    // Pops the tool menu up at the mouse position.
    void XPButton3Click(QObject* Sender);
    void Zwischenzeiten1Click(QObject* Sender);
    void Bio1Click(QObject* Sender);
    void Equipment1Click(QObject* Sender);
    void QuickStat1Click(QObject* Sender);
    void Vorschau1Click(QObject* Sender);
    void Wochendetails1Click(QObject* Sender);
    void Kalender1Click(QObject* Sender);

    // --- the data module's side (TorvServerHooks) --------------------------------------------
    void setCaption(const QString& caption) override;
    bool runBackupWizard() override;

protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    void createActions();
    void setUpUnitPackets();
    void buildMenus();
    void buildToolMenu();
    void setUpPanels();
    void setToolPaneHeight(int height);
    // Opens a database file and shows the entry window; false when it could not be opened (the
    // data module has reported why).
    bool openDatabaseFile(const QString& fileName);
    // Shows and closes the entry window. Closing puts the start page back, empties the tool pane
    // and closes the database. closeEntryWindow is false when the entry window refused to close
    // (the database stays open).
    void showEntryWindow();
    bool closeEntryWindow();
    // Compacts a closed database file.
    void compactDatabaseFile(const QString& fileName);

    QString manualFile_;
    bool shown_ = false;
    bool backupWritten_ = false;  // the last run of the backup wizard wrote a backup
};

extern TMainForm* MainForm;
