#pragma once
// "Monatsstatistik": a run of n calendar months from a start month with each month's distance,
// time and height difference, the totals over the run, limited to chosen sports and, without
// planning, to units of forms that are no planning forms. The months of the last fill (with each
// month's time in milliseconds) are what the table shows, the print lists and the monthly chart
// draws, so that settings changed since then reach none of them.
//
// Created by the main window's action, shown modally and freed; `jahresstat` holds it meanwhile.
#include <QString>

#include <memory>

#include "analysis/monthstat.h"
#include "platform/db/query.h"
#include "platform/vcl/forms.h"
#include "platform/vcl/grids.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class TField;
class TPrinterCanvas;
class TUiNavPanel;
class TXPButton;

namespace Ui {
class Tjahresstat;
}

class Tjahresstat : public TForm {
    Q_OBJECT
public:
    explicit Tjahresstat(QWidget* Owner = nullptr);
    ~Tjahresstat() override;

    std::unique_ptr<Ui::Tjahresstat> ui;

    // Tool bar.
    TUiNavPanel* UiNavPanel2;  // "    Schließen"
    TUiNavPanel* UiNavPanel3;  // "Drucken"
    TUiNavPanel* UiNavPanel4;  // "Grafik"
    TUiNavPanel* UiNavPanel5;  // "Hilfe"
    // Settings.
    QComboBox* ComboBox1;       // "Monat:"
    QLineEdit* Edit1;           // "Jahr:"
    QLineEdit* Edit2;           // "Monate:"
    QComboBox* ComboBox2;       // "Einheit (Distanz):"
    QCheckBox* CheckBox2;       // "Nur bis akt. Monat"
    TXPButton* XPButton5;       // "Übernehmen"
    QCheckBox* CheckBox1;       // "Filter aktivieren"
    QListWidget* CheckListBox1;  // sports
    QCheckBox* CheckBox3;       // "mit Planung"
    QLabel* Label43;            // time total
    QLabel* Label45;            // distance total
    QLabel* Label46;            // height total
    TStringGrid* StringGrid1;

    TQuery monatQuery;

    // The run of the last fill and the settings it was computed with.
    const TMonthRun& Run() const { return run_; }
    const QString& FilledUnitName() const { return filledUnitName_; }
    double FilledUnitCalc() const { return filledUnitCalc_; }
    // The month rows the table shows (after "Nur bis akt. Monat").
    int ShownMonths() const { return StringGrid1->RowCount() - 1; }

    void fillGrid();
    // The print of the table as it stands, on a given canvas (the button prints on the default
    // printer).
    void printTable(TPrinterCanvas& printer);

    void FormCreate(QObject* Sender);
    void FormShow(QObject* Sender);
    void XPButton5Click(QObject* Sender);
    void CheckBox1Click(QObject* Sender);
    void CheckBox2Click(QObject* Sender);
    void monatQuerySummevonMeterGetText(TField* Sender, QString& Text, bool DisplayText);
    void StringGrid1DrawCell(QObject* Sender, int ACol, int ARow, const QRect& Rect, TGridDrawState State);
    void SpeedButton2Click(QObject* Sender);
    void SpeedButton1Click(QObject* Sender);
    void XPButton1Click(QObject* Sender);
    void XPButton2Click(QObject* Sender);

private:
    double unitCalc(const QString& unitName) const;
    TMonthSettings settings() const;
    void showMonthRows(int rows);

    TMonthRun run_;
    QString filledUnitName_;
    double filledUnitCalc_ = 1.0;
    QString filledTitle_;
};

extern Tjahresstat* jahresstat;
