#pragma once
// The string grid's settings objects: groups of published settings that the grid owns, each
// created with its defaults and copied by Assign. They hold values; what the values do is the
// business of the grid's painting, input, sorting, footers, filters and the rest.
#include <QPixmap>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

#include "grid/display/gridcanvas.h"
#include "platform/rtl/graphics.h"
#include "platform/rtl/stringlist.h"
#include "platform/vcl/font.h"

enum TGridLook { glStandard, glSoft, glClassic, glVantor, glXP, glListView };
enum TControlStyle { csClassic, csFlat, csWinXP, csBevelled, csVantor, csGlyph, csTheme };
enum TNodeType { cnFlat, cn3D, cnGlyph, cnLeaf, cnXP };
enum TGridFixedCellEdit { fceNone, fceDblClick, fceLeftClick, fceRightClick };
enum TWheelAction { waMoveSelection, waScroll };
enum TAdvanceDirection { adLeftRight, adTopBottom };
enum TInsertPosition { pInsertBefore, pInsertAfter };
enum THomeEndAction { heFirstLastColumn, heFirstLastRow };
enum TPrintPosition { ppNone, ppTopLeft, ppTopRight, ppTopCenter, ppBottomLeft, ppBottomRight, ppBottomCenter };
enum TPrintBorders { pbNoborder, pbSingle, pbDouble, pbVertical, pbHorizontal, pbAround, pbAroundVertical, pbAroundHorizontal, pbCustom };
enum TPrintOrientation { poPortrait, poLandscape };
enum TFitToPage { fpNever, fpGrow, fpShrink, fpAlways, fpCustom };
enum TColumnSizeLocation { clRegistry, clIniFile };
enum TSortStyle {
    ssAutomatic,
    ssAlphabetic,
    ssNumeric,
    ssDate,
    ssAlphaNoCase,
    ssAlphaCase,
    ssShortDateEU,
    ssShortDateUS,
    ssCustom,
    ssFinancial,
    ssAnsiAlphaCase,
    ssAnsiAlphaNoCase,
    ssRaw,
    ssHTML,
    ssImages,
    ssCheckBox,
    ssUnicode,
    ssDateTime,
    ssTime,
    ssAlphaNumeric,
    ssAlphaNumericNoCase
};
enum TSortDirection { sdAscending, sdDescending };
enum TSortBlankPosition { blFirst, blLast };
enum TBackGroundDisplay { bdTile, bdFixed, bdGradientHorz, bdGradientVert };
enum TBackGroundCells { bcNormal, bcFixed, bcAll };
enum TFooterStyle { fsFixedLastRow, fsColumnPreview, fsCustomPreview };
enum TFilterCells { fcVirtual, fcNormal };
enum TFilterOperation { foSHORT, foNONE, foAND, foXOR, foOR };
enum TScrollType { ssNormal, ssFlat, ssEncarta };
enum TScrollHintType { shNone, shVertical, shHorizontal, shBoth };
enum TScrollBarAlways { saNone, saVert, saHorz, saBoth };
enum TIntelliPan { ipVertical, ipHorizontal, ipBoth, ipNone };

// The sides of a cell border.
enum TCellBorder : unsigned { cbTop = 1, cbLeft = 2, cbRight = 4, cbBottom = 8 };
using TCellBorders = unsigned;

// A settings object's link to its grid: the grid repaints when a value that shows changes. A copy
// of a settings object has no link of its own.
class TGridPersistent {
public:
    TGridPersistent() = default;
    TGridPersistent(const TGridPersistent&) {}
    TGridPersistent& operator=(const TGridPersistent&) { return *this; }
    std::function<void()> OnRepaint;

protected:
    void repaint() const
    {
        if (OnRepaint)
            OnRepaint();
    }
    // Stores a value; a new one repaints.
    template <class T>
    void store(T& field, const T& value)
    {
        if (field == value)
            return;
        field = value;
        repaint();
    }
    void storePixmap(QPixmap& field, const QPixmap& value)
    {
        field = value;
        repaint();
    }
};

