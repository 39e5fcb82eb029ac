// The entry window's three prints through the data module's report project and the
// output-options dialog: "Liste" of every unit with its totals, "Einheit" of the current unit and
// the split page's "Zwischenzeiten". The program runs on a database of three runs; the dialog and
// the preview are played through their test hooks.
#include <QFile>
#include <QLabel>

#include "core/dtsetup.h"
#include "core/orvreports.h"
#include "platform/report/report.h"
#include "platform/report/reportpreview.h"
#include "tests/support/messages.h"
#include "tests/traininglog/splitpagefixture.h"

namespace {

class EntryPrintTest : public SplitPageTest {
protected:
    void SetUp() override
    {
        SplitPageTest::SetUp();
        PrinterListStandIn::set({});
        PrintJobCapture::start();
        // Three runs in place of the fixture's one: 5000, 10000 and 21100 m, 10, 20 and 30 m up.
        db.exec("DELETE FROM DATEN");
        const int metres[] = {5000, 10000, 21100};
        for (int i = 0; i < 3; ++i)
            db.exec(QString("INSERT INTO DATEN (dat_Id, Datum, Ort, Form, Zeit, Meter, Hoehendifferenz, Puls, "
                            "Belastungsart, Sportart, Belastungsstufe, trainingsblock) VALUES (%1, %2, 'Stadtpark %1', "
                            "2, %3, %4, %5, 150, 1, 1, 1, 1)")
                        .arg(i + 1)
                        .arg(sqlNumber(EncodeDate(2024, 3, 10 + i)))
                        .arg(sqlNumber(hms(0, 25 * (i + 1), 0)))
                        .arg(metres[i])
                        .arg(10 * (i + 1)));
    }
    void TearDown() override
    {
        PrintJobCapture::stop();
        PrinterListStandIn::clear();
        SplitPageTest::TearDown();
    }

