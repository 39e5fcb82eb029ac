#include "platform/vcl/maskedit.h"

#include "platform/vcl/editmask.h"

TMaskEdit::TMaskEdit(QWidget* parent) : QLineEdit(parent)
{
}

void TMaskEdit::SetEditMask(const QString& mask)
{
    editMask_ = mask;
    const QString input = EditMaskToInputMask(mask);
    const qsizetype semicolon = input.lastIndexOf(QLatin1Char(';'));
    blank_ = semicolon >= 0 && semicolon + 1 < input.size() ? input[semicolon + 1] : QLatin1Char(' ');
    setInputMask(input);
}

void TMaskEdit::mousePressEvent(QMouseEvent* e)
{
    QLineEdit::mousePressEvent(e);
    if (inputMask().isEmpty() || hasSelectedText())
        return;
    for (QChar c : text())
        if (c.isLetterOrNumber())
            return;
    setCursorPosition(0);
}

QString TMaskEdit::Text() const
{
    if (inputMask().isEmpty())
        return text();
    QString t = displayText();
    if (blank_ != QLatin1Char(' '))
        t.replace(blank_, QLatin1Char(' '));
    return t;
}

void TMaskEdit::SetText(const QString& text)
{
    if (inputMask().isEmpty()) {
        setText(text);
        return;
    }
    QString t = text;
    if (blank_ != QLatin1Char(' '))
        t.replace(QLatin1Char(' '), blank_);
    setText(t);
}
