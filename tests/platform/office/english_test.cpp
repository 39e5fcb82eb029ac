// The spreadsheet layer's messages come out in English once the English language module is
// loaded.
#include <QCoreApplication>
#include <QTemporaryDir>
#include <QTranslator>

#include "platform/office/sheettablesource.h"
#include "platform/office/workbookwriter.h"
#include "tests/platform/office/officetest.h"

namespace {

TEST(OfficeEnglish, ReaderAndWriterMessagesAreEnglish)
{
    QTranslator english;
    ASSERT_TRUE(english.load(QStringLiteral("office_en"),
                             QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("../app/lang"))));
    QCoreApplication::installTranslator(&english);
    QTemporaryDir dir;
    const QString missing = dir.filePath(QStringLiteral("fehlt.xls"));
    EXPECT_EQ(OpenExcelSource(missing).Error().Text(), QStringLiteral("The file \"%1\" was not found.").arg(missing));
    const QString protectedBook = fixture("xlwt-protected.xls");
    EXPECT_EQ(OpenExcelSource(protectedBook).Error().Text(),
              QStringLiteral("The workbook \"%1\" is protected by a password. Save it in Excel without a password and "
                             "then choose it again.")
                  .arg(protectedBook));
    WorkbookWriter book;
    book.AddSheet().SetText(0, 0, QString(40000, u'x'));
    EXPECT_EQ(book.Save(dir.filePath(QStringLiteral("a.xlsx"))).Error().Text(),
              QStringLiteral("The text is longer than the 32767 characters a cell holds. (worksheet \"Tabelle1\", cell A1)"));
    QCoreApplication::removeTranslator(&english);
    EXPECT_EQ(OpenExcelSource(missing).Error().Text(),
              QStringLiteral("Die Datei \"%1\" wurde nicht gefunden.").arg(missing));
}

}  // namespace
