// The output-options dialog: what it offers with and without a printer, how the chosen
// destination, file name, copies and duplex reach the report system, and that Cancel runs nothing.
// A report system with the dialog as its setup hook runs a one-page report, as the data module
// does; printers are stand-ins and print jobs are recorded, never sent.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "core/dtsetup.h"
#include "platform/report/renderhtml.h"
#include "platform/report/renderpdf.h"
#include "platform/report/rendertext.h"
#include "platform/report/report.h"
#include "platform/report/reportsystem.h"
#include "platform/vcl/testhooks.h"
#include "tests/support/messages.h"
#include "tests/support/qstringprinter.h"
#include "tests/support/testenv.h"

namespace {

class DtSetupTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ScriptedAnswers::clear();
        PrintJobCapture::start();
        PrinterListStandIn::set({{QStringLiteral("Laser"), QStringLiteral("Büro")}, {QStringLiteral("Tinte"), QString()}});
        system.OnOverrideSetup = [](TReportSystem* sys, TOverrideMode mode, QObject*& dialog) {
            if (mode == omCreate)
                dialog = new TdtSetupForm(sys);
            if (mode == omShow)
                sys->SetSetupCancelled(static_cast<TdtSetupForm*>(dialog)->ShowModal() == mrCancel);
            if (mode == omFree) {
                delete dialog;
                dialog = nullptr;
            }
        };
        report.SetUnits(ruMillimetres);
        report.SetReportTitle(QStringLiteral("Liste"));
        report.AddBand(btTitle, 20)->AddLabel(QStringLiteral("Trainingseinheiten"), 0, 0);
        report.BeforePrint = [this](TReport*, bool&) { ++runs; };
    }
    void TearDown() override
    {
        PrinterListStandIn::clear();
        PrinterSetupStandIn::clear();
        PrintJobCapture::stop();
        EXPECT_TRUE(ScriptedAnswers::unusedAnswers().isEmpty()) << ScriptedAnswers::unusedAnswers().join(", ").toStdString();
        ScriptedAnswers::clear();
    }

    // Runs the report with the user's part played by `play`, which leaves the dialog with a click.
    bool run(std::function<void(TdtSetupForm&)> play)
    {
        ScriptedAnswers::onShowModal<TdtSetupForm>(std::move(play));
        return system.Execute(report);
    }
    static int formatIndex(TdtSetupForm& f, const QString& name)
    {
        return f.cboxFormat->findText(name);
    }
    static void chooseFile(TdtSetupForm& f, const QString& name, const QString& format)
    {
        f.FileRB->click();
        f.editFileName->setText(name);
        f.cboxFormat->setCurrentIndex(formatIndex(f, format));
    }

    TRenderPDF pdf;
    TRenderHTML html;
    TRenderText text;
    TReportSystem system;
    TReport report;
    int runs = 0;
};

QByteArray head(const QString& file, int bytes)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.read(bytes) : QByteArray();
}

TEST_F(DtSetupTest, WithoutAPrinterPreviewIsCheckedAndFilesStayAvailable)
{
    PrinterListStandIn::set({});
    TempFolder tmp;
    const QString name = tmp.file(QStringLiteral("liste"));
    EXPECT_TRUE(run([&](TdtSetupForm& f) {
        EXPECT_EQ(f.windowTitle(), QStringLiteral("Ausgabeoptionen"));
        EXPECT_EQ(f.PrinterLabel->text(), QStringLiteral("Kein Drucker installiert!"));
        EXPECT_FALSE(f.PrinterRB->isEnabled());
        EXPECT_TRUE(f.PreviewRB->isChecked());
        EXPECT_FALSE(f.SetupBB->isEnabled());
        EXPECT_FALSE(f.CopiesED->isEnabled());
        EXPECT_FALSE(f.DuplexCK->isEnabled());
        EXPECT_FALSE(f.editFileName->isEnabled());
        // The formats are our renderers; a blank name leaves OK disabled.
        EXPECT_GE(formatIndex(f, QStringLiteral("Adobe Acrobat (PDF)")), 0);
        EXPECT_GE(formatIndex(f, QStringLiteral("Web Page (HTML)")), 0);
        EXPECT_GE(formatIndex(f, QStringLiteral("Textdatei (TXT)")), 0);
        ASSERT_TRUE(f.FileRB->isEnabled());
        f.FileRB->click();
        EXPECT_TRUE(f.editFileName->isEnabled());
        EXPECT_FALSE(f.bbtnOK->isEnabled());
        f.editFileName->setText(QStringLiteral("   "));
        EXPECT_FALSE(f.bbtnOK->isEnabled());
        chooseFile(f, name, QStringLiteral("Textdatei (TXT)"));
        EXPECT_TRUE(f.bbtnOK->isEnabled());
        f.bbtnOK->click();
    }));
    EXPECT_EQ(system.ReportDest(), TReportDest::File);
    EXPECT_EQ(system.OutputFileName(), name + ".txt");
    EXPECT_TRUE(head(name + ".txt", 200).contains("Trainingseinheiten"));
}

