// The English language module covers every text of the windows the start-up creates, of the
// about box and of the splash window: each text a user reads in German reads differently in a
// run started with "en", apart from the few words that are the same in both languages.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QCalendarWidget>
#include <QLabel>
#include <QListWidget>
#include <QMap>
#include <QMenu>
#include <QPlainTextEdit>
#include <QRegularExpression>

#include "analysis/jahresstat.h"
#include "analysis/monatstatgraf.h"
#include "analysis/wochenstat.h"
#include "analysis/wochenstatgraf.h"
#include "analysis/belstat.h"
#include "analysis/toolquickstatframe.h"
#include "analysis/zeitdruckdialog.h"
#include "core/about.h"
#include "core/busy.h"
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
#include "exchange/dbrestoreu.h"
#include "exchange/dbsicherung.h"
#include "exchange/excelimport.h"
#include "exchange/excelimport2.h"
#include "exchange/garminimport.h"
#include "exchange/mywaybusy.h"
#include "exchange/mywayimport.h"
#include "exchange/mywaypointselect.h"
#include "exchange/outbreakerimport.h"
#include "exchange/selforerunner.h"
#include "tests/core/programfixture.h"
#include "tests/support/testenv.h"
#include "traininglog/eqmanager.h"
#include "traininglog/equipmentdlg.h"
#include "traininglog/tooleqframe.h"
#include "traininglog/blockman.h"
#include "traininglog/datenselect.h"
#include "traininglog/eingabefrm.h"
#include "traininglog/einheiteneingabe.h"
#include "controls/xpbutton.h"
#include "traininglog/musteredit.h"
#include "traininglog/trainform.h"
#include "traininglog/trainplanwoche.h"
#include "traininglog/pulsgewicht.h"
#include "traininglog/zwinfo.h"
#include "traininglog/bestzeit.h"
#include "platform/vcl/dbgrids.h"
#include "traininglog/imgpreview.h"
#include "traininglog/strmanager.h"
#include "traininglog/calen.h"
#include "traininglog/kalendermonat.h"
#include "traininglog/kalendertag.h"
#include "traininglog/terminframe.h"