// The look of nodes. Every setter repaints.
class TCellNode : public TGridPersistent {
public:
    TColor Color() const { return color_; }
    void SetColor(TColor v) { store(color_, v); }
    bool ExpandOne() const { return expandOne_; }
    void SetExpandOne(bool v) { store(expandOne_, v); }
    TNodeType NodeType() const { return nodeType_; }
    void SetNodeType(TNodeType v) { store(nodeType_, v); }
    TColor NodeColor() const { return nodeColor_; }
    void SetNodeColor(TColor v) { store(nodeColor_, v); }
    int NodeIndent() const { return nodeIndent_; }
    void SetNodeIndent(int v) { store(nodeIndent_, v); }
    const QPixmap& ExpandGlyph() const { return expandGlyph_; }
    void SetExpandGlyph(const QPixmap& v) { storePixmap(expandGlyph_, v); }
    const QPixmap& ContractGlyph() const { return contractGlyph_; }
    void SetContractGlyph(const QPixmap& v) { storePixmap(contractGlyph_, v); }
    bool ShowTree() const { return showTree_; }
    void SetShowTree(bool v) { store(showTree_, v); }
    bool ShowTreeFull() const { return showTreeFull_; }
    void SetShowTreeFull(bool v) { store(showTreeFull_, v); }
    TColor TreeColor() const { return treeColor_; }
    void SetTreeColor(TColor v) { store(treeColor_, v); }
    void Assign(const TCellNode& s);

private:
    TColor color_ = clSilver;
    bool expandOne_ = false;
    TNodeType nodeType_ = cnXP;
    TColor nodeColor_ = clBlack;
    int nodeIndent_ = 12;
    QPixmap expandGlyph_;
    QPixmap contractGlyph_;
    bool showTree_ = true;
    bool showTreeFull_ = true;
    TColor treeColor_ = clGray;
};

struct TMouseActions {
    bool AllColumnSize = false;
    bool AllRowSize = false;
    bool AllSelect = false;
    bool AutoSizeColOnDblClick = true;
    bool CaretPositioning = false;
    bool CheckAllCheck = false;
    bool ColSelect = false;
    bool DirectComboDrop = false;
    bool DirectDateDrop = false;
    bool DirectEdit = false;
    bool DisjunctRowSelect = false;
    bool DisjunctColSelect = false;
    bool DisjunctCellSelect = false;
    TGridFixedCellEdit FixedRowsEdit = fceNone;
    TGridFixedCellEdit FixedColsEdit = fceNone;
    bool HotmailRowSelect = false;
    bool MoveRowOnNodeClick = false;
    bool NoAutoRangeScroll = false;
    bool NodeAllExpandContract = false;
    bool NoScrollOnPartialRow = false;
    bool PreciseCheckBoxCheck = false;
    bool RangeSelectAndEdit = false;
    bool RowSelect = false;
    bool RowSelectPersistent = false;
    bool SelectOnRightClick = false;
    bool SizeFixedCol = false;
    bool SizeFixedRow = false;
    int WheelIncrement = 0;
    TWheelAction WheelAction = waMoveSelection;

    // Copies what a settings copy between grids takes over.
    void Assign(const TMouseActions& s);
};

struct TNavigation {
    bool AllowInsertRow = false;
    bool AllowDeleteRow = false;
    bool AlwaysEdit = false;
    bool AdvanceOnEnter = false;
    bool AdvanceInsert = false;
    bool AutoGotoWhenSorted = false;
    bool AutoGotoIncremental = false;
    bool AutoComboDropSize = false;
    TAdvanceDirection AdvanceDirection = adLeftRight;
    bool AllowClipboardShortCuts = false;
    bool AllowCtrlEnter = true;
    bool AllowSmartClipboard = false;
    bool AllowRTFClipboard = false;
    bool AllowFmtClipboard = false;
    bool AllowClipboardAlways = false;
    bool AllowClipboardRowGrow = true;
    bool AllowClipboardColGrow = true;
    bool AdvanceAuto = false;
    bool AppendOnArrowDown = false;
    bool EditSelectAll = true;
    TInsertPosition InsertPosition = pInsertBefore;
    bool CursorWalkEditor = false;
    bool MoveRowOnSort = false;
    bool ImproveMaskSel = false;
    bool CopyHTMLTagsToClipboard = true;
    bool KeepHorizScroll = false;
    bool LineFeedOnEnter = false;
    THomeEndAction HomeEndKey = heFirstLastColumn;
    bool SkipFixedCells = true;
    bool TabToNextAtEnd = false;
    TAdvanceDirection TabAdvanceDirection = adLeftRight;
};

