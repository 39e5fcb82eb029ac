#pragma once
// "Zeitraumstatistik": the training units of a chosen period in a read-only grid, filtered by
// sport and training form, sorted by two fields, optionally with the summary rows of the training
// blocks, with the period's distance, height and time totals. Its extended pane holds a free SQL
// condition (criteria dialog, SQL builder, condition files) and the saved column views.
//
// One instance for the whole process (`ZeitNeu`), created by the main window's action on first
// use and shown modally again at every later use; it works on the data module's query
// `zeitraum`, whose statement it rewrites. The period chart, the load statistics and the print
// read `QuickWhere`, the two dates, the sport and form lists and the columns from this window.
#include <QString>
#include <QVariant>

#include <cstdint>
#include <memory>

#include "analysis/zeitraumsql.h"
#include "platform/vcl/dialogs.h"
#include "platform/vcl/forms.h"

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QToolButton;
class TColumn;
class TDateTimePicker;
class TDBGrid;
class TUiIECombobox2000;
class TXPButton;

namespace Ui {
class TZeitNeu;
}

class TZeitNeu : public TForm {
    Q_OBJECT
public:
    explicit TZeitNeu(QWidget* Owner = nullptr);
    ~TZeitNeu() override;

    std::unique_ptr<Ui::TZeitNeu> ui;

    // Tool bar.
    QToolButton* SpeedButton8;   // "Grafik"
    QToolButton* SpeedButton7;   // "Belastung"
    QToolButton* SpeedButton10;  // "Einheit"
    TXPButton* XPButton2;        // first row
    TXPButton* XPButton4;        // previous row
    TXPButton* XPButton5;        // next row
    TXPButton* XPButton6;        // last row
    TUiIECombobox2000* ComboBox3;  // column views
    QToolButton* SpeedButton11;  // "Infos"
    QToolButton* SpeedButton9;   // "Drucken"
    QToolButton* SpeedButton12;  // "Erweitert"
    QToolButton* SpeedButton1;   // "Hilfe"
    QToolButton* SpeedButton2;   // settings panel in or out

    // Settings panel.
    QFrame* Panel6;
    QFrame* Panel11;  // picture over the settings while the SQL page is in force
    QCheckBox* CheckBox1;
    QComboBox* ComboBox1;
    QComboBox* ComboBox2;
    QListWidget* CheckListBox2;  // sports
    QListWidget* CheckListBox1;  // training forms
    TDateTimePicker* DateTimePicker1;
    TDateTimePicker* DateTimePicker2;
    QToolButton* SpeedButton3;  // "Woche"
    QToolButton* SpeedButton4;  // "Monat"
    QToolButton* SpeedButton5;  // "Jahr"
    QToolButton* SpeedButton6;  // "Alle"
    QLabel* Label10;  // distance total
    QLabel* Label9;   // height total
    QLabel* Label11;  // time total
    TXPButton* XPButton3;  // distance unit menu
    QMenu* PopupMenu1;

    TDBGrid* DBGrid1;

    // Extended pane.
    QFrame* Panel10;
    QTabWidget* PageControl1;
    QWidget* TabSheet1;  // "SQL"
    QWidget* TabSheet2;  // "Felder"
    QWidget* TabSheet3;  // "Export"
    QPlainTextEdit* Memo1;
    QPushButton* BitBtn2;  // "Ausführen"
    QPushButton* Button3;  // "Kriterien"
    QPushButton* Button1;  // "SQL - Builder"
    TXPButton* SpeedButton13;  // load a condition
    TXPButton* SpeedButton15;  // save the condition
    TXPButton* XPButton1;      // condition from the settings
    TXPButton* XPButton7;      // no block rows
    TXPButton* XPButton8;      // help on the query language
    QListWidget* CheckListBox3;  // the grid's columns
    QPushButton* Button4;  // save a view
    QPushButton* Button6;  // load a view
    QPushButton* Button2;  // "Excel Export"

