// TExtStringGrid: column calculations and the footer row they fill, the floating footer's panel
// and the search bar docked below the cells, the selection as text, auto-sizing of columns and
// rows, and the row swap that sorting runs.
#include <QEvent>
#include <QLineEdit>
#include <QCheckBox>
#include <QRegularExpression>
#include <QTextDocument>

#include <charconv>
#include <limits>

#include "grid/display/esghtmle.h"
#include "grid/display/extgrid.h"
#include "grid/display/extutil.h"
#include "grid/display/footerpanels.h"
#include "grid/display/gridservices.h"
#include "grid/display/rtfreader.h"
#include "platform/rtl/sysutils.h"

namespace {

// A cell's number as GetFloats reads it (an empty text and "-" are 0, thousand separators are
// skipped, the decimal separator is the point), without raising for a text that holds none: the
// calculations pass such cells over. Short texts are read without any allocation.
class NumberReader {
public:
    NumberReader() : dec_(FormatSettings().DecimalSeparator), thou_(FormatSettings().ThousandSeparator) {}

    bool Read(const QString& text, double& value) const
    {
        const QChar* s = text.constData();
        qsizetype b = 0;
        qsizetype e = text.size();
        while (b < e && s[b].isSpace())
            ++b;
        while (e > b && s[e - 1].isSpace())
            --e;
        if (b == e || text == QLatin1String("-")) {
            value = 0;
            return true;
        }
        bool negative = s[b] == QLatin1Char('(') && s[e - 1] == QLatin1Char(')');
        qsizetype i = b;
        for (; i < e && !startsNumber(s[i]); ++i)
            if (s[i] == QLatin1Char('-'))
                negative = true;
        char buf[64];
        int n = 0;
        if (negative)
            buf[n++] = '-';
        for (; i < e; ++i) {
            const QChar c = s[i];
            if (c == thou_)
                continue;
            char ch = 0;
            if (c == dec_)
                ch = '.';
            else if ((c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('+') || c == QLatin1Char('-')
                     || c == QLatin1Char('.') || c == QLatin1Char('E') || c == QLatin1Char('e'))
                ch = char(c.unicode());
            else
                break;
            if (n == int(sizeof buf) - 1)
                return readLong(text, value);
            buf[n++] = ch;
        }
        // A leading "+" is a sign the reader below does not take.
        int start = 0;
        if (n > 0 && buf[0] == '+' && n > 1 && buf[1] != '-' && buf[1] != '+')
            start = 1;
        else if (n > 1 && buf[0] == '-' && buf[1] == '+' && n > 2 && buf[2] != '-' && buf[2] != '+') {
            buf[1] = '-';
            start = 1;
        }
        if (start >= n)
            return false;
        if (plainDecimal(buf + start, buf + n, value))
            return true;
        const auto [end, ec] = std::from_chars(buf + start, buf + n, value);
        return ec == std::errc() && end == buf + n;
    }

private:
    // Digits with at most one point and at most 15 digits in all: the digits as an integer are
    // exact, and so is their division by a power of ten, which rounds once as reading does.
    static bool plainDecimal(const char* b, const char* e, double& value)
    {
        static const double powers[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                        1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
        bool negative = false;
        if (b < e && *b == '-') {
            negative = true;
            ++b;
        }
        long long digits = 0;
        int count = 0;
        int fraction = -1;
        for (; b < e; ++b) {
            if (*b >= '0' && *b <= '9') {
                if (++count > 15)
                    return false;
                digits = digits * 10 + (*b - '0');
                if (fraction >= 0)
                    ++fraction;
            } else if (*b == '.' && fraction < 0) {
                fraction = 0;
            } else {
                return false;
            }
        }
        if (count == 0)
            return false;
        value = double(digits) / powers[fraction < 0 ? 0 : fraction];
        if (negative)
            value = -value;
        return true;
    }
    bool startsNumber(QChar c) const
    {
        return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('E') || c == QLatin1Char('e')
               || c == thou_ || c == dec_;
    }
    static bool readLong(const QString& text, double& value)
    {
        bool ok = false;
        value = StripThousandSeparators(text).toDouble(&ok);
        return ok;
    }
    QChar dec_;
    QChar thou_;
};

// Keeps the docked panels below the viewport whenever the viewport moves or changes its size,
// and repaints the footer panel with every repaint of the cells (scrolling, widths, the
// current row of a preview).
class PanelDock : public QObject {
public:
    PanelDock(QObject* parent, std::function<void()> place, std::function<void()> repaint)
        : QObject(parent), place_(std::move(place)), repaint_(std::move(repaint))
    {
    }
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::Resize || e->type() == QEvent::Move)
            place_();
        else if (e->type() == QEvent::Paint)
            repaint_();
        return false;
    }

private:
    std::function<void()> place_;
    std::function<void()> repaint_;
};

int rightOf(const QRect& r)
{
    return r.left() + r.width();
}

}  // namespace

