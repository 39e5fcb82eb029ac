// The data layer's messages come out in English once the English language module is loaded.
#include <QCoreApplication>
#include <QDir>
#include <QTranslator>

#include "tests/platform/db/dbtestfixture.h"

namespace {

template <typename F>
QString messageOf(F&& f)
{
    try {
        f();
    } catch (const Exception& e) {
        return e.Message();
    }
    return QStringLiteral("(nothing raised)");
}

TEST_F(DbTest, OpenAndFieldErrorsAreEnglishUnderTheEnglishModule)
{
    QTranslator english;
    ASSERT_TRUE(english.load(QStringLiteral("dbjet_en"),
                             QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("../app/lang"))));
    QCoreApplication::installTranslator(&english);
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
    EXPECT_TRUE(messageOf([&] { daten.Post(); }).endsWith(QStringLiteral("Field 'Datum' must have a value")));
    daten.Cancel();
    QCoreApplication::removeTranslator(&english);
    EXPECT_EQ(messageOf([&] { other.Open(missing); }),
              QStringLiteral("Die Datei \"%1\" wurde nicht gefunden.").arg(missing));
}

}  // namespace
