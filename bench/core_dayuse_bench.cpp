// A day's use of the program on the athlete databases the benchmarks make: the ten-year database
// (10,000 units with 3,000,000 split and heart-rate rows) and the 100,000-unit database (30,000,000
// rows), driven as a user drives the program: through the main window's actions, the entry
// window's actions and the windows' own handlers; modal windows are played by scripted answers.
//
// - Start-up to the entry window showing the newest unit on its split page, in this process and
//   as a fresh process with its peak memory (goals: 300 ms and 150 MB with ten years, 1 s and
//   400 MB with 100,000 units).
// - Stepping to the next, the previous, the first and the last unit, each step timed alone, at
//   the first and at the last unit (goal: 20 ms each, the same at either end).
// - The navigator's overview refilled, against its floor: its query stepped through by SQLite
//   alone (goal: within twice the floor, under 200 MB).
// - The day's walk on the 100,000-unit database, each step on its own (goal: 300 ms each): open,
//   new unit and save, ten units stepped through, the split page, the navigator's views, the
//   explorer, the period statistics "Jahr", the weekly and the monthly statistics, the block,
//   equipment and route managers.
//
// The 100,000-unit database is generated once into /tmp and kept; the benchmarks work on a copy
// of it in a temporary folder, so the walk's new units never reach the kept file. The clock
// stands on the day after the newest unit. Each step runs once per repetition;
// ORV_DAYUSE_REPETITIONS sets the repetitions (default 5, the median is their middle), and
// ORV_DAYUSE_UNITS walks the day on a database of another size (10000: the ten-year one).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMap>
#include <QProcess>
#include <QTabBar>
#include <QTemporaryDir>
#include <QToolButton>
#include <QTreeWidget>

#include <cstdio>
#include <cstring>
#include <functional>
#include <string>

#include <sqlite3.h>
#include <unistd.h>

#include "analysis/jahresstat.h"
#include "analysis/wochenstat.h"
#include "analysis/zeitraumneu.h"
#include "bench/programfolders.h"
#include "bench/tenyeardb.h"
#include "core/explorerframe.h"
#include "core/main.h"
#include "core/navigatorframe.h"
#include "core/orvdbserver.h"
#include "core/startup.h"
#include "platform/rtl/application.h"
#include "platform/rtl/sysutils.h"
#include "platform/vcl/testhooks.h"
#include "traininglog/blockman.h"
#include "traininglog/einheiteneingabe.h"
#include "traininglog/eqmanager.h"
#include "traininglog/explorerlist.h"
#include "traininglog/strmanager.h"

namespace {

constexpr int kTenYears = tenyeardb::kUnits;
constexpr int kLarge = 100000;

// --- the databases ----------------------------------------------------------------------------

// The database of `units` units this run works on: the ten-year one in its temporary folder, or
// a private copy of the kept one of that size.
QString databaseOf(int units)
{
    if (units == kTenYears)
        return tenyeardb::Generate(tenyeardb::TemplatePath());
    static QTemporaryDir dir;
    static QMap<int, QString> copies;
    QString& copy = copies[units];
    if (copy.isEmpty()) {
        const QString kept = tenyeardb::GenerateUnits(tenyeardb::TemplatePath(), units);
        copy = dir.filePath(QStringLiteral("einheiten_%1.orv").arg(units));
        if (!QFile::copy(kept, copy)) {
            std::fprintf(stderr, "could not copy %s\n", qPrintable(kept));
            std::abort();
        }
        QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner);
    }
    return copy;
}

// The generated units are dated one every 0.365 days from 2014 on, with ids in date order.
TDateTime newestDay(int units)
{
    return 41640 + int((units - 1) * 0.365);
}

void setClockAfter(int units)
{
    const TDateTime now = newestDay(units) + 1 + 10.0 / 24;
    SetClock([now] { return now; });
}

// --- the user's side ----------------------------------------------------------------------------

// Modal steps nobody scripted: the step fails with the box's text instead of waiting.
QStringList& unanswered()
{
    static QStringList list;
    return list;
}

// False (and the benchmark marked failed) when a step showed a dialog nobody answered or an
// error box.
bool quiet(benchmark::State& state)
{
    QString problem;
    if (!unanswered().isEmpty())
        problem = unanswered().join(QStringLiteral(" | "));
    for (const RecordedMessage& m : ScriptedAnswers::messages())
        if (m.Type == mtError)
            problem += QStringLiteral(" error box: ") + m.Text;
    unanswered().clear();
    ScriptedAnswers::clear();
    if (problem.isEmpty())
        return true;
    state.SkipWithError(problem.toStdString().c_str());
    return false;
}

