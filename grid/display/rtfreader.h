#pragma once
// A small reader of rich-text cell texts ("{\rtf1 ..."): plain runs, bold, italic, underline, font
// sizes, the colour table and its colours, paragraph breaks and "\'hh" characters through the
// Windows-1252 table, into a text document that the cell painter lays out and draws. Groups the
// reader does not know (font tables, "{\*...}" destinations) are passed over. The cell's text
// itself is never changed.
#include <QFont>
#include <QString>

#include <memory>

class QTextDocument;

// The document of a rich text, in the cell's font where the text names no size.
std::unique_ptr<QTextDocument> RichTextDocument(const QString& rtf, const QFont& font);
// The same into a document of the caller's (emptied first; its default font and margins kept).
void ReadRichText(const QString& rtf, QTextDocument& doc);
// The rich text of a document (rtfwriter.cpp): one paragraph per block; bold, italic, underline,
// sizes set on a run and colours of the runs; characters outside ASCII as "\'hh" (Windows-1252)
// or, without a byte there, as "\uN?". What the reader above reads back as the same document.
QString RichTextOfDocument(const QTextDocument& doc);
// The text without its mark-up, a line break per paragraph.
QString RichTextPlain(const QString& rtf);
