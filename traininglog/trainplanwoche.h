#pragma once
// The plan month overview "Belastungsübersicht Monat": the current plan's units of one month on
// a calendar sheet, one line per week, one column per weekday, one box per unit coloured by its
// load level and labelled with its sport, and a legend of the load levels. The month and year
// are chosen in the side panel.
#include <QLabel>
#include <QPointer>

#include <memory>
#include <vector>

#include "controls/uiiecombobox2000.h"
#include "controls/xpbutton.h"
#include "platform/vcl/dbgrids.h"
#include "platform/vcl/forms.h"

namespace Ui {
class TtrainplanWoche;
}

class TtrainplanWoche : public TForm {
    Q_OBJECT
public:
    explicit TtrainplanWoche(QWidget* Owner = nullptr);
    ~TtrainplanWoche() override;

    std::unique_ptr<Ui::TtrainplanWoche> ui;
    TUiIECombobox2000* Combobox1;  // month names
    TUiIECombobox2000* Combobox2;  // years
    TXPButton* XPButton2;          // show the chosen month
    TDBGrid* DBGrid1;              // the legend
    QLabel* Montag;
    QLabel* WeekLabels[5];         // Label8 to Label12

    void FormShow(QObject* Sender);
    void Button1Click(QObject* Sender);
    // Fills the month and year lists and chooses today's month.
    void fillCBs();
    // Draws the month that starts on `first`, replacing the previous drawing.
    void showit(TDateTime first);
    // The first day of the month chosen in the lists.
    TDateTime chosenMonth() const;
    // What the drawing placed on the window: the day labels, boxes and sport labels.
    const std::vector<QPointer<QWidget>>& Drawn() const { return drawn_; }

private:
    std::vector<QPointer<QWidget>> drawn_;
};

extern TtrainplanWoche* trainplanWoche;
