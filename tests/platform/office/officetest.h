#pragma once
// Shared helpers of the spreadsheet tests: the committed fixtures and readable failure output.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QString>

#include <ostream>

#include "platform/office/tablevalue.h"

inline QString fixture(const QString& name)
{
    return QDir(QStringLiteral(ORV_OFFICE_FIXTURES)).filePath(name);
}

inline QByteArray fixtureBytes(const QString& name)
{
    QFile f(fixture(name));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << name.toStdString();
    return f.readAll();
}

inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

inline void PrintTo(const TableValue& v, std::ostream* os)
{
    static const char* kinds[] = {"empty", "number", "text", "date-time"};
    *os << kinds[int(v.kind())] << ' ';
    if (v.kind() == TableValue::Kind::Text)
        *os << '"' << v.Text().toStdString() << '"';
    else {
        os->precision(17);
        *os << v.Number();
    }
}

#include <zip.h>

#include <utility>
#include <vector>

// Writes a zip package of the given parts (name, content); for hand-made workbooks.
inline void writePackage(const QString& path, const std::vector<std::pair<const char*, QByteArray>>& parts)
{
    int error = 0;
    zip_t* z = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    ASSERT_NE(z, nullptr);
    for (const auto& [name, bytes] : parts) {
        // libzip reads the buffers when the archive is closed: they are kept until then.
        zip_source_t* src = zip_source_buffer(z, bytes.constData(), zip_uint64_t(bytes.size()), 0);
        ASSERT_GE(zip_file_add(z, name, src, ZIP_FL_OVERWRITE), 0);
    }
    ASSERT_EQ(zip_close(z), 0);
}

// A workbook of one sheet "T" whose sheet data, shared strings and cell styles are given; the
// workbook counts its dates from 1904 when asked.
inline void writeSmallXlsx(const QString& path, const QByteArray& sheetData, const QByteArray& sharedStrings = {},
                           const QByteArray& cellXfs = {}, bool date1904 = false)
{
    const QByteArray ns = "xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"";
    const QByteArray relNs = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
    const QByteArray rels =
        "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
        "<Relationship Id=\"rId1\" Type=\"" + relNs + "/officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>";
    const QByteArray bookRels =
        "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
        "<Relationship Id=\"rId1\" Type=\"" + relNs + "/worksheet\" Target=\"worksheets/sheet1.xml\"/>"
        "<Relationship Id=\"rId2\" Type=\"" + relNs + "/sharedStrings\" Target=\"sharedStrings.xml\"/>"
        "<Relationship Id=\"rId3\" Type=\"" + relNs + "/styles\" Target=\"styles.xml\"/></Relationships>";
    const QByteArray book = "<workbook " + ns + " xmlns:r=\"" + relNs + "\">" +
                            (date1904 ? QByteArray("<workbookPr date1904=\"1\"/>") : QByteArray()) +
                            "<sheets><sheet name=\"T\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>";
    const QByteArray sheet = "<worksheet " + ns + ">\n<sheetData>" + sheetData + "</sheetData></worksheet>";
    const QByteArray sst = "<sst " + ns + ">" + sharedStrings + "</sst>";
    const QByteArray styles = "<styleSheet " + ns + "><numFmts><numFmt numFmtId=\"164\" formatCode=\"[h]:mm:ss\"/>"
                              "</numFmts><cellXfs>" + cellXfs + "</cellXfs></styleSheet>";
    writePackage(path, {{"_rels/.rels", rels},
                        {"xl/_rels/workbook.xml.rels", bookRels},
                        {"xl/workbook.xml", book},
                        {"xl/worksheets/sheet1.xml", sheet},
                        {"xl/sharedStrings.xml", sst},
                        {"xl/styles.xml", styles}});
}
