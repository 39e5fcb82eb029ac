// TExtStringGrid: the cell kinds (check boxes, radio groups, comments, summaries and the other
// graphics), typed values with their errors, the row and column selection flags, the modified-row
// flags and the operations that repaint parts of the grid.
#include "grid/display/extgrid.h"

#include <QVariant>

#include <algorithm>

#include "grid/display/extutil.h"

namespace {

const QString kNoInteger = QStringLiteral("Cell does not contain integer value");
const QString kNoFloat = QStringLiteral("Cell does not contain a float value");
const QString kInvalidRow = QStringLiteral("Invalid row accessed");
const QString kInvalidColumn = QStringLiteral("Invalid column accessed");

bool flagOf(const std::vector<char>& flags, int i)
{
    return i >= 0 && i < int(flags.size()) && flags[size_t(i)];
}

// Stores a flag, growing the list; true when it changed.
bool storeFlag(std::vector<char>& flags, int i, bool value)
{
    if (i >= int(flags.size()))
        flags.resize(size_t(i) + 1, 0);
    if (bool(flags[size_t(i)]) == value)
        return false;
    flags[size_t(i)] = value ? 1 : 0;
    return true;
}

}  // namespace

// --- the per-cell questions -----------------------------------------------------------------------

TEditorType TExtStringGrid::GetEditorType(int ACol, int ARow)
{
    TEditorType editor = DefaultEditor;
    DoGetEditorType(ACol, ARow, editor);
    return editor;
}

bool TExtStringGrid::IsFixedCell(int ACol, int ARow)
{
    bool fixed = false;
    DoIsFixedCell(ACol, ARow, fixed);
    return fixed;
}

bool TExtStringGrid::IsPasswordCell(int ACol, int ARow)
{
    bool password = false;
    DoIsPasswordCell(ACol, ARow, password);
    return password;
}

bool TExtStringGrid::HasComboBox(int ACol, int ARow)
{
    bool combo = false;
    DoHasComboBox(ACol, ARow, combo);
    return combo;
}

QString TExtStringGrid::GetFormattedText(int ACol, int ARow)
{
    const QString text = GetCellText(ACol, ARow);
    if (!OnGetFloatFormat)
        return text;
    bool isFloat = IsNumberText(text) != ntNoNumber && !text.isEmpty();
    QString format = FloatFormat;
    OnGetFloatFormat(this, ACol, ARow, isFloat, format);
    if (!isFloat || format.isEmpty())
        return text;
    try {
        return Format(format, {GetFloats(ACol, ARow)});
    } catch (const Exception&) {
        return text;
    }
}

// --- cell kinds -------------------------------------------------------------------------------------

TCellGraphic* TExtStringGrid::GetCellGraphic(int ACol, int ARow)
{
    if (MouseActions.HotmailRowSelect && ACol == 0) {
        if (!rowCheckGraphic_) {
            rowCheckGraphic_ = std::make_unique<TCellGraphic>();
            rowCheckGraphic_->CellType = ctRowCheckBox;
        }
        rowCheckGraphic_->CellBoolean = ARow >= 0 && ARow < RowCount() + HiddenRowCount() && GetRowSelect(ARow);
        return rowCheckGraphic_.get();
    }
    return TBaseGrid::GetCellGraphic(ACol, ARow);
}

TCellType TExtStringGrid::GetCellType(int ACol, int ARow)
{
    if (ACol < 0 || ARow < 0)
        return ctEmpty;
    if (MouseActions.HotmailRowSelect && ACol == 0)
        return ctRowCheckBox;
    // The cell's own graphic: a column grid adds its column's kind only where the cell has none.
    const TCellGraphic* g = TExtStringGrid::GetCellGraphic(ACol, ARow);
    return g ? g->CellType : ctEmpty;
}

TCellGraphic* TExtStringGrid::CreateCellGraphic(int ACol, int ARow)
{
    // Only the cell's own graphic goes: the shared records stay with the grid.
    SetCellGraphic(ACol, ARow, std::make_unique<TCellGraphic>());
    if (HiddenColCount() > 0)
        RepaintCell(RealToDisplCol(ACol), ARow);
    return FindCellProperties(ACol, ARow)->Graphic.get();
}