struct THTMLSettings {
    int BorderSize = 1;
    int CellSpacing = 0;
    int CellPadding = 0;
    bool SaveColor = true;
    bool SaveFonts = true;
    QString FooterFile;
    QString HeaderFile;
    QString TableStyle;
    QString PrefixTag;
    QString SuffixTag;
    int Width = 100;
    bool XHTML = false;
    bool ConvertSpecialChars = false;
    bool AutoPreview = false;
    bool NonBreakingText = false;
};

// Stored and streamed; the library prints nothing.
struct TPrintSettings {
    TPrintSettings() = default;
    TPrintSettings(const TPrintSettings& s);
    TPrintSettings& operator=(const TPrintSettings&) = delete;
    void Assign(const TPrintSettings& s);

    int FooterSize = 0;
    int HeaderSize = 0;
    int LeftSize = 0;
    int RightSize = 0;
    int ColumnSpacing = 0;
    int RowSpacing = 0;
    int TitleSpacing = 0;
    int PageNumberOffset = 0;
    int MaxPagesOffset = 0;
    int FixedWidth = 0;
    int FixedHeight = 0;
    TPrintPosition Time = ppNone;
    TPrintPosition Date = ppNone;
    TPrintPosition PageNr = ppNone;
    TPrintPosition Title = ppNone;
    QString DateFormat = QStringLiteral("dd/mm/yyyy");
    QString TitleText;
    QString PagePrefix;
    QString PageSuffix;
    QString JobName;
    QString PageNumSep = QStringLiteral("/");
    TStringList TitleLines;
    TFont Font;
    TFont FixedFont;
    TFont HeaderFont;
    TFont FooterFont;
    TPrintBorders Borders = pbSingle;
    Qt::PenStyle BorderStyle = Qt::SolidLine;
    bool Centered = true;
    bool RepeatFixedRows = false;
    bool RepeatFixedCols = false;
    bool UseFixedHeight = false;
    bool UseFixedWidth = false;
    bool NoAutoSize = false;
    bool NoAutoSizeRow = false;
    bool PrintGraphics = false;
    bool UseDefaultOrientation = false;
    TPrintOrientation Orientation = poPortrait;
    TFitToPage FitToPage = fpNever;
    bool UseDisplayFont = true;
};

// Where column widths are kept between runs, and the stretching of one column to the client
// width.
struct TColumnSize {
    bool Save = false;
    QString Key;
    QString Section;
    TColumnSizeLocation Location = clRegistry;
    int StretchColumn = -1;  // -1: the last column
    bool SynchWithGrid = false;
    bool Stretch() const { return stretch_; }
    // Stores the value; a grid on screen stretches its StretchColumn at once, whatever the value.
    void SetStretch(bool value);
    std::function<void()> OnStretch;

private:
    bool stretch_ = false;
};

// Alternating row colours. Active repaints; the colours and lengths repaint only while the
// bands are active.
class TBands : public TGridPersistent {
public:
    bool Active() const { return active_; }
    void SetActive(bool v) { store(active_, v); }
    TColor PrimaryColor() const { return primaryColor_; }
    void SetPrimaryColor(TColor v) { storeShown(primaryColor_, v); }
    int PrimaryLength() const { return primaryLength_; }
    void SetPrimaryLength(int v) { storeShown(primaryLength_, v); }
    TColor SecondaryColor() const { return secondaryColor_; }
    void SetSecondaryColor(TColor v) { storeShown(secondaryColor_, v); }
    int SecondaryLength() const { return secondaryLength_; }
    void SetSecondaryLength(int v) { storeShown(secondaryLength_, v); }
    bool Print() const { return print_; }
    void SetPrint(bool v) { print_ = v; }
    // Rows in one cycle of both bands.
    int Period() const { return primaryLength_ + secondaryLength_; }
    void Assign(const TBands& s);

private:
    template <class T>
    void storeShown(T& field, const T& value)
    {
        if (field == value)
            return;
        field = value;
        if (active_)
            repaint();
    }
    bool active_ = false;
    TColor primaryColor_ = clInfoBk;
    int primaryLength_ = 1;
    TColor secondaryColor_ = clWindow;
    int secondaryLength_ = 1;
    bool print_ = false;
};

