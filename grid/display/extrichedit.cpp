#include "grid/display/extrichedit.h"

#include <QAbstractTextDocumentLayout>
#include <QKeyEvent>
#include <QTextDocument>
#include <QtMath>

#include "grid/display/extgrid.h"
#include "grid/display/rtfreader.h"

TExtRichEdit::TExtRichEdit(QWidget* Parent) : QTextEdit(Parent)
{
    setAcceptRichText(false);  // pasted text comes as plain runs, as the writer can store them
    setTabChangesFocus(false);
    // Any change of the content after loading, formatting included, counts as a change.
    connect(document(), &QTextDocument::contentsChanged, this, [this] {
        if (!loading_)
            changed_ = true;
    });
    connect(document()->documentLayout(), &QAbstractTextDocumentLayout::documentSizeChanged, this,
            [this](const QSizeF&) { documentSizeChanged(); });
}

void TExtRichEdit::LoadRichText(const QString& Text)
{
    loading_ = true;
    document()->setDefaultFont(font());
    if (Text.isEmpty())
        document()->clear();
    else if (Text.startsWith(QLatin1String("{\\rtf")))
        ReadRichText(Text, *document());
    else
        setPlainText(Text);
    document()->setModified(false);
    loaded_ = Text;
    changed_ = false;
    loading_ = false;
    moveCursor(QTextCursor::Start);
}

bool TExtRichEdit::ContentChanged() const
{
    return changed_ || document()->isModified();
}

QString TExtRichEdit::SaveRichText() const
{
    if (!ContentChanged())
        return loaded_;
    if (document()->isEmpty())
        return QString();
    return RichTextOfDocument(*document());
}

void TExtRichEdit::documentSizeChanged()
{
    const QSizeF s = document()->size();
    const int frame = 2 * frameWidth();
    reqWidth_ = qCeil(s.width()) + frame;
    reqHeight_ = qCeil(s.height()) + frame;
    if (OnRequestResize)
        OnRequestResize(this, reqWidth_, reqHeight_);
}

void TExtRichEdit::keyPressEvent(QKeyEvent* e)
{
    QTextEdit::keyPressEvent(e);
    if (OnKeyDownAfter)
        OnKeyDownAfter(this, e);
}

// --- moving rich text between a cell and a rich-text control -------------------------------------

void TExtStringGrid::CellToRichEdit(int ACol, int ARow, TExtRichEdit* RichEdit)
{
    if (!RichEdit)
        return;
    RichEdit->LoadRichText(GetCellText(ACol, ARow));
}

void TExtStringGrid::RichEditToCell(int ACol, int ARow, TExtRichEdit* RichEdit)
{
    if (!RichEdit)
        return;
    const QString text = RichEdit->SaveRichText();
    if (text != GetCellText(ACol, ARow))
        SetCellText(ACol, ARow, text);
}