// --- the panels and the companion windows ---------------------------------------------------------

void TExtStringGrid::makeCompanions()
{
    footerPanel_ = new TFooterPanel(this);
    SearchFooter.OnChange = [this] { ApplySearchFooter(); };
    FloatingFooter.OnChange = [this](TFloatingFooterChange what) { floatingFooterChanged(what); };
    for (int d = 0; d < 4; ++d)
        arrows_[d] = new TArrowWindow(this, d);
    popupButton_ = new TPopupButton(this);
    panelDock_ = new PanelDock(
        this, [this] { placePanels(); },
        [this] {
            if (!footerPanel_->isHidden())
                footerPanel_->update();
        });
    viewport()->installEventFilter(panelDock_);
}

void TExtStringGrid::makeSearchPanel()
{
    searchPanel_ = new TSearchPanel(this);
    searchPanel_->OnForwardClick = [this](QObject*) {
        if (TGridEditingServices* s = GridEditingServices())
            s->SearchForward(*this);
    };
    searchPanel_->OnBackwardClick = [this](QObject*) {
        if (TGridEditingServices* s = GridEditingServices())
            s->SearchBackward(*this);
    };
    searchPanel_->OnEditChange = [this](QObject*) {
        if (TGridEditingServices* s = GridEditingServices())
            s->SearchEditChange(*this);
    };
    searchPanel_->OnHighlightClick = [this](QObject*) {
        if (TGridEditingServices* s = GridEditingServices())
            s->SearchHighlight(*this);
    };
    searchPanel_->OnExitClick = [this](QObject*) {
        if (TGridEditingServices* s = GridEditingServices())
            s->SearchExit(*this);
        else
            SearchFooter.SetVisible(false);
    };
}

TSearchPanel* TExtStringGrid::SearchPanel()
{
    if (!searchPanel_) {
        makeSearchPanel();
        ApplySearchFooter();
    }
    return searchPanel_;
}

TArrowWindow* TExtStringGrid::ArrowWindow(int Direction) const
{
    return Direction >= 0 && Direction < 4 ? arrows_[Direction] : nullptr;
}

// The two arrows point at the border where a moved column (row) will go: the target's left
// (top) border when it moves left (up), its right (bottom) border when it moves right (down);
// above and below the header row for columns, left and right of the header column for rows.
void TExtStringGrid::showMoveArrows(int X, int Y)
{
    const bool columns = GridState() == gsColMoving;
    const int from = MoveFromIndex();
    const TGridCoord at = MouseCoord(X, Y);
    const int target = columns ? at.X : at.Y;
    const QRect cell = columns ? CellRect(target, 0) : CellRect(0, target);
    if (from < 0 || target < 0 || target == from || cell.isEmpty()) {
        hideMoveArrows();
        return;
    }
    const QPoint origin = viewport()->mapToGlobal(QPoint(0, 0));
    if (columns) {
        const int x = target < from ? cell.left() : cell.left() + cell.width();
        arrows_[1]->move(origin + QPoint(x - 5, cell.top() - 11));
        arrows_[0]->move(origin + QPoint(x - 5, cell.top() + cell.height()));
        arrows_[1]->show();
        arrows_[0]->show();
        arrows_[2]->hide();
        arrows_[3]->hide();
    } else {
        const int y = target < from ? cell.top() : cell.top() + cell.height();
        arrows_[2]->move(origin + QPoint(cell.left() - 11, y - 5));
        arrows_[3]->move(origin + QPoint(cell.left() + cell.width(), y - 5));
        arrows_[2]->show();
        arrows_[3]->show();
        arrows_[0]->hide();
        arrows_[1]->hide();
    }
}