int currentUnit()
{
    return orvServer->daten.FieldByName(QStringLiteral("dat_Id"))->AsInteger();
}

QString openPath;

// The program started on `path` with the entry window on its unit page, as the user left it.
void programOn(int units)
{
    const QString path = databaseOf(units);
    setClockAfter(units);
    if (openPath != path || !MainForm || !MainForm->databaseOpen()) {
        if (MainForm)
            FinishProgram();
        openPath.clear();
        StartProgram({path});
        if (!MainForm || !MainForm->databaseOpen())
            std::abort();
        openPath = path;
        QApplication::setActiveWindow(MainForm);
    }
    if (eingabe->PageControl2->currentWidget() != eingabe->TabSheet4)
        eingabe->selectPage(eingabe->TabSheet4);
}

void closeProgram()
{
    if (MainForm)
        FinishProgram();
    openPath.clear();
}

// Types into an edit box: focus, everything selected, the characters.
void type(QWidget* w, const QString& text)
{
    w->setFocus();
    if (auto* e = qobject_cast<QLineEdit*>(w))
        e->selectAll();
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &press);
    }
}

void choose(QComboBox* box, const QString& text)
{
    const int index = box->findText(text);
    if (index < 0)
        return;
    box->setCurrentIndex(index);
    emit box->activated(index);
}

// The next modal window of class F is closed at once after its first show (its fill); `use`
// plays the user in between.
template <class F>
void closeWhenShown(std::function<void(F&)> use = {})
{
    ScriptedAnswers::onShowModal<F>([use](F& f) {
        if (use)
            use(f);
        f.Close();
    });
}

// --- start-up ---------------------------------------------------------------------------------

// The start-up as the user sees it end: the entry window on the newest unit, its split page shown
// and filled (the hint that the unit has heart-rate samples found).
void startToSplitPage(const QString& path)
{
    StartProgram({path});
    if (eingabe)
        eingabe->selectPage(eingabe->TabSheet5);
}

QString splitPageProblem(int units)
{
    if (!MainForm || !MainForm->databaseOpen())
        return QStringLiteral("the database did not open");
    if (eingabe->PageControl2->currentWidget() != eingabe->TabSheet5)
        return QStringLiteral("the split page is not shown");
    if (currentUnit() != units)
        return QStringLiteral("the entry window shows unit %1, not the newest").arg(currentUnit());
    if (eingabe->StaticText1->isHidden())
        return QStringLiteral("the split page does not show the unit's samples");
    return {};
}

void BM_StartToSplitPage(benchmark::State& state, int units)
{
    const QString path = databaseOf(units);
    setClockAfter(units);
    closeProgram();
    for (auto _ : state) {
        startToSplitPage(path);
        state.PauseTiming();
        const QString problem = splitPageProblem(units);
        if (!problem.isEmpty())
            state.SkipWithError(problem.toStdString().c_str());
        FinishProgram();
        state.ResumeTiming();
    }
    quiet(state);
}

// A memory figure of this process in kB from /proc/self/status: "VmHWM" the peak resident
// memory, "VmRSS" the resident memory now.
long statusKb(const char* key)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray prefix = QByteArray(key) + ':';
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(prefix))
            return line.mid(prefix.size()).trimmed().split(' ').value(0).toLong();
    return -1;
}

long peakResidentKb()
{
    return statusKb("VmHWM");
}

// The whole process as the user starts it: a fresh process of this program runs the start-up to
// the split page, writes its peak memory and ends there. Wall time from start to end.
void BM_ProcessStartToSplitPage(benchmark::State& state, int units)
{
    const QString path = databaseOf(units);
    closeProgram();
    const QString self = QCoreApplication::applicationFilePath();
    double peakMb = 0;
    for (auto _ : state) {
        QProcess child;
        QElapsedTimer timer;
        timer.start();
        child.start(self, {QStringLiteral("--start-to-split-page"), path, QString::number(units)});
        child.waitForFinished(-1);
        state.SetIterationTime(timer.nsecsElapsed() / 1e9);
        const QByteArray out = child.readAllStandardOutput();
        if (child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0) {
            state.SkipWithError((QStringLiteral("the program did not reach its split page: ") +
                                 QString::fromUtf8(child.readAllStandardError()).left(300))
                                    .toStdString()
                                    .c_str());
            break;
        }
        peakMb = std::max(peakMb, out.trimmed().toLong() / 1024.0);
    }
    state.counters["peak_MB"] = peakMb;
}

