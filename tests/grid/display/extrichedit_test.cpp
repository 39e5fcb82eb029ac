// Rich text between a cell and the grid's rich-text control: unchanged texts come back byte for
// byte, edited ones are written as rich text the reader reads back as the same document.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include "grid/display/extgrid.h"
#include "grid/display/extrichedit.h"
#include "grid/display/rtfreader.h"
#include "tests/support/qstringprinter.h"

namespace {

void key(QWidget* w, int k, const QString& text = {})
{
    QKeyEvent press(QEvent::KeyPress, k, Qt::NoModifier, text);
    QApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, k, Qt::NoModifier, text);
    QApplication::sendEvent(w, &release);
}

void type(QWidget* w, const QString& text)
{
    for (const QChar c : text)
        key(w, 0, QString(c));
}

// A run of a document: its text and the formats the writer keeps.
struct TextRun {
    QString text;
    bool bold, italic, underline;
    int halfPoints;
    QColor color;
    bool operator==(const TextRun&) const = default;
};

std::vector<TextRun> runsOf(const QTextDocument& doc)
{
    std::vector<TextRun> runs;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        if (b != doc.begin())
            runs.push_back({QStringLiteral("<par>"), false, false, false, 0, QColor()});
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat f = it.fragment().charFormat();
            const int hp = f.hasProperty(QTextFormat::FontPointSize) ? qRound(f.fontPointSize() * 2) : 0;
            const QColor c = f.hasProperty(QTextFormat::ForegroundBrush) ? f.foreground().color() : QColor();
            runs.push_back({it.fragment().text(), f.fontWeight() >= QFont::DemiBold, f.fontItalic(), f.fontUnderline(),
                            hp, c});
        }
    }
    return runs;
}

TEST(RichEditCells, AnUnchangedTextComesBackByteForByte)
{
    TExtStringGrid g;
    TExtRichEdit edit(&g);
    struct Case {
        QString cell;
        QString shown;
    };
    const Case cases[] = {
        // As a word processor writes it: font and colour tables, a generator group, CR LF, \par at the end.
        {QStringLiteral("{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}}\r\n"
                        "{\\colortbl ;\\red255\\green0\\blue0;}\r\n{\\*\\generator Msftedit 5.41;}"
                        "\\viewkind4\\uc1\\pard\\f0\\fs20 Puls {\\b\\cf1 hoch}\\par\r\n}\r\n"),
         QStringLiteral("Puls hoch\n")},
        // Characters through the code page and as UTF-16 units with a fallback.
        {QStringLiteral("{\\rtf1 Gr\\'f6\\'dfe \\u8364?5}"), QStringLiteral("Größe €5")},
        // Mark-up the reader passes over stays in the text all the same.
        {QStringLiteral("{\\rtf1{\\*\\unknown x}\\sl240\\slmult1 a\\line b}"), QStringLiteral("a\nb")},
        // Not rich text: shown as it stands, kept as it stands.
        {QStringLiteral("plain {text}\\"), QStringLiteral("plain {text}\\")},
        {QString(), QString()},
    };
    for (const Case& c : cases) {
        g.SetCellText(2, 1, c.cell);
        g.CellToRichEdit(2, 1, &edit);
        EXPECT_EQ(edit.toPlainText(), c.shown) << c.cell.toStdString();
        EXPECT_FALSE(edit.ContentChanged());
        g.SetCellText(2, 1, QStringLiteral("other"));
        g.RichEditToCell(2, 1, &edit);
        EXPECT_EQ(g.GetCellText(2, 1), c.cell) << "byte for byte";
    }
    // An empty cell clears what the control held.
    g.SetCellText(2, 1, QStringLiteral("{\\rtf1 x}"));
    g.CellToRichEdit(2, 1, &edit);
    g.SetCellText(3, 1, QString());
    g.CellToRichEdit(3, 1, &edit);
    EXPECT_TRUE(edit.toPlainText().isEmpty());
}