void TExtStringGrid::hideMoveArrows()
{
    for (TArrowWindow* a : arrows_)
        if (a)
            a->hide();
}

void TExtStringGrid::placePanels()
{
    const int footer = footerPanel_->isHidden() ? 0 : footerPanel_->height();
    const int search = !searchPanel_ || searchPanel_->isHidden() ? 0 : searchPanel_->height();
    if (viewportMargins().bottom() != footer + search)
        setViewportMargins(0, 0, 0, footer + search);
    const QRect vp = viewport()->geometry();
    footerPanel_->setGeometry(vp.left(), vp.top() + vp.height(), vp.width(), footerPanel_->height());
    if (searchPanel_)
        searchPanel_->setGeometry(vp.left(), vp.top() + vp.height() + footer, vp.width(), searchPanel_->height());
}

void TExtStringGrid::UpdateFooterPanels()
{
    if (footerPanel_ && !footerPanel_->isHidden())
        footerPanel_->update();
    if (cellControls_.Count() == 0)
        return;
    // Controls of hidden rows, and of the hidden columns kept past the shown ones, stay away.
    const int stored = ColCount() + HiddenColCount();
    for (const TGridItem& item : hiddenRows_)
        for (int c = 0; c < stored; ++c)
            if (const TCellProperties* p = item.Items.Properties(c); p && p->Control)
                p->Control->hide();
    std::vector<QWidget*> shown;
    for (int r = 0; r < RowCount(); ++r)
        for (int c = 0; c < stored; ++c) {
            const TCellProperties* p = FindCellProperties(c, r);
            if (!p || !p->Control)
                continue;
            const QRect cell = c < ColCount() ? CellRect(c, r) : QRect();
            if (cell.isEmpty()) {
                p->Control->hide();
                continue;
            }
            p->Control->setGeometry(cell);
            p->Control->show();
            shown.push_back(p->Control);
        }
    // A nudge of the width makes each control draw its frame again.
    for (QWidget* w : shown) {
        w->resize(w->width() + 1, w->height());
        w->resize(w->width() - 1, w->height());
        w->update();
    }
}

void TExtStringGrid::floatingFooterChanged(TFloatingFooterChange What)
{
    const bool visible = FloatingFooter.Visible();
    const bool lastRow = FloatingFooter.FooterStyle() == fsFixedLastRow;
    switch (What) {
    case ffcVisible:
        footerPanel_->resize(footerPanel_->width(), visible ? std::max(0, FloatingFooter.Height - 1) : 0);
        footerPanel_->setVisible(visible);
        SetFixedFooters(visible && lastRow ? 1 : 0);
        SetFooterRow(visible && lastRow);
        placePanels();
        repaintGrid();
        footerPanel_->update();
        break;
    case ffcStyle:
        SetFooterRow(visible && lastRow);
        repaintGrid();
        footerPanel_->update();
        break;
    case ffcRepaint:
        footerPanel_->update();
        break;
    case ffcShowHint:
        footerPanel_->ShowHint = FloatingFooter.ShowHint();
        break;
    }
}

void TExtStringGrid::FooterRowChanged()
{
    TBaseGrid::FooterRowChanged();
    if (footerPanel_)
        footerPanel_->update();
}