// The child of BM_ProcessStartToSplitPage: app/main.cpp's start-up, the split page, the peak
// memory on stdout, the end.
int startToSplitPageChild(int argc, char** argv)
{
    TApplication app(argc, argv);
    TApplication::setApplicationName(QStringLiteral("orvalo5"));
    ActivateScriptedDialogs([](const QString& m) {
        std::fprintf(stderr, "unanswered: %s\n", qPrintable(m));
        std::fflush(nullptr);
        _exit(2);
    });
    const int units = std::atoi(argv[3]);
    setClockAfter(units);
    startToSplitPage(QString::fromLocal8Bit(argv[2]));
    const QString problem = splitPageProblem(units);
    if (!problem.isEmpty())
        std::fprintf(stderr, "%s\n", qPrintable(problem));
    else
        std::printf("%ld\n", peakResidentKb());
    std::fflush(nullptr);
    _exit(problem.isEmpty() ? 0 : 1);
}

// --- the navigator's overview ------------------------------------------------------------------

// The overview list refilled (as when a database opens or the list is asked anew), with the
// process's resident memory after it.
void BM_OverviewRefill(benchmark::State& state, int units)
{
    programOn(units);
    for (auto _ : state)
        navigatorFrm->Button1Click(nullptr);
    state.counters["rows"] = navigatorFrm->StringGrid1->RowCount();
    state.counters["rss_MB"] = statusKb("VmRSS") / 1024.0;
    quiet(state);
}

// The floor of that refill: the list's query stepped through by SQLite alone, each column read
// as SQLite holds it and nothing kept; once as the list asks it, once with the question per unit
// whether it has split rows that the list asked before it read the markers only when shown.
void BM_OverviewSqlFloor(benchmark::State& state, int units, bool withSplitQuestion)
{
    programOn(units);
    const QByteArray sql =
        QByteArray("SELECT daten.dat_Id, daten.Datum, daten.startzeit, daten.Ort, daten.Meter, ") +
        (withSplitQuestion ? "EXISTS (SELECT zeit.zei_Id FROM zeit WHERE zeit.zei_Id = daten.dat_Id) AS hatZeit, " : "") +
        "[daten].[meter]*[unt_calc] AS distanz, unit.[unt_shortname] AS DistName, sportart.spo_id "
        "FROM (daten INNER JOIN sportart ON daten.Sportart = sportart.Spo_Id) "
        "INNER JOIN unit ON sportart.Spo_distance = unit.unt_id ORDER BY datum, startzeit";
    sqlite3* db = orvServer->orvDB.Handle();
    int64_t rows = 0;
    for (auto _ : state) {
        sqlite3_stmt* stmt = nullptr;
        sqlite3_prepare_v2(db, sql.constData(), -1, &stmt, nullptr);
        rows = 0;
        while (sqlite3_step(stmt) == SQLITE_ROW) {
            for (int c = 0; c < sqlite3_column_count(stmt); ++c)
                benchmark::DoNotOptimize(sqlite3_column_type(stmt, c) == SQLITE_TEXT ? (const void*)sqlite3_column_text(stmt, c)
                                                                                       : (const void*)nullptr);
            ++rows;
        }
        sqlite3_finalize(stmt);
    }
    state.counters["rows"] = double(rows);
}

// --- stepping ---------------------------------------------------------------------------------

struct StepCase {
    const char* Name;
    TAction* Teingabe::*Action;  // the entry window's action timed
    int From;                    // the unit it starts from: 1, 2, -1 (the last), -2 (the one before)
    int To;                      // the unit it must reach, counted the same way
};

const StepCase kSteps[] = {
    {"NextAtFirst", &Teingabe::DataSetNext1, 1, 2},    {"NextAtLast", &Teingabe::DataSetNext1, -2, -1},
    {"PriorAtFirst", &Teingabe::DataSetPrior1, 2, 1},  {"PriorAtLast", &Teingabe::DataSetPrior1, -1, -2},
    {"LastFromFirst", &Teingabe::DataSetLast1, 1, -1}, {"FirstFromLast", &Teingabe::DataSetFirst1, -1, 1},
};

int unitAt(int position, int units)
{
    return position > 0 ? position : units + 1 + position;
}

