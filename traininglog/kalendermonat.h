#pragma once
// The month view of the entry window's diary page: the month calendar control filling the frame
// and its popup menu. The appointment planner hosts it and writes the month's unit lines and
// week totals into the control; a double click opens the week of the clicked day.
#include <QMenu>

#include <memory>

#include "platform/vcl/forms.h"
#include "traininglog/orvcalendar.h"

namespace Ui {
class TfrmKalMonat;
}

class TfrmKalMonat : public TFrame {
    Q_OBJECT
public:
    explicit TfrmKalMonat(QWidget* Owner = nullptr);
    ~TfrmKalMonat() override;

    std::unique_ptr<Ui::TfrmKalMonat> ui;
    TORVCalendar* ORVCalendar1;
    QMenu* PopupMenu1;
    QAction* N1;  // "  Neue Einheit"

    // Opens the planner's week view from the Monday of the calendar's week.
    void ORVCalendar1DblClick(QObject* Sender);
    // Starts a new training unit dated the calendar's day.
    void N1Click(QObject* Sender);
};

extern TfrmKalMonat* frmKalMonat;