void TExtStringGrid::ApplySearchFooter()
{
    // A bar never shown is made when it first shows.
    if (!searchPanel_) {
        if (!SearchFooter.Visible())
            return;
        makeSearchPanel();
    }
    TSearchPanel* p = searchPanel_;
    const TSearchFooter& f = SearchFooter;
    p->SetColor(f.Color());
    p->SetColorTo(f.ColorTo());
    p->setVisible(f.Visible());
    p->FindNextCaption = f.FindNextCaption();
    p->FindPrevCaption = f.FindPrevCaption();
    p->MatchCaseCaption = f.MatchCaseCaption();
    p->FindNextButton()->SetCaption(p->FindNextCaption);
    p->FindPrevButton()->SetCaption(p->FindPrevCaption);
    p->MatchCase()->setText(p->MatchCaseCaption);
    p->HintClose = f.HintClose();
    p->HintFindNext = f.HintFindNext();
    p->HintFindPrev = f.HintFindPrev();
    p->HintHighlight = f.HintHighlight();

    TExtGridButton* actions[] = {p->FindNextButton(), p->FindPrevButton(), p->HighlightButton()};
    for (TExtGridButton* b : actions) {
        switch (ControlLook.ControlStyle()) {
        case csFlat:
            b->SetFlat(true);
            break;
        case csWinXP:
            if (!f.AutoThemeAdapt()) {
                b->AutoXPStyle = true;
                b->SetFlat(false);
            }
            break;
        case csClassic:
            b->AutoXPStyle = false;
            b->SetFlat(false);
            break;
        default:
            break;
        }
        if (f.AutoThemeAdapt())
            b->SetAutoThemeAdapt(true);
    }

    p->HighlightButton()->setVisible(f.ShowHighLight());
    p->CloseButton()->setVisible(f.ShowClose());
    p->MatchCase()->setVisible(f.ShowMatchCase());
    p->FindPrevButton()->setVisible(f.ShowFindPrev());
    p->FindNextButton()->setVisible(f.ShowFindNext());

    // An empty hint shows none.
    p->CloseButton()->setToolTip(p->HintClose);
    p->FindNextButton()->setToolTip(p->HintFindNext);
    p->FindPrevButton()->setToolTip(p->HintFindPrev);
    p->HighlightButton()->setToolTip(p->HintHighlight);

    QCheckBox* box = p->MatchCase();
    box->move(f.ShowHighLight() ? 425 : 330, 8);
    box->resize(std::max(box->sizeHint().width(), 17), f.ShowMatchCase() ? 17 : 0);
    for (TExtGridButton* b : actions)
        b->resize(b->width(), b->isHidden() ? 0 : 23);
    p->CloseButton()->resize(14, p->CloseButton()->isHidden() ? 0 : 14);
    p->resize(p->width(), f.Visible() ? 32 : 0);
    placePanels();
}

// --- the footer panel's painting and hints ---------------------------------------------------------

namespace {

// The columns the footer panel shows: the fixed ones, then those from LeftCol on.
template <class Visit>
int footerColumns(TExtStringGrid& g, int height, Visit&& visit)
{
    int x = 0;
    auto one = [&](int c) {
        const int w = g.ColWidths(c);
        const bool more = visit(c, QRect(x, 0, w, height));
        x += w;
        return more;
    };
    for (int c = 0; c < g.TCustomGrid::FixedCols(); ++c)
        if (!one(c))
            return x;
    for (int c = std::max(g.LeftCol(), g.TCustomGrid::FixedCols()); c < g.ColCount(); ++c)
        if (!one(c))
            return x;
    return x;
}

}  // namespace

int TExtStringGrid::FooterColumnAt(int X)
{
    const int width = footerPanel_ ? footerPanel_->width() : 0;
    if (layoutDirection() == Qt::RightToLeft)
        X = width - 1 - X;
    int found = -1;
    footerColumns(*this, 1, [&](int c, const QRect& r) {
        if (X >= r.left() && X < rightOf(r)) {
            found = c;
            return false;
        }
        return true;
    });
    return found;
}

QString TExtStringGrid::FooterTemplateText(int ARow)
{
    const QString t = FloatingFooter.CustomTemplate();
    QString out;
    qsizetype i = 0;
    while (i < t.size()) {
        const qsizetype open = t.indexOf(QLatin1String("<#"), i);
        if (open < 0) {
            out += t.mid(i);
            break;
        }
        const qsizetype close = t.indexOf(QLatin1Char('>'), open + 2);
        if (close < 0) {
            out += t.mid(i);
            break;
        }
        out += t.mid(i, open - i);
        bool ok = false;
        const int col = t.mid(open + 2, close - open - 2).toInt(&ok);
        // A column outside the grid gives nothing, as a number that does not parse.
        if (ok && col >= 0 && col < ColCount() && ARow >= 0 && ARow < RowCount())
            out += GetCellText(col, ARow);
        i = close + 1;
    }
    return out;
}

