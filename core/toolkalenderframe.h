#pragma once
#include <memory>
// The calendar tool: a month calendar filling the main window's tool pane (tool "Kalender").
#include "platform/vcl/forms.h"
#include <QCalendarWidget>

namespace Ui {
class TtoolKalenderFrm;
}

class TtoolKalenderFrm : public TFrame {
    Q_OBJECT
public:
    explicit TtoolKalenderFrm(QWidget* Owner = nullptr);
    ~TtoolKalenderFrm() override;

    std::unique_ptr<Ui::TtoolKalenderFrm> ui;
    QCalendarWidget* MonthCalendar1;
};

extern TtoolKalenderFrm* toolKalenderFrm;
