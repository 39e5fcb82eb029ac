// The options dialog on the program started as a user starts it: what OK and Cancel write (the
// settings row, the registry), the colour of the block rows, the lookup pages with their moves,
// colours, pictures and the load-level popup, and the language list.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QImage>
#include <QKeyEvent>

#include "analysis/maxpuls.h"
#include "core/language.h"
#include "core/main.h"
#include "core/orvdbserver.h"
#include "core/umgebung.h"
#include "platform/rtl/folders.h"
#include "platform/vcl/actnlist.h"
#include "tests/core/programfixture.h"
#include "tests/support/athletedb.h"
#include "tests/support/keyboardwalk.h"
#include "traininglog/einheiteneingabe.h"

namespace {

class OptionsDialogTest : public ProgramTest {
protected:
    void start()
    {
        StartProgram({db.path()});
        ASSERT_TRUE(eingabe && eingabe->isVisible());
    }
    // Opens the dialog from the main window's action; the callback plays the user and must
    // close it.
    void withDialog(std::function<void(TUmgebungsoptionen&)> user)
    {
        ScriptedAnswers::onShowModal<TUmgebungsoptionen>([user](TUmgebungsoptionen& f) {
            QApplication::setActiveWindow(&f);
            user(f);
        });
        UpdateAllActions();
        ASSERT_TRUE(MainForm->Action10->Enabled());
        MainForm->Action10->Execute();
        EXPECT_EQ(Umgebungsoptionen, nullptr) << "the dialog is freed after use";
    }
    static QVariant registryValue(HKEY root, const QString& key, const QString& name)
    {
        TRegistry reg;
        reg.SetRootKey(root);
        if (!reg.OpenKeyReadOnly(key) || !reg.ValueExists(name))
            return QVariant();
        return reg.ReadString(name);
    }
    static QVariant programValue(const QString& name)
    {
        return registryValue(HKEY_LOCAL_MACHINE, QString::fromLatin1(kProgramRegistryKey), name);
    }
    static QVariant languageValue()
    {
        return registryValue(HKEY_CURRENT_USER, QString::fromLatin1(kLocaleRegistryKey),
                             QCoreApplication::applicationFilePath());
    }
    // Types into a data-aware edit and leaves it, as the user does.
    static void type(QLineEdit* edit, const QString& text, QWidget* next)
    {
        edit->setFocus();
        edit->selectAll();
        for (QChar c : text) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(edit, &press);
        }
        next->setFocus();
    }
    QVariant fileValue(const QString& sql) const { return db.value(sql); }

    AthleteDatabase db;
};

TEST_F(OptionsDialogTest, OkWritesQuickLoadAndLanguageEvenUntouchedAndCancelWritesNothing)
{
    start();
    withDialog([](TUmgebungsoptionen& f) {
        EXPECT_EQ(f.PageControl1->currentWidget(), f.TabSheet1);
        // German first, then the English module that lies beside the program; German chosen.
        ASSERT_EQ(f.ComboBox1->count(), 2);
        EXPECT_EQ(f.Languages()[0].Code, "DEU");
        EXPECT_EQ(f.Languages()[1].Code, "ENG");
        EXPECT_EQ(f.ComboBox1->currentIndex(), 0);
        f.OKBtn->click();
    });
    EXPECT_EQ(programValue("QuickLoadFile"), QVariant(QString()));
    EXPECT_EQ(programValue("QuickLoadAktiviert").toInt(), 0);
    EXPECT_EQ(languageValue(), QVariant("DEU"));

    // QuickLoad on the open database, English: written by OK, read back at the next showing.
    withDialog([this](TUmgebungsoptionen& f) {
        f.CheckBox1->setChecked(true);
        ScriptedAnswers::pushFileName("/daten/andere.orv");
        f.Button2->click();
        EXPECT_EQ(f.Edit1->text(), "/daten/andere.orv");
        f.Button3->click();
        EXPECT_EQ(f.Edit1->text(), db.path());
        f.ComboBox1->setCurrentIndex(1);
        f.OKBtn->click();
    });
    EXPECT_EQ(programValue("QuickLoadFile"), QVariant(db.path()));
    EXPECT_EQ(programValue("QuickLoadAktiviert").toInt(), 1);
    EXPECT_EQ(languageValue(), QVariant("ENG"));

    // Cancel: nothing of what was changed reaches the registry.
    withDialog([this](TUmgebungsoptionen& f) {
        EXPECT_TRUE(f.CheckBox1->isChecked());
        EXPECT_EQ(f.Edit1->text(), db.path());
        f.CheckBox1->setChecked(false);
        f.Edit1->setText("/anderswo/x.orv");
        f.ComboBox1->setCurrentIndex(0);
        f.CancelBtn->click();
    });
    EXPECT_EQ(programValue("QuickLoadFile"), QVariant(db.path()));
    EXPECT_EQ(programValue("QuickLoadAktiviert").toInt(), 1);
    EXPECT_EQ(languageValue(), QVariant("ENG"));
    EXPECT_TRUE(ScriptedAnswers::messages().isEmpty()) << messageTexts().join("\n").toStdString();
}