bool TExtStringGrid::RemoveCellGraphic(int ACol, int ARow)
{
    TCellProperties* p = FindCellProperties(ACol, ARow);
    if (!p || !p->Graphic)
        return false;
    p->Graphic.reset();
    RepaintCell(ACol, ARow);
    return true;
}

bool TExtStringGrid::RemoveCellGraphicOfType(int ACol, int ARow, TCellType Kind)
{
    const TCellProperties* p = FindCellProperties(ACol, ARow);
    return p && p->Graphic && p->Graphic->CellType == Kind && RemoveCellGraphic(ACol, ARow);
}

bool TExtStringGrid::HasActiveControl(int ACol, int ARow)
{
    const TGridCoord b = BaseCell(ACol, ARow);
    return IsClickableCellType(GetCellType(b.X, b.Y));
}

bool TExtStringGrid::IsCheckBoxCell(int ACol, int ARow)
{
    const TGridCoord b = BaseCell(ACol, ARow);
    return IsCheckBoxCellType(GetCellType(b.X, b.Y));
}

bool TExtStringGrid::IsButtonCell(int ACol, int ARow)
{
    const TGridCoord b = BaseCell(ACol, ARow);
    const TCellType t = GetCellType(b.X, b.Y);
    return t == ctButton || t == ctBitButton;
}

bool TExtStringGrid::IsSummaryRow(int ARow)
{
    return ARow >= 0 && GetCellType(0, ARow) == ctSummary;
}

bool TExtStringGrid::GetCellComment(int ACol, int ARow, QString& Comment)
{
    const TCellGraphic* g = GetCellType(ACol, ARow) == ctComment ? GetCellGraphic(ACol, ARow) : nullptr;
    if (!g)
        return false;
    Comment = g->CellText;
    return true;
}

void TExtStringGrid::GetCellErrorRange(int ACol, int ARow, int& From, int& Len)
{
    const TCellGraphic* g = GetCellGraphic(ACol, ARow);
    From = g ? g->CellErrFrom : 0;
    Len = g ? g->CellErrLen : 0;
}

void TExtStringGrid::SetCellBooleanFlag(int ACol, int ARow, bool Value)
{
    TCellGraphic* g = GetCellGraphic(RealColIndex(ACol), ARow);
    if (!g)
        return;
    g->CellBoolean = Value;
    RepaintCell(ACol, ARow);
}

QVariant TExtStringGrid::CellGraphicPayload(int ACol, int ARow)
{
    const TCellType t = GetCellType(ACol, ARow);
    const TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (g && t == ctBitmap)
        return g->Picture;
    if (g && t == ctIcon)
        return g->Payload2;
    if (g && t == ctImageList)
        return g->CellIndex;
    return -1;
}

// --- check boxes and radio groups -------------------------------------------------------------------

void TExtStringGrid::SetCellCheckBox(int ACol, int ARow, bool State, bool Data)
{
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    g->CellType = Data ? ctDataCheckBox : ctCheckBox;
    g->CellBoolean = State;
    g->CellHAlign = haBeforeText;
    g->CellVAlign = vAlignment_ == vtaCenter ? vaCenter : vAlignment_ == vtaBottom ? vaBottom : vaTop;
    g->CellTransparent = true;
}

bool TExtStringGrid::GetCheckBoxState(int ACol, int ARow, bool& State)
{
    switch (GetCellType(ACol, ARow)) {
    case ctCheckBox: State = GetCellGraphic(ACol, ARow)->CellBoolean; return true;
    case ctDataCheckBox:
    case ctVirtCheckBox: State = GetCellText(ACol, ARow) == GetCheckTrueText(ACol, ARow); return true;
    case ctRowCheckBox:
        if (ACol != 0)
            return false;
        State = GetRowSelect(ARow);
        return true;
    default: return false;
    }
}

