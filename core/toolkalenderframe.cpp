#include "core/toolkalenderframe.h"

#include <QLocale>

#include "core/language.h"

#include "ui_toolkalenderframe.h"

TtoolKalenderFrm* toolKalenderFrm = nullptr;

TtoolKalenderFrm::TtoolKalenderFrm(QWidget* Owner) : TFrame(Owner), ui(std::make_unique<Ui::TtoolKalenderFrm>())
{
    ui->setupUi(this);
    MonthCalendar1 = ui->MonthCalendar1;
    // Month and day names in the interface language (the English module is the only one), not
    // in whatever locale the desktop happens to have; the week starts on Monday in both.
    MonthCalendar1->setLocale(LanguageModule() ? QLocale(QLocale::English, QLocale::UnitedKingdom)
                                               : QLocale(QLocale::German, QLocale::Germany));
    MonthCalendar1->setFirstDayOfWeek(Qt::Monday);
}

TtoolKalenderFrm::~TtoolKalenderFrm() = default;
