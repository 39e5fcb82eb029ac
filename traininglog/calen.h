#pragma once
// "Kalender": the plain calendar dialog of the main window's action "&Kalender", a month
// calendar that always opens on today and an "OK" button.
#include <QCalendarWidget>
#include <QPushButton>

#include <memory>

#include "platform/vcl/forms.h"

namespace Ui {
class TKalender;
}

class TKalender : public TForm {
    Q_OBJECT
public:
    explicit TKalender(QWidget* Owner = nullptr);
    ~TKalender() override;

    std::unique_ptr<Ui::TKalender> ui;
    QCalendarWidget* MonthCalendar1;
    QPushButton* Button1;  // "OK"

    // Sets the calendar to today.
    void FormShow(QObject* Sender);
};

extern TKalender* Kalender;
