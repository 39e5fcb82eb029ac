// The data layer's messages come out in English once the English language module is loaded.
#include <QDir>

#include "tests/platform/db/dbtestfixture.h"
#include "tests/support/messages.h"

namespace {

TEST_F(DbTest, OpenAndFieldErrorsAreEnglishUnderTheEnglishModule)
{
    EnglishModule english(QStringLiteral("dbjet_en"));
    ASSERT_TRUE(english.loaded());
    const QString missing = QDir(tmp.path()).filePath(QStringLiteral("fehlt.mdb"));
    TConnection other;
    EXPECT_EQ(messageOf([&] { other.Open(missing); }), QStringLiteral("The file \"%1\" was not found.").arg(missing));

    TTable table;
    table.SetConnection(&conn);
    table.SetTableName(QStringLiteral("gibtsnicht"));
    EXPECT_TRUE(messageOf([&] { table.Open(); }).endsWith(QStringLiteral("Table 'gibtsnicht' not found")));

    TTable daten;
    daten.SetConnection(&conn);
    daten.SetTableName(QStringLiteral("daten"));
    daten.AddField(QStringLiteral("dat_Id"), ftAutoInc)->SetReadOnly(true);
    daten.AddField(QStringLiteral("Datum"), ftDateTime)->SetRequired(true);
    daten.AddField(QStringLiteral("Ort"), ftString, 30);
    daten.Open();
    EXPECT_TRUE(messageOf([&] { daten.FieldByName(QStringLiteral("Puls")); })
                    .endsWith(QStringLiteral("Field 'Puls' not found")));
    daten.Append();
    daten.SetName(QStringLiteral("daten"));
    EXPECT_EQ(messageOf([&] { daten.Post(); }), QStringLiteral("Field 'Datum' must have a value"));
    daten.Cancel();
    english.remove();
    EXPECT_EQ(messageOf([&] { other.Open(missing); }),
              QStringLiteral("Die Datei \"%1\" wurde nicht gefunden.").arg(missing));
}

}  // namespace