void TExtStringGrid::PaintFooterPanel(TGridCanvas& Canvas, const QRect& Client)
{
    const TColor gridColor = FromQColor(Color());
    const bool rtl = layoutDirection() == Qt::RightToLeft;
    auto mirror = [&](QRect r) {
        if (rtl)
            r.moveLeft(Client.width() - rightOf(r));
        return r;
    };
    Canvas.Font = font();
    Canvas.Brush = TGridBrush{gridColor, bsSolid};
    Canvas.FillRect(Client);
    const int h = Client.height();
    const int width = footerColumns(*this, h, [](int, const QRect&) { return true; });
    const QRect band = mirror(QRect(0, 0, width, h));
    Canvas.Brush = TGridBrush{FloatingFooter.Color(), bsSolid};

    // A cell's text through the grid's text drawing, on the panel's colour.
    auto drawText = [&](int ACol, int ARow, const QRect& R, bool useSelection) {
        if (ACol < 0 || ACol >= ColCount() || ARow < 0 || ARow >= RowCount())
            return;
        if (OnFooterPaint) {
            OnFooterPaint(this, ACol, ARow, Canvas, R);
            return;
        }
        TAlignment hAlign = taLeftJustify;
        TVAlignment vAlign = vtaTop;
        bool wrap = false;
        TColor colorTo = clNone;
        TGridDrawState state;
        GetCellDrawSettings(Canvas, ACol, ARow, hAlign, vAlign, wrap, colorTo, true, useSelection, false, state);
        Canvas.Brush = TGridBrush{FloatingFooter.Color(), bsClear};
        DrawCellText(Canvas, ACol, ARow, R, state, hAlign, vAlign, wrap, nullptr, 0, 0, haLeft, vaTop);
    };

    if (FloatingFooter.FooterStyle() == fsFixedLastRow) {
        Canvas.FillRect(band);
        const int row = RowCount() - 1;
        footerColumns(*this, h, [&](int c, const QRect& cell) {
            const QRect r = mirror(cell);
            if (Options() & goFixedVertLine) {
                Canvas.Pen = TGridPen{RGBColor(128, 128, 128), 1, Qt::SolidLine};
                Canvas.Line({rightOf(r) - 1, r.top()}, {rightOf(r) - 1, r.top() + h});
                if (look_ == glSoft && !Flat) {
                    Canvas.Pen = TGridPen{clWhite, 1, Qt::SolidLine};
                    Canvas.Line({r.left(), r.top()}, {r.left(), r.top() + h});
                    if (Options() & goFixedHorzLine)
                        Canvas.Line({r.left(), r.top()}, {rightOf(r) - 1, r.top()});
                }
            }
            drawText(c, row, r, true);
            return true;
        });
        return;
    }

    // The previews: a raised band with the current row's cell of Column, or the template.
    Canvas.FillRect(band);
    Canvas.Pen = TGridPen{clWhite, 1, Qt::SolidLine};
    Canvas.Line({band.left(), band.top() + h - 1}, band.topLeft());
    Canvas.Line(band.topLeft(), {rightOf(band) - 1, band.top()});
    Canvas.Pen = TGridPen{RGBColor(128, 128, 128), 1, Qt::SolidLine};
    Canvas.Line({rightOf(band) - 1, band.top()}, {rightOf(band) - 1, band.top() + h - 1});
    Canvas.Line({rightOf(band) - 1, band.top() + h - 1}, {band.left(), band.top() + h - 1});
    const QRect inner = band.adjusted(1, 1, -1, -1);
    if (FloatingFooter.FooterStyle() == fsColumnPreview) {
        drawText(FloatingFooter.Column(), Row(), inner, false);
        return;
    }
    if (OnFooterPaint) {
        OnFooterPaint(this, -1, Row(), Canvas, inner);
        return;
    }
    const QString text = FooterTemplateText(Row());
    Canvas.Brush = TGridBrush{FloatingFooter.Color(), bsClear};
    Canvas.FontColor = FromQColor(palette().color(QPalette::WindowText));
    const QRect textRect = inner.adjusted(XYOffsetX, 0, -XYOffsetX, 0);
    if (EnableHTML && text.contains(QLatin1String("</"))) {
        THTMLDrawInput in;
        in.Rect = textRect.adjusted(0, XYOffsetY, 0, 0);
        in.Images = &GridImages;
        in.PictureContainer = PictureContainer.data();
        DrawHTMLText(Canvas, text, in);
    } else {
        Canvas.TextRect(textRect, text, tfLeft | tfVCenter | tfSingleLine | tfEndEllipsis);
    }
}

