#include "traininglog/calen.h"

#include "ui_calen.h"

#include <QGuiApplication>
#include <QScreen>

#include "platform/vcl/datetimepicker.h"
#include "platform/vcl/events.h"

TKalender* Kalender = nullptr;

TKalender::TKalender(QWidget* Owner) : TForm(Owner), ui(std::make_unique<Ui::TKalender>())
{
    ui->setupUi(this);
    MonthCalendar1 = ui->MonthCalendar1;
    Button1 = ui->Button1;
    setWindowFlags((windowFlags() | Qt::Dialog | Qt::WindowStaysOnTopHint) & ~Qt::WindowContextHelpButtonHint);
    setFixedSize(586, 480);
    MonthCalendar1->setFirstDayOfWeek(Qt::Monday);
    // Centred on the screen, not on the owner.
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    OnShow = Handler(this, &TKalender::FormShow);
}

TKalender::~TKalender() = default;

void TKalender::FormShow(QObject*)
{
    const QDate today = DateTimeToQDateTime(Date()).date();
    MonthCalendar1->setSelectedDate(today);
    MonthCalendar1->setCurrentPage(today.year(), today.month());
}
