#include "grid/display/extgridsettings.h"

#include "platform/rtl/sysutils.h"

void TMouseActions::Assign(const TMouseActions& s)
{
    AutoSizeColOnDblClick = s.AutoSizeColOnDblClick;
    DisjunctCellSelect = s.DisjunctCellSelect;
    FixedRowsEdit = s.FixedRowsEdit;
    FixedColsEdit = s.FixedColsEdit;
    WheelIncrement = s.WheelIncrement;
    WheelAction = s.WheelAction;
}

TPrintSettings::TPrintSettings(const TPrintSettings& s)
{
    Assign(s);
}

void TPrintSettings::Assign(const TPrintSettings& s)
{
    FooterSize = s.FooterSize;
    HeaderSize = s.HeaderSize;
    LeftSize = s.LeftSize;
    RightSize = s.RightSize;
    ColumnSpacing = s.ColumnSpacing;
    RowSpacing = s.RowSpacing;
    TitleSpacing = s.TitleSpacing;
    PageNumberOffset = s.PageNumberOffset;
    MaxPagesOffset = s.MaxPagesOffset;
    FixedWidth = s.FixedWidth;
    FixedHeight = s.FixedHeight;
    Time = s.Time;
    Date = s.Date;
    PageNr = s.PageNr;
    Title = s.Title;
    DateFormat = s.DateFormat;
    TitleText = s.TitleText;
    PagePrefix = s.PagePrefix;
    PageSuffix = s.PageSuffix;
    JobName = s.JobName;
    PageNumSep = s.PageNumSep;
    TitleLines.Assign(s.TitleLines);
    Font.Assign(s.Font);
    FixedFont.Assign(s.FixedFont);
    HeaderFont.Assign(s.HeaderFont);
    FooterFont.Assign(s.FooterFont);
    Borders = s.Borders;
    BorderStyle = s.BorderStyle;
    Centered = s.Centered;
    RepeatFixedRows = s.RepeatFixedRows;
    RepeatFixedCols = s.RepeatFixedCols;
    UseFixedHeight = s.UseFixedHeight;
    UseFixedWidth = s.UseFixedWidth;
    NoAutoSize = s.NoAutoSize;
    NoAutoSizeRow = s.NoAutoSizeRow;
    PrintGraphics = s.PrintGraphics;
    UseDefaultOrientation = s.UseDefaultOrientation;
    Orientation = s.Orientation;
    FitToPage = s.FitToPage;
    UseDisplayFont = s.UseDisplayFont;
}

void TCellNode::Assign(const TCellNode& s)
{
    color_ = s.color_;
    expandOne_ = s.expandOne_;
    nodeType_ = s.nodeType_;
    nodeColor_ = s.nodeColor_;
    nodeIndent_ = s.nodeIndent_;
    expandGlyph_ = s.expandGlyph_;
    contractGlyph_ = s.contractGlyph_;
    showTree_ = s.showTree_;
    showTreeFull_ = s.showTreeFull_;
    treeColor_ = s.treeColor_;
    repaint();
}

void TColumnSize::SetStretch(bool value)
{
    stretch_ = value;
    if (OnStretch)
        OnStretch();
}

void TBands::Assign(const TBands& s)
{
    active_ = s.active_;
    primaryColor_ = s.primaryColor_;
    primaryLength_ = s.primaryLength_;
    secondaryColor_ = s.secondaryColor_;
    secondaryLength_ = s.secondaryLength_;
    print_ = s.print_;
    repaint();
}

void TBackGround::Assign(const TBackGround& s)
{
    bitmap_ = s.bitmap_;
    top_ = s.top_;
    left_ = s.left_;
    display_ = s.display_;
    cells_ = s.cells_;
    color_ = s.color_;
    colorTo_ = s.colorTo_;
    repaint();
}

void TControlLook::SetFixedGradientFrom(TColor v)
{
    fixedGradientFrom_ = v;
    if (v != clNone && OnFixedGradient)
        OnFixedGradient(true, ColorToRGB(v));
    repaint();
}

void TControlLook::SetFixedGradientTo(TColor v)
{
    fixedGradientTo_ = v;
    if (v != clNone && OnFixedGradient)
        OnFixedGradient(false, ColorToRGB(v));
    repaint();
}

void TControlLook::Assign(const TControlLook& s)
{
    checkSize_ = s.checkSize_;
    radioSize_ = s.radioSize_;
    controlStyle_ = s.controlStyle_;
    checkedGlyph_ = s.checkedGlyph_;
    unCheckedGlyph_ = s.unCheckedGlyph_;
    radioOnGlyph_ = s.radioOnGlyph_;
    radioOffGlyph_ = s.radioOffGlyph_;
    progressMarginX_ = s.progressMarginX_;
    progressMarginY_ = s.progressMarginY_;
    commentColor_ = s.commentColor_;
    color_ = s.color_;
    progressBorderColor_ = s.progressBorderColor_;
    repaint();
}

