// The backup and restore wizards as a user drives them: the list and its file list, every dialog
// cancelled, a backup written and reported, a failed one reported with the form left open, and
// the restore with its fields, its folder browser and its messages.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>

#include "core/busy.h"
#include "core/messageids.h"
#include "exchange/backupcabinet.h"
#include "exchange/dbrestoreu.h"
#include "exchange/dbsicherung.h"
#include "tests/core/dbserverfixture.h"
#include "tests/support/errorbox.h"
#include "tests/support/messages.h"
#include "tests/support/testenv.h"

namespace {

QStringList rowsOf(const TdbSichern& f)
{
    QStringList rows;
    for (int i = 0; i < f.ListView1->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = f.ListView1->topLevelItem(i);
        rows << item->text(0) + '|' + item->text(1) + '|' + item->text(2);
    }
    return rows;
}

QStringList filesIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

class BackupWizardTest : public DataModuleTest {
protected:
    void SetUp() override
    {
        DataModuleTest::SetUp();
        db.exec(
            "INSERT INTO DATEN (Datum, Zeit, Meter, Sportart, Form, Belastungsart, Belastungsstufe, "
            "Hoehendifferenz) VALUES (45101, 0.02, 5000, 1, 1, 1, 1, 0)");
        open();
        BusyDlg = &busy;
    }
    void TearDown() override
    {
        BusyDlg = nullptr;
        DataModuleTest::TearDown();
    }

    TBusyDlg busy;
    TempFolder out;
};

}  // namespace

TEST_F(BackupWizardTest, ListRowsFromTheOpenDialogAndRemovingTheSelectedOne)
{
    TdbSichern f;
    f.show();
    EXPECT_EQ(f.Label4->text(), QDir::toNativeSeparators(db.path()));

    ScriptedAnswers::pushFileNames({"/daten/a/filter.sql", "/daten/b/ansicht.co5", "/daten/a/filter.sql",
                                    "/daten/FILTER.SQL"});
    f.Button1->click();
    EXPECT_EQ(rowsOf(f), QStringList({"filter.sql|/daten/a|SQL-Abfrage", "ansicht.co5|/daten/b|Spaltendatei",
                                      "filter.sql|/daten/a|SQL-Abfrage", "FILTER.SQL|/daten|unbekannt"}));
    EXPECT_EQ(ScriptedAnswers::fileDialogs().last().Filter,
              QStringLiteral("Alle Orvalo 5 Dateien|*.mt5;*.co5;*.qrp;*.chd;*.sql;*.imp|Spaltendateien (*.co5)|*.co5|"
                             "Quickreport (*.qrp)|*.qrp|Chart-Dateien (*.chd)|*.chd|SQL-Abfragen (*.sql)|*.sql|"
                             "Import-Dateien (*.imp)|*.imp|Musterdateien (*.mt5)|*.mt5|Alle Dateien (*.*)|*.*"));

    // Nothing selected: nothing goes.
    f.ListView1->clearSelection();
    f.Button5->click();
    EXPECT_EQ(f.ListView1->topLevelItemCount(), 4);
    f.ListView1->topLevelItem(1)->setSelected(true);
    f.Button5->click();
    EXPECT_EQ(f.ListedFiles(), QStringList({"/daten/a/filter.sql", "/daten/a/filter.sql", "/daten/FILTER.SQL"}));
}

TEST_F(BackupWizardTest, AFileListSavedAndLoadedGivesTheSameRows)
{
    const QStringList files = {"/daten/muster/woche.mt5", "/daten/x.imp", "/daten/muster/woche.mt5",
                               "/daten/bericht.qrp"};
    const QString list = out.file(QStringLiteral("auswahl.xml"));
    QStringList saved;
    {
        TdbSichern f;
        ScriptedAnswers::pushFileNames(files);
        f.Button1->click();
        saved = rowsOf(f);
        ScriptedAnswers::pushFileName(list);
        f.XPButton2->Click();
    }
    TdbSichern f;
    ScriptedAnswers::pushFileNames({"/anders/liste.chd"});
    f.Button1->click();
    ScriptedAnswers::pushFileName(list);
    f.XPButton1->Click();
    EXPECT_EQ(rowsOf(f), saved);
    EXPECT_EQ(f.ListedFiles(), files);
}