bool TExtStringGrid::SetCheckBoxState(int ACol, int ARow, bool State)
{
    switch (GetCellType(ACol, ARow)) {
    case ctCheckBox:
        GetCellGraphic(ACol, ARow)->CellBoolean = State;
        RepaintCell(RealToDisplCol(ACol), ARow);
        return true;
    case ctDataCheckBox:
    case ctVirtCheckBox:
        SetCellText(ACol, ARow, State ? GetCheckTrueText(ACol, ARow) : GetCheckFalseText(ACol, ARow));
        return true;
    case ctRowCheckBox:
        if (ACol != 0)
            return false;
        SetRowSelect(ARow, State);
        return true;
    default: return false;
    }
}

bool TExtStringGrid::ToggleCheckBox(int ACol, int ARow, bool AskEditable)
{
    const TCellType t = GetCellType(ACol, ARow);
    if (!IsCheckBoxCellType(t))
        return false;
    if (AskEditable) {
        bool canEdit = true;
        DoCanEditCell(ACol, ARow, canEdit);
        if (!canEdit)
            return false;
    }
    if (t == ctCheckBox) {
        TCellGraphic* g = GetCellGraphic(ACol, ARow);
        g->CellBoolean = !g->CellBoolean;
    } else if (t == ctRowCheckBox) {
        // The row box shows the row's selected flag: it never writes a check text into column 0.
        SetRowSelect(ARow, !GetRowSelect(ARow));
    } else {
        const QString checkTrue = GetCheckTrueText(ACol, ARow);
        SetCellText(ACol, ARow, GetCellText(ACol, ARow) == checkTrue ? GetCheckFalseText(ACol, ARow) : checkTrue);
    }
    RepaintCell(RealToDisplCol(ACol), ARow);
    return true;
}

bool TExtStringGrid::ToggleRadio(int ACol, int ARow, bool AskEditable)
{
    if (GetCellType(ACol, ARow) != ctRadio)
        return false;
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    // A group without options has nothing to move on to.
    if (g->Options.isEmpty())
        return false;
    if (AskEditable) {
        bool canEdit = true;
        DoCanEditCell(ACol, ARow, canEdit);
        if (!canEdit)
            return false;
    }
    const int current = g->CellIndex >= 0 ? g->CellIndex : int(g->Options.indexOf(GetCellText(ACol, ARow)));
    int next = current + 1;
    if (next < 0 || next >= g->Options.size())
        next = 0;
    if (g->CellIndex >= 0)
        g->CellIndex = next;
    SetCellText(ACol, ARow, g->Options[next]);
    return false;
}

void TExtStringGrid::CheckAll(int ACol)
{
    for (int r = FixedRows(); r < RowCount(); ++r)
        SetCheckBoxState(ACol, r, true);
}

void TExtStringGrid::UnCheckAll(int ACol)
{
    for (int r = FixedRows(); r < RowCount(); ++r)
        SetCheckBoxState(ACol, r, false);
}

QRect TExtStringGrid::CheckBoxSquare(int ACol, int ARow)
{
    const QRect cell = MergedCellRect(ACol, ARow);
    const int size = ControlLook.CheckSize();
    const TCellGraphic* g = GetCellGraphic(ACol, ARow);
    const TCellHAlign h = g ? g->CellHAlign : haLeft;
    const TCellVAlign v = g ? g->CellVAlign : vaTop;
    const int right = cell.left() + cell.width();
    const int bottom = cell.top() + cell.height();
    const int x = h == haRight ? right - 2 - size : h == haCenter ? cell.left() + (cell.width() - size) / 2 : cell.left() + 2;
    const int y = v == vaBottom ? bottom - 2 - size : v == vaCenter ? cell.top() + (cell.height() - size) / 2 : cell.top() + 2;
    return QRect(x, y, size, size);
}

bool TExtStringGrid::IsCheckBoxHit(int ACol, int ARow, int X, int Y)
{
    if (!IsCheckBoxCellType(GetCellType(ACol, ARow)))
        return false;
    if (!MouseActions.PreciseCheckBoxCheck)
        return true;
    return CheckBoxSquare(ACol, ARow).contains(X, Y);
}

// --- typed values -----------------------------------------------------------------------------------

