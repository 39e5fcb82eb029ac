#pragma once
// "Zeitraumstatistik drucken": prints the current result of the period statistics window as a
// list report: a title with the period and a subtitle, one printed column per chosen grid column,
// optional running weekly and monthly distance sums at the right edge, and a summary block.
// Created by the window's "Drucken" for one use; every "Vorschau" and "OK" builds a new report.
#include <QString>

#include <memory>

#include "analysis/zeitraumoutput.h"
#include "platform/vcl/forms.h"

class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class TReport;
class TReportBand;
class TReportLabel;

namespace Ui {
class Tzeitdruckdlg;
}

class Tzeitdruckdlg : public TForm {
    Q_OBJECT
public:
    explicit Tzeitdruckdlg(QWidget* Owner = nullptr);
    ~Tzeitdruckdlg() override;

    std::unique_ptr<Ui::Tzeitdruckdlg> ui;
    QRadioButton* RadioButton1;  // "Wie Zeitraumstatistik"
    QRadioButton* RadioButton2;  // "Benutzerdefiniert"
    QListWidget* CheckListBox1;  // the window's columns and "Woche/Monat"
    QLineEdit* Edit1;            // subtitle
    QPushButton* Button3;        // "Vorschau"
    QPushButton* OKBtn;
    QPushButton* CancelBtn;

    void FormShow(QObject* Sender);
    void RadioButton1Click(QObject* Sender);
    void RadioButton2Click(QObject* Sender);
    void Button3Click(QObject* Sender);  // preview
    void OKBtnClick(QObject* Sender);    // print

    // Builds the report over the window's result as the dialog stands.
    std::unique_ptr<TReport> NewReport();
    // The detail band's hook while "Woche/Monat" is ticked: the running sums of the row.
    void BefPrint(TReportBand* Sender, bool& PrintBand);

    // The entry "Woche/Monat" (the last of the list) is ticked.
    bool weekMonthTicked() const;

private:
    TWeekMonthSums sums_;
    TReportLabel* WeekLabel = nullptr;
    TReportLabel* MonthLabel = nullptr;
};

extern Tzeitdruckdlg* zeitdruckdlg;

// Text of count copies of the character (the width samples of the summary's values).
QString RepeatChar(QChar c, int count);
