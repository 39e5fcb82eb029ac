// TExtStringGrid at the window's level: zoom, panning with the middle button, the key release,
// per-cell and per-row colours, the editing gate, the edit text the inplace editor asks for and
// the text it hands back, row and column moves, columns that keep their share of the width while
// the grid is sized, the form's size the grid follows, the sizing borders and the handlers that
// may forbid a sizing, the wheel that keeps the first column, the balloon tool-tip and the hint
// beside a column or row being sized.
#include "grid/display/extgrid.h"

#include <QCursor>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QTextDocument>

#include <algorithm>
#include <cmath>

#include "grid/display/esghtmle.h"
#include "grid/display/extutil.h"
#include "grid/display/gridballoon.h"
#include "grid/display/gridbitmaps.h"
#include "grid/display/gridcanvas.h"
#include "grid/display/gridservices.h"
#include "grid/display/htmlhint.h"
#include "grid/display/rtfreader.h"

// --- zoom ----------------------------------------------------------------------------------------

void TExtStringGrid::Zoom(int Delta)
{
    const int level = zoomLevel_ + Delta;
    if (level < -10 || level > 10)
        return;
    zoomLevel_ = level;
    // Every width and height by the step, where it stays above 0.
    for (int c = 0; c < ColCount(); ++c)
        if (ColWidths(c) + Delta > 0)
            SetColWidths(c, ColWidths(c) + Delta);
    for (int r = 0; r < RowCount(); ++r)
        if (RowHeights(r) + Delta > 0)
            SetRowHeights(r, RowHeights(r) + Delta);
}

// --- panning with the middle button -----------------------------------------------------------------

void TExtStringGrid::startPanning(const QPoint& At)
{
    if (panning_ || IntelliPan == ipNone || RowCount() <= TCustomGrid::FixedRows())
        return;
    panning_ = true;
    panStart_ = At;
    viewport()->setCursor(GridCursor(8000));
    panTimer_.start();
    InvalidatePanBitmap();
}

void TExtStringGrid::stopPanning()
{
    if (!panning_)
        return;
    panning_ = false;
    panTimer_.stop();
    InvalidatePanBitmap();
    viewport()->unsetCursor();
}

void TExtStringGrid::DrawPanBitmap()
{
    if (!Canvas())
        return;
    const char* name = IntelliPan == ipHorizontal ? "INTLI2" : IntelliPan == ipBoth ? "INTLI1" : "INTLI3";
    Canvas()->drawPixmap(panStart_, DrawnGridBitmap(QString::fromLatin1(name)));
}

void TExtStringGrid::InvalidatePanBitmap()
{
    viewport()->update(QRect(panStart_, QSize(32, 32)));
}

void TExtStringGrid::PanTick(const QPoint& Pointer)
{
    if (!panning_)
        return;
    auto direction = [](int d) { return d > 5 ? 1 : d < -5 ? -1 : 0; };
    int dx = direction(Pointer.x() - panStart_.x());
    int dy = direction(Pointer.y() - panStart_.y());
    if (IntelliPan == ipVertical)
        dx = 0;
    if (IntelliPan == ipHorizontal)
        dy = 0;
    viewport()->setCursor(GridCursor(PanCursorId(dx, dy)));
    const int row = std::clamp(Row() + dy, TCustomGrid::FixedRows(), RowCount() - fixedFooters_ - 1);
    const int col = std::clamp(Col() + dx, TCustomGrid::FixedCols(), ColCount() - fixedRightCols_ - 1);
    if (row != Row() || col != Col()) {
        // A step that scrolls takes the mark along with the cells: it is drawn again.
        if (row < TopRow() || row >= TopRow() + VisibleRowCount() || col < LeftCol() || col >= LeftCol() + VisibleColCount())
            InvalidatePanBitmap();
        FocusCell(col, row, true);
    }
}

// --- the key release ---------------------------------------------------------------------------------