namespace {

using Texts = QMap<QString, QString>;

bool insideCalendar(const QObject* o)
{
    for (; o; o = o->parent())
        if (qobject_cast<const QCalendarWidget*>(o))
            return true;
    return false;
}

void add(Texts& texts, const QString& key, const QString& text)
{
    // Texts without a letter (numbers, separators) need no translation.
    if (text.contains(QRegularExpression(QStringLiteral("\\p{L}"))))
        texts.insert(key, text);
}

// Every text a user can read in the window: captions, labels, buttons, list entries, menus,
// actions and their tool-tips.
Texts textsOf(QWidget* window)
{
    Texts texts;
    const QString root = window->objectName();
    add(texts, root + ".title", window->windowTitle());
    QList<QObject*> objects = window->findChildren<QObject*>();
    objects.prepend(window);
    for (QObject* o : objects) {
        // Qt's own parts: the calendar's texts follow the locale, and an unnamed menu is the menu
        // bar's overflow, which depends on the window's width.
        if (insideCalendar(o) || o->objectName().startsWith(QLatin1String("qt_")) ||
            (qobject_cast<QMenu*>(o) && o->objectName().isEmpty()))
            continue;
        const QString key = root + '/' + o->objectName() + '@' + o->metaObject()->className();
        if (auto* w = qobject_cast<QWidget*>(o); w && !w->toolTip().isEmpty())
            add(texts, key + ".hint", w->toolTip());
        if (auto* l = qobject_cast<QLabel*>(o))
            add(texts, key, l->text());
        else if (auto* b = qobject_cast<QAbstractButton*>(o))
            add(texts, key, b->text());
        else if (auto* e = qobject_cast<QPlainTextEdit*>(o))
            add(texts, key, e->toPlainText());
        else if (auto* list = qobject_cast<QListWidget*>(o))
            for (int i = 0; i < list->count(); ++i)
                add(texts, key + QString::number(i), list->item(i)->text());
        else if (auto* m = qobject_cast<QMenu*>(o)) {
            add(texts, key, m->title());
            const QList<QAction*> items = m->actions();
            for (int i = 0; i < items.size(); ++i)
                add(texts, key + QString::number(i), items[i]->text());
        } else if (auto* a = qobject_cast<QAction*>(o)) {
            add(texts, key, a->text());
            add(texts, key + ".hint", a->toolTip());
        }
    }
    return texts;
}

// The texts of every window of a run started with these parameters.
Texts programTexts(const QStringList& params)
{
    StartProgram(params);
    Texts texts;
    for (QWidget* w : std::initializer_list<QWidget*>{MainForm, MainForm->PopupMenu1, startFrm, toolKalenderFrm,
                                                       toolExplorerFrm, BusyDlg, zwInfo, toolEqFrm, toolQuickstatFrm,
                                                       navigatorFrm, navigatorFrm->PopupMenu1, explorerFrm, pulsgewFrm,
                                                       PulsGewicht, wochenstatgraf, wochenstatgraf->PopupMenu1,
                                                       terminFrame, frmKalTag, frmKalTag->PopupMenu1,
                                                       frmKalMonat->PopupMenu1})
        texts.insert(textsOf(w));
    ScriptedAnswers::onShowModal<TAboutForm>([&texts](TAboutForm& f) {
        texts.insert(textsOf(&f));
        f.Button1->click();
    });
    MainForm->HelpAbout1->Execute();
    {
        ModalForm<TUmgebungsoptionen> options(Umgebungsoptionen, MainForm);
        options->Button4->click();  // every page
        texts.insert(textsOf(options.get()));
        TdbSichern backup(MainForm);
        TdbRestore restore(MainForm);
        texts.insert(textsOf(&backup));
        texts.insert(textsOf(&restore));
        TselectPivot picker(MainForm);
        picker.ShellListView1->clear();  // the user's files read alike in both languages
        texts.insert(textsOf(&picker));
        TEquipment equipmentDialog(MainForm);
        TeqManager equipmentManager(MainForm);
        texts.insert(textsOf(&equipmentDialog));
        texts.insert(textsOf(&equipmentManager));
        ToutImport outbreaker(MainForm);
        Tmywaydlg routes(MainForm);
        Tmywayimp2 markers(MainForm);
        Tmywaybusydlg wait(MainForm);
        for (QWidget* w : std::initializer_list<QWidget*>{&outbreaker, &routes, &markers, &wait})
            texts.insert(textsOf(w));
        Tgarminimp garmin(MainForm);
        TselectForerunner runs(MainForm);
        Teximp wizard(MainForm);
        auto source = OpenImportSource(SourceFile(QStringLiteral("tests/platform/office/fixtures/lo-training.xlsx")), true);
        EXPECT_TRUE(source.Ok());
        Teximp2 mapping(MainForm, true, orvServer->daten, QString(), std::move(source.Value()));
        mapping.ListBox1->clear();  // the file's and the database's field names read alike in both languages
        mapping.ListBox2->clear();
        for (QWidget* w : std::initializer_list<QWidget*>{&garmin, &runs, &wizard, &mapping})
            texts.insert(textsOf(w));
        Tblockman blocks(MainForm);
        TDatenSelect selection(MainForm);
        texts.insert(textsOf(&blocks));
        texts.insert(textsOf(&selection));
        TbelStat loads(MainForm);
        texts.insert(textsOf(&loads));
        TeingabeWin unitWindow(MainForm);
        texts.insert(textsOf(&unitWindow));
        TTrainForm plans(MainForm);
        Tplan_delete planDialog(MainForm);
        TtrainplanWoche planMonth(MainForm);
        for (QWidget* w : std::initializer_list<QWidget*>{&plans, &planDialog, &planMonth})
            texts.insert(textsOf(w));
        TKalender calendar(MainForm);
        texts.insert(textsOf(&calendar));
        Tmusteredit templates(MainForm->cds, MainForm->cds2, MainForm->SaveDialog1, MainForm);
        texts.insert(textsOf(&templates));
        TWochenstat weeks(MainForm);
        texts.insert(textsOf(&weeks));
        Tjahresstat months(MainForm);
        Tmonatstatgraf monthChart(&months);
        for (QWidget* w : std::initializer_list<QWidget*>{&months, &monthChart, monthChart.PopupMenu1})
            texts.insert(textsOf(w));
        TstrManager routes2(MainForm);
        TimgPreview preview(MainForm);
        Tbestzeit bestTimes(MainForm);
        for (QWidget* w : std::initializer_list<QWidget*>{&routes2, &preview, &bestTimes})
            texts.insert(textsOf(w));
        Tzeitdruckdlg periodPrint(MainForm);
        texts.insert(textsOf(&periodPrint));
    }
    initIntroScreen(1);
    texts.insert(textsOf(IntroScreen));
    freeIntroScreen();
    FinishProgram();
    SetLanguageModule(nullptr);
    return texts;
}

}  // namespace

using EnglishWindowsTest = ProgramTest;