// Moves to a unit through the entry window's actions (not timed).
void goToUnit(int id, int units)
{
    if (id <= units / 2) {
        eingabe->DataSetFirst1->Execute();
        for (int i = 1; i < id; ++i)
            eingabe->DataSetNext1->Execute();
    } else {
        eingabe->DataSetLast1->Execute();
        for (int i = units; i > id; --i)
            eingabe->DataSetPrior1->Execute();
    }
}

void BM_Step(benchmark::State& state, int units, StepCase step)
{
    programOn(units);
    const int from = unitAt(step.From, units);
    const int to = unitAt(step.To, units);
    for (auto _ : state) {
        state.PauseTiming();
        goToUnit(from, units);
        if (currentUnit() != from) {
            state.SkipWithError("the unit to start from was not reached");
            break;
        }
        state.ResumeTiming();
        (eingabe->*step.Action)->Execute();
        state.PauseTiming();
        if (currentUnit() != to) {
            state.SkipWithError(
                QStringLiteral("the step reached unit %1, not %2").arg(currentUnit()).arg(to).toStdString().c_str());
            break;
        }
        state.ResumeTiming();
    }
    quiet(state);
}

// --- the day's walk ---------------------------------------------------------------------------

void BM_Open(benchmark::State& state, int units)
{
    programOn(units);
    for (auto _ : state) {
        state.PauseTiming();
        MainForm->FileClose1->Execute();
        ScriptedAnswers::pushFileName(databaseOf(units));
        state.ResumeTiming();
        MainForm->FileOpen1->Execute();
        state.PauseTiming();
        if (!MainForm->databaseOpen() || currentUnit() != units) {
            state.SkipWithError("the database did not open on its newest unit");
            break;
        }
        state.ResumeTiming();
    }
    quiet(state);
}

// A run entered through the unit page's controls and saved; the unit (and the block its save
// opened) is deleted again afterwards, as the user deletes it (not timed).
void BM_NewUnitAndSave(benchmark::State& state, int units)
{
    programOn(units);
    for (auto _ : state) {
        eingabe->DataSetInsert1->Execute();
        choose(eingabe->DBLookupComboBox1, QStringLiteral("Laufen"));
        choose(eingabe->DBLookupComboBox2, QStringLiteral("Training"));
        choose(eingabe->DBLookupComboBox3, QStringLiteral("GA1"));
        choose(eingabe->DBLookupComboBox4, QStringLiteral("Dauerlauf"));
        type(eingabe->DBEdit2, QStringLiteral("10,5"));
        type(eingabe->DBEdit6, QStringLiteral("00:52:30"));
        type(eingabe->DBEdit1, QStringLiteral("Stadtpark"));
        eingabe->DBMemo1->setFocus();
        eingabe->DataSetPost1->Execute();
        state.PauseTiming();
        const bool saved = orvServer->daten.State() == dsBrowse && currentUnit() > units;
        if (saved) {
            // "Delete the unit?" and, for the block the save opened for it, "delete the empty
            // block too?": both yes, so the database is as before.
            ScriptedAnswers::pushMessageAnswer(mrYes);
            ScriptedAnswers::pushMessageAnswer(mrYes);
            eingabe->DataSetDelete1->Execute();
        } else {
            orvServer->daten.Cancel();
        }
        if (!quiet(state))
            break;
        if (!saved) {
            state.SkipWithError("the new unit was not saved");
            break;
        }
        state.ResumeTiming();
    }
}

// Ten units back through the entry window's "Vorherige Einheit", next time ten forward again.
void BM_StepTenUnits(benchmark::State& state, int units)
{
    programOn(units);
    static bool back = true;
    for (auto _ : state) {
        TAction* step = back ? eingabe->DataSetPrior1 : eingabe->DataSetNext1;
        for (int i = 0; i < 10; ++i)
            step->Execute();
        back = !back;
    }
    quiet(state);
}

void BM_SplitPage(benchmark::State& state, int units)
{
    programOn(units);
    for (auto _ : state) {
        eingabe->selectPage(eingabe->TabSheet5);
        state.PauseTiming();
        eingabe->selectPage(eingabe->TabSheet4);
        state.ResumeTiming();
    }
    quiet(state);
}

