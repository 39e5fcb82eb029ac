// The floating footer's panel and the search bar docked below a string grid's cells.
#include "grid/display/footerpanels.h"

#include <QCheckBox>
#include <QHelpEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

#include "grid/display/extgrid.h"
#include "grid/display/extobj.h"
#include "grid/display/extutil.h"
#include "grid/display/gridbitmaps.h"
#include "grid/display/gridcanvas.h"

// --- the footer panel ------------------------------------------------------------------------------

TFooterPanel::TFooterPanel(TExtStringGrid* grid) : QWidget(grid), grid_(grid)
{
    setMouseTracking(true);
    setAutoFillBackground(false);
    resize(0, 0);
    hide();
}

void TFooterPanel::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    QPainterCanvas canvas(p);
    grid_->PaintFooterPanel(canvas, rect());
}

QString TFooterPanel::HintAt(const QPoint& Pt)
{
    const int col = grid_->FooterColumnAt(Pt.x());
    QString hint;
    if (col >= 0 && grid_->OnGridHint)
        grid_->OnGridHint(grid_, grid_->RowCount() - 1, col, hint);
    hintColumn_ = ShowHint ? col : -1;
    return ShowHint && col >= 0 ? hint : QString();
}

bool TFooterPanel::event(QEvent* e)
{
    if (e->type() == QEvent::ToolTip) {
        auto* he = static_cast<QHelpEvent*>(e);
        const QString hint = HintAt(he->pos());
        if (hint.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(he->globalPos(), hint, this);
        return true;
    }
    return QWidget::event(e);
}

void TFooterPanel::mouseMoveEvent(QMouseEvent* e)
{
    // Another column cancels the hint that shows.
    if (hintColumn_ >= 0 && grid_->FooterColumnAt(e->position().toPoint().x()) != hintColumn_) {
        QToolTip::hideText();
        hintColumn_ = -1;
    }
    QWidget::mouseMoveEvent(e);
}

void TFooterPanel::leaveEvent(QEvent* e)
{
    hintColumn_ = -1;
    QWidget::leaveEvent(e);
}

// --- the search bar --------------------------------------------------------------------------------

TSearchPanel::TSearchPanel(TExtStringGrid* grid) : QWidget(grid), grid_(grid)
{
    resize(0, 0);
    edit_ = new QLineEdit(this);
    edit_->setGeometry(25, 5, 110, edit_->sizeHint().height());
    connect(edit_, &QLineEdit::textChanged, this, [this](const QString& text) {
        for (TExtGridButton* b : {next_, prev_, highlight_})
            b->setEnabled(!text.isEmpty());
        if (OnEditChange)
            OnEditChange(this);
    });

    auto button = [this](int left, int top, int width, int height, const char* glyph, const char* disabled) {
        auto* b = new TExtGridButton(this);
        b->setGeometry(left, top, width, height);
        b->SetGlyph(DrawnGridBitmap(QLatin1String(glyph)));
        b->GlyphDisabled = DrawnGridBitmap(QLatin1String(disabled));
        return b;
    };
    next_ = button(140, 5, 90, 23, "ESGARDOWN", "ESGARDOWND");
    prev_ = button(235, 5, 90, 23, "ESGARUP", "ESGARUPD");
    close_ = button(5, 7, 14, 14, "ESGCLOSE", "ESGCLOSED");
    close_->GlyphHot = DrawnGridBitmap(QStringLiteral("ESGCLOSEH"));
    highlight_ = button(330, 5, 90, 23, "ESGHI", "ESGHID");
    highlight_->SetCaption(QStringLiteral("Highlight"));
    highlight_->Style = tasCheck;
    matchCase_ = new QCheckBox(this);
    matchCase_->move(425, 8);
    // Nothing to find yet: the actions wait for a text.
    for (TExtGridButton* b : {next_, prev_, highlight_})
        b->setEnabled(false);

    next_->OnClick = [this](QObject*) {
        if (OnForwardClick)
            OnForwardClick(this);
    };
    prev_->OnClick = [this](QObject*) {
        if (OnBackwardClick)
            OnBackwardClick(this);
    };
    close_->OnClick = [this](QObject*) {
        if (OnExitClick)
            OnExitClick(this);
    };
    highlight_->OnClick = [this](QObject*) {
        if (OnHighlightClick)
            OnHighlightClick(this);
    };
    hide();
}

void TSearchPanel::SetColor(TColor value)
{
    color_ = value;
    update();
}

void TSearchPanel::SetColorTo(TColor value)
{
    colorTo_ = value;
    update();
}

void TSearchPanel::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    QPainterCanvas canvas(p);
    canvas.Brush = TGridBrush{color_, bsSolid};
    canvas.Pen = TGridPen{color_, 1, Qt::SolidLine};
    if (colorTo_ == clNone)
        canvas.FillRect(rect());
    else
        DrawGradient(canvas, color_, colorTo_, 32, false, rect());
}
