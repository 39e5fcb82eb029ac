#pragma once
// The grid library's shared free functions: text scanning and quoting, number and date parsing
// by the current format settings, the condition matcher of the filter and of find, the wide-text
// byte form of a cell text, colours, and the small drawing routines of the cell painter.
//
// No routine keeps state and none raises: text that does not parse gives 0 or false. Positions
// are 1-based and 0 means "not found", as the callers count them. Locale values (separators and
// the short date format) are read from FormatSettings() at each call; the overloads that take a
// TFormatSettings use those instead.
#include <QByteArray>
#include <QRect>
#include <QString>

#include <vector>

#include "platform/rtl/graphics.h"
#include "platform/rtl/sysutils.h"

class QImage;
class QWidget;
class TGridCanvas;

// ---------------------------------------------------------------------------------------------
// Text and scanning.

int CharPos(QChar c, const QString& s);
// CharPos that also stores a found position in pos (pos is left alone when c is absent).
int CharPosIn(QChar c, const QString& s, int& pos);
// Position of sub in s, also stored in pos.
int PosOut(const QString& sub, const QString& s, int& pos);
// Position of sub in the upper-cased s; sub is taken as given.
int PosUpper(const QString& sub, const QString& s);
// The first character of s that is one of `set`; a null QChar when none is.
QChar FirstCharInSet(const QString& set, const QString& s);
// When delim is in s: head = the text before it and s loses the head and the delimiter;
// otherwise head is empty and s stays as it was.
void CutBeforeDelimiter(QString& s, QChar delim, QString& head);
// Every character of s becomes c; the length is kept.
void FillChars(QString& s, QChar c);
inline int MaxOf(int a, int b) { return a > b ? a : b; }
inline int MinOf(int a, int b) { return a < b ? a : b; }
// True when the point lies in the rectangle, its edges included: x from r.left() up to and
// including r.left() + r.width() (the right edge as the runtime's rectangles keep it), y alike.
bool PtInRectIncl(const QRect& r, int x, int y);
// "A".."Z" to lower case; every other character unchanged.
QChar LowerCaseChar(QChar c);
QString StripCR(const QString& s);
// Each backslash followed by "n" becomes a CR.
QString LiteralNewlines(const QString& s);
// Name case for the mixed-case editor: "mcdonald o'neil-smith iii" -> "McDonald O'Neil-Smith III".
QString MixedCaseName(const QString& s);
// True when s holds "://" or "mailto:".
bool IsURL(const QString& s);
// Removes everything up to and including "://", else up to and including "mailto:".
void StripURLPrefix(QString& s);
// An "R<row>C<col>" reference (any case, at least 4 characters); false when either number is
// missing or not a number.
bool ParseRCReference(const QString& s, int& col, int& row);
// Combines a measured size with limits (auto-sizing): def when a = b; b when 0 < b < def; a
// when a > def and a > 0; else def.
int PickDimension(int def, int a, int b);

// ---------------------------------------------------------------------------------------------
// Quoting, lines and the delimited-text helpers.

// s read as bytes of the ANSI code page (Windows-1252) re-read in the OEM code page (850), the
// form in which DOS-made files arrive.
void OemToAnsiText(QString& s);
// When s holds q: each doubled q becomes one q and every single q is dropped.
QString UndoubleQuoteChar(QChar q, const QString& s);
// Every CR LF becomes the character 11, then s is enclosed in double quotes.
void LinesToQuotedCell(QString& s);
// When s holds the character 11, each one becomes CR LF (quotes are left alone).
void QuotedCellToLines(QString& s);
// Each "~" becomes CR LF.
void TildeToLineBreak(QString& s);
// Position of the last character of the first run of c whose length is odd (doubled characters
// are passed over); a run that reaches the end counts whatever its length. Also stored in pos;
// 0 when there is none. With c = '"' it finds the closing quote of a quoted field.
int PosOddRun(QChar c, const QString& s, int& pos);
// The number of such runs: each found run and everything before it is cut off and the search
// repeats.
int CountOddRuns(QChar c, const QString& s);
int CountCharIn(QChar c, const QString& s);
// One line of the grid text stream: when s holds a CR, every CR becomes the character 9 and
// every LF the character 8.
QString CRToStreamText(const QString& s);
// Undoes CRToStreamText when the text holds the character 8.
QString StreamTextToCR(const QString& s, bool multiLine);
// With multiLine the number of CRs plus one, else 1.
int LineCountOf(const QString& s, bool multiLine);

// ---------------------------------------------------------------------------------------------
// Numbers.

// A number's text prepared for conversion with "." as decimal point: "(1.234,50)" -> "-1234.50"
// with German settings. Leading characters up to a digit, "E", "e" or a separator are dropped (a
// dropped "-" makes the value negative), thousand separators skipped, and the first character
// that cannot belong to a number ends it.
QString StripThousandSeparators(const QString& s);
QString StripThousandSeparators(const QString& s, const TFormatSettings& fs);
// Thousand separators dropped, the decimal separator turned into ".".
QString NormalizeNumber(const QString& s);
QString NormalizeNumber(const QString& s, const TFormatSettings& fs);
// 0 integer, 1 number with separators, 2 not a number.
enum TNumberTextKind { ntInteger = 0, ntFloat = 1, ntNoNumber = 2 };
int IsNumberText(const QString& s);
int IsNumberText(const QString& s, const TFormatSettings& fs);

// ---------------------------------------------------------------------------------------------
// Dates. A date that does not parse gives 0 (or false).

