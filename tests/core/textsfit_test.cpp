// Every window of the program, opened on a database with training in it at 1280 x 800, in German
// and in English, shows its labels, buttons, group titles, tabs and grid column titles whole, and
// its grids' dates, times and numbers whole: nothing is cut by the fonts of this machine.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetrics>
#include <QTabWidget>

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
#include "analysis/toolquickstatframe.h"
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
#include "core/busy.h"
#include "core/dtsetup.h"
#include "core/explorerframe.h"
#include "core/main.h"
#include "core/navigatorframe.h"
#include "core/orvdbserver.h"
#include "core/selectpivot.h"
#include "core/splash.h"
#include "core/startframe.h"
#include "core/toolexplorerframe.h"
#include "core/toolkalenderframe.h"
#include "core/umgebung.h"
#include "exchange/convbusy.h"
#include "exchange/convert5u.h"
#include "exchange/dbrestoreu.h"
#include "exchange/dbsicherung.h"
#include "exchange/excelimport.h"
#include "exchange/garminimport.h"
#include "exchange/mywaybusy.h"
#include "exchange/mywayimport.h"
#include "exchange/mywaypointselect.h"
#include "exchange/outbreakerimport.h"
#include "exchange/polarimport.h"
#include "exchange/selforerunner.h"
#include "platform/vcl/forms.h"
#include "tests/core/programfixture.h"
#include "tests/support/accessfixtures.h"
#include "tests/support/athletedb.h"
#include "tests/support/clippedtexts.h"
#include "tests/support/testenv.h"
#include "traininglog/bestzeit.h"
#include "traininglog/blockman.h"
#include "traininglog/calen.h"
#include "traininglog/datenselect.h"
#include "traininglog/eingabefrm.h"
#include "traininglog/einheiteneingabe.h"
#include "traininglog/eqmanager.h"
#include "traininglog/equipmentdlg.h"
#include "traininglog/hrmgraph.h"
#include "traininglog/imgpreview.h"
#include "traininglog/kalendermonat.h"
#include "traininglog/kalendertag.h"
#include "traininglog/musteredit.h"
#include "traininglog/pulsgewicht.h"
#include "traininglog/strmanager.h"
#include "traininglog/tagebuch.h"
#include "traininglog/terminframe.h"
#include "traininglog/toolcalweekframe.h"
#include "traininglog/tooleqframe.h"
#include "traininglog/trainform.h"
#include "traininglog/trainplanwoche.h"
#include "traininglog/vergleichselect.h"
#include "traininglog/zweditdlg.h"
#include "traininglog/zwinfo.h"