TEST_F(OptionsDialogTest, SettingsAndTheBlockColourAreSavedByOkOnly)
{
    start();
    const QVariant colourBefore = fileValue("select cfg_trbFarbeZeitraum from config");

    // Cancel: the typed name and the chosen colour are dropped.
    withDialog([](TUmgebungsoptionen& f) {
        type(f.DBEdit1, "Erika Muster", f.DBEdit2);
        EXPECT_EQ(orvServer->config.State(), dsEdit);
        ScriptedAnswers::pushColor(0x123456);
        f.Button1->click();
        EXPECT_EQ(f.Shape1->BrushColor(), TColor(0x123456));
        f.CancelBtn->click();
    });
    EXPECT_EQ(orvServer->config.State(), dsBrowse);
    EXPECT_EQ(fileValue("select cfg_name from config").toString(), "");
    EXPECT_EQ(fileValue("select cfg_trbFarbeZeitraum from config"), colourBefore);

    // "Ändern", a colour, OK: stored, and the swatch shows it next time.
    withDialog([](TUmgebungsoptionen& f) {
        ScriptedAnswers::pushColor(0x123456);
        f.Button1->click();
        f.OKBtn->click();
    });
    EXPECT_EQ(fileValue("select cfg_trbFarbeZeitraum from config").toInt(), 0x123456);
    withDialog([](TUmgebungsoptionen& f) {
        EXPECT_EQ(f.Shape1->BrushColor(), TColor(0x123456));
        // The colour dialog cancelled: the swatch keeps its colour.
        ScriptedAnswers::pushColorCancel();
        f.Button1->click();
        EXPECT_EQ(f.Shape1->BrushColor(), TColor(0x123456));
        type(f.DBEdit1, "Erika Muster", f.DBEdit2);
        // The column view is looked for in the user's data folder.
        ScriptedAnswers::pushFileName(UserDataFile("ansicht.co5"));
        f.BitBtn1->click();
        EXPECT_EQ(ScriptedAnswers::fileDialogs().last().InitialDir, UserDataDir());
        f.OKBtn->click();
    });
    EXPECT_EQ(fileValue("select cfg_name from config").toString(), "Erika Muster");
    EXPECT_EQ(fileValue("select cfg_zeitraumCO5 from config").toString(), UserDataFile("ansicht.co5"));
    EXPECT_EQ(orvServer->config.State(), dsBrowse);
}