TEST(RichEditCells, AnEditedTextIsStoredAsRichTextWithItsFormats)
{
    TExtStringGrid g;
    TExtRichEdit edit(&g);
    edit.show();
    g.SetCellText(1, 1, QStringLiteral("{\\rtf1{\\fonttbl{\\f0 Arial;}}{\\colortbl ;\\red0\\green128\\blue0;}"
                                       "{\\b Lauf} {\\cf1 gut}\\par Zeile}"));
    g.CellToRichEdit(1, 1, &edit);
    edit.setFocus();
    edit.moveCursor(QTextCursor::End);
    type(&edit, QStringLiteral(" ä€"));
    // The last word of the first line underlined, as a user formats a selection.
    QTextCursor c(edit.document());
    c.setPosition(5);
    c.setPosition(8, QTextCursor::KeepAnchor);
    QTextCharFormat u;
    u.setFontUnderline(true);
    c.mergeCharFormat(u);
    ASSERT_TRUE(edit.ContentChanged());

    g.RichEditToCell(1, 1, &edit);
    const QString stored = g.GetCellText(1, 1);
    ASSERT_TRUE(stored.startsWith(QLatin1String("{\\rtf1")));
    EXPECT_EQ(RichTextPlain(stored), QStringLiteral("Lauf gut\nZeile ä€"));
    const std::unique_ptr<QTextDocument> back = RichTextDocument(stored, edit.font());
    const std::vector<TextRun> want = {
        {QStringLiteral("Lauf"), true, false, false, 0, QColor()},
        {QStringLiteral(" "), false, false, false, 0, QColor()},
        {QStringLiteral("gut"), false, false, true, 0, QColor(0, 128, 0)},
        {QStringLiteral("<par>"), false, false, false, 0, QColor()},
        {QStringLiteral("Zeile ä€"), false, false, false, 0, QColor()},
    };
    EXPECT_EQ(runsOf(*back), want);

    // Opened again and left, the stored text stays as it is; cleared, the cell is emptied.
    g.CellToRichEdit(1, 1, &edit);
    g.RichEditToCell(1, 1, &edit);
    EXPECT_EQ(g.GetCellText(1, 1), stored);
    edit.selectAll();
    key(&edit, Qt::Key_Delete);
    g.RichEditToCell(1, 1, &edit);
    EXPECT_EQ(g.GetCellText(1, 1), QString());
}

TEST(RichTextWriter, WritesWhatTheReaderReadsBack)
{
    QTextDocument doc;
    QTextCursor c(&doc);
    auto put = [&](const QString& text, auto setup) {
        QTextCharFormat f;
        setup(f);
        c.insertText(text, f);
    };
    put(QStringLiteral("Brackets {}\\ and\ttab"), [](QTextCharFormat&) {});
    put(QStringLiteral("big bold"), [](QTextCharFormat& f) {
        f.setFontWeight(QFont::Bold);
        f.setFontPointSize(14);
    });
    put(QStringLiteral(" italic red"), [](QTextCharFormat& f) {
        f.setFontItalic(true);
        f.setForeground(QColor(255, 0, 0));
    });
    put(QStringLiteral(" plain Ωmega"), [](QTextCharFormat&) {});
    c.insertBlock();
    put(QStringLiteral("second") + QChar(0x2028) + QStringLiteral("line 😀"), [](QTextCharFormat& f) {
        f.setFontUnderline(true);
    });

    const QString rtf = RichTextOfDocument(doc);
    for (const QChar ch : rtf)
        EXPECT_LT(ch.unicode(), 0x80) << "rich text is written in ASCII";
    QTextDocument back;
    ReadRichText(rtf, back);
    std::vector<TextRun> want = runsOf(doc);
    // The reader makes a paragraph of a line break inside one.
    want.back().text = QStringLiteral("second");
    want.push_back({QStringLiteral("<par>"), false, false, false, 0, QColor()});
    want.push_back({QStringLiteral("line 😀"), false, false, true, 0, QColor()});
    EXPECT_EQ(runsOf(back), want) << rtf.toStdString();
}

TEST(RichEditCells, TheContentReportsTheSizeItAsksFor)
{
    TExtRichEdit edit;
    edit.resize(200, 40);
    edit.show();
    int reports = 0;
    int lastHeight = 0;
    edit.OnRequestResize = [&](TExtRichEdit* sender, int, int h) {
        EXPECT_EQ(sender, &edit);
        ++reports;
        lastHeight = h;
    };
    edit.LoadRichText(QStringLiteral("{\\rtf1 one}"));
    const int one = edit.ReqHeight();
    edit.LoadRichText(QStringLiteral("{\\rtf1 one\\par two\\par three}"));
    EXPECT_GT(edit.ReqHeight(), one);
    EXPECT_GT(reports, 0);
    EXPECT_EQ(lastHeight, edit.ReqHeight());
}

}  // namespace
