// The form controls of HTML cells edited in place: the next editable control of a cell found by
// its ID and laid out where the painter draws it, its edit or list opened over it through the
// editing half, and its text put back as the control's VALUE.
#include "grid/display/esghtmle.h"
#include "grid/display/extgrid.h"
#include "grid/display/extutil.h"
#include "grid/display/gridcanvas.h"
#include "grid/display/gridservices.h"

void TExtStringGrid::ShowControlEditor(int ACol, int ARow, const QString& AfterID)
{
    const int realCol = RealColIndex(ACol);
    const QString text = GetCellText(realCol, ARow);
    const QString id = NextEditableControlID(text, AfterID);
    if (id.isEmpty() || CellTextKind(text, EnableHTML) != ctkHTML) {
        setFocus(Qt::OtherFocusReason);
        return;
    }
    // Laid out as the painter lays the text out, the named control counting as hit.
    TMeasureCanvas probe;
    TAlignment h = taLeftJustify;
    TVAlignment v = vtaTop;
    bool wrap = false;
    TColor to = clNone;
    TGridDrawState state;
    GetCellDrawSettings(probe, ACol, ARow, h, v, wrap, to, true, false, false, state);
    const QRect cell = MergedCellRect(ACol, ARow);
    const int box = IsCheckBoxCell(realCol, ARow) ? ControlLook.CheckSize() : 0;
    THTMLDrawInput in;
    in.Rect = QRect(cell.left() + XYOffsetX + box, cell.top() + 1 + XYOffsetY, cell.width() - 2 - 2 * XYOffsetX + 1 - box,
                    cell.height() - 2 - XYOffsetY);
    in.HitTestOnly = true;
    in.ControlID = id;
    in.WordWrap = wrap;
    in.Images = &GridImages;
    in.PictureContainer = PictureContainer.data();
    const THTMLDrawResult hit = DrawHTMLText(probe, text, in);
    if (hit.ControlRect.isEmpty()) {
        setFocus(Qt::OtherFocusReason);
        return;
    }
    EditCellControl(ACol, ARow, hit.ControlRect, id, hit.ControlType.isEmpty() ? QString() : hit.ControlType,
                    hit.ControlValue);
}

void TExtStringGrid::EditCellControl(int ACol, int ARow, const QRect& ControlRect, const QString& ID,
                                     const QString& Type, const QString& Value)
{
    if (controlEditCell_.Active)
        CellControlEditDone();
    const QString type = Type.toUpper();
    const bool edit = type == QLatin1String("EDIT") || type == QLatin1String("PASSWORD") || type == QLatin1String("MASK");
    if (!edit && type != QLatin1String("COMBO"))
        return;
    TGridEditingServices* services = GridEditingServices();
    if (!services)
        return;
    TCellControlEdit e;
    // Inside the cell less its grid lines, where the painter clips the control.
    const QRect cell = MergedCellRect(ACol, ARow);
    e.Rect = ControlRect.intersected(cell.adjusted(0, 0, -1, -1));
    e.Type = type;
    e.Value = Value;
    const int realCol = RealColIndex(ACol);
    if (type == QLatin1String("MASK"))
        e.Mask = GetControlProp(GetCellText(realCol, ARow), ID);
    if (type == QLatin1String("COMBO") && OnControlComboList)
        OnControlComboList(this, ARow, realCol, ID, type, Value, e.Items, e.Editable, e.DropCount);
    controlEditCell_ = {ACol, ARow, ID, type, true, Value};
    if (!services->ShowCellControlEditor(*this, e))
        controlEditCell_ = TControlEditCell();
}

void TExtStringGrid::CellControlEditDone()
{
    if (!controlEditCell_.Active)
        return;
    const TControlEditCell c = controlEditCell_;
    controlEditCell_.Active = false;
    QString value;
    TGridEditingServices* services = GridEditingServices();
    if (!services || !services->EndCellControlEditor(*this, value))
        return;
    const int realCol = RealColIndex(c.Col);
    // An unchanged value leaves the cell's text as it is.
    QString text = GetCellText(realCol, c.Row);
    if (value != c.Value && SetControlValue(text, c.ID, value) && text != GetCellText(realCol, c.Row))
        SetCellText(realCol, c.Row, text);
    if (OnControlEditDone)
        OnControlEditDone(this, c.Row, realCol, c.ID, c.Type, value);
}