TEST_F(OptionsDialogTest, RefusedSaveKeepsTheDialogOpenAndWritesNoRegistryValue)
{
    start();
    orvServer->config.BeforePost = [](TDataSet*) { throw Exception("Die Datenbank ist gesperrt."); };
    withDialog([](TUmgebungsoptionen& f) {
        type(f.DBEdit1, "Erika Muster", f.DBEdit2);
        ScriptedAnswers::pushMessageAnswer(mrOk);
        f.OKBtn->click();
        QCoreApplication::processEvents();
        EXPECT_TRUE(f.isVisible());
        EXPECT_EQ(f.ModalResult(), mrNone);
        EXPECT_EQ(orvServer->config.State(), dsEdit);
        EXPECT_EQ(f.DBEdit1->text(), "Erika Muster");
        f.CancelBtn->click();
    });
    orvServer->config.BeforePost = nullptr;
    ASSERT_EQ(ScriptedAnswers::messages().size(), 1);
    EXPECT_EQ(ScriptedAnswers::messages()[0].Text, "Die Datenbank ist gesperrt.");
    EXPECT_FALSE(programValue("QuickLoadFile").isValid());
    EXPECT_FALSE(languageValue().isValid());
    EXPECT_EQ(fileValue("select cfg_name from config").toString(), "");
}

TEST_F(OptionsDialogTest, LookupPagesShowAfterErweitertAndKeepTheirPostedRows)
{
    start();
    withDialog([](TUmgebungsoptionen& f) {
        for (QWidget* page : {f.TabSheet4, f.TabSheet5, f.TabSheet6, f.TabSheet7, f.TabSheet8})
            EXPECT_FALSE(f.PageControl1->isTabVisible(f.PageControl1->indexOf(page)));
        f.Button4->click();
        for (QWidget* page : {f.TabSheet4, f.TabSheet5, f.TabSheet6, f.TabSheet7, f.TabSheet8})
            EXPECT_TRUE(f.PageControl1->isTabVisible(f.PageControl1->indexOf(page)));
        EXPECT_EQ(f.PageControl1->tabText(f.PageControl1->indexOf(f.TabSheet6)), "Belastungstufen");
        // A renamed load type, posted as the grid posts it, and one still in edit.
        TDataSet& belArt = orvServer->belArt;
        belArt.Locate("bea_ID", 1);
        belArt.Edit();
        belArt.FieldByName("bea_Name")->SetAsString("Langer Lauf");
        belArt.Post();
        belArt.Locate("bea_ID", 2);
        belArt.Edit();
        belArt.FieldByName("bea_Name")->SetAsString("Nicht gespeichert");
        f.CancelBtn->click();
    });
    EXPECT_EQ(fileValue("select bea_Name from belart where bea_ID = 1").toString(), "Langer Lauf");
    EXPECT_EQ(fileValue("select bea_Name from belart where bea_ID = 2").toString(), "Fahrtspiel");
    EXPECT_EQ(orvServer->belArt.State(), dsBrowse);

    // OK saves a row still being edited, as leaving its row would.
    withDialog([](TUmgebungsoptionen& f) {
        TDataSet& belArt = orvServer->belArt;
        belArt.Locate("bea_ID", 2);
        belArt.Edit();
        belArt.FieldByName("bea_Name")->SetAsString("Fahrtspiel lang");
        f.OKBtn->click();
    });
    EXPECT_EQ(fileValue("select bea_Name from belart where bea_ID = 2").toString(), "Fahrtspiel lang");
}

TEST_F(OptionsDialogTest, TypingStartsInTheFirstFieldOfThePageShown)
{
    start();
    withDialog([this](TUmgebungsoptionen& f) {
        EXPECT_EQ(FocusName(), "DBEdit1");
        TypeKeys(QStringLiteral("Muster, Max"));
        PressKey(Qt::Key_Tab);
        EXPECT_EQ(FocusName(), "DBEdit2");
        f.OKBtn->click();
    });
    EXPECT_EQ(fileValue("select cfg_name from config").toString(), "Muster, Max");
}