TEST_F(DtSetupTest, FileNamesGetTheFormatsExtensionOnlyWhenTheirOwnNameHasNone)
{
    TempFolder tmp;
    QDir(tmp.path()).mkpath(QStringLiteral("a.b"));
    const QString cwd = QDir::currentPath();
    QDir::setCurrent(tmp.path());
    struct Case {
        QString typed;
        QString written;
    };
    const Case cases[] = {
        {QStringLiteral("liste"), tmp.file(QStringLiteral("liste.pdf"))},
        {tmp.file(QStringLiteral("a.b/liste")), tmp.file(QStringLiteral("a.b/liste.pdf"))},
        {QStringLiteral(" bericht.txt "), tmp.file(QStringLiteral("bericht.txt"))},
    };
    for (const Case& c : cases) {
        EXPECT_TRUE(run([&](TdtSetupForm& f) {
            chooseFile(f, c.typed, QStringLiteral("Adobe Acrobat (PDF)"));
            f.bbtnOK->click();
        })) << c.typed.toStdString();
        EXPECT_EQ(QFileInfo(system.OutputFileName()).absoluteFilePath(), c.written) << c.typed.toStdString();
        EXPECT_EQ(head(c.written, 4), QByteArray("%PDF")) << c.typed.toStdString();
        EXPECT_EQ(system.RenderObject(), &pdf);
    }
    QDir::setCurrent(cwd);
    EXPECT_FALSE(QFile::exists(tmp.file(QStringLiteral("a.b/liste"))));
}

TEST_F(DtSetupTest, AFolderThatDoesNotExistKeepsTheDialogOpen)
{
    TempFolder tmp;
    const QString name = tmp.file(QStringLiteral("fehlt/liste"));
    ScriptedAnswers::pushMessageAnswer(mrOk);
    EXPECT_FALSE(run([&](TdtSetupForm& f) {
        chooseFile(f, name, QStringLiteral("Adobe Acrobat (PDF)"));
        f.bbtnOK->click();
        EXPECT_TRUE(f.isVisible() || f.ModalResult() == mrNone);
        f.BitBtn1->click();
    }));
    EXPECT_EQ(ScriptedAnswers::lastMessage().Type, mtError);
    EXPECT_TRUE(ScriptedAnswers::lastMessage().Text.contains(QDir::toNativeSeparators(tmp.file("fehlt"))));
    EXPECT_EQ(runs, 0);
}

TEST_F(DtSetupTest, CopiesCollationAndDuplexReachThePrinter)
{
    struct Case {
        TDuplexMode before;
        bool checked;
        QString copies;
        TDuplexMode after;
        int copyCount;
        QPrinter::DuplexMode qt;
    };
    const Case cases[] = {
        {TDuplexMode::Horizontal, true, QStringLiteral("2"), TDuplexMode::Horizontal, 2, QPrinter::DuplexShortSide},
        {TDuplexMode::Simplex, true, QStringLiteral("0"), TDuplexMode::Vertical, 1, QPrinter::DuplexLongSide},
        {TDuplexMode::Horizontal, false, QString(), TDuplexMode::Simplex, 3, QPrinter::DuplexNone},
    };
    for (const Case& c : cases) {
        system.SetDefaultDest(TReportDest::Printer);
        system.SystemPrinter() = TPrinterSettings{QString(), 3, false, c.before};
        PrintJobCapture::start();
        EXPECT_TRUE(run([&](TdtSetupForm& f) {
            EXPECT_EQ(f.PrinterLabel->text(), QStringLiteral("Laser an Büro"));
            EXPECT_TRUE(f.PrinterRB->isChecked());
            EXPECT_EQ(f.CopiesED->text(), QStringLiteral("3"));
            EXPECT_EQ(f.DuplexCK->isChecked(), c.before != TDuplexMode::Simplex);
            f.DuplexCK->setChecked(c.checked);
            f.CollateCK->setChecked(true);
            f.CopiesED->setText(c.copies);
            f.bbtnOK->click();
        }));
        EXPECT_EQ(system.SystemPrinter().Duplex, c.after);
        EXPECT_TRUE(system.SystemPrinter().Collate);
        ASSERT_EQ(PrintJobCapture::jobs().size(), 1);
        EXPECT_EQ(PrintJobCapture::jobs()[0].copyCount, c.copyCount);
        EXPECT_EQ(PrintJobCapture::jobs()[0].duplex, c.qt);
        EXPECT_TRUE(PrintJobCapture::jobs()[0].collateCopies);
    }
}

