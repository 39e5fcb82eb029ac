// Escape and Return in every dialog the program creates, as a keyboard user presses them in the
// window as it comes up: Escape closes it and writes nothing to the database (a row being edited
// in it is dropped), Return presses its default button. A dialog added later that is missing
// from the walk fails it.
#include <gtest/gtest.h>
#include <gtest/gtest-spi.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDirIterator>
#include <QPushButton>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QRegularExpression>
#include <QTabWidget>

#include <memory>

#include "analysis/belstat.h"
#include "analysis/bodymass.h"
#include "analysis/criteriadialog.h"
#include "analysis/filter1.h"
#include "analysis/infos.h"
#include "analysis/jahresstat.h"
#include "analysis/leistindex.h"
#include "analysis/marschanfu.h"
#include "analysis/marschneu.h"
#include "analysis/maxpuls.h"
#include "analysis/monatstatgraf.h"
#include "analysis/pulsfrequ.h"
#include "analysis/rechner.h"
#include "analysis/schwellentempo.h"
#include "analysis/tflex.h"
#include "analysis/training.h"
#include "analysis/webtools.h"
#include "analysis/wochenstat.h"
#include "analysis/wochenstatgraf.h"
#include "analysis/zeitber.h"
#include "analysis/zeitdruckdialog.h"
#include "analysis/zeitgraf.h"
#include "analysis/zeitgrafdlg.h"
#include "analysis/zeitraumneu.h"
#include "controls/xpbutton.h"
#include "core/about.h"
#include "core/dtsetup.h"
#include "core/main.h"
#include "core/orvdbserver.h"
#include "core/selectpivot.h"
#include "core/umgebung.h"
#include "exchange/convbusy.h"
#include "exchange/convert5u.h"
#include "exchange/dbrestoreu.h"
#include "exchange/dbsicherung.h"
#include "exchange/excelimport.h"
#include "exchange/excelimport2.h"
#include "exchange/garminimport.h"
#include "exchange/hrmimport.h"
#include "exchange/mywaybusy.h"
#include "exchange/mywayimport.h"
#include "exchange/mywaypointselect.h"
#include "exchange/outbreakerimport.h"
#include "exchange/polarimport.h"
#include "exchange/selforerunner.h"
#include "exchange/tableimport.h"
#include "platform/report/reportpreview.h"
#include "platform/vcl/registry.h"
#include "tests/support/accessfixtures.h"
#include "tests/support/keyboardwalk.h"
#include "tests/support/testenv.h"
#include "tests/traininglog/entrywindowfixture.h"
#include "traininglog/bestzeit.h"
#include "traininglog/blockman.h"
#include "traininglog/calen.h"
#include "traininglog/datenselect.h"
#include "traininglog/eingabefrm.h"
#include "traininglog/eqmanager.h"
#include "traininglog/equipmentdlg.h"
#include "traininglog/hrmgraph.h"
#include "traininglog/imgpreview.h"
#include "traininglog/musteredit.h"
#include "traininglog/pulsgewicht.h"
#include "traininglog/strmanager.h"
#include "traininglog/tagebuch.h"
#include "traininglog/trainform.h"
#include "traininglog/trainplanwoche.h"
#include "traininglog/vergleichselect.h"
#include "traininglog/zweditdlg.h"
#include "traininglog/zwinfo.h"