// A view of the navigator chosen by its button (from another view, not timed) and used once;
// `reset` puts back what the use changed (not timed).
void navigatorView(benchmark::State& state, int units, TXPButton* TnavigatorFrm::*button,
                   const std::function<void(TnavigatorFrm&)>& use,
                   const std::function<void(TnavigatorFrm&)>& reset = {})
{
    programOn(units);
    TnavigatorFrm& nav = *navigatorFrm;
    TXPButton* other = button == &TnavigatorFrm::XPButton1 ? nav.XPButton7 : nav.XPButton1;
    for (auto _ : state) {
        state.PauseTiming();
        if (reset)
            reset(nav);
        other->Click();
        state.ResumeTiming();
        (nav.*button)->Click();
        if (use)
            use(nav);
    }
    quiet(state);
}

// "Übersicht": the unit ten rows above the selected one chosen.
void BM_NavigatorOverview(benchmark::State& state, int units)
{
    navigatorView(state, units, &TnavigatorFrm::XPButton1, [](TnavigatorFrm& nav) {
        nav.StringGrid1->SetRow(std::max(nav.StringGrid1->FixedRows(), nav.StringGrid1->Row() - 10));
    });
}

// "Zeitraumstatistik" after the period statistics ran: the period's first unit opened.
void BM_NavigatorPeriod(benchmark::State& state, int units)
{
    navigatorView(state, units, &TnavigatorFrm::XPButton3,
                  [](TnavigatorFrm& nav) { nav.DBGrid2DblClick(nav.DBGrid2); });
    state.counters["rows"] = orvServer->zeitraum.Active() ? orvServer->zeitraum.RecordCount() : 0;
}

// "Suchen": the places starting with "Stadt" searched, the first found unit opened.
void BM_NavigatorSearch(benchmark::State& state, int units)
{
    navigatorView(
        state, units, &TnavigatorFrm::XPButton7,
        [](TnavigatorFrm& nav) {
            type(nav.UiOfficeEdit20001, QStringLiteral("Stadt"));
            nav.XPButton2->Click();
        },
        [](TnavigatorFrm& nav) { nav.UiOfficeEdit20001->clear(); });
}

// "Profile": the routes filtered by a name.
void BM_NavigatorRoutes(benchmark::State& state, int units)
{
    navigatorView(
        state, units, &TnavigatorFrm::XPButton8,
        [](TnavigatorFrm& nav) { type(nav.MaskEdit2, QStringLiteral("Runde")); },
        [](TnavigatorFrm& nav) { nav.MaskEdit2->clear(); });
}

// "Trainingsblöcke": the block tree filled, its selected unit opened.
void BM_NavigatorBlocks(benchmark::State& state, int units)
{
    navigatorView(state, units, &TnavigatorFrm::XPButton9, [](TnavigatorFrm& nav) { nav.XPButton5->Click(); });
}

// The explorer page with the list of "Alle" (over the explorer's default days).
void BM_Explorer(benchmark::State& state, int units)
{
    programOn(units);
    for (auto _ : state) {
        state.PauseTiming();
        eingabe->selectPage(eingabe->TabSheet4);
        state.ResumeTiming();
        eingabe->selectPage(eingabe->TabSheet6);
        // A header other than "Alle" lists nothing: choosing "Alle" lists anew.
        explorerFrm->TreeView1->setCurrentItem(explorerFrm->CategoryNode(ecSport));
        explorerFrm->TreeView1->setCurrentItem(explorerFrm->CategoryNode(ecAll));
        state.PauseTiming();
        if (eingabe->ExplorerList()->Count() == 0) {
            state.SkipWithError("the explorer lists no unit");
            break;
        }
        state.ResumeTiming();
    }
    state.counters["items"] = eingabe->ExplorerList()->Count();
    quiet(state);
}

// A unit of the explorer's list opened by a double click (the unit page shows it).
void BM_ExplorerOpenUnit(benchmark::State& state, int units)
{
    programOn(units);
    eingabe->selectPage(eingabe->TabSheet6);
    explorerFrm->TreeView1->setCurrentItem(explorerFrm->CategoryNode(ecSport));
    explorerFrm->TreeView1->setCurrentItem(explorerFrm->CategoryNode(ecAll));
    for (auto _ : state) {
        state.PauseTiming();
        eingabe->selectPage(eingabe->TabSheet6);
        const int count = eingabe->ExplorerList()->Count();
        eingabe->ListView1->setCurrentIndex(eingabe->ExplorerList()->index(count / 2, 0));
        state.ResumeTiming();
        eingabe->ListView1DblClick(eingabe->ListView1);
    }
    quiet(state);
}