void TExtStringGrid::KeyUp(int& Key, Qt::KeyboardModifiers Shift)
{
    switch (Key) {
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_End:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Insert:
    case Qt::Key_Delete: typeAheadText_.clear(); break;
    default: break;
    }
    const int key = Key;
    TBaseGrid::KeyUp(Key, Shift);
    if (Navigation.AlwaysEdit && ((key >= Qt::Key_Left && key <= Qt::Key_Down) || (key == Qt::Key_Tab && (Options() & goTabs))))
        ShowEditor();
}

// --- colours of cells and rows ----------------------------------------------------------------------------

QWidget* TExtStringGrid::GetCellControl(int ACol, int ARow) const
{
    const TCellProperties* p = FindCellProperties(ACol, ARow);
    return p ? p->Control : nullptr;
}

void TExtStringGrid::SetCellColor(int ACol, int ARow, TColor AColor)
{
    CellProperties(ACol, ARow)->SetBrushColor(AColor);
    RepaintCell(RealToDisplCol(ACol), ARow);
}

void TExtStringGrid::SetCellColorTo(int ACol, int ARow, TColor AColor)
{
    CellProperties(ACol, ARow)->SetBrushColorTo(AColor);
    RepaintCell(RealToDisplCol(ACol), ARow);
}

void TExtStringGrid::SetCellFontColor(int ACol, int ARow, TColor AColor)
{
    CellProperties(ACol, ARow)->FontColor = AColor;
    RepaintCell(RealToDisplCol(ACol), ARow);
}

TColor TExtStringGrid::GetCellColorTo(int ACol, int ARow) const
{
    const TCellProperties* p = FindCellProperties(ACol, ARow);
    return p ? p->BrushColorTo() : clNone;
}

bool TExtStringGrid::IsCellReadOnly(int ACol, int ARow) const
{
    const TCellProperties* p = FindCellProperties(ACol, ARow);
    return p && p->ReadOnly;
}

void TExtStringGrid::setRowProperty(int ARow, TColor AColor, int Which)
{
    for (int c = TCustomGrid::FixedCols(); c < ColCount() + HiddenColCount(); ++c) {
        // clNone takes back only that colour: the record keeps its boxes, levels and merges.
        TCellProperties* p = AColor == clNone ? FindCellProperties(c, ARow) : CellProperties(c, ARow);
        if (!p)
            continue;
        if (Which == 0)
            p->SetBrushColor(AColor);
        else if (Which == 1)
            p->SetBrushColorTo(AColor);
        else
            p->FontColor = AColor;
    }
    RepaintRow(ARow);
}

void TExtStringGrid::SetRowColor(int ARow, TColor AColor)
{
    setRowProperty(ARow, AColor, 0);
}

void TExtStringGrid::SetRowColorTo(int ARow, TColor AColor)
{
    setRowProperty(ARow, AColor, 1);
}

void TExtStringGrid::SetRowFontColor(int ARow, TColor AColor)
{
    setRowProperty(ARow, AColor, 2);
}

QString TExtStringGrid::StrippedCellText(int ACol, int ARow)
{
    return StripHTML(GetCellText(ACol, ARow));
}

QString TExtStringGrid::CurrentCellRawText()
{
    return GetRawCell(RealColIndex(Col()), Row());
}

void TExtStringGrid::SetCurrentCellText(const QString& Text)
{
    SetCellText(RealColIndex(Col()), Row(), Text);
}

bool TExtStringGrid::CellEditable(int ACol, int ARow)
{
    if (!(Options() & goEditing) && !MouseActions.RangeSelectAndEdit && !Navigation.AlwaysEdit)
        return false;
    const TGridCoord b = BaseCell(ACol, ARow);
    if (IsFixedCell(RealColIndex(b.X), b.Y) || b.X < TCustomGrid::FixedCols() || b.Y < TCustomGrid::FixedRows())
        return false;
    return CanEditCell(b.X, b.Y);
}

// --- the edit text, row moves and proportional columns ----------------------------------------------------

QString TExtStringGrid::GetEditText(int ACol, int ARow)
{
    const QString text = GetCellText(RealColIndex(ACol), ARow);
    return EditWithTags ? text : StripHTML(text);
}