TEST_F(OptionsDialogTest, TheLookupButtonsAreReachedWithTabAndPressedWithSpace)
{
    start();
    withDialog([](TUmgebungsoptionen& f) {
        f.Button4->click();
        f.PageControl1->setCurrentWidget(f.TabSheet4);
        auto press = [](int key, const QString& text = QString()) {
            QKeyEvent e(QEvent::KeyPress, key, Qt::NoModifier, text);
            QApplication::sendEvent(QApplication::focusWidget(), &e);
        };
        f.findChild<QWidget*>("DBCheckBox7")->setFocus();
        QStringList order;
        for (int i = 0; i < 5; ++i) {
            press(Qt::Key_Tab);
            order << QApplication::focusWidget()->objectName();
        }
        EXPECT_EQ(order, QStringList({"XPButton1", "XPButton2", "XPButton3", "XPButton4", "DBGrid1"}));
        // Space on "Hinzufügen" appends a sport, as a click does.
        f.XPButtons[0]->setFocus();
        press(Qt::Key_Space, QStringLiteral(" "));
        EXPECT_EQ(orvServer->sportart.State(), dsInsert);
        f.CancelBtn->click();
    });
    EXPECT_EQ(orvServer->sportart.State(), dsBrowse);
}

TEST_F(OptionsDialogTest, MovingRowsSwapsTheirOrderAndKeepsTheMovedRowCurrent)
{
    start();
    // Forms in their order: Keine (0), Training (1), Wettkampf (2), Geplant (3), Test (4).
    auto orders = [this] {
        QString s;
        for (int id = 0; id <= 4; ++id)
            s += fileValue(QStringLiteral("select For_orderId from form where For_Id = %1").arg(id)).toString();
        return s;
    };
    withDialog([&](TUmgebungsoptionen& f) {
        f.Button4->click();
        TDataSet& form = orvServer->form;
        TXPButton* down = f.XPButtons[6];
        TXPButton* up = f.XPButtons[7];

        form.First();
        up->Click();
        form.Last();
        down->Click();
        EXPECT_EQ(orders(), "01234");
        // Up from the first row reached by moving back: still nothing.
        form.First();
        form.Next();
        form.Prior();
        up->Click();
        EXPECT_EQ(orders(), "01234");

        // Row 3 (Wettkampf) up: it swaps with Training and stays current.
        form.First();
        form.MoveBy(2);
        ASSERT_EQ(form.FieldByName("For_Id")->AsInteger(), 2);
        up->Click();
        EXPECT_EQ(orders(), "02134");
        EXPECT_EQ(form.FieldByName("For_Id")->AsInteger(), 2);
        EXPECT_EQ(form.RecNo(), 2);
        // And down again.
        down->Click();
        EXPECT_EQ(orders(), "01234");
        EXPECT_EQ(form.FieldByName("For_Id")->AsInteger(), 2);
        EXPECT_EQ(form.RecNo(), 3);

        // A post refused halfway: the swap is rolled back, no row keeps the parked order.
        int posts = 0;
        form.BeforePost = [&posts](TDataSet*) {
            if (++posts == 2)
                throw Exception("Gesperrt.");
        };
        ScriptedAnswers::pushMessageAnswer(mrOk);
        up->Click();
        form.BeforePost = nullptr;
        EXPECT_EQ(orders(), "01234");
        EXPECT_EQ(form.State(), dsBrowse);
        EXPECT_EQ(form.FieldByName("For_Id")->AsInteger(), 2);
        EXPECT_FALSE(orvServer->orvDB.InTransaction());
        f.OKBtn->click();
    });
    ASSERT_EQ(ScriptedAnswers::messages().size(), 1);
    EXPECT_EQ(ScriptedAnswers::messages()[0].Text, "Gesperrt.");
}

