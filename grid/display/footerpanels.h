#pragma once
// The panels a string grid docks below its cells: the floating footer's panel (the footer row as
// a band that does not scroll, or a preview of the current row) and the search bar (an edit,
// find-next and find-previous buttons, a highlight button, a match-case box and a close button).
// Both take their place in the grid's bottom viewport margin; the grid paints the footer panel
// and copies the search settings into the search bar.
#include <QPointer>
#include <QWidget>

#include <functional>

#include "platform/rtl/graphics.h"

class QCheckBox;
class QLineEdit;
class TExtGridButton;
class TExtStringGrid;

class TFooterPanel : public QWidget {
    Q_OBJECT
public:
    explicit TFooterPanel(TExtStringGrid* grid);
    TExtStringGrid* Grid() const { return grid_; }
    // The column whose hint shows (-1: none).
    int HintColumn() const { return hintColumn_; }
    bool ShowHint = false;
    // The hint for a panel point; empty when none shows (ShowHint off, no column).
    QString HintAt(const QPoint& Pt);

protected:
    void paintEvent(QPaintEvent* e) override;
    bool event(QEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void leaveEvent(QEvent* e) override;

private:
    TExtStringGrid* grid_;
    int hintColumn_ = -1;
};

class TSearchPanel : public QWidget {
    Q_OBJECT
public:
    explicit TSearchPanel(TExtStringGrid* grid);
    TExtStringGrid* Grid() const { return grid_; }

    TColor Color() const { return color_; }
    void SetColor(TColor value);
    // clNone: a flat panel in Color; else a gradient from Color (32 bands).
    TColor ColorTo() const { return colorTo_; }
    void SetColorTo(TColor value);
    // The captions and hints copied from the search settings.
    QString FindNextCaption;
    QString FindPrevCaption;
    QString MatchCaseCaption;
    QString HintClose;
    QString HintFindNext;
    QString HintFindPrev;
    QString HintHighlight;

    QLineEdit* Edit() const { return edit_; }
    TExtGridButton* CloseButton() const { return close_; }
    TExtGridButton* FindNextButton() const { return next_; }
    TExtGridButton* FindPrevButton() const { return prev_; }
    TExtGridButton* HighlightButton() const { return highlight_; }
    QCheckBox* MatchCase() const { return matchCase_; }

    std::function<void(QObject* Sender)> OnForwardClick;
    std::function<void(QObject* Sender)> OnBackwardClick;
    std::function<void(QObject* Sender)> OnEditChange;
    std::function<void(QObject* Sender)> OnExitClick;
    std::function<void(QObject* Sender)> OnHighlightClick;

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    TExtStringGrid* grid_;
    TColor color_ = clBtnFace;
    TColor colorTo_ = clNone;
    QLineEdit* edit_;
    TExtGridButton* close_;
    TExtGridButton* next_;
    TExtGridButton* prev_;
    TExtGridButton* highlight_;
    QCheckBox* matchCase_;
};
