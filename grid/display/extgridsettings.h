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

struct TCellNode {
    TColor Color = clSilver;
    bool ExpandOne = false;
    TNodeType NodeType = cnXP;
    TColor NodeColor = clBlack;
    int NodeIndent = 12;
    QPixmap ExpandGlyph;
    QPixmap ContractGlyph;
    bool ShowTree = true;
    bool ShowTreeFull = true;
    TColor TreeColor = clGray;
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

struct TColumnSize {
    bool Save = false;
    QString Key;
    QString Section;
    TColumnSizeLocation Location = clRegistry;
    bool Stretch = false;
    int StretchColumn = -1;
    bool SynchWithGrid = false;
};

struct TBands {
    bool Active = false;
    TColor PrimaryColor = clInfoBk;
    int PrimaryLength = 1;
    TColor SecondaryColor = clWindow;
    int SecondaryLength = 1;
    bool Print = false;
    // Rows in one cycle of both bands.
    int Period() const { return PrimaryLength + SecondaryLength; }
    void Assign(const TBands& s);
};

struct TBackGround {
    QPixmap Bitmap;
    int Top = 0;
    int Left = 0;
    TBackGroundDisplay Display = bdTile;
    TBackGroundCells Cells = bcNormal;
    TColor Color = clWindow;
    TColor ColorTo = clBtnFace;
};

struct TControlLook {
    int CheckSize = 15;
    int RadioSize = 10;
    QPixmap CheckedGlyph;
    QPixmap UnCheckedGlyph;
    QPixmap RadioOnGlyph;
    QPixmap RadioOffGlyph;
    TControlStyle ControlStyle = csWinXP;
    TColor Color = clBlack;
    TColor CommentColor = clRed;
    bool DropDownAlwaysVisible = false;
    bool FlatButton = false;
    bool NoDisabledCheckRadioLook = false;
    bool NoDisabledButtonLook = false;
    TColor ProgressBorderColor = clGray;
    int ProgressMarginX = 2;
    int ProgressMarginY = 2;
    bool ProgressXP = false;
    TColor FixedGradientFrom = clNone;
    TColor FixedGradientTo = clNone;
    void Assign(const TControlLook& s);
};

struct TSortSettings {
    bool Show = false;
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
    bool OleDropRTF = false;
    bool OleDropTarget = false;
};

struct TBalloonSettings {
    bool Enable = false;
    TColor BackgroundColor = clNone;
    TColor TextColor = clNone;
    int InitialDelay = -1;
    int ReshowDelay = -1;
    int AutoHideDelay = -1;
    int Transparency = 0;
    std::function<void(TBalloonSettings* Sender)> OnEnableChange;
    // Copies everything but Transparency; Enable is stored without the change event.
    void Assign(const TBalloonSettings& s);
};

struct TShowModified {
    bool Enabled = false;
    TColor Color = clYellow;
    std::function<void(TShowModified* Sender)> OnChange;
    void Assign(const TShowModified& s);
};

struct TFloatingFooter {
    bool Visible = false;
    TFooterStyle FooterStyle = fsFixedLastRow;
    int Column = 0;
    QString CustomTemplate;
    TColor Color = clBtnFace;
    bool CalculateHiddenRows = false;
    bool ShowHint = false;
    std::function<void(QObject* Sender, int ACol, QString& Value)> OnCalcFooter;
    void Assign(const TFloatingFooter& s);
};

struct TSearchFooter {
    bool Visible = false;
    TColor Color = clWhite;
    TColor ColorTo = clBtnFace;
    QString FindNextCaption = QStringLiteral("Find next");
    QString FindPrevCaption = QStringLiteral("Find previous");
    QString MatchCaseCaption = QStringLiteral("Match case");
    QString HintClose = QStringLiteral("Close");
    QString HintFindNext = QStringLiteral("Find next occurence");
    QString HintFindPrev = QStringLiteral("Find previous occurence");
    QString HintHighlight = QStringLiteral("Highlight occurences");
    bool ShowClose = true;
    bool ShowFindNext = true;
    bool ShowFindPrev = true;
    bool ShowHighLight = true;
    bool ShowMatchCase = true;
    bool AutoSearch = true;
    bool AutoThemeAdapt = false;
    std::function<void()> OnChange;
    void Assign(const TSearchFooter& s);
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