namespace {

// One dialog of the walk: how the program has it made (a window created at start-up is borrowed,
// not owned), and the button that Return presses in it, if it has one.
struct DialogCase {
    QString className;
    std::function<std::shared_ptr<TForm>()> make;
    QString defaultButton;
};

template <class F, class... Args>
std::function<std::shared_ptr<TForm>()> created(Args... args)
{
    return [=] { return std::shared_ptr<TForm>(std::make_shared<F>(args...)); };
}

template <class F>
std::function<std::shared_ptr<TForm>()> startUp(F*& global)
{
    return [&global] { return std::shared_ptr<TForm>(global, [](TForm*) {}); };
}

// Windows that are no dialog: they have no close box and nothing to cancel.
const QStringList kNoDialogs = {
    "Teingabe",      // the entry window lies inside the main window
    "TIntroScreen",  // the splash window
    "TBusyDlg",      // the please-wait window, closed by the work it waits for
    "TStatChartForm",  // the base of the weekly and monthly charts, walked through them
};

// Runs code and returns the test failures it reported (a window left open, an unscripted box)
// without failing the test, so that the walk names every dialog that fails.
QStringList capturedFailures(const std::function<void()>& code)
{
    ::testing::TestPartResultArray results;
    {
        ::testing::ScopedFakeTestPartResultReporter reporter(
            ::testing::ScopedFakeTestPartResultReporter::INTERCEPT_ONLY_CURRENT_THREAD, &results);
        code();
    }
    QStringList messages;
    for (int i = 0; i < results.size(); ++i)
        messages << QString::fromStdString(results.GetTestPartResult(i).message());
    return messages;
}

// The window's focus as the system gives it when it comes up.
void activate(QWidget* window)
{
    window->activateWindow();
    QApplication::setActiveWindow(window);
}

// A key pressed where the focus is, or on the window when nothing in it has the focus.
void press(QWidget* window, int key)
{
    if (!QApplication::focusWidget() || !(window == QApplication::focusWidget() ||
                                          window->isAncestorOf(QApplication::focusWidget())))
        window->setFocus();
    PressKey(key);
}

bool takesReturn(const QWidget* w)
{
    if (const auto* memo = qobject_cast<const QPlainTextEdit*>(w))
        return !memo->isReadOnly();
    if (const auto* text = qobject_cast<const QTextEdit*>(w))
        return !text->isReadOnly();
    return false;
}

// The button, with its handlers taken off and a counter of its clicks put on.
std::shared_ptr<int> countClicks(QWidget* button)
{
    auto clicks = std::make_shared<int>(0);
    if (auto* flat = qobject_cast<TXPButton*>(button)) {
        flat->OnClick = [clicks](QObject*) { ++*clicks; };
    } else if (auto* b = qobject_cast<QAbstractButton*>(button)) {
        QObject::disconnect(b, nullptr, nullptr, nullptr);
        QObject::connect(b, &QAbstractButton::clicked, [clicks] { ++*clicks; });
    }
    return clicks;
}

class DialogKeysTest : public EntryWindowFixture {
protected:
    void SetUp() override
    {
        EntryWindowFixture::SetUp();
        // A unit with two splits, a best time, a route with a point and a plan: something to
        // show in every manager.
        db.exec("INSERT INTO TRAININGSBLOCK (trb_Id, trb_Name, trb_form, trb_sportart, trb_created) "
                "VALUES (1, 'Frühjahr', 1, 1, 45360)");
        db.exec("INSERT INTO DATEN (dat_Id, Datum, Ort, Startzeit, Zeit, Meter, Sportart, Form, Belastungsart, "
                "Belastungsstufe, Hoehendifferenz, Puls, trainingsblock) VALUES "
                "(7, 45365, 'Stadtpark', 0.75, 0.03, 10000, 1, 1, 1, 1, 0, 140, 1)");
        db.exec("INSERT INTO zeit (zei_Id, Meter, Zwischenzeit, Puls, zwTyp, zei_hrm) VALUES "
                "(7, 5000, 0.015, 138, 0, 0), (7, 10000, 0.03, 142, 0, 0)");
        db.exec("INSERT INTO bestzeit (bes_Id, bes_sportart, bes_datum, bes_meter, bes_zeit, bes_ort, bes_typ, "
                "bes_kategorie) VALUES (1, 1, 45365, 10000, 0.03, 'Stadtpark', 'PB', 'Straße')");
        db.exec("INSERT INTO STRECKE (StrIndex, Name, Ort, Laenge, HDiff, Beschreibung, str_kategorie) VALUES "
                "(1, 'Ruhrbogen', 'Mülheim', 4200, 33, 'Am Ufer', 'Eigene')");
        db.exec("INSERT INTO streckez (StrIndex, Meter, Streckenpunkt) VALUES (1, 1500, 'Brücke')");
        ASSERT_NO_FATAL_FAILURE(startProgram());
        // The outside programs' files the import windows read when they come up: a trip of the
        // monitor's software, and the route planner with one route of two markers.
        ASSERT_TRUE(WriteTripFile(trips.file(QStringLiteral("trips.mdb")),
                                  {MakeTrip(1, QStringLiteral("Runde"), EncodeDate(2024, 3, 10), 5)}));
        ASSERT_TRUE(WritePlannerFile(planner.file(QStringLiteral("myway.mdb")), {{1, QStringLiteral("Bonn"), 5300, 10}},
                                     {{10, QStringLiteral("Rheinland")}},
                                     {{7, 1, 0, QStringLiteral("Start"), 60}, {8, 1, 5200, QStringLiteral("Ziel"), 62}}));
        TRegistry reg;
        reg.SetRootKey(HKEY_LOCAL_MACHINE);
        reg.OpenKey(QStringLiteral("\\Software\\ZED1"), true);
        reg.WriteString(QStringLiteral("DIZPath"), planner.path());
    }

    // Answers what a dialog asks when it comes up: the trip file of the Outbreaker import.
    static void scriptOpening(const QString& className, const QString& tripFile)
    {
        if (className == QLatin1String("ToutImport"))
            ScriptedAnswers::pushFileName(tripFile);
    }

    TempFolder trips;
    TempFolder planner;