void TSortSettings::SetRow(int value, int fixedRows)
{
    if (value > fixedRows)
        throw Exception(QStringLiteral("Sort row should be smaller than number of fixed rows"));
    row_ = value;
}

void TSortSettings::Assign(const TSortSettings& s)
{
    AutoSortForGrouping = s.AutoSortForGrouping;
    AutoColumnMerge = s.AutoColumnMerge;
    Column = s.Column;
    IndexColor = s.IndexColor;
    UpGlyph = s.UpGlyph;
    DownGlyph = s.DownGlyph;
    IndexUpGlyph = s.IndexUpGlyph;
    IndexDownGlyph = s.IndexDownGlyph;
    InitSortDirection = s.InitSortDirection;
    FixedCols = s.FixedCols;
    NormalCellsOnly = s.NormalCellsOnly;
    row_ = s.row_;
    UndoSort = s.UndoSort;
}

void TBalloonSettings::Assign(const TBalloonSettings& s)
{
    TextColor = s.TextColor;
    BackgroundColor = s.BackgroundColor;
    ReshowDelay = s.ReshowDelay;
    InitialDelay = s.InitialDelay;
    AutoHideDelay = s.AutoHideDelay;
    enable_ = s.enable_;
}

void TBalloonSettings::SetEnable(bool value)
{
    enable_ = value;
    if (OnEnableChange)
        OnEnableChange(this);
}

void TShowModified::SetColor(TColor value)
{
    color_ = value;
    if (OnChange)
        OnChange(this);
}

void TShowModified::Assign(const TShowModified& s)
{
    color_ = s.color_;
    Enabled = s.Enabled;
}

void TFloatingFooter::SetVisible(bool value)
{
    visible_ = value;
    changed(ffcVisible);
}

void TFloatingFooter::SetFooterStyle(TFooterStyle value)
{
    footerStyle_ = value;
    changed(ffcStyle);
}

void TFloatingFooter::SetColumn(int value)
{
    column_ = value;
    changed(ffcRepaint);
}

void TFloatingFooter::SetCustomTemplate(const QString& value)
{
    customTemplate_ = value;
    changed(ffcRepaint);
}

void TFloatingFooter::SetColor(TColor value)
{
    color_ = value;
    changed(ffcRepaint);
}

void TFloatingFooter::SetShowHint(bool value)
{
    showHint_ = value;
    changed(ffcShowHint);
}

void TFloatingFooter::Assign(const TFloatingFooter& s)
{
    CalculateHiddenRows = s.CalculateHiddenRows;
    SetColor(s.color_);
    SetColumn(s.column_);
    SetCustomTemplate(s.customTemplate_);
    SetFooterStyle(s.footerStyle_);
    SetVisible(s.visible_);
    SetShowHint(s.showHint_);
}

void TSearchFooter::Assign(const TSearchFooter& s)
{
    visible_ = s.visible_;
    color_ = s.color_;
    colorTo_ = s.colorTo_;
    findNextCaption_ = s.findNextCaption_;
    findPrevCaption_ = s.findPrevCaption_;
    matchCaseCaption_ = s.matchCaseCaption_;
    hintClose_ = s.hintClose_;
    hintFindNext_ = s.hintFindNext_;
    hintFindPrev_ = s.hintFindPrev_;
    hintHighlight_ = s.hintHighlight_;
    showClose_ = s.showClose_;
    showFindNext_ = s.showFindNext_;
    showFindPrev_ = s.showFindPrev_;
    showHighLight_ = s.showHighLight_;
    showMatchCase_ = s.showMatchCase_;
    autoSearch_ = s.autoSearch_;
    changed();
}

TFilterData& TFilter::Add()
{
    items_.push_back(std::make_unique<TFilterData>());
    return *items_.back();
}

void TFilter::Delete(int index)
{
    items_.erase(items_.begin() + index);
}

TFilterData& TFilter::ColumnFilter(int ACol)
{
    for (const std::unique_ptr<TFilterData>& f : items_)
        if (f->Column == ACol)
            return *f;
    TFilterData& f = Add();
    f.Column = ACol;
    return f;
}

void TFilter::Assign(const TFilter& s)
{
    items_.clear();
    for (const std::unique_ptr<TFilterData>& f : s.items_)
        items_.push_back(std::make_unique<TFilterData>(*f));
}

void TDragDropSettings::SetOleDropRTF(bool value)
{
    oleDropRTF_ = value;
    if (OnRichTextChange)
        OnRichTextChange(this);
}

void TDragDropSettings::SetOleDropTarget(bool value)
{
    oleDropTarget_ = value;
    if (OnDropTargetChange)
        OnDropTargetChange(this);
}