// --- column calculations and the footer row --------------------------------------------------------

void TExtStringGrid::CalcProgress(int, int) {}

// Visits the numbers of the columns over the rows, row by row (each row's cells are read while
// they are at hand): visit(index into Cols, value).
template <class Visit>
void TExtStringGrid::visitColumnValues(const std::vector<int>& Cols, int FromRow, int ToRow, Visit&& visit)
{
    const NumberReader reader;
    const int lastShown = FloatingFooter.Visible() ? RowCount() - 2 : RowCount() - 1;
    // A range past the displayed rows counts real rows, the hidden ones from their stored cells.
    const bool realRows = ToRow > lastShown;
    const bool grouped = groupColumn_ >= 0;
    CalcProgress(0, -1);
    // Without display hooks a base cell's text is its stored text, read without a copy.
    const bool hooks = DisplayHooksActive();
    QString text;
    for (int r = FromRow; r <= ToRow; ++r) {
        if (!realRows && (r < 0 || r >= RowCount() || (grouped && (IsNodeRow(r) || IsSummaryRow(r)))))
            continue;
        bool counted = false;
        for (size_t i = 0; i < Cols.size(); ++i) {
            const int c = Cols[i];
            const QString* read = &text;
            if (realRows) {
                GetRealCellText(c, r, text);
            } else {
                // Only the base cell of a merged area counts.
                const TCellProperties* p = FindCellProperties(c, r);
                if (p && !p->IsBaseCell && p->CellSpanX != -1 && p->CellSpanY != -1)
                    continue;
                if (hooks)
                    text = GetCellText(c, r);
                else
                    read = &RawCellRef(c, r);
            }
            double v = 0;
            if (!reader.Read(*read, v))
                continue;
            if (!counted) {
                CalcProgress(1, r);
                counted = true;
            }
            visit(i, v);
        }
    }
    CalcProgress(2, -1);
}

namespace {

// The sum, smallest and largest number of a column.
struct ColumnFigures {
    double sum = 0;
    double min = 0;
    double max = 0;
    bool any = false;
    void Add(double v)
    {
        sum += v;
        if (!any || v < min)
            min = v;
        if (!any || v > max)
            max = v;
        any = true;
    }
};

}  // namespace

double TExtStringGrid::ColumnSum(int ACol, int FromRow, int ToRow)
{
    ColumnFigures f;
    visitColumnValues({ACol}, FromRow, ToRow, [&f](size_t, double v) { f.Add(v); });
    return f.sum;
}

double TExtStringGrid::ColumnAvg(int ACol, int FromRow, int ToRow)
{
    const int n = ToRow - FromRow + 1;
    if (n < 1)
        return 0;
    return ColumnSum(ACol, FromRow, ToRow) / n;
}

double TExtStringGrid::ColumnMin(int ACol, int FromRow, int ToRow)
{
    ColumnFigures f;
    visitColumnValues({ACol}, FromRow, ToRow, [&f](size_t, double v) { f.Add(v); });
    return f.min;
}

double TExtStringGrid::ColumnMax(int ACol, int FromRow, int ToRow)
{
    ColumnFigures f;
    visitColumnValues({ACol}, FromRow, ToRow, [&f](size_t, double v) { f.Add(v); });
    return f.max;
}

