// Speed of the training log's two grid controls on the ten-year database (10,000 units):
// - the diary window's panel grid repaints its nine panels, each a picture of the live panel
//   with the fields on that panel's record; its cost must not grow with the number of units;
// - stepping to the next unit with the Down key and repainting, as the user scrolls the diary;
// - the month calendar paints a month with five entry lines on every day.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QKeyEvent>
#include <QPixmap>

#include "bench/benchserver.h"
#include "bench/offscreenmain.h"
#include "bench/tenyeardb.h"
#include "core/orvdbserver.h"
#include "traininglog/orvcalendar.h"
#include "traininglog/tagebuch.h"

namespace {

// The data module on the ten-year database, opened once per run.
TorvServer& server()
{
    static TorvServer* s = tenyeardb::OpenServer(tenyeardb::Generate(tenyeardb::TemplatePath()));
    return *s;
}

void BM_DiaryPaintNinePanels(benchmark::State& state)
{
    TorvServer& srv = server();
    Tdiary diary;
    diary.resize(560, 9 * Tdiary::kPanelHeight);
    diary.show();
    QApplication::processEvents();
    srv.daten.MoveBy(-5000);
    QPixmap target(diary.DBCtrlGrid1->size());
    for (auto _ : state)
        diary.DBCtrlGrid1->render(&target);
    state.counters["panels"] = diary.DBCtrlGrid1->RowCount();
    state.counters["units"] = srv.daten.RecordCount();
}
BENCHMARK(BM_DiaryPaintNinePanels)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_DiaryStepDownAndRepaint(benchmark::State& state)
{
    TorvServer& srv = server();
    Tdiary diary;
    diary.resize(560, 9 * Tdiary::kPanelHeight);
    diary.show();
    QApplication::processEvents();
    srv.daten.First();
    diary.DBCtrlGrid1->setFocus();
    QPixmap target(diary.DBCtrlGrid1->size());
    for (auto _ : state) {
        if (srv.daten.RecNo() >= srv.daten.RecordCount() - 1) {
            state.PauseTiming();
            srv.daten.First();
            state.ResumeTiming();
        }
        QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
        QApplication::sendEvent(diary.DBCtrlGrid1, &down);
        diary.DBCtrlGrid1->render(&target);
    }
}
BENCHMARK(BM_DiaryStepDownAndRepaint)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_CalendarPaintFullMonth(benchmark::State& state)
{
    TORVCalendar cal;
    cal.SetStartOfWeek(1);
    cal.resize(806, 706);
    cal.SetCalendarDate(EncodeDate(2004, 3, 1));
    for (int day = 1; day <= 31; ++day)
        for (int line = 1; line <= 5; ++line)
            cal.DayLines(line, day) = {QStringLiteral("%1Laufen - %2 km").arg(line == 3 ? "* " : "").arg(day),
                                       RGBColor(200, 220 - line * 20, 255)};
    for (int week = 1; week <= 6; ++week)
        for (int t = 1; t <= 3; ++t)
            cal.WeekLines(week, t) = QStringLiteral("Distanz: %1 km").arg(week * 10 + t);
    cal.show();
    QApplication::processEvents();
    QPixmap target(cal.viewport()->size());
    for (auto _ : state)
        cal.viewport()->render(&target);
}
BENCHMARK(BM_CalendarPaintFullMonth)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace

ORV_OFFSCREEN_BENCHMARK_MAIN()