    // Starts the program on its unit page.
    void startOnUnitPage()
    {
        StartProgram({db.path()});
        ASSERT_NE(eingabe, nullptr);
        ASSERT_TRUE(eingabe->selectPage(eingabe->TabSheet4));
    }
    // The pages the preview shows when the user chooses "Voransicht" and closes the preview.
    static TPreparedReport previewOf(const std::function<void()>& print)
    {
        ScriptedAnswers::onShowModal<TdtSetupForm>([](TdtSetupForm& f) {
            f.PreviewRB->click();
            f.bbtnOK->click();
        });
        TPreparedReport pages;
        ScriptedAnswers::onShowModal<TReportPreview>([&pages](TReportPreview& p) {
            pages = p.Report();
            p.findChild<QAbstractButton*>("btnClose")->click();
        });
        print();
        return pages;
    }
    static QString allTexts(const TPreparedReport& pages)
    {
        QStringList texts;
        for (const TReportPage& p : pages.pages)
            texts << p.texts();
        return texts.join('\n');
    }
};

TEST_F(EntryPrintTest, ListeShowsEveryUnitWithTotalsAndPageNumbersInPreviewAndText)
{
    startOnUnitPage();
    orvServer->daten.Last();
    // A unit being edited is neither saved nor left by the print.
    orvServer->daten.Edit();
    orvServer->daten.FieldByName("Ort")->SetAsString("Ungespeichert");
    eingabe->Action3->Update();
    ASSERT_TRUE(eingabe->Action3->Enabled());

    const TPreparedReport pages = previewOf([] { eingabe->Action3->Execute(); });
    ASSERT_EQ(pages.pageCount(), 1);
    EXPECT_EQ(pages.orientation, QPageLayout::Landscape);
    const QStringList texts = pages.pages[0].texts();
    for (const char* t : {"Stadtpark 1", "Stadtpark 2", "Stadtpark 3", "5000", "10000", "21100", "Laufen",
                          "Wettkampf", "Strecke gesamt: 36100 m", "Einheiten: 3", "Höhendifferenz gesamt: 60 m",
                          "Seite 1"})
        EXPECT_TRUE(texts.contains(QString::fromUtf8(t))) << t;
    // 25 minutes for 5 km: 5:00 min/km and 12 km/h.
    EXPECT_TRUE(texts.contains("00:05:00"));
    EXPECT_TRUE(texts.contains("12,00"));
    EXPECT_EQ(pages.pages[0].bandsOf(btDetail).size(), 3u);
    EXPECT_EQ(orvServer->daten.State(), dsEdit);
    EXPECT_EQ(orvServer->daten.FieldByName("Ort")->AsString(), "Ungespeichert");
    EXPECT_EQ(orvServer->daten.FieldByName("dat_Id")->AsInteger(), 3);
    EXPECT_EQ(db.value("SELECT Ort FROM DATEN WHERE dat_Id = 3").toString(), "Stadtpark 3");
    orvServer->daten.Cancel();

    // The same figures in the text file.
    const QString file = db.folder().file("liste");
    ScriptedAnswers::onShowModal<TdtSetupForm>([&](TdtSetupForm& f) {
        f.FileRB->click();
        f.editFileName->setText(file);
        f.cboxFormat->setCurrentIndex(f.cboxFormat->findText("Textdatei (TXT)"));
        f.bbtnOK->click();
    });
    eingabe->Action3->Execute();
    QFile txt(file + ".txt");
    ASSERT_TRUE(txt.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(txt.readAll());
    for (const char* t : {"36100 m", "Einheiten: 3", "gesamt: 60 m", "Seite 1", "Stadtpark 2"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(t))) << t;
}

TEST_F(EntryPrintTest, EinheitShowsTheSectionsOfTheCurrentUnit)
{
    startOnUnitPage();
    ASSERT_TRUE(orvServer->daten.Locate("dat_Id", 2));
    orvServer->daten.Edit();
    orvServer->daten.FieldByName("Bemerkungen")->SetAsString("Locker gelaufen.\r\nZweite Zeile");
    // The main window's "Drucken" runs the entry window's print of the current unit.
    const TPreparedReport pages = previewOf([] { MainForm->FilePrint1->Execute(); });
    ASSERT_EQ(pages.pageCount(), 1);
    EXPECT_EQ(pages.orientation, QPageLayout::Portrait);
    const QStringList texts = pages.pages[0].texts();
    for (const char* t : {"Allgemein", "Strecke", "Leistung", "Bio", "Anderes", "Stadtpark 2", "Laufen", "Wettkampf",
                          "Locker gelaufen.", "Zweite Zeile", "Seite 1"})
        EXPECT_TRUE(texts.contains(QString::fromUtf8(t))) << t;
    // The sections stand in their order.
    const QString all = allTexts(pages);
    EXPECT_LT(all.indexOf("Allgemein"), all.indexOf("Strecke"));
    EXPECT_LT(all.indexOf("Leistung"), all.indexOf("Bio"));
    EXPECT_LT(all.indexOf("Bio"), all.indexOf("Anderes"));
    EXPECT_EQ(orvServer->daten.State(), dsEdit);
    orvServer->daten.Cancel();

    // Under the English module the report reads in English.
    EnglishModule english("orvreports_en");
    ASSERT_TRUE(english.loaded());
    const QString en = allTexts(BuildEinheitReport(*orvServer)->Prepare());
    for (const char* t : {"Training unit", "General", "Route", "Performance", "Other", "Page 1"})
        EXPECT_TRUE(en.contains(t)) << t;
}

TEST_F(EntryPrintTest, ZwischenzeitenListsTheRowsOfTheTabShownInLandscape)
{
    addRow(1000, hms(0, 4, 50), 100, false, "Brücke");
    addRow(2000, hms(0, 9, 55), 110, false, "Wende");
    addRow(5, hms(0, 0, 5), 100, true);
    db.exec("UPDATE zeit SET zei_Id = 1");
    start();
    ASSERT_TRUE(orvServer->daten.Locate("dat_Id", 1));
    ASSERT_TRUE(eingabe->XPButton20->isEnabled());

    TPreparedReport pages = previewOf([] { eingabe->XPButton20->Click(); });
    ASSERT_EQ(pages.pageCount(), 1);
    EXPECT_EQ(pages.orientation, QPageLayout::Landscape);
    QStringList texts = pages.pages[0].texts();
    for (const char* t : {"Zwischenzeiten", "Brücke", "Wende", "00:04:50", "00:09:55", "Seite 1"})
        EXPECT_TRUE(texts.contains(QString::fromUtf8(t))) << t;
    EXPECT_EQ(pages.pages[0].bandsOf(btDetail).size(), 2u);

    // On the "HF" tab the heart-rate samples.
    eingabe->TabControl1->setCurrentIndex(1);
    pages = previewOf([] { eingabe->XPButton20->Click(); });
    ASSERT_EQ(pages.pageCount(), 1);
    EXPECT_EQ(pages.pages[0].bandsOf(btDetail).size(), 1u);
    EXPECT_TRUE(pages.pages[0].texts().contains("00:00:05"));
}

}  // namespace