    QList<DialogCase> dialogs()
    {
        QWidget* m = MainForm;
        const QString hrmFile = SourceFile(QStringLiteral("tests/exchange/fixtures/08071501.hrm"));
        const QString workbook = SourceFile(QStringLiteral("tests/platform/office/fixtures/lo-training.xlsx"));
        return {
            // the application core
            {"TAboutForm", created<TAboutForm>(m), "Button1"},
            {"TUmgebungsoptionen", created<TUmgebungsoptionen>(m), "OKBtn"},
            {"TselectPivot", created<TselectPivot>(m), "Button1"},
            {"TdtSetupForm", created<TdtSetupForm>(nullptr, m), "bbtnOK"},
            // the training log
            {"TzwEditDlg", startUp(zwEditDlg), ""},
            {"TPulsGewicht", startUp(PulsGewicht), "BitBtn1"},
            {"Tdiary", created<Tdiary>(m), ""},
            {"TzwInfoDlg", created<TzwInfoDlg>(m), ""},
            {"TvergleichSelect", created<TvergleichSelect>(m), ""},
            {"TKalender", created<TKalender>(m), "Button1"},
            {"TEquipment", created<TEquipment>(m), "Button1"},
            {"TeqManager", created<TeqManager>(m), ""},
            {"Tblockman", created<Tblockman>(m), ""},
            {"TDatenSelect", created<TDatenSelect>(m), ""},
            {"TeingabeWin", created<TeingabeWin>(m), ""},
            {"TTrainForm", created<TTrainForm>(m), ""},
            {"Tplan_delete", created<Tplan_delete>(m), "Button1"},
            {"TtrainplanWoche", created<TtrainplanWoche>(m), ""},
            {"Tmusteredit",
             [] {
                 return std::shared_ptr<TForm>(
                     std::make_shared<Tmusteredit>(MainForm->cds, MainForm->cds2, MainForm->SaveDialog1, MainForm));
             },
             ""},
            {"TstrManager", created<TstrManager>(m), ""},
            {"TimgPreview", created<TimgPreview>(m), "Button1"},
            {"Tbestzeit", created<Tbestzeit>(m), ""},
            {"TzwHRMGraph", created<TzwHRMGraph>(m), ""},
            // the analysis windows and calculators
            {"TZeitNeu", created<TZeitNeu>(m), ""},
            {"TInfos", created<TInfos>(m), "Button1"},
            {"TCriteriaDlg", created<TCriteriaDlg>(m), "OKBtn"},
            {"TfmFilterFrm", created<TfmFilterFrm>(m), "BitBtn2"},
            {"Tzeitdruckdlg", created<Tzeitdruckdlg>(m), "OKBtn"},
            {"TzeitGrafDlg", created<TzeitGrafDlg>(m), "Button1"},
            {"TzeitGraf", created<TzeitGraf>(m), ""},
            {"TbelStat", created<TbelStat>(m), ""},
            {"TWochenstat", created<TWochenstat>(m), ""},
            {"Twochenstatgraf", startUp(wochenstatgraf), ""},
            {"Tjahresstat", created<Tjahresstat>(m), ""},
            {"Tmonatstatgraf", created<Tmonatstatgraf>(m), ""},
            {"TTraining", created<TTraining>(m), "BitBtn1"},
            {"Tzeitenberechnung", created<Tzeitenberechnung>(m), "BitBtn1"},
            {"TTempoflex", created<TTempoflex>(m), "BitBtn1"},
            {"Tschwtempo", created<Tschwtempo>(m), "Button1"},
            {"Tmarschtab", created<Tmarschtab>(m), "Button1"},
            {"TMarschAnf", created<TMarschAnf>(m), "OKBtn"},
            {"Tzeitenrechner", created<Tzeitenrechner>(m), "Button1"},
            {"TMaximPuls", created<TMaximPuls>(m), "BitBtn1"},
            {"TPulsfrequenzen", created<TPulsfrequenzen>(m), "BitBtn1"},
            {"TLeistindex", created<TLeistindex>(m), "BitBtn2"},
            {"Tbody", created<Tbody>(m), "Button1"},
            {"TFormeln", created<TFormeln>(m), ""},
            // data exchange
            {"TpolarImp", created<TpolarImp>(m), "Button2"},
            {"ThrmImport", created<ThrmImport>(m, true, true, true, hrmFile), "Button2"},
            {"Tgarminimp", created<Tgarminimp>(m), "Button2"},
            {"TselectForerunner", created<TselectForerunner>(m), "Button1"},
            {"Teximp", created<Teximp>(m), "Button1"},
            {"Teximp2",
             [workbook] {
                 auto source = OpenImportSource(workbook, true);
                 return std::shared_ptr<TForm>(std::make_shared<Teximp2>(MainForm, true, orvServer->daten, QString(),
                                                                         std::move(source.Value())));
             },
             "Button1"},
            {"ToutImport", created<ToutImport>(m), "Button4"},
            {"Tmywaydlg", created<Tmywaydlg>(m), "Button4"},
            {"Tmywayimp2",
             [] {
                 auto f = std::make_shared<Tmywayimp2>(MainForm);
                 f->routeId = 1;  // the route chosen in the route list
                 return std::shared_ptr<TForm>(f);
             },
             "Button4"},
            {"Tmywaybusydlg", created<Tmywaybusydlg>(m), ""},
            {"Tconvert5", created<Tconvert5>(m), ""},
            {"TconvBusyDlg", created<TconvBusyDlg>(m), ""},
            {"TdbSichern", created<TdbSichern>(m), "Button2"},
            {"TdbRestore", created<TdbRestore>(m), "Button2"},
            // the report preview of the output layer
            {"TReportPreview", [] { return std::shared_ptr<TForm>(std::make_shared<TReportPreview>(MainForm, TPreparedReport())); }, ""},
        };
    }
};

}  // namespace