void TExtStringGrid::SetEditText(int ACol, int ARow, const QString& Value)
{
    // With the editing half the value is validated before it is written.
    if (TGridEditingServices* s = GridEditingServices(); s && s->EditedText(*this, ACol, ARow, Value))
        return;
    TBaseGrid::SetEditText(RealColIndex(ACol), ARow, Value);
}

bool TExtStringGrid::CanEditShow()
{
    if (EditingSuppressed)
        return false;
    const bool answer = TBaseGrid::CanEditShow();
    if (TGridEditingServices* s = GridEditingServices())
        return s->CanEditShow(*this, answer);
    return answer;
}

bool TExtStringGrid::SelectCell(int ACol, int ARow)
{
    bool answer = false;
    if (TGridEditingServices* s = GridEditingServices(); s && s->SelectCell(*this, ACol, ARow, answer))
        return answer;
    return TBaseGrid::SelectCell(ACol, ARow);
}

void TExtStringGrid::EditorHidden()
{
    if (TGridEditingServices* s = GridEditingServices())
        s->EditorHidden(*this);
}

void TExtStringGrid::RowMoved(int FromIndex, int ToIndex)
{
    TBaseGrid::RowMoved(FromIndex, ToIndex);
    rowColMoved_ = true;
}

void TExtStringGrid::ColumnMoved(int FromIndex, int ToIndex)
{
    TBaseGrid::ColumnMoved(FromIndex, ToIndex);
    // The hidden rows' cells move as the shown ones did.
    for (TGridItem& item : hiddenRows_)
        item.Items.MoveColumn(FromIndex, ToIndex);
    // The sort columns follow: the moved one to its new place, those between one step toward
    // its old place.
    for (int i = 0; i < SortIndexes.Count(); ++i) {
        const int entry = SortIndexes.Items(i);
        const int col = TSortIndexList::ColumnOf(entry);
        int moved = col;
        if (col == FromIndex)
            moved = ToIndex;
        else if (FromIndex < ToIndex && col > FromIndex && col <= ToIndex)
            moved = col - 1;
        else if (FromIndex > ToIndex && col >= ToIndex && col < FromIndex)
            moved = col + 1;
        if (moved != col)
            SortIndexes.SetItems(i, int((unsigned(entry) & 0x80000000u) | unsigned(moved)));
    }
    rowColMoved_ = true;
}

void TExtStringGrid::synchColumns(int clientWidth)
{
    if (!ColumnSize.SynchWithGrid || clientWidth <= 0)
        return;
    // The widths at the first width the grid had are the measure: shrinking and growing again
    // gives the same widths back.
    if (synchWidths_.empty() || int(synchWidths_.size()) != ColCount()) {
        synchReference_ = clientWidth;
        synchWidths_.clear();
        for (int c = 0; c < ColCount(); ++c)
            synchWidths_.push_back(ColWidths(c));
        return;
    }
    HideEditor();
    for (int c = 0; c < ColCount(); ++c)
        SetColWidths(c, int(std::lround(double(synchWidths_[size_t(c)]) * clientWidth / synchReference_)));
}

// --- editors handing back ----------------------------------------------------------------------------

void TExtStringGrid::TextFromEditor(int ACol, int ARow, const QString& Text)
{
    // The runtime's edit-text notice for the shown column, the text into the real one.
    TDrawGrid::SetEditText(RealToDisplCol(ACol), ARow, Text);
    SetCellText(ACol, ARow, Text);
}

void TExtStringGrid::EllipsisClick(const QString& Value, QString& Text)
{
    Text = Value;
    if (OnEllipsClick)
        OnEllipsClick(this, RealColIndex(Col()), Row(), Text);
}

void TExtStringGrid::DoEditingDone()
{
    if (OnEditingDone)
        OnEditingDone(this);
}

// --- the form's size ----------------------------------------------------------------------------------

bool TExtStringGrid::eventFilter(QObject* watched, QEvent* e)
{
    if (watched == owner_ && e->type() == QEvent::Resize)
        ownerResized();
    return TBaseGrid::eventFilter(watched, e);
}