    TOpenDialog OpenDialog1;   // condition files
    TSaveDialog SaveDialog1;
    TOpenDialog OpenDialog2;   // column views
    TSaveDialog ColumnDialog;

    // The last quick query: its full statement and its period condition without "WHERE".
    QString QuickSQL;
    QString QuickWhere;

    void FormCreate(QObject* Sender);
    void FormShow(QObject* Sender);

    // Rebuilds the statement from the settings panel, runs it and sums the result. Every failure
    // is swallowed: the grid shows what the query was left with.
    void ApplyQuickSQL();
    // Common change handler of the settings: the sort boxes only while block rows are hidden.
    void ComboBox2Change(QObject* Sender);
    void SpeedButton3Click(QObject* Sender);  // "Woche"
    void SpeedButton4Click(QObject* Sender);  // "Monat"
    void SpeedButton5Click(QObject* Sender);  // "Jahr"
    void SpeedButton6Click(QObject* Sender);  // "Alle"
    void DBGrid1TitleClick(TColumn* Column);
    void SpeedButton10Click(QObject* Sender);  // opens the current row's unit or block
    void XPButton2Click(QObject* Sender);
    void XPButton4Click(QObject* Sender);
    void XPButton5Click(QObject* Sender);
    void XPButton6Click(QObject* Sender);
    void XPButton3Click(QObject* Sender);
    void distanz1Click(QObject* Sender);
    void SpeedButton11Click(QObject* Sender);  // "Infos"
    void SpeedButton1Click(QObject* Sender);   // "Hilfe"
    void SpeedButton2Click(QObject* Sender);   // settings panel
    void SpeedButton12Click(QObject* Sender);  // "Erweitert"
    void PageControl1Change(QObject* Sender);

    // The SQL page.
    void BitBtn2Click(QObject* Sender);  // "Ausführen"
    void XPButton1Click(QObject* Sender);
    void XPButton7Click(QObject* Sender);
    void XPButton8Click(QObject* Sender);
    void SpeedButton13Click(QObject* Sender);
    void SpeedButton15Click(QObject* Sender);
    void Button3Click(QObject* Sender);  // "Kriterien"
    void Button1Click(QObject* Sender);  // "SQL - Builder"

    // Column views.
    void UPDATECLB3();
    void UpdateColumns(QObject* Sender);
    void DBGrid1ColumnMoved(QObject* Sender, int FromIndex, int ToIndex);
    void ComboBox3DropDown(QObject* Sender);
    void ComboBox3Change(QObject* Sender);
    void LoadColFile();
    void Button4Click(QObject* Sender);
    void Button6Click(QObject* Sender);

    // The distance unit menu's entries as they would pop up (filled by XPButton3Click).
    void fillDistanceMenu();
    // Fills the sport and form lists again when the database or its names changed since they
    // were filled; true when they were refilled.
    bool refillLists();
    // While the SQL page of the extended pane is in force the settings panel does not apply.
    bool sqlPageInForce() const;

private:
    void createColumns();
    void ensureIdColumn();
    // A view file into the grid, with the hidden key column and the column list following it.
    void loadView(const QString& fileName);
    void setPeriod(const TPeriod& period);
    void showTotals(const TPeriodTotals& totals);
    void layoutSidePanels();
    // The statement into `zeitraum`, opened read-only with the grid's updates suspended.
    void openStatement(const QString& sql);
    // Sums the open result of `zeitraum` (the cursor back on its first row) into the process's
    // totals and shows its time and height; a result that cannot be summed raises and leaves
    // the totals as they were.
    void showResultTotals();
    // Shows the distance total in the unit whose `keyField` holds `key`; an unknown unit changes
    // nothing.
    void showDistanceIn(const QString& keyField, const QVariant& key);

    QString listsDatabase_;  // the database the sport and form lists were filled from
    TPeriodTotals totals_;
};

extern TZeitNeu* ZeitNeu;

// The totals of the last query, one set per process (the print and the chart read them).
extern int32_t TrainingUnitCount;
extern int32_t MeterSum;
extern int32_t HeightSum;
extern QString DistanceUnitName;