void TExtStringGrid::SetInts(int ACol, int ARow, int Value)
{
    SetCellText(ACol, ARow, QString::number(Value));
}

int TExtStringGrid::GetInts(int ACol, int ARow)
{
    const QString text = GetCellText(ACol, ARow);
    if (text.isEmpty() || text == QLatin1String("-"))
        return 0;
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    if (!ok)
        throw EExtGridError(kNoInteger);
    return value;
}

void TExtStringGrid::SetFloats(int ACol, int ARow, double Value)
{
    SetCellText(ACol, ARow, Format(FloatFormat, {Value}));
}

namespace {

double floatOfText(const QString& text)
{
    if (text.trimmed().isEmpty() || text == QLatin1String("-"))
        return 0;
    // A text without a digit strips to nothing: it holds no number, it is not 0.
    const QString number = StripThousandSeparators(text);
    bool ok = false;
    const double value = number.toDouble(&ok);  // StripThousandSeparators writes "." as the point
    if (!ok)
        throw EExtGridError(kNoFloat);
    return value;
}

}  // namespace

double TExtStringGrid::GetFloats(int ACol, int ARow)
{
    return floatOfText(GetCellText(ACol, ARow));
}

double TExtStringGrid::GetDisplayFloats(int ACol, int ARow)
{
    return floatOfText(GetFormattedText(ACol, ARow));
}

void TExtStringGrid::SetDates(int ACol, int ARow, TDateTime Value)
{
    if (Value <= 0 && !ShowNullDates)
        SetCellText(ACol, ARow, QString());
    else
        SetCellText(ACol, ARow, DateToStr(Value));
}

// --- selection flags --------------------------------------------------------------------------------

bool TExtStringGrid::GetRowSelect(int ARow)
{
    if (ARow < 0 || ARow >= RowCount() + HiddenRowCount())
        throw EExtGridError(kInvalidRow);
    if (MouseActions.DisjunctRowSelect)
        return flagOf(rowSelect_, ARow);
    const TGridRect s = Selection();
    return ARow >= s.Top && ARow <= s.Bottom;
}

void TExtStringGrid::SetRowSelect(int ARow, bool Value)
{
    if (ARow < 0 || ARow >= RowCount() + HiddenRowCount())
        throw EExtGridError(kInvalidRow);
    if (storeFlag(rowSelect_, ARow, Value))
        RepaintRow(MouseActions.RowSelectPersistent ? DisplayRowIndex(ARow) : ARow);
}

bool TExtStringGrid::GetColSelect(int ACol)
{
    if (ACol < 0 || ACol >= ColCount())
        throw EExtGridError(kInvalidColumn);
    return flagOf(colSelect_, ACol);
}

void TExtStringGrid::SetColSelect(int ACol, bool Value)
{
    if (ACol < 0 || ACol >= ColCount())
        throw EExtGridError(kInvalidColumn);
    if (storeFlag(colSelect_, ACol, Value))
        RepaintCol(ACol);
}

void TExtStringGrid::SelectAllRows(bool All)
{
    const TGridRect s = Selection();
    for (int r = FixedRows(); r < RowCount(); ++r) {
        const int index = MouseActions.RowSelectPersistent ? RealRowIndex(r) : r;
        const bool inside = r >= s.Top && r <= s.Bottom;
        if (inside || All)
            SetRowSelect(index, inside);
    }
}

void TExtStringGrid::SelectAllCols(bool All)
{
    const TGridRect s = Selection();
    for (int c = FixedCols(); c < ColCount(); ++c) {
        const bool inside = c >= s.Left && c <= s.Right;
        if (inside || All)
            SetColSelect(c, inside);
    }
}

void TExtStringGrid::ClearRowSelect()
{
    for (size_t i = 0; i < rowSelect_.size(); ++i)
        if (rowSelect_[i]) {
            rowSelect_[i] = 0;
            RepaintRow(DisplayRowIndex(int(i)));
        }
}

void TExtStringGrid::ClearColSelect()
{
    for (size_t i = 0; i < colSelect_.size(); ++i)
        if (colSelect_[i]) {
            colSelect_[i] = 0;
            RepaintCol(int(i));
        }
}