void TExtStringGrid::UpdateFooter(int ACol)
{
    if (!FloatingFooter.Visible() || FloatingFooter.FooterStyle() != fsFixedLastRow || !FloatingFooter.Calculate)
        return;
    const int last = RowCount() - 1;
    const int fr = TCustomGrid::FixedRows();
    if (last < fr)
        return;
    const int extra = FloatingFooter.CalculateHiddenRows ? HiddenRowCount() : 0;
    const int to = RowCount() - 2 + extra;
    const int from = ACol < 0 ? 0 : ACol;
    const int upto = ACol < 0 ? ColCount() - 1 : std::min(ACol, ColCount() - 1);
    // The columns that read numbers are calculated in one pass over the rows.
    std::vector<int> numeric;
    for (int c = from; c <= upto; ++c)
        if (const TCellProperties* p = FindCellProperties(c, last)) {
            const int kind = p->FooterCalc & 0x7F;
            if (kind == 1 || kind == 2 || kind == 4 || kind == 5)
                numeric.push_back(c);
        }
    std::vector<ColumnFigures> figures(numeric.size());
    if (!numeric.empty())
        visitColumnValues(numeric, fr, to, [&figures](size_t i, double v) { figures[i].Add(v); });
    const int rows = to - fr + 1;
    size_t next = 0;
    for (int c = from; c <= upto; ++c) {
        const TCellProperties* p = FindCellProperties(c, last);
        if (!p) {
            SetCellText(c, last, QString());
            continue;
        }
        const int kind = p->FooterCalc & 0x7F;
        const ColumnFigures* f = next < numeric.size() && numeric[next] == c ? &figures[next++] : nullptr;
        switch (kind) {
        case 1:
            SetFloats(c, last, f->sum);
            break;
        case 2:
            SetFloats(c, last, rows < 1 ? 0 : f->sum / rows);
            break;
        case 3:
            SetFloats(c, last, double(extra + (RowCount() - 1 - fr)));
            break;
        case 4:
            SetFloats(c, last, f->min);
            break;
        case 5:
            SetFloats(c, last, f->max);
            break;
        case 7: {
            QString text;
            if (FloatingFooter.OnCalcFooter)
                FloatingFooter.OnCalcFooter(this, c, text);
            SetCellText(c, last, text);
            break;
        }
        default:
            SetCellText(c, last, QString());
            break;
        }
    }
}

// --- the selection as text -------------------------------------------------------------------------

bool TExtStringGrid::IsSelected(int ACol, int ARow)
{
    if (ACol < TCustomGrid::FixedCols() || ARow < TCustomGrid::FixedRows())
        return false;
    if (MouseActions.DisjunctRowSelect)
        return GetRowSelect(MouseActions.RowSelectPersistent ? RealRowIndex(ARow) : ARow);
    if (MouseActions.DisjunctColSelect)
        return GetColSelect(ACol);
    const TGridRect s = Selection();
    return ACol >= s.Left && ACol <= s.Right && ARow >= s.Top && ARow <= s.Bottom;
}

QString TExtStringGrid::SelectionAsText()
{
    TGridRect s = Selection();
    if ((Options() & goRowSelect) && DragDropSettings.OleEntireRows) {
        s.Left = 0;
        s.Right = ColCount() - 1;
    }
    std::vector<int> rows;
    if (MouseActions.DisjunctRowSelect) {
        for (int r = TCustomGrid::FixedRows(); r < RowCount(); ++r)
            if (GetRowSelect(MouseActions.RowSelectPersistent ? RealRowIndex(r) : r))
                rows.push_back(r);
    } else {
        for (int r = s.Top; r <= s.Bottom; ++r)
            rows.push_back(r);
    }
    QString out;
    for (size_t i = 0; i < rows.size(); ++i) {
        if (i > 0)
            out += QLatin1String("\r\n");
        for (int c = s.Left; c <= s.Right; ++c) {
            if (c > s.Left)
                out += QLatin1Char('\t');
            QString text = GetCellText(c, rows[i]);
            if (text.contains(QLatin1String("{\\")))
                text = RichTextDocument(text, font())->toPlainText();
            if (Multilinecells && LineCountOf(text, true) >= 2)
                LinesToQuotedCell(text);
            out += text;
        }
    }
    return out;
}

void TExtStringGrid::RepaintCellRange(const TGridRect& R)
{
    const QRect r = CellRect(R.Left, R.Top).united(CellRect(R.Right, R.Bottom));
    if (!r.isEmpty())
        viewport()->update(r);
}

// --- auto-sizing -----------------------------------------------------------------------------------

void TExtStringGrid::AutoSizeColumns(bool DoFixedCols, int Padding)
{
    for (int c = DoFixedCols ? 0 : TCustomGrid::FixedCols(); c < ColCount(); ++c) {
        AutoSizeColumn(c);
        if (Padding != 0)
            SetColWidths(c, PickDimension(ColWidths(c) + Padding, minAutoColWidth_, maxAutoColWidth_));
    }
}

