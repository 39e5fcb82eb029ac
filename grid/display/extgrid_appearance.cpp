// TExtStringGrid: the appearance settings whose setters do more than store, the scroll bars'
// style and position hints, stretching a column to the client width, the end of a user's sizing,
// and the column widths kept between runs in an INI file or the registry.
#include "grid/display/extgrid.h"

#include <QCursor>
#include <QLabel>
#include <QScrollBar>

#include <cmath>
#include <memory>

#include "grid/display/footerpanels.h"
#include "platform/rtl/inifiles.h"
#include "platform/vcl/registry.h"

// --- appearance ---------------------------------------------------------------------------------

void TExtStringGrid::SetLook(TGridLook value)
{
    if (value == look_)
        return;
    look_ = value;
    repaintGrid();
    if (!loading_ && FooterPanel())
        FooterPanel()->update();
}

void TExtStringGrid::SetActiveCellShow(bool value)
{
    activeCellShow_ = value;
    repaintGrid();
}

void TExtStringGrid::SetActiveCellColor(TColor value)
{
    activeCellColor_ = value;
    repaintGrid();
}

void TExtStringGrid::SetActiveCellColorTo(TColor value)
{
    activeCellColorTo_ = value;
    repaintGrid();
}

void TExtStringGrid::SetURLShow(bool value)
{
    urlShow_ = value;
    repaintGrid();
}

void TExtStringGrid::SetURLColor(TColor value)
{
    urlColor_ = value;
    if (urlShow_)
        repaintGrid();
}

void TExtStringGrid::SetURLFull(bool value)
{
    urlFull_ = value;
    if (urlShow_)
        repaintGrid();
}

void TExtStringGrid::SetAutoThemeAdapt(bool value)
{
    autoThemeAdapt_ = value;
    SearchFooter.SetAutoThemeAdapt(value);
    if (value)
        AdaptToTheme();
}

void TExtStringGrid::SetRowIndicator(const QPixmap& value)
{
    rowIndicator_ = value;
    if (TCustomGrid::FixedCols() > 0)
        RepaintCell(0, Row());
}

void TExtStringGrid::SetBackGround(const TBackGround& value)
{
    BackGround.Assign(value);
}

// --- scroll bars ----------------------------------------------------------------------------------

void TExtStringGrid::SetScrollBarAlways(TScrollBarAlways value)
{
    scrollBarAlways_ = value;
    UpdateScrollBars(false);
}

void TExtStringGrid::SetScrollType(TScrollType value)
{
    if (value == scrollType_)
        return;
    scrollType_ = value;
    applyScrollStyle();
}

void TExtStringGrid::SetScrollColor(TColor value)
{
    scrollColor_ = value;
    applyScrollStyle();
}

void TExtStringGrid::SetScrollWidth(int value)
{
    scrollWidth_ = value;
    applyScrollStyle();
}

void TExtStringGrid::SetScrollSynch(bool value)
{
    scrollSynch_ = value;
    const bool track = value || (Options() & goThumbTracking);
    verticalScrollBar()->setTracking(track);
    horizontalScrollBar()->setTracking(track);
}

void TExtStringGrid::applyScrollStyle()
{
    // The flat styles draw both bars as one flat bar of their own width and colour.
    QString sheet;
    if (scrollType_ != ssNormal) {
        const QString back = scrollColor_ == clNone ? QStringLiteral("palette(button)") : ToQColor(scrollColor_).name();
        sheet = QStringLiteral("QScrollBar { border: none; background: %1; }"
                               "QScrollBar:vertical { width: %2px; }"
                               "QScrollBar:horizontal { height: %2px; }"
                               "QScrollBar::handle { background: palette(mid); min-width: 8px; min-height: 8px; }"
                               "QScrollBar::add-line, QScrollBar::sub-line { width: 0px; height: 0px; }")
                    .arg(back)
                    .arg(std::max(scrollWidth_, 4));
    }
    verticalScrollBar()->setStyleSheet(sheet);
    horizontalScrollBar()->setStyleSheet(sheet);
}

void TExtStringGrid::scrollThumbMoved(Qt::Orientation bar, int position)
{
    const bool vertical = bar == Qt::Vertical;
    const bool wanted = ScrollHints == shBoth || (vertical ? ScrollHints == shVertical : ScrollHints == shHorizontal);
    if (!wanted)
        return;
    // The bars run over the rows and columns that can come to the top and the left.
    QString hint = (vertical ? QStringLiteral("Row : %1") : QStringLiteral("Col : %1")).arg(position);
    if (OnScrollHint)
        OnScrollHint(this, position, hint);
    scrollHintText_ = hint;
    if (!scrollHint_) {
        scrollHint_ = std::make_unique<QLabel>(nullptr, Qt::ToolTip);
        scrollHint_->setMargin(2);
    }
    scrollHint_->setText(hint);
    scrollHint_->setStyleSheet(QStringLiteral("QLabel { background: %1; color: %2; border: 1px solid palette(shadow); }")
                                   .arg(ToQColor(ColorToRGB(HintColor)).name(),
                                        palette().color(QPalette::ToolTipText).name()));
    scrollHint_->setMaximumWidth(100);
    scrollHint_->adjustSize();
    scrollHint_->move(QCursor::pos() + QPoint(10, 0));
    scrollHint_->show();
}

void TExtStringGrid::scrollThumbReleased()
{
    scrollHintText_.clear();
    if (scrollHint_)
        scrollHint_->hide();
}

// --- column stretching ----------------------------------------------------------------------------

