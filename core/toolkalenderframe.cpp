#include "core/toolkalenderframe.h"

#include "ui_toolkalenderframe.h"

TtoolKalenderFrm* toolKalenderFrm = nullptr;

TtoolKalenderFrm::TtoolKalenderFrm(QWidget* Owner) : TFrame(Owner), ui(std::make_unique<Ui::TtoolKalenderFrm>())
{
    ui->setupUi(this);
    MonthCalendar1 = ui->MonthCalendar1;
    // Month and day names of the user's formats (the toolkit's default locale, which the
    // start-up sets by the same rule as the format settings); the week starts on Monday.
    MonthCalendar1->setFirstDayOfWeek(Qt::Monday);
}

TtoolKalenderFrm::~TtoolKalenderFrm() = default;
