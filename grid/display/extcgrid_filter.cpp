// TExtColumnGrid: the filter drop-down of a column's header. A press on the filter glyph of a
// header cell opens the grid's list of the column's friendly names below the cell; choosing an
// entry stores the column's condition in the grid's Filter and, with AutoFilterUpdate, filters
// the rows at once.
#include <QKeyEvent>
#include <QMouseEvent>

#include "grid/display/extcgrid.h"

namespace {

// A filter line is "friendly name=condition", split at the first "=", or a bare text that is
// both.
QString friendlyOf(const QString& line)
{
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    return eq < 0 ? line : line.left(eq);
}

QString conditionOf(const QString& line)
{
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    return eq < 0 ? line : line.mid(eq + 1);
}

int rightOf(const QRect& r)
{
    return r.left() + r.width();
}

}  // namespace

void TFilterDropDown::Assign(const TFilterDropDown& source)
{
    if (&source == this)
        return;
    Color = source.Color;
    ColumnWidth = source.ColumnWidth;
    Font.Assign(source.Font);
    Height = source.Height;
    Width = source.Width;
}

// --- the list --------------------------------------------------------------------------------------

TDropList::TDropList(QWidget* parent) : QListWidget(parent)
{
    setObjectName(QStringLiteral("droplist"));
    resize(0, 0);
    hide();
}

void TDropList::choose()
{
    hide();
    if (OnSelect)
        OnSelect(this, currentRow());
}

void TDropList::keyPressEvent(QKeyEvent* e)
{
    QListWidget::keyPressEvent(e);
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter)
        choose();
}

void TDropList::mouseReleaseEvent(QMouseEvent* e)
{
    QListWidget::mouseReleaseEvent(e);
    choose();
}

// --- opening and choosing --------------------------------------------------------------------------

void TExtColumnGrid::closeDropList()
{
    if (dropList_ && dropList_->isVisible())
        dropList_->hide();
    dropDownColumn_ = -1;
}

void TExtColumnGrid::filterDropDownPress(int X, int Y)
{
    const TGridCoord cell = MouseCoord(X, Y);
    const int c = cell.X >= 0 ? DisplToRealCol(cell.X) : -1;
    // A press on another row, or on the header of the open list's column, closes the list.
    if (cell.Y != 0 || cell.X < 0 || c == dropDownColumn_) {
        closeDropList();
        return;
    }
    const QRect r = MergedCellRect(cell.X, cell.Y);
    const bool hit = X > rightOf(r) - 16 && X < rightOf(r) - 3 && Y < r.top() + 19;
    TGridColumnItem* item = ColumnItem(c);
    if (!hit || !item || item->Filter.Count() == 0) {
        closeDropList();
        return;
    }
    dropDownColumn_ = c;
    if (!dropList_) {
        dropList_ = new TDropList(viewport());
        dropList_->OnSelect = [this](QObject* sender, int index) { FilterSelect(sender, index); };
    }
    QPalette pal = dropList_->palette();
    pal.setColor(QPalette::Base, ToQColor(FilterDropDown.Color));
    dropList_->setPalette(pal);
    dropList_->setFont(FilterDropDown.Font.Font());
    const int width = FilterDropDown.ColumnWidth ? r.width() : FilterDropDown.Width;
    dropList_->setGeometry(r.left(), r.top() + 16, width, FilterDropDown.Height);
    // A flat frame: the list has no three-dimensional look.
    dropList_->setFrameShape(QFrame::Box);
    dropList_->clear();
    for (int i = 0; i < item->Filter.Count(); ++i) {
        dropList_->addItem(friendlyOf(item->Filter.Strings(i)));
        if (i == 0)
            dropList_->setCurrentRow(0);
    }
    dropList_->show();
    dropList_->raise();
    dropList_->setFocus();
}

void TExtColumnGrid::FilterSelect(QObject*, int ItemIndex)
{
    const int c = dropDownColumn_;
    TGridColumnItem* item = ColumnItem(c);
    if (c >= 0 && item && ItemIndex >= 0 && ItemIndex < item->Filter.Count()) {
        const QString line = item->Filter.Strings(ItemIndex);
        const QString friendly = friendlyOf(line);
        if (AutoFilterDisplay)
            item->SetHeader(friendly);
        if (AutoFilterUpdate)
            SetFilterActive(false);
        QString condition = conditionOf(line);
        if (OnFilterSelect)
            OnFilterSelect(this, c, ItemIndex, friendly, condition);
        TFilterData& f = Filter.ColumnFilter(c);
        f.Condition = condition;
        f.CaseSensitive = item->FilterCaseSensitive;
        if (AutoFilterUpdate) {
            SetFilterActive(true);
            if (!(RowCount() == TCustomGrid::FixedRows() || (RowCount() == 1 && FixedRowAlways)))
                SetRow(TCustomGrid::FixedRows());
            if (OnFilterDone)
                OnFilterDone(this);
        }
    }
    dropDownColumn_ = -1;
}