// The grid's background: a picture tiled or placed, or a gradient. Every setter repaints.
class TBackGround : public TGridPersistent {
public:
    const QPixmap& Bitmap() const { return bitmap_; }
    void SetBitmap(const QPixmap& v) { storePixmap(bitmap_, v); }
    int Top() const { return top_; }
    void SetTop(int v) { store(top_, v); }
    int Left() const { return left_; }
    void SetLeft(int v) { store(left_, v); }
    TBackGroundDisplay Display() const { return display_; }
    void SetDisplay(TBackGroundDisplay v) { store(display_, v); }
    TBackGroundCells Cells() const { return cells_; }
    void SetCells(TBackGroundCells v) { store(cells_, v); }
    TColor Color() const { return color_; }
    void SetColor(TColor v) { store(color_, v); }
    TColor ColorTo() const { return colorTo_; }
    void SetColorTo(TColor v) { store(colorTo_, v); }
    void Assign(const TBackGround& s);

private:
    QPixmap bitmap_;
    int top_ = 0;
    int left_ = 0;
    TBackGroundDisplay display_ = bdTile;
    TBackGroundCells cells_ = bcNormal;
    TColor color_ = clWindow;
    TColor colorTo_ = clBtnFace;
};

// The look of check boxes, radio buttons, buttons and progress bars in cells. Every setter
// repaints; a fixed-cell gradient colour other than clNone also becomes the grid's own.
class TControlLook : public TGridPersistent {
public:
    int CheckSize() const { return checkSize_; }
    void SetCheckSize(int v) { store(checkSize_, v); }
    int RadioSize() const { return radioSize_; }
    void SetRadioSize(int v) { store(radioSize_, v); }
    const QPixmap& CheckedGlyph() const { return checkedGlyph_; }
    void SetCheckedGlyph(const QPixmap& v) { storePixmap(checkedGlyph_, v); }
    const QPixmap& UnCheckedGlyph() const { return unCheckedGlyph_; }
    void SetUnCheckedGlyph(const QPixmap& v) { storePixmap(unCheckedGlyph_, v); }
    const QPixmap& RadioOnGlyph() const { return radioOnGlyph_; }
    void SetRadioOnGlyph(const QPixmap& v) { storePixmap(radioOnGlyph_, v); }
    const QPixmap& RadioOffGlyph() const { return radioOffGlyph_; }
    void SetRadioOffGlyph(const QPixmap& v) { storePixmap(radioOffGlyph_, v); }
    TControlStyle ControlStyle() const { return controlStyle_; }
    void SetControlStyle(TControlStyle v) { store(controlStyle_, v); }
    TColor Color() const { return color_; }
    void SetColor(TColor v) { store(color_, v); }
    TColor CommentColor() const { return commentColor_; }
    void SetCommentColor(TColor v) { store(commentColor_, v); }
    bool DropDownAlwaysVisible() const { return dropDownAlwaysVisible_; }
    void SetDropDownAlwaysVisible(bool v) { store(dropDownAlwaysVisible_, v); }
    bool FlatButton() const { return flatButton_; }
    void SetFlatButton(bool v) { store(flatButton_, v); }
    bool NoDisabledCheckRadioLook() const { return noDisabledCheckRadioLook_; }
    void SetNoDisabledCheckRadioLook(bool v) { store(noDisabledCheckRadioLook_, v); }
    bool NoDisabledButtonLook() const { return noDisabledButtonLook_; }
    void SetNoDisabledButtonLook(bool v) { store(noDisabledButtonLook_, v); }
    TColor ProgressBorderColor() const { return progressBorderColor_; }
    void SetProgressBorderColor(TColor v) { store(progressBorderColor_, v); }
    int ProgressMarginX() const { return progressMarginX_; }
    void SetProgressMarginX(int v) { store(progressMarginX_, v); }
    int ProgressMarginY() const { return progressMarginY_; }
    void SetProgressMarginY(int v) { store(progressMarginY_, v); }
    bool ProgressXP() const { return progressXP_; }
    void SetProgressXP(bool v) { store(progressXP_, v); }
    TColor FixedGradientFrom() const { return fixedGradientFrom_; }
    void SetFixedGradientFrom(TColor v);
    TColor FixedGradientTo() const { return fixedGradientTo_; }
    void SetFixedGradientTo(TColor v);
    // The grid takes a fixed-cell gradient colour (as RGB): from (true) or to (false).
    std::function<void(bool From, TColor Color)> OnFixedGradient;
    void Assign(const TControlLook& s);

private:
    int checkSize_ = 15;
    int radioSize_ = 10;
    QPixmap checkedGlyph_;
    QPixmap unCheckedGlyph_;
    QPixmap radioOnGlyph_;
    QPixmap radioOffGlyph_;
    TControlStyle controlStyle_ = csWinXP;
    TColor color_ = clBlack;
    TColor commentColor_ = clRed;
    bool dropDownAlwaysVisible_ = false;
    bool flatButton_ = false;
    bool noDisabledCheckRadioLook_ = false;
    bool noDisabledButtonLook_ = false;
    TColor progressBorderColor_ = clGray;
    int progressMarginX_ = 2;
    int progressMarginY_ = 2;
    bool progressXP_ = false;
    TColor fixedGradientFrom_ = clNone;
    TColor fixedGradientTo_ = clNone;
};