void TExtStringGrid::StretchColumn(int ACol)
{
    if (loading_)
        return;
    if (ACol == -1)
        ACol = ColCount() - 1;
    // A column left of the first is as wrong as one beyond the last.
    if (ACol < 0 || ACol >= ColCount())
        throw Exception(QStringLiteral("Stretch column index out of range"));
    if (ColCount() == 0 || !ColumnSize.Stretch() || stretching_)
        return;
    stretching_ = true;
    const int client = viewport()->width();
    if (ColCount() == 1) {
        SetColWidths(0, client);
    } else {
        int others = 0;
        for (int c = 0; c < ColCount(); ++c)
            if (c != ACol)
                others += ColWidths(c);
        if (client > others)
            SetColWidths(ACol, client - others - 1);
        else if (LeftCol() == TCustomGrid::FixedCols())
            SetColWidths(ACol, DefaultColWidth());
    }
    stretching_ = false;
    stretched_ = true;
}

int TExtStringGrid::TotalColWidth() const
{
    int total = 0;
    for (int c = 0; c < ColCount(); ++c)
        total += ColWidths(c);
    return total == 0 ? 1 : total;
}

void TExtStringGrid::AddRow()
{
    SetRowCount(RowCount() + 1);
}

void TExtStringGrid::SizeChanged(int OldColCount, int OldRowCount)
{
    if (parentWidget() && !loading_ && ColumnSize.Stretch() && ColumnSize.StretchColumn < ColCount())
        StretchColumn(ColumnSize.StretchColumn);
    TBaseGrid::SizeChanged(OldColCount, OldRowCount);
}

void TExtStringGrid::ColWidthsChanged()
{
    if (stretched_ && !stretching_ && !scaling_ && ColumnSize.StretchColumn < ColCount() && ColumnSize.StretchColumn >= -1)
        StretchColumn(ColumnSize.StretchColumn);
    TBaseGrid::ColWidthsChanged();
}

void TExtStringGrid::RowHeightsChanged()
{
    TBaseGrid::RowHeightsChanged();
    UpdateFooterPanels();
}

// --- the end of a user's sizing -------------------------------------------------------------------

void TExtStringGrid::endSizing(bool columns)
{
    const int k = sizingIndex_;
    sizingIndex_ = -1;
    const int count = columns ? ColCount() : RowCount();
    if (k < 0 || k >= count)
        return;
    const int size = columns ? ColWidths(k) : RowHeights(k);
    const bool all = columns ? MouseActions.AllColumnSize : MouseActions.AllRowSize;
    if (all && sizingStart_ > 0) {
        // Every other scrollable column (row) grows or shrinks by the same factor.
        const double factor = double(size) / sizingStart_;
        scaling_ = true;
        const int fixed = columns ? TCustomGrid::FixedCols() : TCustomGrid::FixedRows();
        for (int i = fixed; i < count; ++i) {
            if (i == k)
                continue;
            if (columns)
                SetColWidths(i, int(std::lround(ColWidths(i) * factor)));
            else
                SetRowHeights(i, int(std::lround(RowHeights(i) * factor)));
        }
        scaling_ = false;
    }
    if (columns) {
        if (OnEndColumnSize)
            OnEndColumnSize(this, k);
        int width = ColWidths(k);
        UpdateColumnSize(k, width);
        if (width != ColWidths(k)) {
            scaling_ = true;
            SetColWidths(k, width);
            scaling_ = false;
        }
    } else if (OnEndRowSize) {
        OnEndRowSize(this, k);
    }
}

// --- column widths between runs ---------------------------------------------------------------------

namespace {

// The column widths' store: an INI file named by Key, or the registry key Key (below the current
// user) whose subkey Section holds them; both as "Col" + the column's index.
class ColumnWidthStore {
public:
    ColumnWidthStore(const TColumnSize& settings, bool writing)
    {
        if (settings.Location == clIniFile) {
            ini_ = std::make_unique<TIniFile>(settings.Key);
            section_ = settings.Section;
            return;
        }
        registry_ = std::make_unique<TRegistry>();
        registry_->SetRootKey(HKEY_CURRENT_USER);
        const QString key = QStringLiteral("\\") + settings.Key + QStringLiteral("\\") + settings.Section;
        open_ = writing ? registry_->OpenKey(key, true) : registry_->OpenKeyReadOnly(key);
    }
    int Read(int ACol, int current) const
    {
        const QString name = QStringLiteral("Col%1").arg(ACol);
        if (ini_)
            return ini_->ReadInteger(section_, name, current);
        if (!open_ || !registry_->ValueExists(name))
            return current;
        return registry_->ReadInteger(name);
    }
    void Write(int ACol, int width)
    {
        const QString name = QStringLiteral("Col%1").arg(ACol);
        if (ini_)
            ini_->WriteInteger(section_, name, width);
        else if (open_)
            registry_->WriteInteger(name, width);
    }

private:
    std::unique_ptr<TIniFile> ini_;
    std::unique_ptr<TRegistry> registry_;
    QString section_;
    bool open_ = false;
};

}  // namespace

void TExtStringGrid::SaveColSizes()
{
    if (ColumnSize.Key.isEmpty() || ColumnSize.Section.isEmpty())
        return;
    ColumnWidthStore store(ColumnSize, true);
    for (int c = 0; c < ColCount(); ++c)
        store.Write(c, ColWidths(c));
}

void TExtStringGrid::LoadColSizes()
{
    if (ColumnSize.Key.isEmpty() || ColumnSize.Section.isEmpty())
        return;
    const ColumnWidthStore store(ColumnSize, false);
    for (int c = 0; c < ColCount(); ++c) {
        const int width = store.Read(c, ColWidths(c));
        // A negative width is no width: the column keeps its own.
        if (width >= 0 && width != ColWidths(c))
            SetColWidths(c, width);
    }
}