TEST_F(EnglishWindowsTest, EveryWindowTextIsTranslated)
{
    const Texts german = programTexts({});
    const Texts english = programTexts({"egal.orv", "en"});
    ASSERT_GT(german.size(), 150);
    QStringList onlyOne;  // both runs show the same controls
    for (const QString& key : german.keys() + english.keys())
        if (german.contains(key) != english.contains(key))
            onlyOne << key + " = " + german.value(key) + english.value(key);
    EXPECT_TRUE(onlyOne.isEmpty()) << onlyOne.join('\n').toStdString();

    // Names and words that read the same in English.
    const QStringList same = {"Orvalo 5", "OK", "Start", "Bio", "Equipment", "Tools", "S", "Powered by",
                              "Orvalo 4/3/3.5", "Orvalo", "&Orvalo", "Zadiv Udud Ororaze", "&Zadiv Udud Ororaze",
                              "Polar-Import", "Garmin-Import", "Outbreaker-Import", "I&mport", "&Training",
                              "Form:", "Block:", "Name:", "Wind", "°C", "km/h", "Sprache/Language:", "Explorer", "Details", "Form", "Gli", "kcal",
                              "outImport", "Import", "n/a", "H"};
    QStringList untranslated;
    for (auto it = german.cbegin(); it != german.cend(); ++it) {
        const QString en = english.value(it.key());
        if (en == it.value() && !same.contains(it.value()) && !it.value().startsWith(QLatin1String("Build: ")))
            untranslated << it.key() + " = " + it.value();
    }
    EXPECT_TRUE(untranslated.isEmpty()) << untranslated.join('\n').toStdString();
}

TEST_F(EnglishWindowsTest, TheTodayButtonsReadHAsInTheUnitWindow)
{
    StartProgram({"egal.orv", "en"});
    Tmusteredit templates(MainForm->cds, MainForm->cds2, MainForm->SaveDialog1, MainForm);
    EXPECT_EQ(eingabe->XPButton1->Caption(), "H");
    EXPECT_EQ(templates.BitBtn3->text(), "H");
    EXPECT_EQ(templates.BitBtn3->toolTip(), "Today");
}

TEST_F(EnglishWindowsTest, ListsTitleTheirColumnsInEnglish)
{
    StartProgram({"egal.orv", "en"});
    auto titles = [](TDBGrid* grid) {
        QStringList texts;
        for (int i = 0; i < grid->Columns().Count(); ++i)
            if (grid->Columns()[i]->Visible())
                texts << grid->Columns()[i]->Title().Caption();
        return texts;
    };
    Tbestzeit bestTimes(MainForm);
    TeqManager equipment(MainForm);
    EXPECT_EQ(titles(bestTimes.DBGrid1), QStringList({"Sport", "Date", "Distance", "Time", "Place", "Type", "Category"}));
    EXPECT_EQ(titles(equipment.DBGrid2), QStringList({"Date", "Sport", "Form", "Place", "Metres", "Time"}));
    EXPECT_EQ(titles(navigatorFrm->DBGrid2), QStringList({"Date", "Place", "Metres", "Time"}));
    EXPECT_EQ(titles(navigatorFrm->DBGrid3), QStringList({"Date", "Place", "Metres", "Time"}));
    EXPECT_EQ(titles(navigatorFrm->DBGrid4), QStringList({"Place", "Length", "Climb"}));
}

TEST_F(EnglishWindowsTest, NoEnglishMenuUsesOneAcceleratorTwice)
{
    // The letter after "&" ("&&" is a plain ampersand).
    auto accelerator = [](const QString& text) {
        for (int i = 0; i + 1 < text.size(); ++i) {
            if (text[i] != QLatin1Char('&'))
                continue;
            if (text[i + 1] == QLatin1Char('&')) {
                ++i;
                continue;
            }
            return text[i + 1].toLower();
        }
        return QChar();
    };
    // The German captions are the program's own; the English module's must not add clashes.
    for (const QStringList& params : {QStringList{"egal.orv", "en"}}) {
        StartProgram(params);
        QStringList clashes;
        for (QMenu* menu : MainForm->findChildren<QMenu*>()) {
            QMap<QChar, QStringList> byKey;
            for (QAction* a : menu->actions())
                if (a->isVisible() && !accelerator(a->text()).isNull())
                    byKey[accelerator(a->text())] << a->text();
            for (auto it = byKey.cbegin(); it != byKey.cend(); ++it)
                if (it.value().size() > 1)
                    clashes << menu->title() + ": " + it.value().join(" / ");
        }
        EXPECT_TRUE(clashes.isEmpty()) << params.join(' ').toStdString() << "\n" << clashes.join('\n').toStdString();
        FinishProgram();
        SetLanguageModule(nullptr);
    }
}