void TExtStringGrid::ownerResized()
{
    if (!owner_ || loading_)
        return;
    const QSize now = owner_->size();
    if (SizeWithForm) {
        // Only a real change that leaves the grid a size of its own.
        const int w = width() + now.width() - ownerSize_.width();
        const int h = height() + now.height() - ownerSize_.height();
        if (now != ownerSize_ && w >= 0 && h >= 0)
            resize(w, h);
    }
    ownerSize_ = now;
    if (ColumnSize.Stretch())
        StretchColumn(ColumnSize.StretchColumn);
}

// --- sizing borders -----------------------------------------------------------------------------------

void TExtStringGrid::CalcSizingState(int X, int Y, TGridState& State, int& Index)
{
    TBaseGrid::CalcSizingState(X, Y, State, Index);
    if (State == gsColSizing && OnColumnSize) {
        const TGridCoord left = MouseCoord(X - 6, Y);
        if (left.X >= 0 && left.Y >= 0 && left.Y < TCustomGrid::FixedRows()) {
            bool allow = true;
            OnColumnSize(this, RealColIndex(left.X), allow);
            if (!allow)
                State = gsNormal;
        }
    } else if (State == gsRowSizing && OnRowSize) {
        const TGridCoord above = MouseCoord(X, Y - 6);
        if (above.X >= 0 && above.Y >= 0 && above.X < TCustomGrid::FixedCols()) {
            bool allow = true;
            OnRowSize(this, above.Y, allow);
            if (!allow)
                State = gsNormal;
        }
    }
}

bool TExtStringGrid::IsOnSizingBorder(int X, int Y)
{
    const TGridCoord at = MouseCoord(X, Y);
    if (at.X < 0 || at.Y < 0)
        return false;
    const QRect r = CellRect(at.X, at.Y);
    if (at.X >= TCustomGrid::FixedCols())
        return at.Y < TCustomGrid::FixedRows() && (Options() & goColSizing) &&
               (X - r.left() < 4 || r.left() + r.width() - X < 4);
    return r.top() + r.height() - Y < 4;
}

// --- the wheel ----------------------------------------------------------------------------------------

bool TExtStringGrid::wheelKeepingLeftCol(bool Down)
{
    // Row selection that keeps its horizontal place: the wheel moves rows only.
    const int left = LeftCol();
    ++updateCount_;
    const bool done = Down ? TBaseGrid::DoMouseWheelDown() : TBaseGrid::DoMouseWheelUp();
    SetLeftCol(left);
    --updateCount_;
    viewport()->update();
    return done;
}

bool TExtStringGrid::DoMouseWheelDown()
{
    if ((Options() & goRowSelect) && Navigation.KeepHorizScroll)
        return wheelKeepingLeftCol(true);
    return TBaseGrid::DoMouseWheelDown();
}

bool TExtStringGrid::DoMouseWheelUp()
{
    if ((Options() & goRowSelect) && Navigation.KeepHorizScroll)
        return wheelKeepingLeftCol(false);
    if (Row() >= RowCount() || Col() >= ColCount())
        return true;
    return TBaseGrid::DoMouseWheelUp();
}

// --- the balloon tool-tip -------------------------------------------------------------------------------

void TExtStringGrid::updateBalloon()
{
    if (!Balloon.Enable() || loading_) {
        balloonTimer_.stop();
        balloon_.reset();
        balloonCell_ = {-1, -1};
        return;
    }
    if (!balloon_)
        balloon_ = std::make_unique<TGridBalloon>(this);
    balloon_->SetDelays(Balloon.InitialDelay, Balloon.ReshowDelay, Balloon.AutoHideDelay);
    balloon_->SetTransparency(Balloon.Transparency);
}

QString TExtStringGrid::BalloonText(int ACol, int ARow)
{
    const QString raw = GetCellText(ACol, ARow);
    QString text;
    switch (CellTextKind(raw, EnableHTML)) {
    case ctkHTML: text = StripHTML(raw); break;
    case ctkRichText: text = RichTextDocument(raw, font())->toPlainText(); break;
    case ctkWide: text = CellTextToWide(raw.toLatin1()); break;
    default: text = GetDisplayText(ACol, ARow); break;
    }
    text.replace(QLatin1Char('\t'), QLatin1Char(' '));
    int lead = 0;
    while (lead < text.size() && (text[lead] == QLatin1Char('\n') || text[lead] == QLatin1Char('\r')))
        ++lead;
    text.remove(0, lead);
    if (text.size() > 1024)
        text = text.left(1021) + QStringLiteral("...");
    return text;
}