TEST_F(BackupWizardTest, CancellingAnyDialogWritesNothing)
{
    TdbSichern f;
    ScriptedAnswers::pushFileNames({"/daten/filter.sql"});
    f.Button1->click();
    for (auto* press : {+[](TdbSichern& w) { w.Button1->click(); }, +[](TdbSichern& w) { w.XPButton1->Click(); },
                        +[](TdbSichern& w) { w.XPButton2->Click(); }, +[](TdbSichern& w) { w.Button2->click(); }}) {
        ScriptedAnswers::pushFileName(QString());
        press(f);
    }
    EXPECT_EQ(f.ListedFiles(), QStringList({"/daten/filter.sql"}));
    EXPECT_FALSE(f.BackupWritten());
    EXPECT_FALSE(busy.isVisible());
    EXPECT_TRUE(ScriptedAnswers::messages().isEmpty());
    EXPECT_EQ(filesIn(out.path()), QStringList());
    EXPECT_EQ(filesIn(QFileInfo(db.path()).absolutePath()), QStringList({"athlet.orv"}));
}

TEST_F(BackupWizardTest, SichernWritesTheCabinetReportsAndCloses)
{
    const QString extra = out.write(QStringLiteral("filter.sql"), "WHERE Meter > 0");
    const QString cabinet = out.file(QStringLiteral("sicherung"));  // the default extension follows
    TdbSichern f;
    ScriptedAnswers::onShowModal<TdbSichern>([&](TdbSichern& w) {
        ScriptedAnswers::pushFileNames({extra});
        w.Button1->click();
        ScriptedAnswers::pushFileName(cabinet);
        ScriptedAnswers::pushMessageAnswer(mrOk);
        w.Button2->click();
    });
    f.ShowModal();
    EXPECT_TRUE(f.BackupWritten());
    EXPECT_FALSE(f.isVisible());
    EXPECT_FALSE(busy.isVisible());
    ASSERT_EQ(ScriptedAnswers::messages().size(), 1);
    EXPECT_EQ(ScriptedAnswers::messages()[0].Text, QStringLiteral("Sicherung abgeschlossen."));
    EXPECT_EQ(CabinetEntryNames(cabinet + ".cab"), QStringList({"athlet.orv", "filter.sql"}));
}

TEST_F(BackupWizardTest, AFailedBackupIsReportedAndTheFormStaysOpen)
{
    const QString cabinet = out.write(QStringLiteral("backup.cab"), "eine alte Sicherung");
    ErrorBoxRecorder errors;
    TdbSichern f;
    ScriptedAnswers::onShowModal<TdbSichern>([&](TdbSichern& w) {
        ScriptedAnswers::pushFileNames({out.file(QStringLiteral("gibtsnicht.sql"))});
        w.Button1->click();
        ScriptedAnswers::pushFileName(cabinet);
        w.Button2->click();
        EXPECT_TRUE(w.isVisible());
        EXPECT_FALSE(busy.isVisible());
        w.Button4->click();
    });
    f.ShowModal();
    EXPECT_FALSE(f.BackupWritten());
    ASSERT_EQ(errors.shown.size(), 1);
    EXPECT_TRUE(errors.shown[0].startsWith(QStringLiteral("Fehler beim Öffnen einer Datei, die im Cabinet")));
    EXPECT_TRUE(ScriptedAnswers::messages().isEmpty());
    QFile c(cabinet);
    ASSERT_TRUE(c.open(QIODevice::ReadOnly));
    EXPECT_EQ(c.readAll(), QByteArray("eine alte Sicherung"));
}

TEST_F(BackupWizardTest, RestoreAsksForBothFieldsThenExtractsAndReports)
{
    const QString cabinet = out.file(QStringLiteral("backup.cab"));
    WriteBackupCabinet(server.orvDB, db.path(), {}, cabinet);
    const QString target = out.file(QStringLiteral("neu/ordner"));

    TdbRestore f;
    f.show();
    // Neither field chosen, then only the cabinet.
    ScriptedAnswers::pushMessageAnswer(mrOk);
    f.Button2->click();
    ScriptedAnswers::pushFileName(cabinet);
    f.Button1->click();
    EXPECT_EQ(f.Edit1->text(), cabinet);
    ScriptedAnswers::pushMessageAnswer(mrOk);
    f.Button2->click();
    ASSERT_EQ(ScriptedAnswers::messages().size(), 2);
    EXPECT_EQ(ScriptedAnswers::messages()[0].Text, QStringLiteral("Bitte wählen Sie zuerst die Sicherungsdatei aus."));
    EXPECT_EQ(ScriptedAnswers::messages()[1].Text, QStringLiteral("Bitte wählen Sie zuerst das Zielverzeichnis aus."));
    EXPECT_FALSE(QFileInfo::exists(target));

    // The folder browser: a choice, then a cancel that empties the field again.
    ScriptedAnswers::pushFolder(target);
    f.Button5->click();
    EXPECT_EQ(f.Edit2->text(), target);
    ScriptedAnswers::pushFolder(QString());
    f.Button5->click();
    EXPECT_EQ(f.Edit2->text(), QString());
    ScriptedAnswers::pushFolder(target);
    f.Button5->click();

    ScriptedAnswers::clear();
    ScriptedAnswers::pushMessageAnswer(mrOk);
    f.Button2->click();
    EXPECT_TRUE(f.Restored());
    ASSERT_EQ(ScriptedAnswers::messages().size(), 1);
    EXPECT_EQ(ScriptedAnswers::messages()[0].Text, QStringLiteral("Rücksicherung abgeschlossen."));
    EXPECT_EQ(filesIn(target), QStringList({"athlet.orv"}));
    EXPECT_FALSE(busy.isVisible());
}

