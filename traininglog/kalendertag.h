#pragma once
// The week view of the entry window's diary page: seven day panels, each listing the training
// units of one day, and below them the diary text of the selected day with its own Post and
// Cancel. The appointment planner hosts it and fills it (showData); from it the athlete opens a
// unit, makes a unit current or starts a new unit on a chosen day. A new diary row is dated with
// the selected day (DiaryCalendarView).
#include <QLabel>
#include <QMenu>

#include <array>
#include <memory>

#include "core/diarycalendarview.h"
#include "platform/db/datasource.h"
#include "platform/db/query.h"
#include "platform/vcl/dbctrls.h"
#include "platform/vcl/dbgrids.h"
#include "platform/vcl/forms.h"

namespace Ui {
class TfrmKalTag;
}

class TfrmKalTag : public TFrame, public DiaryCalendarView {
    Q_OBJECT
public:
    explicit TfrmKalTag(QWidget* Owner = nullptr);
    ~TfrmKalTag() override;

    std::unique_ptr<Ui::TfrmKalTag> ui;
    QWidget* Panel1;  // the seven day panels
    QFrame* Montag;
    QFrame* dienstag;
    QFrame* Mittwoch;
    QFrame* donnerstag;
    QFrame* freitag;
    QFrame* samstag;
    QFrame* sonntag;
    QLabel* Panel3;  // header panels, Monday .. Sunday
    QLabel* Panel4;
    QLabel* Panel5;
    QLabel* Panel6;
    QLabel* Panel7;
    QLabel* Panel9;
    QLabel* Panel13;
    TDBGrid* DBGrid1;  // grids, Monday .. Sunday
    TDBGrid* DBGrid2;
    TDBGrid* DBGrid3;
    TDBGrid* DBGrid4;
    TDBGrid* DBGrid5;
    TDBGrid* DBGrid6;
    TDBGrid* DBGrid7;
    QWidget* Panel2;
    QLabel* Label1;  // "Kommentar zum " and the selected day
    TDBMemo* DBMemo1;
    TDBNavigator* DBNavigator1;  // Post and Cancel of the diary text
    QMenu* PopupMenu1;
    QAction* Wechselnzu1;  // "Wechseln zu:"
    QAction* AktiveEinheit1;
    QAction* NeueEinheit1;

    // The day tables adoMontag .. adoSo and their data sources; each holds the units of one day
    // sorted by date and start time.
    std::array<TQuery, 7> days;
    std::array<TDataSource, 7> dsDays;
    static constexpr int kDays = 7;

    // Fills the seven panels with start .. start + 6 and selects the first one.
    void showData(TDateTime start);
    // The day of the panel selected last, at midnight.
    TDateTime SelectedDay = 0;
    TDateTime selectedDay() const override { return SelectedDay; }
    // The day shown by panel 0..6.
    TDateTime dayOf(int index) const { return dayDates_[size_t(index)]; }
    // The grid on which the popup menu was opened last (the runtime's PopupComponent).
    TDBGrid* PopupComponent = nullptr;

    void FrameResize(QObject* Sender);
    // Day selection: a header panel was clicked or a grid entered.
    void B2(QObject* Sender);
    void DBGrid1DblClick(QObject* Sender);
    void DBGrid1DrawColumnCell(QObject* Sender, const QRect& Rect, int DataCol, TColumn* Column,
                               TGridDrawState State);
    void adoDienstagCalcFields(TDataSet* DataSet);
    void AktiveEinheit1Click(QObject* Sender);
    void NeueEinheit1Click(QObject* Sender);

private:
    int indexOf(QObject* sender) const;
    // Makes the unit of the grid's current row the data module's current unit and shows the
    // unit page; false for an empty day.
    bool openUnitOf(TDBGrid* grid, QObject* sender);

    std::array<QFrame*, 7> panels_{};
    std::array<QLabel*, 7> headers_{};
    std::array<TDBGrid*, 7> grids_{};
    std::array<TDateTime, 7> dayDates_{};
};

extern TfrmKalTag* frmKalTag;