// Day, month and year around the first of "/", "." and "-" found in s; a year below 100 gets its
// century (up to 25: 2000, else 1900).
TDateTime ParseDateDMY(const QString& s);
TDateTime ParseDateMDY(const QString& s);
// Three numbers split at the date separator, read as day, month and year in the order of "D",
// "M" and "Y" in the short date format.
bool ParseShortDate(const QString& s, TDateTime& date);
bool ParseShortDate(const QString& s, TDateTime& date, const TFormatSettings& fs);
// True when the date separator stands after the first position and once more after that.
bool DateSeparatorCount(const QString& s);
bool DateSeparatorCount(const QString& s, const TFormatSettings& fs);
// Series fill: only days set adds days; only years set gives the same day that many years on;
// only months set adds months (whole years carried); otherwise adds `step` days. A day beyond
// the target month's end becomes its last day. The time of day is kept.
TDateTime IncDatePart(int years, int months, int days, int step, TDateTime date);

// ---------------------------------------------------------------------------------------------
// Condition matching (filter and find).

// A condition of parts joined by "&" (and) or ";", "^", "|" (or), strictly left to right. A
// part is ">v", ">=v", "<v", "<=v" (compared as numbers, else as dates, else as texts) or a
// wildcard mask ("*", "?", backslash for a literal, a leading "!" negates).
bool MatchCondition(const QString& condition, const QString& text, bool ignoreCase);
bool MatchCondition(const QString& condition, const QString& text, bool ignoreCase, const TFormatSettings& fs);
bool MatchPart(const QString& part, const QString& text, bool ignoreCase);
bool MatchPart(const QString& part, const QString& text, bool ignoreCase, const TFormatSettings& fs);

// ---------------------------------------------------------------------------------------------
// Wide text in a byte cell text, and cell text kinds.

// "|\" followed by two bytes per UTF-16 unit, high byte first.
QByteArray WideToCellText(const QString& w);
// The reverse for a text that begins with "|\" (an odd trailing byte is ignored); any other text
// is read in the ANSI code page.
QString CellTextToWide(const QByteArray& s);
// Position of sub in s; 0 when it is absent or either is empty.
int WideStrPos(const QString& sub, const QString& s);
// The same after upper-casing both.
int WidePosNoCase(const QString& sub, const QString& s);

enum TCellTextKind { ctkPlain = 0, ctkHTML = 1, ctkRichText = 2, ctkFormula = 3, ctkWide = 5 };
// The kind of a cell text by its first characters: "=" formula, "|\" wide (a wide formula when
// its fourth character is "="), "{\" rich text, "</", "<B" or "<I" HTML while HTML is enabled.
int CellTextKind(const QString& text, bool htmlEnabled);

// Upper case character by character, so that positions in the result are those of the input
// (ß stays ß rather than becoming "SS").
QString UpperSameLength(const QString& s);

// ---------------------------------------------------------------------------------------------
// Colours.

// Red, green and blue halved; a system colour is resolved first.
TColor DarkerColor(TColor c);
// The colour at pos on a linear ramp from `from` (at from0) to `to` (at to0); `from` when `to` is
// clNone or the ramp has no length.
TColor BlendColor(TColor from, TColor to, int pos, int from0, int to0);

// ---------------------------------------------------------------------------------------------
// Drawing. The geometry of each drawing is a window-free function; the Draw routines put it on
// a grid canvas.

struct TGradientBand {
    QRect Rect;
    TColor Color = clNone;
};
// The bands of a gradient fill: `steps` (at least 1) bands of equal size across the rectangle,
// left to right when horizontal, else top to bottom, each one pixel longer than its step (within
// the rectangle) so that no gap shows; none when `to` is clNone.
std::vector<TGradientBand> GradientBands(TColor from, TColor to, int steps, bool horizontal, const QRect& r);

struct TProgressColors {
    TColor Bar = clNone;       // the filled part
    TColor BarText = clNone;   // text over the filled part
    TColor Back = clNone;      // the rest
    TColor BackText = clNone;  // text over the rest
    TColor Frame = clNone;     // clNone: no frame
};
struct TProgressLayout {
    QRect Inner;      // the rectangle less the insets
    QRect Bar;        // the filled part (empty at 0 %)
    QRect Rest;       // the part right of the bar
    int Percent = 0;  // 0..100
    QString Text;
};
// The share of value between min and max, rounded; 0 when the range is empty, and the bar limited
// to the rectangle for values outside the range. The text is the percentage and "%", or `format`
// applied to the value and the percentage.
TProgressLayout ProgressLayout(const QRect& r, int min, int max, int value, int insetX, int insetY,
                               const QString& format = QString());

struct TRangeLayout {
    QRect Inner;  // the rectangle inset by 2
    QRect Bar;    // from the centre to the right (positive) or to the left (negative)
    bool Positive = true;
    QString Text;
};
// value limited to +-range; an empty bar when range is 0 or less.
TRangeLayout RangeIndicatorLayout(const QRect& r, double value, double range);

// The points of the error zig-zag from x0 to x1 (2 pixels a step) along y.
std::vector<QPoint> ErrorZigZag(int x0, int x1, int y);

// A copy of the picture in which every pixel of its top-left pixel's colour becomes `color`.
QImage ReplaceTopLeftColor(const QImage& picture, TColor color);

// Layered windows: the tool-tip's transparency. alpha 0..255; flags as the platform's (1 colour
// key, 2 alpha). False without a window.
inline constexpr unsigned LWA_COLORKEY = 1;
inline constexpr unsigned LWA_ALPHA = 2;
bool SetLayeredWindowAlpha(QWidget* window, TColor colorKey, int alpha, unsigned flags);
// Moves and sizes the window where given and applies the alpha; false without a window.
bool UpdateLayeredWindowEx(QWidget* window, const QPoint* position, const QSize* size, int alpha, unsigned flags);