namespace {

// The flat button draws its glyph and caption itself, inside a frame of two pixels.
std::optional<TextRoom> flatButtonRoom(QWidget* w)
{
    auto* b = qobject_cast<TXPButton*>(w);
    if (!b)
        return std::nullopt;
    if (b->Caption().isEmpty())
        return TextRoom{};
    const QFontMetrics fm(b->font());
    int need = fm.boundingRect(QRect(), Qt::TextShowMnemonic, b->Caption()).width() + 4;
    if (!b->Glyph().isNull())
        need += b->Glyph().width() / std::max(1, b->NumGlyphs()) + std::max(0, b->Spacing());
    return TextRoom{need, b->width(), b->Caption()};
}

// Half a year of training: runs, rides and swims in blocks, some with splits, a zero-distance
// unit, a route with points.
void fillDatabase(const AthleteDatabase& db)
{
    db.exec("INSERT INTO TRAININGSBLOCK (trb_Id, trb_Name, trb_form, trb_sportart, trb_created) VALUES "
            "(1, 'Training: Laufen am 02.10.2023', 1, 1, 45201), (2, 'Marathonvorbereitung Herbst', 2, 1, 45230)");
    QString units;
    for (int i = 0; i < 40; ++i) {
        const int sport = QList<int>{1, 1, 2, 3, 1, 4}[i % 6];
        const int metres = sport == 2 ? 42000 + i * 977 : sport == 3 ? 1500 + i * 97 : 8000 + (i * 731) % 14000;
        units += QStringLiteral("%1(%2, %3, '%4', %5, %6, %7, %8, %9, %10, 1, %11, %12, 72.5, %13)")
                     .arg(units.isEmpty() ? "" : ",")
                     .arg(i + 1)
                     .arg(45200 + i * 3)
                     .arg(QStringList{"Stadtpark", "Waldsee Runde", "Hallenbad Nord", "Rheinufer"}[i % 4])
                     .arg(QList<int>{1, 1, 2, 1, 4}[i % 5])
                     .arg(0.25 + (i % 5) * 0.1)
                     .arg(metres / 3.1 / 86400.0)
                     .arg(metres)
                     .arg((i * 13) % 300)
                     .arg(130 + i % 40)
                     .arg(sport)
                     .arg(1 + i % 5)
                     .arg(1 + i / 20);
    }
    db.exec("INSERT INTO DATEN (dat_Id, Datum, Ort, Form, Startzeit, Zeit, Meter, Hoehendifferenz, Puls, "
            "Belastungsart, Sportart, Belastungsstufe, Gewicht, trainingsblock) VALUES " +
            units);
    db.exec("INSERT INTO DATEN (dat_Id, Datum, Ort, Form, Startzeit, Zeit, Meter, Sportart, Belastungsstufe, "
            "trainingsblock) VALUES (41, 45330, 'Kraftraum', 1, 0.7, 0.03, 0, 7, 1, 2)");
    for (int unit : {1, 4, 40})
        for (int s = 1; s <= 8; ++s)
            db.exec(QStringLiteral("INSERT INTO zeit (zei_Id, Meter, Zwischenzeit, Puls, zei_minpuls, zei_maxpuls, HDiff, "
                                   "Notitz, zwTyp, zei_hrm, zei_trittfrequenz, zei_importkmh, zei_temperatur) VALUES "
                                   "(%1, %2, %3, %4, %5, %6, %7, 'Kilometer %8', 0, 0, 85, 11.5, 14)")
                        .arg(unit)
                        .arg(s * 1000)
                        .arg(s * 300.5 / 86400.0)
                        .arg(140 + s)
                        .arg(120 + s)
                        .arg(160 + s)
                        .arg(100 + (s * 17) % 40)
                        .arg(s));
    db.exec("INSERT INTO STRECKE (StrIndex, Name, Land, Ort, Laenge, HDiff, Beschreibung, str_kategorie) VALUES "
            "(1, 'Waldsee Runde', 'Deutschland', 'Zwei Runden um den See', 10500, 85, 'Schöne Strecke', 'Laufen')");
    db.exec("INSERT INTO streckez (StrIndex, Meter, Streckenpunkt, Hoehe) VALUES (1, 2000, 'Brücke', 110), "
            "(1, 6000, 'Nordufer', 130)");
    db.exec("INSERT INTO bestzeit (bes_Id, bes_sportart, bes_meter, bes_zeit, bes_datum, bes_ort) VALUES "
            "(1, 1, 10000, 0.0291, 45210, 'Stadtpark')");
}

class TextsFitTest : public ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        SetScreenWidthSource([] { return 1280; });
        fillDatabase(db);
        // The outside programs' files the import windows read when they come up: a trip of the
        // monitor's software, and the route planner with a route of two markers.
        ASSERT_TRUE(WriteTripFile(trips.file(QStringLiteral("trips.mdb")),
                                  {MakeTrip(1, QStringLiteral("Morgenrunde am See"), EncodeDate(2024, 3, 10), 5)}));
        ASSERT_TRUE(WritePlannerFile(planner.file(QStringLiteral("myway.mdb")),
                                     {{1, QStringLiteral("Waldsee Runde"), 10500, 10}}, {{10, QStringLiteral("Rheinland")}},
                                     {{7, 1, 0, QStringLiteral("Start"), 60}, {8, 1, 5200, QStringLiteral("Nordufer"), 62}}));
        TRegistry reg;
        reg.SetRootKey(HKEY_LOCAL_MACHINE);
        reg.OpenKey(QStringLiteral("\\Software\\ZED1"), true);
        reg.WriteString(QStringLiteral("DIZPath"), planner.path());
    }
    void TearDown() override
    {
        SetScreenWidthSource({});
        ProgramTest::TearDown();
    }

    void collect(QWidget* w)
    {
        QApplication::processEvents();
        cut << ClippedTexts(w, flatButtonRoom);
    }

    // Opens a window through `open`, which shows it modally, and collects its cut texts; `also`
    // may work in it (and collect more) before it is closed.
    template <class F>
    void modal(const std::function<void()>& open, const std::function<void(F&)>& also = {})
    {
        bool seen = false;
        ScriptedAnswers::onShowModal<F>([&](F& f) {
            seen = true;
            collect(&f);
            if (also)
                also(f);
            f.SetModalResult(mrCancel);
        });
        open();
        if (!seen)
            cut << QStringLiteral("%1 did not open").arg(QString::fromLatin1(F::staticMetaObject.className()));
    }
    // A window shown as the program shows it modelessly, or one whose opening needs a context
    // this test does not build: created, shown and collected.
    template <class F, class... Args>
    void shown(Args&&... args)
    {
        F f(std::forward<Args>(args)...);
        f.show();
        collect(&f);
        f.hide();
    }

    // Starts the program on the test's database, German or English (the English switch opens no
    // database from the command line: the quick load does), and opens every window.
    void openEveryWindow(bool english)
    {
        if (english) {
            setProgramValue(QStringLiteral("QuickLoadAktiviert"), true);
            setProgramValue(QStringLiteral("QuickLoadFile"), db.path());
            StartProgram({db.path(), QStringLiteral("en")});
        } else {
            StartProgram({db.path()});
        }
        ASSERT_TRUE(MainForm->databaseOpen()) << messageTexts().join('\n').toStdString();
        MainForm->resize(1280, 800);
        collect(MainForm);
        // The entry window's pages with the navigator's views and the tools they bring.
        for (QWidget* page : {eingabe->TabSheet4, eingabe->TabSheet5, eingabe->TabSheet6, eingabe->TabSheet1}) {
            eingabe->PageControl2->setCurrentWidget(page);
            collect(eingabe);
            collect(MainForm);
        }
        eingabe->PageControl2->setCurrentWidget(eingabe->TabSheet4);
        for (TXPButton* b : {navigatorFrm->XPButton3, navigatorFrm->XPButton7, navigatorFrm->XPButton8,
                             navigatorFrm->XPButton9, navigatorFrm->XPButton1}) {
            b->Click();
            collect(navigatorFrm);
        }
        for (QWidget* w : std::initializer_list<QWidget*>{toolQuickstatFrm, toolEqFrm, pulsgewFrm, zwInfo,
                                                          toolKalenderFrm, toolExplorerFrm, explorerFrm,
                                                          terminFrame, frmKalTag, frmKalMonat, toolCalWeekFrm})
            if (w) {
                w->show();
                collect(w);
            }

        // Subsystem 1.
        modal<TUmgebungsoptionen>([] { MainForm->Action10Execute(nullptr); },
                                  [this](TUmgebungsoptionen& f) {
                                      f.Button4->click();
                                      collect(&f);
                                  });
        modal<TAboutForm>([] { MainForm->HelpAbout1Execute(nullptr); });
        shown<TselectPivot>(MainForm);
        shown<TdtSetupForm>(nullptr, MainForm);
        BusyDlg->Show();
        collect(BusyDlg);
        BusyDlg->Close();

        // Subsystem 2.
        modal<Tblockman>([] { MainForm->Action17Execute(nullptr); });
        modal<TTrainForm>([] { MainForm->Action16Execute(nullptr); });
        modal<TKalender>([] { MainForm->Action6Execute(nullptr); });
        modal<TeqManager>([] { MainForm->Action8Execute(nullptr); });
        modal<TstrManager>([] { MainForm->Action7->Execute(); });
        modal<Tbestzeit>([] { MainForm->Action5->Execute(); });
        shown<TDatenSelect>(MainForm);
        shown<TeingabeWin>(MainForm);
        shown<TEquipment>(MainForm);
        shown<TPulsGewicht>(MainForm);
        shown<Tdiary>(MainForm);
        shown<Tplan_delete>(MainForm);
        shown<TtrainplanWoche>(MainForm);
        shown<TvergleichSelect>(MainForm);
        shown<TimgPreview>(MainForm);
        shown<Tmusteredit>(MainForm->cds, MainForm->cds2, MainForm->SaveDialog1, MainForm);
        orvServer->daten.Locate(QStringLiteral("dat_Id"), 1);
        eingabe->PageControl2->setCurrentWidget(eingabe->TabSheet5);
        eingabe->updateZwSql();
        collect(eingabe);
        modal<TzwHRMGraph>([] { eingabe->XPButton23->Click(); });
        shown<TzwInfoDlg>(MainForm);
        shown<TzwEditDlg>(MainForm);

        // Subsystem 3.
        modal<TZeitNeu>([] { MainForm->StatZeitraum1Execute(nullptr); },
                        [this](TZeitNeu& f) {
                            f.SpeedButton6->click();  // "Alle"
                            collect(&f);
                            f.SpeedButton12->click();  // "Erweitert"
                            collect(&f);
                        });
        modal<TWochenstat>([] { MainForm->StatWochen1Execute(nullptr); });
        modal<Tjahresstat>([] { MainForm->StatJahr1Execute(nullptr); });
        modal<TTraining>([] { MainForm->TrainingszeitenExecute(nullptr); });
        modal<TTempoflex>([] { MainForm->TempoflexTrainExecute(nullptr); });
        modal<Tschwtempo>([] { MainForm->Action21Execute(nullptr); });
        modal<Tzeitenberechnung>([] { MainForm->Action14Execute(nullptr); });
        modal<Tzeitenrechner>([] { MainForm->Action3Execute(nullptr); });
        modal<Tmarschtab>([] { MainForm->Action4Execute(nullptr); });
        modal<Tbody>([] { MainForm->Action11Execute(nullptr); });
        modal<TMaximPuls>([] { MainForm->Action12Execute(nullptr); });
        modal<TPulsfrequenzen>([] { MainForm->Action13Execute(nullptr); });
        modal<TLeistindex>([] { MainForm->Action15Execute(nullptr); });
        modal<TFormeln>([] { MainForm->Action18Execute(nullptr); });
        shown<TMarschAnf>(MainForm);
        shown<TCriteriaDlg>(MainForm);
        shown<TfmFilterFrm>(MainForm);
        shown<TInfos>(MainForm);
        shown<TbelStat>(MainForm);
        shown<TzeitGrafDlg>(MainForm);
        shown<Tzeitdruckdlg>(MainForm);
        shown<Twochenstatgraf>(MainForm);

        // Subsystem 4.
        modal<TdbSichern>([] { MainForm->Action23Execute(nullptr); });
        modal<TdbRestore>([] { MainForm->Action24Execute(nullptr); });
        modal<TpolarImp>([] { MainForm->Action26Execute(nullptr); });
        modal<Tgarminimp>([] { MainForm->Action28Execute(nullptr); });
        ScriptedAnswers::pushFileName(trips.file(QStringLiteral("trips.mdb")));
        modal<ToutImport>([] { MainForm->Action19Execute(nullptr); });
        modal<Tconvert5>([] { MainForm->Action20Execute(nullptr); });
        modal<Teximp>([] { MainForm->FileExcelImport1Execute(nullptr); });
        shown<TselectForerunner>(MainForm);
        shown<Tmywaydlg>(MainForm);
        {
            Tmywayimp2 f(MainForm);
            f.routeId = 1;
            f.show();
            collect(&f);
        }
        shown<Tmywaybusydlg>(MainForm);
        shown<TconvBusyDlg>(MainForm);

        FinishProgram();
        SetLanguageModule(nullptr);
    }

    AthleteDatabase db;
    TempFolder trips;
    TempFolder planner;
    QStringList cut;
};

TEST_F(TextsFitTest, NoWindowCutsItsTextsInGermanOrEnglish)
{
    openEveryWindow(false);
    const QStringList german = cut;
    cut.clear();
    openEveryWindow(true);
    EXPECT_TRUE(german.isEmpty()) << german.size() << " cut in German:\n" << german.join('\n').toStdString();
    EXPECT_TRUE(cut.isEmpty()) << cut.size() << " cut in English:\n" << cut.join('\n').toStdString();
}

}  // namespace