TEST_F(OptionsDialogTest, ColourCellsShowTheColourOrTheNumberOfASystemColour)
{
    start();
    withDialog([](TUmgebungsoptionen& f) {
        f.Button4->click();
        f.PageControl1->setCurrentWidget(f.TabSheet7);
        QApplication::processEvents();
        // Load types: Keine (-1) in grid row 1, Dauerlauf (0xFFE6C8) in row 2; colour column 3
        // after the indicator.
        const QImage shot = f.DBGrid4->grab().toImage();
        const QRect keine = f.DBGrid4->CellRect(3, 1);
        const QRect dauerlauf = f.DBGrid4->CellRect(3, 2);
        ASSERT_FALSE(dauerlauf.isEmpty());
        const QPoint probe(dauerlauf.right() - 3, dauerlauf.center().y());
        EXPECT_EQ(shot.pixelColor(probe).rgb(), QColor(0xC8, 0xE6, 0xFF).rgb());
        EXPECT_NE(shot.pixelColor(QPoint(keine.right() - 3, keine.center().y())).rgb(),
                  QColor(0xC8, 0xE6, 0xFF).rgb());
        // The number of the system colour is written in the cell: some pixels are dark.
        bool text = false;
        for (int x = keine.left() + 1; x < keine.right() && !text; ++x)
            for (int y = keine.top() + 1; y < keine.bottom() && !text; ++y)
                text = shot.pixelColor(x, y).lightness() < 100;
        EXPECT_TRUE(text);

        // The colour button writes the chosen colour into the row's field.
        orvServer->belArt.Locate("bea_ID", 3);
        f.DBGrid4->SetSelectedIndex(2);
        ScriptedAnswers::pushColor(0x00FF00);
        f.DBGrid4EditButtonClick(f.DBGrid4);
        EXPECT_EQ(orvServer->belArt.FieldByName("bea_Farbe")->AsInteger(), 0x00FF00);
        f.OKBtn->click();
    });
    EXPECT_EQ(fileValue("select bea_Farbe from belart where bea_ID = 3").toInt(), 0x00FF00);
}

TEST_F(OptionsDialogTest, TheLoadLevelPopupStoresTheChosenLevelsId)
{
    // Two levels of the same name: the entry carries the id, not the name.
    db.exec("UPDATE belstufe SET bel_Name = 'GA1' WHERE bel_ID = 3");
    start();
    withDialog([](TUmgebungsoptionen& f) {
        f.Button4->click();
        f.PageControl1->setCurrentWidget(f.TabSheet8);
        orvServer->bel5000m.First();
        f.DBGrid5->SetSelectedIndex(3);
        f.PopupMenu1Popup(f.PopupMenu1);
        QStringList names;
        for (QAction* a : f.PopupMenu1->actions())
            names << a->text();
        EXPECT_EQ(names, QStringList({"Keine", "REKOM", "GA1", "GA1", "EB", "SB"}));
        emit f.PopupMenu1->triggered(f.PopupMenu1->actions()[3]);
        EXPECT_EQ(orvServer->bel5000m.FieldByName("be5_belStufe")->AsInteger(), 3);
        f.OKBtn->click();
    });
    const int first = fileValue("select be5_Id from bel5000m order by be5_gesZeit, be5_zeit limit 1").toInt();
    EXPECT_EQ(fileValue(QStringLiteral("select be5_belStufe from bel5000m where be5_Id = %1").arg(first)).toInt(), 3);
}

TEST_F(OptionsDialogTest, ASportsPictureIsStoredAsBitmapAndAnUnreadableFileIsRefused)
{
    TempFolder folder;
    QImage picture(8, 6, QImage::Format_RGB32);
    picture.fill(Qt::red);
    const QString png = folder.file("laufen.png");
    ASSERT_TRUE(picture.save(png, "PNG"));
    const QString broken = folder.write("kaputt.jpg", "kein Bild");
    start();
    withDialog([&](TUmgebungsoptionen& f) {
        f.Button4->click();
        orvServer->sportart.First();
        f.DBGrid1->SetSelectedIndex(7);
        ASSERT_EQ(f.DBGrid1->SelectedField()->FieldName(), "Spo_Image");
        ScriptedAnswers::pushFileName(broken);
        ScriptedAnswers::pushMessageAnswer(mrOk);
        f.DBGrid1EditButtonClick(f.DBGrid1);
        EXPECT_EQ(orvServer->sportart.State(), dsBrowse);
        ScriptedAnswers::pushFileName(png);
        f.DBGrid1EditButtonClick(f.DBGrid1);
        f.OKBtn->click();
    });
    ASSERT_EQ(ScriptedAnswers::messages().size(), 1);
    EXPECT_EQ(ScriptedAnswers::messages()[0].Type, mtError);
    EXPECT_EQ(ScriptedAnswers::messages()[0].Text, LoadStr(msg::FileNotInterpretable));
    const QByteArray stored = QByteArray::fromHex(
        fileValue("select hex(Spo_Image) from sportart order by Spo_orderID limit 1").toString().toLatin1());
    EXPECT_TRUE(stored.startsWith("BM"));
    EXPECT_EQ(QImage::fromData(stored).pixelColor(2, 2), QColor(Qt::red));
}