struct TSortSettings : public TGridPersistent {
    // The sort glyphs show; a change repaints.
    bool Show() const { return show_; }
    void SetShow(bool v) { store(show_, v); }
    bool IndexShow = false;
    TColor IndexColor = clYellow;
    bool Full = true;
    bool SingleColumn = false;
    bool IgnoreBlanks = false;
    TSortBlankPosition BlankPos = blFirst;
    bool AutoFormat = true;
    TSortDirection Direction = sdAscending;
    TSortDirection InitSortDirection = sdAscending;
    int Column = 0;
    bool FixedCols = false;
    bool NormalCellsOnly = false;
    bool UndoSort = false;
    bool AutoColumnMerge = false;
    bool AutoSortForGrouping = true;
    QPixmap UpGlyph;
    QPixmap DownGlyph;
    QPixmap IndexUpGlyph;
    QPixmap IndexDownGlyph;
    // The sort row: at most the grid's FixedRows, else Exception "Sort row should be smaller
    // than number of fixed rows" and the value is kept.
    int Row() const { return row_; }
    void SetRow(int value, int fixedRows);
    void Assign(const TSortSettings& s);

private:
    int row_ = 0;
    bool show_ = false;
};

struct TGrouping {
    TColor HeaderColor = clNone;
    TColor HeaderColorTo = clNone;
    TColor HeaderTextColor = clNone;
    TColor SummaryColor = clNone;
    TColor SummaryColorTo = clNone;
    TColor SummaryTextColor = clNone;
    TColor HeaderLineColor = clBlue;
    TColor SummaryLineColor = clBlue;
    int HeaderLineWidth = 2;
    int SummaryLineWidth = 2;
    bool HeaderUnderline = false;
    bool SummaryLine = false;
    bool MergeHeader = false;
    bool MergeSummary = false;
    bool Summary = false;
};

