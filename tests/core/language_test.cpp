// The message table: the ids and texts code relies on, and the language module that replaces
// them (the hook itself and the English module the build produces).
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <set>

#include "core/language.h"
#include "platform/rtl/folders.h"

namespace {

// The English module built beside the program: <build>/app/lang.
QString builtLanguageFolder()
{
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("../app/lang"));
}

// A module that knows a single text.
class OneTextModule : public TLanguageModule {
public:
    QString Text(int id, const QString& german) const override
    {
        return id == 65301 ? QStringLiteral("Preview of ") + german : QString();
    }
};

// Restores the German table after a test that sets a module.
struct ModuleGuard {
    ~ModuleGuard() { SetLanguageModule(nullptr); }
};

}  // namespace

TEST(MessageTable, HoldsThe197TextsInThreeRanges)
{
    std::set<int> expected;
    for (auto [first, last] : {std::pair{65296, 65304}, {65312, 65487}, {65492, 65503}})
        for (int id = first; id <= last; ++id)
            expected.insert(id);
    std::set<int> ids;
    int previous = 0;
    for (const TMessageEntry& e : MessageTable()) {
        EXPECT_GT(e.Id, previous) << "table must be ordered by id";
        previous = e.Id;
        ids.insert(e.Id);
        EXPECT_FALSE(LoadStr(e.Id).isEmpty()) << e.Id;
    }
    EXPECT_EQ(MessageTable().size(), 197u);
    EXPECT_EQ(ids, expected);
    for (int gap : {0, 65295, 65305, 65311, 65488, 65491, 65504, -1})
        EXPECT_EQ(LoadStr(gap), QString()) << gap;
}

TEST(MessageTable, TextsToTheCharacter)
{
    const struct {
        int id;
        const char* text;
    } cases[] = {
        {65332, "Diese Auswahl kann nur bei der Gruppierungsart \"keine Gruppierung\" gewählt werden."},
        {65356, "W O C H E "},
        {65382, " am "},
        {65296, "Maximale Økm/h"},
        {65304, "cfxgerman.dll"},
        {65328, "Vom: "},
        {65357, "Zeitraumstatistik vom %s bis zum %s"},
        {65476, "<- Legende"},
        {65481, "Bestzeiten importieren ... "},
        {65503, "Wollen Sie wirklich alle leeren Trainingsblöcke löschen?"},
        // The line break between the two sentences is a real one, as the message box shows it.
        {65388, "Orvalo muß eine Korrektur an Ihrer Datenbank vornehmen. (Dringend empfohlen!)\n"
                "(Falsche Werte im Feld Zeit in Tabelle Daten.)"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LoadStr(c.id), QString::fromUtf8(c.text)) << c.id;
}

TEST(MessageTable, ModuleReplacesEveryText)
{
    ModuleGuard guard;
    SetLanguageModule(std::make_shared<OneTextModule>());
    EXPECT_EQ(LoadStr(65301), "Preview of Vorschau");
    EXPECT_EQ(LoadStr(65302), "");   // the module lacks it: empty, not German
    EXPECT_EQ(LoadStr(65305), "");   // outside the table
    EXPECT_EQ(GermanMessage(65302), QString::fromUtf8("Kurzübersicht"));
    SetLanguageModule(nullptr);
    EXPECT_EQ(LoadStr(65301), "Vorschau");
}

TEST(MessageTable, EnglishModuleTranslatesEveryText)
{
    ModuleGuard guard;
    auto module = TTranslationModule::Load(builtLanguageFolder(), QStringLiteral("en"));
    ASSERT_TRUE(module) << "language_en.qm missing in " << builtLanguageFolder().toStdString();
    SetLanguageModule(module);

    EXPECT_EQ(LoadStr(65332), "This selection is only available with the grouping type \"no grouping\".");
    EXPECT_EQ(LoadStr(65356), "W E E K ");
    EXPECT_EQ(LoadStr(65382), " on ");
    EXPECT_TRUE(LoadStr(65388).contains('\n'));
    // Texts that are equal in German stay apart by their id.
    EXPECT_EQ(LoadStr(65333), "Unit");
    EXPECT_EQ(module->Text(65301, QStringLiteral("Unbekannter Text")), "");  // lacks it

    // Every text translated, its format specifiers and its joining blanks kept.
    const QRegularExpression placeholder(QStringLiteral("%[sd]"));
    for (const TMessageEntry& e : MessageTable()) {
        const QString de = GermanMessage(e.Id);
        const QString en = LoadStr(e.Id);
        ASSERT_FALSE(en.isEmpty()) << e.Id;
        EXPECT_EQ(en.startsWith(' '), de.startsWith(' ')) << e.Id;
        EXPECT_EQ(en.endsWith(' '), de.endsWith(' ')) << e.Id;
        EXPECT_EQ(en.count(placeholder), de.count(placeholder)) << e.Id;
    }
}

TEST(MessageTable, ActivateLanguageLoadsEveryModuleBesideTheProgram)
{
    ModuleGuard guard;
    EXPECT_FALSE(ActivateLanguage(QStringLiteral("en")));  // nothing there yet: stays German
    EXPECT_EQ(LoadStr(65301), "Vorschau");

    QDir().mkpath(LanguageFolder());
    const QString qm = QDir(LanguageFolder()).filePath(QStringLiteral("language_en.qm"));
    ASSERT_TRUE(QFile::copy(QDir(builtLanguageFolder()).filePath(QStringLiteral("language_en.qm")), qm));
    QFile(LanguageFolder() + QStringLiteral("/broken_en.qm")).open(QIODevice::WriteOnly);  // skipped
    EXPECT_FALSE(ActivateLanguage(QStringLiteral("fr")));

    ASSERT_TRUE(ActivateLanguage(QStringLiteral("en")));
    EXPECT_EQ(LoadStr(65301), "Preview");
    // The translators reach Qt's own lookup too, where the forms' texts are translated.
    EXPECT_EQ(QCoreApplication::translate("language", "Vorschau", "65301"), "Preview");
    SetLanguageModule(nullptr);  // destroys the module, which takes its translators back
    EXPECT_EQ(QCoreApplication::translate("language", "Vorschau", "65301"), "Vorschau");
    QFile::remove(qm);
}