TEST_F(DtSetupTest, CancelRunsNoReportAndWritesNothing)
{
    TempFolder tmp;
    system.SystemPrinter().Duplex = TDuplexMode::Horizontal;
    EXPECT_FALSE(run([&](TdtSetupForm& f) {
        chooseFile(f, tmp.file(QStringLiteral("liste")), QStringLiteral("Adobe Acrobat (PDF)"));
        f.DuplexCK->setChecked(false);
        f.BitBtn1->click();
    }));
    EXPECT_TRUE(system.SetupCancelled());
    EXPECT_EQ(runs, 0);
    EXPECT_TRUE(QDir(tmp.path()).isEmpty());
    EXPECT_EQ(system.SystemPrinter().Duplex, TDuplexMode::Horizontal);
    EXPECT_TRUE(PrintJobCapture::jobs().isEmpty());
}

TEST_F(DtSetupTest, PermissionsAndThePrintersPropertiesDecideWhatCanBeChosen)
{
    system.SetSystemSetups(ssAllowAll & ~ssAllowDestFile & ~ssAllowCopies);
    system.SetDefaultDest(TReportDest::File);  // not allowed: the preview is checked instead
    PrinterSetupStandIn::set([](TPrinterSettings& s) {
        s.PrinterName = QStringLiteral("Tinte");
        s.Duplex = TDuplexMode::Horizontal;
        return true;
    });
    EXPECT_TRUE(run([&](TdtSetupForm& f) {
        EXPECT_FALSE(f.FileRB->isEnabled());
        EXPECT_TRUE(f.PreviewRB->isChecked());
        EXPECT_FALSE(f.CopiesED->isEnabled());
        f.PrinterRB->click();
        EXPECT_FALSE(f.CopiesED->isEnabled());  // still not allowed
        EXPECT_TRUE(f.DuplexCK->isEnabled());
        ASSERT_TRUE(f.SetupBB->isEnabled());
        f.SetupBB->click();
        EXPECT_EQ(f.PrinterLabel->text(), QStringLiteral("Tinte"));
        EXPECT_TRUE(f.DuplexCK->isChecked());
        f.CopiesED->setText(QStringLiteral("7"));
        f.bbtnOK->click();
    }));
    EXPECT_EQ(system.SystemPrinter().PrinterName, QStringLiteral("Tinte"));
    EXPECT_EQ(system.SystemPrinter().Duplex, TDuplexMode::Horizontal);
    EXPECT_EQ(system.SystemPrinter().Copies, 1);  // copies were not allowed
    ASSERT_EQ(PrintJobCapture::jobs().size(), 1);
    EXPECT_EQ(PrintJobCapture::jobs()[0].printerName, QStringLiteral("Tinte"));
}

TEST_F(DtSetupTest, EnglishModuleTranslatesTheDialog)
{
    EnglishModule dialog(QStringLiteral("dtsetup_en"));
    EnglishModule layer(QStringLiteral("report_en"));
    ASSERT_TRUE(dialog.loaded() && layer.loaded());
    PrinterListStandIn::set({});
    TReportSystem english;  // its setup title is made under the module
    TdtSetupForm f(&english);
    f.SetCaption(english.TitleSetup());
    ScriptedAnswers::onShowModal<TdtSetupForm>([](TdtSetupForm& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Output Options"));
        EXPECT_EQ(d.PrinterLabel->text(), QStringLiteral("No printers installed!"));
        EXPECT_EQ(d.PreviewRB->text(), QStringLiteral("Pre&view"));
        EXPECT_EQ(d.FileRB->text(), QStringLiteral("&File"));
        EXPECT_EQ(d.CopiesLabel->text(), QStringLiteral("&Copies"));
        EXPECT_EQ(d.BitBtn1->text(), QStringLiteral("Cancel"));
        d.BitBtn1->click();
    });
    EXPECT_EQ(f.ShowModal(), mrCancel);
}

}  // namespace