bool TExtStringGrid::showBalloon(const QPoint& Pt)
{
    if (!balloon_)
        return false;
    const TGridCoord at = MouseCoord(Pt.x(), Pt.y());
    if (at.X < 0 || at.Y < 0 || !viewport()->rect().contains(Pt)) {
        balloon_->Pop();
        balloonShown_ = false;
        return false;
    }
    QString title = QStringLiteral(" ");
    QString text = BalloonText(at.X, at.Y);
    int icon = 1;
    if (OnCellBalloon)
        OnCellBalloon(this, RealColIndex(at.X), at.Y, title, text, icon);
    if (title.size() > 100)
        title = title.left(97) + QStringLiteral("...");
    balloonCell_ = at;
    if (text.isEmpty()) {
        balloon_->Pop();
        balloonShown_ = false;
        return false;
    }
    balloon_->SetColors(Balloon.TextColor, Balloon.BackgroundColor);
    balloon_->Popup(viewport()->mapToGlobal(Pt), title, text, icon);
    balloonShown_ = true;
    return true;
}

// --- the hint beside a column or row being sized ----------------------------------------------------------

QString TExtStringGrid::SizingHintText() const
{
    return sizingHint_ && sizingHint_->isVisible() ? sizingHint_->Caption() : QString();
}

void TExtStringGrid::showSizingHint(int X, int Y)
{
    int size = 0;
    QRect cell;
    bool columns = true;
    if (fixedSizing_ >= 0) {
        // A fixed column or row: the sizing line's place from the grid's edge; the hint at (0, 0).
        columns = fixedSizingColumns_;
        int start = 0;
        for (int i = 0; i < fixedSizing_; ++i)
            start += columns ? ColWidths(i) : RowHeights(i);
        size = std::max(0, (columns ? X : Y) - start);
        cell = CellRect(0, 0);
    } else if (sizingIndex_ >= 0) {
        columns = sizingColumns_;
        cell = columns ? CellRect(sizingIndex_, 0) : CellRect(0, sizingIndex_);
        size = std::max(0, columns ? X - cell.left() : Y - cell.top());
    } else {
        return;
    }
    const QString text = (columns ? QStringLiteral("cw=<b>") : QStringLiteral("rh=<b>")) + QString::number(size) +
                         QStringLiteral("</b>");
    if (!sizingHint_) {
        sizingHint_ = std::make_unique<THTMLHintWindow>(this);
        QPalette p = sizingHint_->palette();
        p.setColor(QPalette::ToolTipBase, ToQColor(HintColor));
        sizingHint_->setPalette(p);
    }
    const QRect need = sizingHint_->CalcHintRect(200, text);
    sizingHint_->ActivateHint(QRect(viewport()->mapToGlobal(cell.topLeft()), need.size()), text);
}

void TExtStringGrid::hideSizingHint()
{
    if (sizingHint_)
        sizingHint_->hide();
}

// --- the selection's resize handle ----------------------------------------------------------------------

QRect TExtStringGrid::SelectionHandleRect()
{
    if (!selectionResizer_ || !selectionRectangle_)
        return QRect();
    const TGridRect s = Selection();
    const QRect r = MergedCellRect(s.Right, s.Bottom);
    if (r.isEmpty())
        return QRect();
    const QPoint corner(r.left() + r.width(), r.top() + r.height());
    return QRect(corner.x() - 3, corner.y() - 3, 6, 6);
}

// --- the inplace editor's hand-over ----------------------------------------------------------------------

void TExtStringGrid::ShowInplaceEditor()
{
    if (HasActiveControl(Col(), Row()))
        return;
    ShowEditor();
}

void TExtStringGrid::HideInplaceEditor()
{
    if (TGridEditingServices* s = GridEditingServices(); s && s->HideInplaceEditor(*this))
        return;
    if (EditorMode())
        HideEditor();  // writes the editor's text back through SetEditText
}