TEST_F(BackupWizardTest, AFailedRestoreIsReportedAndNothingIsClaimed)
{
    ErrorBoxRecorder errors;
    TdbRestore f;
    f.show();
    f.Edit1->setText(out.file(QStringLiteral("fehlt.cab")));
    f.Edit2->setText(out.file(QStringLiteral("ziel")));
    f.Button2->click();
    EXPECT_FALSE(f.Restored());
    ASSERT_EQ(errors.shown.size(), 1);
    EXPECT_TRUE(errors.shown[0].startsWith(QStringLiteral("Cabinet nicht gefunden"))) << errors.shown[0].toStdString();
    EXPECT_TRUE(ScriptedAnswers::messages().isEmpty());

    // The open database itself as a target: refused with its name.
    const QString cabinet = out.file(QStringLiteral("backup.cab"));
    WriteBackupCabinet(server.orvDB, db.path(), {}, cabinet);
    f.Edit1->setText(cabinet);
    f.Edit2->setText(QFileInfo(db.path()).absolutePath());
    f.Button2->click();
    ASSERT_EQ(errors.shown.size(), 2);
    EXPECT_TRUE(errors.shown[1].contains(db.path())) << errors.shown[1].toStdString();
    EXPECT_TRUE(f.isVisible());
}

TEST_F(BackupWizardTest, TabReachesEveryFieldAndButtonInOrder)
{
    for (bool restore : {false, true}) {
        std::unique_ptr<TForm> f;
        QStringList expected;
        if (restore) {
            f = std::make_unique<TdbRestore>();
            expected = {"Edit1", "Button1", "Edit2", "Button5", "Button2", "Button4", "Button3"};
        } else {
            f = std::make_unique<TdbSichern>();
            expected = {"ListView1", "Button1", "Button5", "Button2", "Button4", "Button3"};
        }
        f->show();
        QApplication::setActiveWindow(f.get());
        f->findChild<QWidget*>(expected.first())->setFocus();
        QStringList reached;
        for (int i = 0; i < expected.size(); ++i) {
            QWidget* w = QApplication::focusWidget();
            reached << (w ? w->objectName() : QString());
            QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
            if (w)
                QApplication::sendEvent(w, &tab);
        }
        EXPECT_EQ(reached, expected);
    }
}

TEST(BackupWizardsInEnglish, ColumnsLabelsAndMessages)
{
    EnglishModule backup(QStringLiteral("dbsicherung_en"));
    EnglishModule restore(QStringLiteral("dbrestoreu_en"));
    EnglishModule labels(QStringLiteral("backupcabinet_en"));
    ASSERT_TRUE(backup.loaded() && restore.loaded() && labels.loaded());
    TdbSichern f;
    EXPECT_EQ(f.windowTitle(), QStringLiteral("Back up database"));
    const QTreeWidgetItem* header = f.ListView1->headerItem();
    EXPECT_EQ(QStringList({header->text(0), header->text(1), header->text(2)}),
              QStringList({"File name", "Folder", "Type"}));
    EXPECT_EQ(BackupFileTypeLabel(QStringLiteral("x.co5")), QStringLiteral("Column file"));
    TdbRestore r;
    EXPECT_EQ(r.windowTitle(), QStringLiteral("Restore database"));
    EXPECT_EQ(r.Button2->text(), QStringLiteral("Restore"));
    TempFolder dir;
    EXPECT_TRUE(messageOf([&] { RestoreBackupCabinet(dir.file(QStringLiteral("fehlt.cab")), dir.path(), QString()); })
                    .endsWith(QStringLiteral("\n\nNothing was restored; the target folder is unchanged.")));
}