TEST_F(OptionsDialogTest, TheMaximumHeartRateCalculatorFillsTheSetting)
{
    start();
    withDialog([](TUmgebungsoptionen& f) {
        // Closed without a result: the setting stays as it was.
        ScriptedAnswers::onShowModal<TMaximPuls>([](TMaximPuls& calc) {
            EXPECT_TRUE(calc.closeOnCalculate);
            calc.Close();
        });
        f.Button5->click();
        EXPECT_EQ(orvServer->config.State(), dsBrowse);
        ScriptedAnswers::onShowModal<TMaximPuls>([](TMaximPuls& calc) {
            calc.Edit2->setText("184");
            calc.Close();
        });
        f.Button5->click();
        EXPECT_EQ(orvServer->config.State(), dsEdit);
        EXPECT_EQ(f.DBEdit3->text(), "184");
        f.OKBtn->click();
    });
    EXPECT_EQ(fileValue("select cfg_maxpuls from config").toInt(), 184);
}

TEST_F(OptionsDialogTest, LanguageListHoldsGermanOnlyWithoutModules)
{
    for (const QString& qm : QDir(ProgramFile("lang")).entryList({"*.qm"}))
        QFile::remove(ProgramFile("lang/" + qm));
    start();
    withDialog([](TUmgebungsoptionen& f) {
        ASSERT_EQ(f.ComboBox1->count(), 1);
        EXPECT_EQ(f.Languages()[0].Code, "DEU");
        EXPECT_EQ(f.ComboBox1->currentIndex(), 0);
        f.CancelBtn->click();
    });
}

TEST_F(OptionsDialogTest, ListsHelpAndKeyboard)
{
    touchProgramFile("orv5help/Optionen.htm");
    start();
    withDialog([this](TUmgebungsoptionen& f) {
        EXPECT_EQ(f.DBComboBox1->count(), 5);
        EXPECT_EQ(f.DBComboBox1->itemText(3), "Tagebuch (Woche)");
        EXPECT_EQ(f.DBComboBox2->itemText(4), "Tools ausblenden");
        // "Nach HF berechnen" follows "Automatisch berechnen".
        EXPECT_EQ(f.DBCheckBox12->isEnabled(), f.DBCheckBox3->isChecked());
        f.DBCheckBox3->click();
        EXPECT_EQ(f.DBCheckBox12->isEnabled(), f.DBCheckBox3->isChecked());
        EXPECT_EQ(orvServer->config.State(), dsEdit);
        // Tab walks through the fields of the first page in their order.
        f.DBEdit1->setFocus();
        QStringList order;
        for (int i = 0; i < 6; ++i) {
            order << QApplication::focusWidget()->objectName();
            QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
            QApplication::sendEvent(QApplication::focusWidget(), &tab);
        }
        EXPECT_EQ(order, QStringList({"DBEdit1", "DBEdit2", "DBEdit3", "Button5", "DBEdit4", "ComboBox1"}));
        f.HelpBtn->click();
        EXPECT_EQ(helpPages.size(), 1);
        f.CancelBtn->click();
    });
    EXPECT_EQ(helpPages, QStringList({ProgramFile("orv5help/Optionen.htm")}));
    EXPECT_EQ(orvServer->config.State(), dsBrowse);
    EXPECT_EQ(fileValue("select cfg_belautocalc from config").toInt(), 0);
}

}  // namespace
