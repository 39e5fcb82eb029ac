// The conversion wizard as a user meets it: choosing the old user file and the target, the
// button that stays disabled until both are sound, "Neuer Benutzer", and the conversion with its
// question and its result.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "core/language.h"
#include "core/main.h"
#include "core/orvdbserver.h"
#include "exchange/convert5u.h"
#include "tests/core/programfixture.h"
#include "tests/support/athletedb.h"
#include "tests/support/testenv.h"

namespace {

class ConversionWizardTest : public ProgramTest {
protected:
    // The version 4 fixture with an old user file beside it.
    QString oldUserFile(const QByteArray& ini = "[Allgemein]\r\nBenutzer=rita\r\n[Person]\r\nName=Rita Sommer\r\n")
    {
        const QDir source(SourceFile(QStringLiteral("tests/platform/office/paradox/fixtures/v4")));
        for (const QString& f : source.entryList(QDir::Files))
            QFile::copy(source.filePath(f), old.file(f));
        return old.write(QStringLiteral("rita.orv"), ini);
    }

    AthleteDatabase db;
    TempFolder old;
    TempFolder elsewhere;
};

TEST_F(ConversionWizardTest, AFolderWithoutUnitsIsRefusedAndTheButtonStaysDisabled)
{
    Tconvert5 w;
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Orvalo 5"));
    EXPECT_FALSE(w.Button2->isEnabled());
    ScriptedAnswers::pushFileName(elsewhere.write(QStringLiteral("user.orv"), "[Allgemein]\r\nBenutzer=x\r\n"));
    ScriptedAnswers::pushMessageAnswer(mrOk);
    w.Button1->click();
    // The message names the user file and the tables that are missing beside it.
    const QString text = ScriptedAnswers::lastMessage().Text;
    EXPECT_TRUE(text.startsWith(QStringLiteral("Dies ist keine Orvalo 4 Datei.\n\nBenutzerdatei: \"%1\"\n")
                                    .arg(elsewhere.file(QStringLiteral("user.orv")))))
        << text.toStdString();
    for (const char* table : {"daten.db", "zeit.db"})
        EXPECT_TRUE(text.contains(QStringLiteral("\"%1\" kann nicht gelesen werden: Die Datei fehlt.")
                                      .arg(elsewhere.file(QString::fromLatin1(table)))))
            << table << ": " << text.toStdString();
    EXPECT_EQ(ScriptedAnswers::lastMessage().Type, mtError);
    EXPECT_EQ(w.Label6->text(), QStringLiteral("keine Angaben"));
    EXPECT_TRUE(w.Edit1->text().isEmpty());

    // Tables of another program under the right names: refused the same way, naming the fields.
    const QString userFile = oldUserFile();
    QFile::remove(old.file(QStringLiteral("zeit.DB")));
    QFile::copy(old.file(QStringLiteral("eqdaten.DB")), old.file(QStringLiteral("zeit.DB")));
    ScriptedAnswers::pushFileName(userFile);
    ScriptedAnswers::pushMessageAnswer(mrOk);
    w.Button1->click();
    EXPECT_TRUE(ScriptedAnswers::lastMessage().Text.contains(
        QStringLiteral("zeit.DB\": es fehlen die Felder Index, Meter, Zwischenzeit, Puls, M über NN, Notitz, zwTyp.")))
        << ScriptedAnswers::lastMessage().Text.toStdString();
    EXPECT_TRUE(w.Edit1->text().isEmpty());
    // A target alone does not enable it either.
    ScriptedAnswers::pushFileName(db.path());
    w.Button5->click();
    EXPECT_FALSE(w.Button2->isEnabled());
}

TEST_F(ConversionWizardTest, TheUserFileFillsTheInformationWithDefaults)
{
    Tconvert5 w;
    ScriptedAnswers::pushFileName(oldUserFile());
    w.Button1->click();
    EXPECT_EQ(w.Label6->text(), QStringLiteral("rita"));
    EXPECT_EQ(w.Label9->text(), QStringLiteral("Rita Sommer"));
    EXPECT_EQ(w.Label10->text(), QStringLiteral("keine Angaben"));
    EXPECT_FALSE(w.NeedsUpgrade());
    EXPECT_FALSE(w.Button2->isEnabled());
    ScriptedAnswers::pushFileName(db.path());
    w.Button5->click();
    EXPECT_TRUE(w.Button2->isEnabled());
}

TEST_F(ConversionWizardTest, NewUserNeverReplacesTheOpenDatabase)
{
    db.exec("INSERT INTO DATEN (Datum, Zeit, Meter, Sportart, Form, Belastungsart, Belastungsstufe, "
            "Hoehendifferenz, trainingsblock) VALUES (39600, 0.02, 5000, 1, 1, 1, 1, 0, 0)");
    StartProgram({db.path()});
    ASSERT_TRUE(orvServer->DatabaseOpen());
    Tconvert5 w;
    ScriptedAnswers::pushFileName(db.path());
    ScriptedAnswers::pushMessageAnswer(mrOk);
    w.Button6->click();
    EXPECT_EQ(ScriptedAnswers::lastMessage().Type, mtError);
    EXPECT_EQ(db.value(QStringLiteral("SELECT count(*) FROM DATEN")).toInt(), 1);
    EXPECT_TRUE(w.Edit2->text().isEmpty());

    // Another file is made from the empty template.
    const QString fresh = elsewhere.file(QStringLiteral("neu.orv"));
    ScriptedAnswers::pushFileName(fresh);
    w.Button6->click();
    EXPECT_EQ(w.Edit2->text(), fresh);
    EXPECT_TRUE(QFile::exists(fresh));
}

TEST_F(ConversionWizardTest, ConvertingFromTheStartPageAction)
{
    db.exec("INSERT INTO FORM (For_Id, For_Form, For_orderId) VALUES (10, 'GA1', 10), (11, 'GA2', 11), "
            "(12, 'WSA', 12)");
    const QString userFile = oldUserFile();
    StartProgram({});
    ScriptedAnswers::onShowModal<Tconvert5>([&](Tconvert5& w) {
        ScriptedAnswers::pushFileName(userFile);
        w.Button1->click();
        ScriptedAnswers::pushFileName(db.path());
        w.Button5->click();
        // "Nein" to the question: nothing happens.
        ScriptedAnswers::pushMessageAnswer(mrNo);
        w.Button2->click();
        EXPECT_EQ(db.value(QStringLiteral("SELECT count(*) FROM DATEN")).toInt(), 0);
        ScriptedAnswers::pushMessageAnswer(mrYes);
        ScriptedAnswers::pushMessageAnswer(mrOk);
        w.Button2->click();
    });
    MainForm->Action20->Execute();
    const QList<RecordedMessage>& boxes = ScriptedAnswers::messages();
    ASSERT_EQ(boxes.size(), 3);
    EXPECT_EQ(boxes[0].Text, QStringLiteral("Daten wirklich konvertieren?"));
    EXPECT_EQ(boxes[0].Type, mtWarning);
    EXPECT_TRUE(boxes[2].Text.startsWith(QStringLiteral("Daten konvertiert"))) << boxes[2].Text.toStdString();
    EXPECT_EQ(db.value(QStringLiteral("SELECT count(*) FROM DATEN")).toInt(), 3);
}

}  // namespace