TEST_F(DialogKeysTest, EscapeClosesEveryDialogWithoutWritingAndReturnPressesItsDefaultButton)
{
    QStringList problems;
    for (const DialogCase& c : dialogs()) {
        SCOPED_TRACE(c.className.toStdString());
        std::shared_ptr<TForm> form = c.make();
        ASSERT_TRUE(form) << c.className.toStdString();
        const QByteArray before = db.bytes();

        // Escape, as the window comes up.
        scriptOpening(c.className, trips.file(QStringLiteral("trips.mdb")));
        ScriptedAnswers::onShowModal(c.className, [&](TForm& f) {
            activate(&f);
            press(&f, Qt::Key_Escape);
        });
        const QStringList failures = capturedFailures([&] { form->ShowModal(); });
        if (!failures.isEmpty() || form->isVisible())
            problems << c.className + ": Escape leaves it open " + failures.join(' ');
        else if (!CancelButton(form.get()) && form->ModalResult() != mrCancel)
            problems << c.className + ": Escape closes it with result " + QString::number(form->ModalResult());
        if (db.bytes() != before)
            problems << c.className + ": Escape writes to the database";

        // Return, as the window comes up.
        ScriptedAnswers::onShowModal(c.className, [&](TForm& f) {
            activate(&f);
            QWidget* expected = c.defaultButton.isEmpty() ? nullptr : f.findChild<QWidget*>(c.defaultButton);
            if (!c.defaultButton.isEmpty() && !expected)
                problems << c.className + ": no button " + c.defaultButton;
            const std::shared_ptr<int> clicks = expected ? countClicks(expected) : std::make_shared<int>(0);
            if (DefaultButton(&f) != expected)
                problems << c.className + ": the default button is " +
                                (DefaultButton(&f) ? DefaultButton(&f)->objectName() : QStringLiteral("none"));
            const QString focus = FocusName();
            // A multi-line box keeps Return for its new line; the window gets the key as from
            // any other control.
            if (takesReturn(QApplication::focusWidget())) {
                QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
                QApplication::sendEvent(&f, &enter);
            } else {
                press(&f, Qt::Key_Return);
            }
            if (expected && *clicks != 1)
                problems << c.className + ": Return in " + focus + " does not press " + c.defaultButton;
            if (f.isVisible())
                f.Close();
        });
        capturedFailures([&] { form->ShowModal(); });
        ScriptedAnswers::clear();
    }
    EXPECT_TRUE(problems.isEmpty()) << problems.join('\n').toStdString();
}

TEST_F(DialogKeysTest, TheWalkHoldsEveryDialogOfTheProgram)
{
    QStringList walked;
    for (const DialogCase& c : dialogs())
        walked << c.className;
    QStringList missing;
    const QRegularExpression form(QStringLiteral("class (T\\w+) : public (TForm|TStatChartForm)\\b"));
    for (const char* folder : {"core", "traininglog", "analysis", "exchange", "platform/report"}) {
        QDirIterator it(SourceFile(QString::fromLatin1(folder)), {QStringLiteral("*.h")}, QDir::Files);
        while (it.hasNext()) {
            QFile f(it.next());
            ASSERT_TRUE(f.open(QIODevice::ReadOnly));
            const QString text = QString::fromUtf8(f.readAll());
            for (auto m = form.globalMatch(text); m.hasNext();) {
                const QString name = m.next().captured(1);
                if (!walked.contains(name) && !kNoDialogs.contains(name))
                    missing << name;
            }
        }
    }
    EXPECT_TRUE(missing.isEmpty()) << missing.join(", ").toStdString();
}