int TExtStringGrid::RowSelectCount() const
{
    return int(std::count(rowSelect_.begin(), rowSelect_.end(), 1));
}

int TExtStringGrid::ColSelectCount() const
{
    return int(std::count(colSelect_.begin(), colSelect_.end(), 1));
}

bool TExtStringGrid::IsRowModified(int ARow) const
{
    return ARow >= 0 && ARow < rowModified_.Count() && rowModified_.Items(ARow) == 1;
}

void TExtStringGrid::SetRowModified(int ARow, bool Value)
{
    if (ARow < 0)
        return;
    rowModified_.Grow(ARow + 1, 0);
    rowModified_.SetItems(ARow, Value ? 1 : 0);
}

// --- repainting ---------------------------------------------------------------------------------------

void TExtStringGrid::RepaintRect(const TGridRect& R)
{
    if (updateCount_ > 0)
        return;
    if (R.Left < 0 || R.Top < 0 || R.Right < 0 || R.Bottom < 0)
        return;
    const QRect a = MergedCellRect(R.Left, R.Top);
    const QRect b = MergedCellRect(R.Right, R.Bottom);
    if (a.isEmpty() || b.isEmpty())
        InvalidateGrid();
    else
        viewport()->update(a.united(b));
}

void TExtStringGrid::RepaintCell(int ACol, int ARow)
{
    if (updateCount_ > 0 || ACol < 0 || ARow < 0)
        return;
    // A scrolled cell out of view needs nothing.
    if (ARow >= FixedRows() && (ARow < TopRow() || ARow > TopRow() + VisibleRowCount()))
        return;
    if (ACol >= FixedCols() && (ACol < LeftCol() || ACol > LeftCol() + VisibleColCount()))
        return;
    InvalidateCell(ACol, ARow);
}

void TExtStringGrid::RepaintRow(int ARow)
{
    if (updateCount_ > 0 || ARow < 0)
        return;
    InvalidateRow(ARow);
}

void TExtStringGrid::RepaintCol(int ACol)
{
    if (updateCount_ > 0 || ACol < 0)
        return;
    InvalidateCol(ACol);
}

void TExtStringGrid::RepaintFixedHeaders(int FromCol, int ToCol, int FromRow, int ToRow)
{
    if (updateCount_ > 0)
        return;
    for (int r = 0; r < TCustomGrid::FixedRows(); ++r)
        for (int c = FromCol; c <= ToCol; ++c)
            InvalidateCell(c, r);
    for (int c = 0; c < TCustomGrid::FixedCols(); ++c)
        for (int r = FromRow; r <= ToRow; ++r)
            InvalidateCell(c, r);
}

// --- column widths and their hooks ---------------------------------------------------------------------

int TExtStringGrid::GetColWidthReal(int ACol) const
{
    if (IsHiddenColumn(ACol))
        return ACol < int(hiddenColWidths_.size()) ? hiddenColWidths_[size_t(ACol)] : DefaultColWidth();
    const int displ = RealToDisplCol(ACol);
    return displ >= 0 && displ < ColCount() ? ColWidths(displ) : 0;
}

void TExtStringGrid::SetColWidthReal(int ACol, int AWidth)
{
    if (ACol < 0)
        return;
    if (IsHiddenColumn(ACol)) {
        if (ACol >= int(hiddenColWidths_.size()))
            hiddenColWidths_.resize(size_t(ACol) + 1, DefaultColWidth());
        hiddenColWidths_[size_t(ACol)] = AWidth;
        return;
    }
    const int displ = RealToDisplCol(ACol);
    if (displ < ColCount())
        SetColWidths(displ, AWidth);
}

void TExtStringGrid::UpdateColumnSize(int ACol, int& AWidth)
{
    if (OnUpdateColumnSize)
        OnUpdateColumnSize(this, ACol, AWidth);
}

void TExtStringGrid::UpdateAutoColumnSize(int ACol, int& AWidth)
{
    if (OnUpdateColumnSize)
        OnUpdateColumnSize(this, ACol, AWidth);
}

bool TExtStringGrid::HasColumnFilter(int)
{
    return false;
}