struct TDragDropSettings {
    bool OleAcceptFiles = true;
    bool OleAcceptText = true;
    bool OleCopyAlways = false;
    bool OleDropSource = false;
    bool OleEntireRows = false;
    bool OleInsertRows = false;
    bool OleRemoveRows = false;
    bool OleColumnDragDrop = false;
    // Rich text may be dragged and dropped; stores the value and tells OnRichTextChange.
    bool OleDropRTF() const { return oleDropRTF_; }
    void SetOleDropRTF(bool value);
    // The grid takes drops; stores the value and tells OnDropTargetChange (the grid registers or
    // revokes its drop target).
    bool OleDropTarget() const { return oleDropTarget_; }
    void SetOleDropTarget(bool value);
    std::function<void(TDragDropSettings* Sender)> OnRichTextChange;
    std::function<void(TDragDropSettings* Sender)> OnDropTargetChange;

private:
    bool oleDropRTF_ = false;
    bool oleDropTarget_ = false;
};

struct TBalloonSettings {
    // Stores the value and tells OnEnableChange.
    bool Enable() const { return enable_; }
    void SetEnable(bool value);
    TColor BackgroundColor = clNone;
    TColor TextColor = clNone;
    int InitialDelay = -1;
    int ReshowDelay = -1;
    int AutoHideDelay = -1;
    int Transparency = 0;
    std::function<void(TBalloonSettings* Sender)> OnEnableChange;
    // Copies everything but Transparency; Enable is stored without the change event.
    void Assign(const TBalloonSettings& s);

private:
    bool enable_ = false;
};

struct TShowModified {
    bool Enabled = false;
    // Stores the colour and tells OnChange (the grid repaints its node column).
    TColor Color() const { return color_; }
    void SetColor(TColor value);
    std::function<void(TShowModified* Sender)> OnChange;
    void Assign(const TShowModified& s);

private:
    TColor color_ = clYellow;
};

// What changed in the floating footer's settings: the grid shows or hides the panel, recomputes
// whether the panel paints the footer row, repaints the panel or passes the hint switch on.
enum TFloatingFooterChange { ffcVisible, ffcStyle, ffcRepaint, ffcShowHint };

class TFloatingFooter {
public:
    bool Visible() const { return visible_; }
    void SetVisible(bool value);
    TFooterStyle FooterStyle() const { return footerStyle_; }
    void SetFooterStyle(TFooterStyle value);
    // The column fsColumnPreview shows.
    int Column() const { return column_; }
    void SetColumn(int value);
    // The text fsCustomPreview shows: each "<#n>" stands for column n of the current row.
    const QString& CustomTemplate() const { return customTemplate_; }
    void SetCustomTemplate(const QString& value);
    TColor Color() const { return color_; }
    void SetColor(TColor value);
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool value);
    // The calculations count the hidden rows too.
    bool CalculateHiddenRows = false;
    // The text of a custom footer cell (calculation kind 7).
    std::function<void(QObject* Sender, int ACol, QString& Value)> OnCalcFooter;
    // The panel's stored height (a visible panel is one pixel lower) and the calculation switch.
    int Height = 22;
    bool Calculate = true;
    // The grid's link: told of every setter.
    std::function<void(TFloatingFooterChange)> OnChange;
    // Copies CalculateHiddenRows, Color, Column, CustomTemplate, FooterStyle, then Visible and
    // ShowHint through their setters.
    void Assign(const TFloatingFooter& s);

private:
    void changed(TFloatingFooterChange what) const
    {
        if (OnChange)
            OnChange(what);
    }
    bool visible_ = false;
    TFooterStyle footerStyle_ = fsFixedLastRow;
    int column_ = 0;
    QString customTemplate_;
    TColor color_ = clBtnFace;
    bool showHint_ = false;
};