// The period statistics opened from the main window, "Jahr" pressed, closed.
void BM_PeriodYear(benchmark::State& state, int units)
{
    programOn(units);
    for (auto _ : state) {
        closeWhenShown<TZeitNeu>([](TZeitNeu& w) { w.SpeedButton5->click(); });
        MainForm->StatZeitraum1->Execute();
    }
    state.counters["units"] = TrainingUnitCount;
    quiet(state);
}

// A window of the main window's action opened (its first fill) and closed.
template <class F>
void openAndClose(benchmark::State& state, int units, TAction* TMainForm::*action)
{
    programOn(units);
    for (auto _ : state) {
        closeWhenShown<F>();
        (MainForm->*action)->Execute();
    }
    quiet(state);
}

void registerAll()
{
    const int repetitions = qEnvironmentVariableIsSet("ORV_DAYUSE_REPETITIONS")
                                ? std::max(1, qEnvironmentVariableIntValue("ORV_DAYUSE_REPETITIONS"))
                                : 5;
    auto once = [repetitions](benchmark::internal::Benchmark* b) {
        b->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(repetitions)->ReportAggregatesOnly(true);
    };
    for (int units : {kTenYears, kLarge}) {
        const std::string n = std::to_string(units);
        once(benchmark::RegisterBenchmark(("BM_StartToSplitPage/" + n).c_str(), BM_StartToSplitPage, units));
        once(
            benchmark::RegisterBenchmark(("BM_ProcessStartToSplitPage/" + n).c_str(), BM_ProcessStartToSplitPage, units)
                ->UseManualTime());
        once(benchmark::RegisterBenchmark(("BM_OverviewRefill/" + n).c_str(), BM_OverviewRefill, units));
        once(benchmark::RegisterBenchmark(("BM_OverviewSqlFloor/" + n).c_str(), BM_OverviewSqlFloor, units, false));
        once(benchmark::RegisterBenchmark(("BM_OverviewSqlFloorWithSplitQuestion/" + n).c_str(), BM_OverviewSqlFloor,
                                          units, true));
        for (const StepCase& step : kSteps)
            once(benchmark::RegisterBenchmark(("BM_Step/" + n + "/" + step.Name).c_str(), BM_Step, units, step));
    }
    const std::pair<const char*, void (*)(benchmark::State&, int)> walk[] = {
        {"Open", BM_Open},
        {"NewUnitAndSave", BM_NewUnitAndSave},
        {"StepTenUnits", BM_StepTenUnits},
        {"SplitPage", BM_SplitPage},
        {"NavigatorOverview", BM_NavigatorOverview},
        {"NavigatorSearch", BM_NavigatorSearch},
        {"NavigatorRoutes", BM_NavigatorRoutes},
        {"NavigatorBlocks", BM_NavigatorBlocks},
        {"Explorer", BM_Explorer},
        {"ExplorerOpenUnit", BM_ExplorerOpenUnit},
        {"PeriodYear", BM_PeriodYear},
        {"NavigatorPeriod", BM_NavigatorPeriod},
        {"WeeklyStatistics",
         [](benchmark::State& s, int u) { openAndClose<TWochenstat>(s, u, &TMainForm::StatWochen1); }},
        {"MonthlyStatistics",
         [](benchmark::State& s, int u) { openAndClose<Tjahresstat>(s, u, &TMainForm::StatJahr1); }},
        {"BlockManager", [](benchmark::State& s, int u) { openAndClose<Tblockman>(s, u, &TMainForm::Action17); }},
        {"EquipmentManager", [](benchmark::State& s, int u) { openAndClose<TeqManager>(s, u, &TMainForm::Action8); }},
        {"RouteManager", [](benchmark::State& s, int u) { openAndClose<TstrManager>(s, u, &TMainForm::Action7); }},
    };
    const int walkUnits =
        qEnvironmentVariableIsSet("ORV_DAYUSE_UNITS") ? qEnvironmentVariableIntValue("ORV_DAYUSE_UNITS") : kLarge;
    for (const auto& [name, run] : walk)
        once(benchmark::RegisterBenchmark(("BM_DayUse/" + std::to_string(walkUnits) + "/" + name).c_str(), run,
                                          walkUnits));
}

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc > 3 && std::strcmp(argv[1], "--start-to-split-page") == 0)
        return startToSplitPageChild(argc, argv);
    QTemporaryDir folders;
    benchprogram::UseTemporaryFolders(folders);
    TApplication app(argc, argv);
    benchprogram::UseBuiltProgramFolder();
    ActivateScriptedDialogs([](const QString& m) { unanswered() << m; });
    registerAll();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    closeProgram();
    benchmark::Shutdown();
    return 0;
}