void TExtStringGrid::AutoSizeColumn(int ACol)
{
    if (ACol < 0 || ACol >= ColCount())
        return;
    int width = 0;
    for (int r = 0; r < RowCount(); ++r) {
        if (HasCellProperties(ACol, r) && !CellIsBase(ACol, r))
            continue;
        int w = CellTextSize(ACol, r, false).width();
        TCellVAlign va = vaTop;
        TCellHAlign ha = haLeft;
        bool showText = true;
        int gh = 0;
        int gw = 0;
        if (GetCellGraphicSize(ACol, r, va, ha, showText, gh, gw))
            w = (showText ? w : 2 * XYOffsetX) + gw;
        width = std::max(width, w);
    }
    width = PickDimension(width, minAutoColWidth_, maxAutoColWidth_);
    UpdateAutoColumnSize(RealColIndex(ACol), width);
    if (width != ColWidths(ACol))
        SetColWidths(ACol, width);
}

void TExtStringGrid::AutoSizeRow(int ARow)
{
    if (ARow < 0 || ARow >= RowCount())
        return;
    int height = 0;
    for (int c = 0; c < ColCount(); ++c) {
        if (HasCellProperties(c, ARow) && !CellIsBase(c, ARow))
            continue;
        bool wrap = WordWrap();
        DoGetWordWrap(c, ARow, wrap);
        int h = CellTextSize(c, ARow, wrap).height();
        TCellVAlign va = vaTop;
        TCellHAlign ha = haLeft;
        bool showText = true;
        int gh = 0;
        int gw = 0;
        if (GetCellGraphicSize(c, ARow, va, ha, showText, gh, gw))
            h = std::max(h, gh + 2 * XYOffsetY);
        height = std::max(height, h);
    }
    height = PickDimension(height, initialRowHeight_, maxAutoRowHeight_);
    if (height != RowHeights(ARow))
        SetRowHeights(ARow, height);
    if (QWidget* editor = InplaceEditor(); editor && editor->isVisible())
        editor->setGeometry(CellRect(Col(), Row()));
}

void TExtStringGrid::AutoSizeRowToFont(int ARow, int Lines, int Extra)
{
    if (ARow < 0 || ARow >= RowCount())
        return;
    const int h = GridTextMeasurer().LineHeight(font());
    const int height = PickDimension((h + h / 8) * Lines + Extra, initialRowHeight_, maxAutoRowHeight_);
    if (height != RowHeights(ARow))
        SetRowHeights(ARow, height);
}

int TExtStringGrid::MaxLinesInRow(int ARow)
{
    if (!Multilinecells)
        return 1;
    int most = 1;
    for (int c = 0; c < ColCount(); ++c)
        most = std::max(most, LineCountOf(GetCellText(c, ARow), true));
    return most;
}

// --- the row swap of sorting -----------------------------------------------------------------------

void TExtStringGrid::SwapRows(int ARow1, int ARow2)
{
    ++swapCount_;
    if (ARow1 == ARow2 || ARow1 < 0 || ARow2 < 0)
        return;
    if (ARow1 < rowIndexList_.Count() && ARow2 < rowIndexList_.Count()) {
        const int i1 = rowIndexList_.Items(ARow1);
        rowIndexList_.SetItems(ARow1, rowIndexList_.Items(ARow2));
        rowIndexList_.SetItems(ARow2, i1);
    }
    if (SortSettings.SingleColumn) {
        ExchangeCells(SortSettings.Column, ARow1, ARow2);
    } else {
        ExchangeRowCells(ARow1, ARow2);
        if (ARow1 < RowCount() && ARow2 < RowCount()) {
            const int h1 = RowHeights(ARow1);
            const int h2 = RowHeights(ARow2);
            if (h1 != h2) {
                SetRowHeights(ARow1, h2);
                SetRowHeights(ARow2, h1);
            }
        }
        if (MouseActions.DisjunctRowSelect && Navigation.MoveRowOnSort) {
            const size_t need = size_t(std::max(ARow1, ARow2)) + 1;
            if (rowSelect_.size() < need)
                rowSelect_.resize(need, 0);
            std::swap(rowSelect_[size_t(ARow1)], rowSelect_[size_t(ARow2)]);
        }
    }
    if (trackedRow_ == ARow1)
        trackedRow_ = ARow2;
    else if (trackedRow_ == ARow2)
        trackedRow_ = ARow1;
    if (updateCount_ == 0 && HasParentWindow()) {
        InvalidateRow(ARow1);
        InvalidateRow(ARow2);
    }
}