// The search panel's settings. Every setter tells OnChange (the grid applies the settings to
// the panel); those of Visible and the Show... switches only when the value changes.
class TSearchFooter {
public:
    bool Visible() const { return visible_; }
    void SetVisible(bool v) { storeIfNew(visible_, v); }
    TColor Color() const { return color_; }
    void SetColor(TColor v) { store(color_, v); }
    // clNone paints the panel flat in Color.
    TColor ColorTo() const { return colorTo_; }
    void SetColorTo(TColor v) { store(colorTo_, v); }
    const QString& FindNextCaption() const { return findNextCaption_; }
    void SetFindNextCaption(const QString& v) { store(findNextCaption_, v); }
    const QString& FindPrevCaption() const { return findPrevCaption_; }
    void SetFindPrevCaption(const QString& v) { store(findPrevCaption_, v); }
    const QString& MatchCaseCaption() const { return matchCaseCaption_; }
    void SetMatchCaseCaption(const QString& v) { store(matchCaseCaption_, v); }
    const QString& HintClose() const { return hintClose_; }
    void SetHintClose(const QString& v) { store(hintClose_, v); }
    const QString& HintFindNext() const { return hintFindNext_; }
    void SetHintFindNext(const QString& v) { store(hintFindNext_, v); }
    const QString& HintFindPrev() const { return hintFindPrev_; }
    void SetHintFindPrev(const QString& v) { store(hintFindPrev_, v); }
    const QString& HintHighlight() const { return hintHighlight_; }
    void SetHintHighlight(const QString& v) { store(hintHighlight_, v); }
    bool ShowClose() const { return showClose_; }
    void SetShowClose(bool v) { store(showClose_, v); }
    bool ShowFindNext() const { return showFindNext_; }
    void SetShowFindNext(bool v) { storeIfNew(showFindNext_, v); }
    bool ShowFindPrev() const { return showFindPrev_; }
    void SetShowFindPrev(bool v) { storeIfNew(showFindPrev_, v); }
    bool ShowHighLight() const { return showHighLight_; }
    void SetShowHighLight(bool v) { storeIfNew(showHighLight_, v); }
    bool ShowMatchCase() const { return showMatchCase_; }
    void SetShowMatchCase(bool v) { storeIfNew(showMatchCase_, v); }
    bool AutoSearch() const { return autoSearch_; }
    void SetAutoSearch(bool v) { store(autoSearch_, v); }
    // Set by the grid's AutoThemeAdapt: the panel's buttons follow the theme.
    bool AutoThemeAdapt() const { return autoThemeAdapt_; }
    void SetAutoThemeAdapt(bool v) { store(autoThemeAdapt_, v); }
    std::function<void()> OnChange;
    // Copies every published value (one notice at the end).
    void Assign(const TSearchFooter& s);

private:
    void changed() const
    {
        if (OnChange)
            OnChange();
    }
    template <class T>
    void store(T& field, const T& value)
    {
        field = value;
        changed();
    }
    void storeIfNew(bool& field, bool value)
    {
        if (field == value)
            return;
        field = value;
        changed();
    }
    bool visible_ = false;
    TColor color_ = clWhite;
    TColor colorTo_ = clBtnFace;
    QString findNextCaption_ = QStringLiteral("Find next");
    QString findPrevCaption_ = QStringLiteral("Find previous");
    QString matchCaseCaption_ = QStringLiteral("Match case");
    QString hintClose_ = QStringLiteral("Close");
    QString hintFindNext_ = QStringLiteral("Find next occurence");
    QString hintFindPrev_ = QStringLiteral("Find previous occurence");
    QString hintHighlight_ = QStringLiteral("Highlight occurences");
    bool showClose_ = true;
    bool showFindNext_ = true;
    bool showFindPrev_ = true;
    bool showHighLight_ = true;
    bool showMatchCase_ = true;
    bool autoSearch_ = true;
    bool autoThemeAdapt_ = false;
};

struct TSizeWhileTyping {
    bool Height = false;
    bool Width = false;
};

struct TFilterData {
    int Column = 0;
    QString Condition;
    bool CaseSensitive = true;
    TFilterCells Data = fcVirtual;
    QString Prefix;
    QString Suffix;
    TFilterOperation Operation = foSHORT;
};

// The filter conditions, one item per column at most when made through ColumnFilter.
class TFilter {
public:
    int Count() const { return int(items_.size()); }
    TFilterData& Items(int index) { return *items_[index]; }
    const TFilterData& Items(int index) const { return *items_[index]; }
    TFilterData& Add();
    void Delete(int index);
    void Clear() { items_.clear(); }
    // The item of the column, added when there is none.
    TFilterData& ColumnFilter(int ACol);
    void Assign(const TFilter& s);

private:
    std::vector<std::unique_ptr<TFilterData>> items_;
};
