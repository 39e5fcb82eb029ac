#include "traininglog/kalendermonat.h"

#include "ui_kalendermonat.h"

#include "core/orvdbserver.h"
#include "core/orvtools.h"
#include "platform/db/fields.h"
#include "platform/vcl/events.h"
#include "traininglog/einheiteneingabe.h"
#include "traininglog/plannerfill.h"
#include "traininglog/terminframe.h"

TfrmKalMonat* frmKalMonat = nullptr;

TfrmKalMonat::TfrmKalMonat(QWidget* Owner) : TFrame(Owner), ui(std::make_unique<Ui::TfrmKalMonat>())
{
    ui->setupUi(this);
    ORVCalendar1 = ui->ORVCalendar1;
    ORVCalendar1->SetStartOfWeek(1);  // Monday in column 0

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    PopupMenu1->setStyle(new FlatMenuStyle(style()));
    N1 = PopupMenu1->addAction(tr("  Neue Einheit"));
    N1->setObjectName(QStringLiteral("N1"));
    connect(N1, &QAction::triggered, this, [this] { Handler(this, &TfrmKalMonat::N1Click)(N1); });
    ORVCalendar1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(ORVCalendar1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { PopupMenu1->popup(ORVCalendar1->mapToGlobal(pos)); });
    ORVCalendar1->OnDblClick = Handler(this, &TfrmKalMonat::ORVCalendar1DblClick);
    // Return opens the chosen day's week as a double click does, so the arrow keys and Return
    // reach every week without the mouse (the menu key opens "  Neue Einheit").
    ORVCalendar1->OnKeyDown = [this](QObject* Sender, int& Key, Qt::KeyboardModifiers) {
        if (Key != Qt::Key_Return && Key != Qt::Key_Enter)
            return;
        Key = 0;
        Handler(this, &TfrmKalMonat::ORVCalendar1DblClick)(Sender);
    };
}

TfrmKalMonat::~TfrmKalMonat() = default;

void TfrmKalMonat::ORVCalendar1DblClick(QObject*)
{
    if (!terminFrame)
        return;
    // The click before has made the clicked day the calendar's date.
    terminFrame->setStartDate(MondayOf(ORVCalendar1->CalendarDate()));
    terminFrame->XPButton1->SetDown(true);
    terminFrame->XPButton1->Click();
}

void TfrmKalMonat::N1Click(QObject* Sender)
{
    if (!orvServer)
        return;
    const TDateTime day = DateOf(ORVCalendar1->CalendarDate());
    if (eingabe) {
        eingabe->PageControl2->setCurrentWidget(eingabe->TabSheet4);
        eingabe->PageControl2Change(Sender);
    }
    orvServer->daten.Insert();
    orvServer->daten.FieldByName(QStringLiteral("Datum"))->SetAsDateTime(day);
}
