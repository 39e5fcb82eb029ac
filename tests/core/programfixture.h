#pragma once
// The whole program started as from the command line, in the test's folders: the template
// databases and the English language modules lie beside the program, the registry is empty,
// outside programs and help pages are recorded instead of started, the clock is fixed, and the
// dialogs are scripted.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>

#include "core/language.h"
#include "core/startup.h"
#include "core/fmxutils.h"
#include "platform/rtl/folders.h"
#include "platform/rtl/sysutils.h"
#include "platform/vcl/registry.h"
#include "platform/vcl/shell.h"
#include "platform/vcl/testhooks.h"
#include "tests/support/qstringprinter.h"

class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ScriptedAnswers::clear();
        // The start-up sets the process's default locale and formats to the interface language's;
        // they go back after the test so that tests running later in the process see the same.
        savedLocale_ = QLocale();
        savedFormats_ = FormatSettings();
        QFile::remove(TRegistry::DefaultFileName());
        before_ = QDir(ProgramDir()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        const QDir built(QStringLiteral(ORV_TEMPLATE_DIR));
        QDir program(ProgramDir());
        program.mkpath(QStringLiteral("DB"));
        program.mkpath(QStringLiteral("lang"));
        auto copy = [this](const QString& from, const QString& to) {
            if (QFile::copy(from, to))
                copied_ << to;
        };
        for (const char* t : {"leer.orv.system", "leer_ENG.orv.system"})
            copy(built.filePath(QString::fromLatin1(t)), program.filePath(QStringLiteral("DB/") + t));
        const QDir lang(built.filePath(QStringLiteral("../lang")));
        for (const QString& qm : lang.entryList({QStringLiteral("*.qm")}, QDir::Files))
            copy(lang.filePath(qm), program.filePath(QStringLiteral("lang/") + qm));
        SetShellStarter([this](const TShellStart& s) {
            started << s;
            return true;
        });
        SetHelpOpener([this](const QString& page) {
            helpPages << page;
            return true;
        });
        SetClock([] { return EncodeDate(2024, 3, 15) + EncodeTime(10, 0, 0, 0); });
    }

    void TearDown() override
    {
        FinishProgram();
        SetLanguageModule(nullptr);
        SetShellStarter({});
        SetHelpOpener({});
        SetClock({});
        QLocale::setDefault(savedLocale_);
        FormatSettings() = savedFormats_;
        // Everything the test put beside the program goes again.
        for (const QString& f : copied_)
            QFile::remove(f);
        QDir program(ProgramDir());
        for (const QString& entry : program.entryList(QDir::AllEntries | QDir::NoDotAndDotDot)) {
            if (before_.contains(entry))
                continue;
            if (QFileInfo(program.filePath(entry)).isDir())
                QDir(program.filePath(entry)).removeRecursively();
            else
                QFile::remove(program.filePath(entry));
        }
        QFile::remove(TRegistry::DefaultFileName());
        EXPECT_TRUE(ScriptedAnswers::unusedAnswers().isEmpty())
            << ScriptedAnswers::unusedAnswers().join(", ").toStdString();
        ScriptedAnswers::clear();
    }

    // A value of the program's machine-wide key.
    static void setProgramValue(const QString& name, const QVariant& value)
    {
        TRegistry reg;
        reg.SetRootKey(HKEY_LOCAL_MACHINE);
        reg.OpenKey(QString::fromLatin1(kProgramRegistryKey), true);
        if (value.typeId() == QMetaType::Bool)
            reg.WriteBool(name, value.toBool());
        else
            reg.WriteString(name, value.toString());
    }

    // Messages shown, as "type:text".
    static QStringList messageTexts()
    {
        QStringList texts;
        for (const RecordedMessage& m : ScriptedAnswers::messages())
            texts << QString::number(m.Type) + QLatin1Char(':') + m.Text;
        return texts;
    }

    // Creates a file beside the program (and its folders).
    static void touchProgramFile(const QString& relative)
    {
        QDir(ProgramDir()).mkpath(QFileInfo(relative).path());
        QFile f(ProgramFile(relative));
        f.open(QIODevice::WriteOnly);
    }

    QList<TShellStart> started;
    QStringList helpPages;

private:
    QLocale savedLocale_;
    TFormatSettings savedFormats_;
    QStringList before_;
    QStringList copied_;
};
