#pragma once
// The runtime's masked edit box: an edit mask ("!90:00:00;1;_") fixes which characters go where;
// literals stand in place, unfilled positions show the blank character. Text() is the text as
// the runtime gives it: the literals kept and every unfilled position a blank (the empty time
// mask reads "  :  :  ", a missing optional first digit " 0:14:00").
#include <QLineEdit>

class TMaskEdit : public QLineEdit {
    Q_OBJECT
    // Settable from a .ui file.
    Q_PROPERTY(QString EditMask READ EditMask WRITE SetEditMask)
public:
    explicit TMaskEdit(QWidget* parent = nullptr);

    QString EditMask() const { return editMask_; }
    void SetEditMask(const QString& mask);

    QString Text() const;
    // Blanks in the text leave their positions unfilled.
    void SetText(const QString& text);
    // Empties every position (the literals stay).
    void Clear() { SetText(QString()); }

protected:
    // A click into an empty mask puts the caret at its first position, where typing begins.
    void mousePressEvent(QMouseEvent* e) override;

private:
    QString editMask_;
    QChar blank_ = QLatin1Char('_');
};
