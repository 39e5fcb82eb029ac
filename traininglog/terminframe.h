#pragma once
// The navigator view "Terminplaner": the left-hand panel that drives the entry window's diary
// page. It chooses between the week view (TfrmKalTag) and the month view (TfrmKalMonat), holds
// the start date and the distance unit of the month's week totals, fills the chosen view from
// the athlete's database and refreshes the calendar-week chart of the tool panel.
#include <QLabel>
#include <QProgressBar>

#include <memory>

#include "controls/uiiecombobox2000.h"
#include "controls/uinavbar.h"
#include "controls/xpbutton.h"
#include "platform/vcl/datetimepicker.h"
#include "platform/vcl/forms.h"

namespace Ui {
class TterminFrame;
}

class TterminFrame : public TFrame {
    Q_OBJECT
public:
    explicit TterminFrame(QWidget* Owner = nullptr);
    ~TterminFrame() override;

    std::unique_ptr<Ui::TterminFrame> ui;
    TUiNavPanel* UiNavPanel1;  // "Terminplaner"
    TUiNavPanel* UiNavPanel5;  // "?"
    TXPButton* XPButton1;      // "Woche"
    TXPButton* XPButton2;      // "Monat"
    TDateTimePicker* DateTimePicker1;  // "Startdatum:"
    TXPButton* XPButton17;     // "7 Tage zurück"
    TXPButton* XPButton18;     // "Heute"
    TXPButton* XPButton19;     // "7 Tage vor"
    TUiIECombobox2000* UiIECombobox20001;  // "Einheit:" of the week totals
    TXPButton* XPButton5;      // "Übernehmen"
    QProgressBar* ProgressBar1;

    // The view switch: hosts the week or the month frame on the diary page and fills it.
    void XPButton1Click(QObject* Sender);
    // Fills the chosen view from the start date.
    void XPButton5Click(QObject* Sender);
    void XPButton17Click(QObject* Sender);
    void XPButton18Click(QObject* Sender);
    void XPButton19Click(QObject* Sender);
    void DateTimePicker1Click(QObject* Sender);
    void UiIECombobox20001Change(QObject* Sender);
    void XPButton22Click(QObject* Sender);

    // The start date of the views (the picker's date).
    TDateTime startDate() const;
    // Writes the start date into the picker without filling.
    void setStartDate(TDateTime day);
    // False until the start date was first set: the first view switch then starts at the Monday
    // of the current week.
    bool startDateSet() const { return startDateSet_; }

private:
    void fillUnitList();

    bool startDateSet_ = false;
    bool writingDate_ = false;
};

extern TterminFrame* terminFrame;
