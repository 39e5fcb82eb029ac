#pragma once
// "Wochenstatistik": a run of n seven-day weeks from a start date with each week's distance,
// time and height difference, its kind (done, planned or both, by row colour), the totals and
// weekly averages, and for the selected week its units and its sums per sport. The week list
// of the last fill (with each week's time in milliseconds) is what the weekly chart and the
// print read, so that settings changed since then do not reach them.
//
// Created by the main window's action, shown modally and freed; `Wochenstat` holds it meanwhile.
#include <QString>

#include <memory>
#include <vector>

#include "analysis/weekstat.h"
#include "platform/db/datasource.h"
#include "platform/db/query.h"
#include "platform/rtl/graphics.h"
#include "platform/vcl/forms.h"
#include "platform/vcl/grids.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QToolButton;
class QWidget;
class TDateTimePicker;
class TPrinterCanvas;
class TDBGrid;
class TField;
class TXPButton;

namespace Ui {
class TWochenstat;
}

class TWochenstat : public TForm {
    Q_OBJECT
public:
    explicit TWochenstat(QWidget* Owner = nullptr);
    ~TWochenstat() override;

    std::unique_ptr<Ui::TWochenstat> ui;

    // Tool bar.
    TXPButton* XPButton1;       // "Schließen "
    QToolButton* SpeedButton3;  // "Drucken"
    TXPButton* XPButton4;       // "Grafik"
    TXPButton* XPButton2;       // "Hilfe"
    // Settings.
    TXPButton* XPButton6;  // "Zeitraum"
    TXPButton* XPButton7;  // "Filter"
    QWidget* tab_zeitraum;
    QWidget* tab_filter;
    TDateTimePicker* DateTimePicker1;  // "Anfang:"
    QLineEdit* Edit1;                  // "Wochen:"
    QComboBox* ComboBox1;              // "Einheit:"
    QCheckBox* CheckBox2;              // "Nur bis akt. Woche"
    QCheckBox* CheckBox3;              // "mit Planung"
    QCheckBox* CheckBox1;              // "Sportartfilter aktivieren"
    QListWidget* CheckListBox1;        // sports
    QToolButton* SpeedButton4;         // "Übernehmen"
    // Evaluation.
    TXPButton* XPButton9;   // totals page
    TXPButton* XPButton10;  // week page
    QWidget* tab_jahr;
    QWidget* tab_woche;
    QLabel* Label9;   // "Distanz gesamt:"
    QLabel* Label10;  // "Ø Distanz:"
    QLabel* Label11;  // "HDiff ges:"
    QLabel* Label12;  // "Ø HDiff:"
    QLabel* Label16;  // "Zeit ges:"
    QLabel* Label17;  // "Ø Zeit:"
    TDBGrid* DBGrid2;  // the selected week's sums per sport
    TDBGrid* DBGrid1;  // the selected week's units
    TXPButton* XPButton3;  // "Einheit"
    TStringGrid* StringGrid1;
    QProgressBar* ProgressBar1;

    TQuery Query1;     // the selected week's units
    TQuery ADOQuery1;  // the selected week's sums per sport
    TDataSource DataSource1;
    TDataSource DataSource2;

    // The weeks of the last fill, with the settings they were computed with.
    const std::vector<TWeek>& Weeks() const { return weeks_; }
    const QString& FilledUnitName() const { return filledUnitName_; }
    double FilledUnitCalc() const { return filledUnitCalc_; }
    TDateTime FilledStart() const { return filledStart_; }
    // The week rows the table shows (after "Nur bis akt. Woche").
    int ShownWeeks() const { return StringGrid1->RowCount() - 1; }

    void fillWeeks();
    void updateTotals(int n);

    void FormCreate(QObject* Sender);
    void FormShow(QObject* Sender);
    void FormClose(QObject* Sender, TCloseAction& Action);
    void StringGrid1SelectCell(QObject* Sender, int ACol, int ARow, bool& CanSelect);
    void StringGrid1DrawCell(QObject* Sender, int ACol, int ARow, const QRect& Rect, TGridDrawState State);
    void SpeedButton4Click(QObject* Sender);
    void CheckBox1Click(QObject* Sender);
    void CheckBox2Click(QObject* Sender);
    void XPButton6Click(QObject* Sender);
    void XPButton9Click(QObject* Sender);
    void DBGrid1DblClick(QObject* Sender);
    void SpeedButton3Click(QObject* Sender);
    void XPButton4Click(QObject* Sender);
    void SpeedButton1Click(QObject* Sender);
    void XPButton1Click(QObject* Sender);
    void Query1MeterGetText(TField* Sender, QString& Text, bool DisplayText);
    void ADOQuery1smeterGetText(TField* Sender, QString& Text, bool DisplayText);

    // The print of the table as it stands, on a given canvas (the button prints on the default
    // printer).
    void printTable(TPrinterCanvas& printer);

private:
    double unitCalc(const QString& unitName) const;
    void showWeekRows(int rows);
    TWeekSettings settings() const;

    std::vector<TWeek> weeks_;
    QString filledUnitName_;
    double filledUnitCalc_ = 1.0;
    TDateTime filledStart_ = 0;
};

extern TWochenstat* Wochenstat;

// The settings' choices of the weekly and monthly statistics, from the data module: the sports
// as a list of unticked boxes and the distance units with the configured one chosen. Nothing
// while the sports or the units are closed.
void ShowStatChoices(QListWidget* sports, QComboBox* units);

// The colour of a week row's text by the week's kind: "B" navy, "P" red, anything else black.
TColor WeekKindColor(const QString& kind);
// A distance of a sport in that sport's own distance unit with the unit's short name
// ("10,5 km"); metres with " m" when the sport has no unit.
QString SportDistanceText(double metres, const QVariant& sportId);