void TExtStringGrid::EditorKeyNavigate(int Key, Qt::KeyboardModifiers Shift)
{
    editorHandOver_ = true;
    const bool alwaysEdit = Navigation.AlwaysEdit;
    HideInplaceEditor();
    // A refused value opened the editor on its cell again: the key goes no further.
    if (EditorShown() || EditorMode()) {
        editorHandOver_ = false;
        return;
    }
    if (Key == Qt::Key_Tab || Key == Qt::Key_Backtab || (Key >= Qt::Key_Left && Key <= Qt::Key_Down)) {
        Navigation.AlwaysEdit = false;
        int k = Key;
        KeyDown(k, Shift);
        Navigation.AlwaysEdit = alwaysEdit;
    } else if (Key == Qt::Key_Return || Key == Qt::Key_Enter) {
        AdvanceCell(Col(), Row(), false, false, true);
    }
    if (Navigation.AlwaysEdit)
        ShowInplaceEditor();
    editorHandOver_ = false;
}

// --- scrolling --------------------------------------------------------------------------------------------

void TExtStringGrid::TopLeftChanged()
{
    TBaseGrid::TopLeftChanged();
    // Scrolling moves the cells' picture; a background fixed to the window, or a gradient over
    // it, is drawn again in place.
    const TBackGroundDisplay display = BackGround.Display();
    if ((display == bdFixed && !BackGround.Bitmap().isNull()) ||
        ((display == bdGradientHorz || display == bdGradientVert) && BackGround.Color() != clNone))
        InvalidateGrid();
    UpdateFooterPanels();
}

// --- the floating header of a column or row being moved ----------------------------------------------------

QWidget* TExtStringGrid::MoveHeaderImage() const
{
    return moveImage_.get();
}

void TExtStringGrid::showMoveImage(int X, int Y)
{
    const bool columns = GridState() == gsColMoving;
    const int from = MoveFromIndex();
    if (from < 0)
        return;
    showHeaderImage(columns ? from : 0, columns ? 0 : from, viewport()->mapToGlobal(QPoint(X, Y)) + QPoint(8, 8));
    viewport()->setCursor(Qt::DragMoveCursor);
    showMoveArrows(X, Y);
}

void TExtStringGrid::showHeaderImage(int ACol, int ARow, const QPoint& ScreenPos)
{
    if (!moveImage_) {
        moveImage_ = std::make_unique<QLabel>(this, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
        moveImage_->setAttribute(Qt::WA_ShowWithoutActivating);
        // The header cell as it is drawn: its text, the column's width and the row's height, in
        // the gradient of the XP and Vantor looks.
        const QSize size(std::max(1, ColWidths(ACol)), std::max(1, RowHeights(ARow)));
        QPixmap pm(size);
        QPainter painter(&pm);
        QPainterCanvas canvas(painter);
        const QRect r(QPoint(0, 0), size);
        if (look_ == glVantor || look_ == glXP)
            canvas.FillGradient(r, ButtonColorFrom, ButtonColorTo, 10, false);
        else {
            canvas.Brush = TGridBrush{FromQColor(FixedColor()), bsSolid};
            canvas.FillRect(r);
        }
        canvas.Brush.Style = bsClear;
        canvas.Pen = TGridPen{clBtnShadow, 1, Qt::SolidLine};
        canvas.Rectangle(r);
        canvas.Font = FixedFont.Font();
        canvas.FontColor = FixedFont.Color();
        canvas.TextRect(r.adjusted(2, 0, -2, 0), StripHTML(GetCellText(ACol, ARow)),
                        tfSingleLine | tfVCenter | tfCenter | tfEndEllipsis);
        painter.end();
        moveImage_->setPixmap(pm);
        moveImage_->resize(size);
    }
    moveImage_->move(ScreenPos);
    moveImage_->show();
}

void TExtStringGrid::hideMoveImage()
{
    hideMoveArrows();
    if (!moveImage_)
        return;
    moveImage_.reset();
    viewport()->unsetCursor();
}
