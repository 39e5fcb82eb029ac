#pragma once
// The grid's HTML-like cell mark-up: one routine, DrawHTMLText, measures a marked-up text, paints
// it into a rectangle of a grid canvas and hit-tests a point against its anchors, images and
// embedded form controls. Tags: A, B, BLINK, BODY, BR, CONTROL, E, FONT, HI, HR, I, IMG, IND, LI,
// P, R, S, SHAD, SUB, SUP, U, UL, Z and their closing tags; entities &amp; &quot; &lt; &gt; &nbsp;
// &sect; &permil; &reg; &copy; &para; &trade; &euro;. The text is parsed afresh on every call.
//
// Beside it the text helpers the grid and its editors use: the text without tags, highlighting a
// search text, and the embedded controls' tags.
#include <QList>
#include <QPixmap>
#include <QPoint>
#include <QRect>
#include <QString>

#include "platform/rtl/graphics.h"

class QWidget;
class TGridCanvas;
class TPictureContainer;
class THTMLPictureCache;

struct THTMLDrawInput {
    QRect Rect;                             // lines start at Left+1 and Top and stop at Bottom
    const QList<QPixmap>* Images = nullptr;  // "IDX:n" images
    QPoint Point{-1, -1};                   // the point to hit-test
    int FocusLink = -1;                     // 0-based anchor with a focus frame
    int HoverLink = -1;                     // 1-based anchor under the mouse
    int ShadowOffset = 1;
    // Only measure and hit-test; the control whose ID is ControlID counts as hit.
    bool HitTestOnly = false;
    // Only sizes: no hit, nothing painted.
    bool MeasureOnly = false;
    bool Print = false;
    // Anchors and FONT leave the colours alone (a selected cell).
    bool KeepColors = false;
    bool BlinkOn = true;
    // Anchors take the hover colours and the underline only while they are the HoverLink.
    bool HoverStyle = false;
    // Break lines at blanks; without, a line too long ends in an ellipsis.
    bool WordWrap = false;
    bool MouseDown = false;
    double ResFactor = 1.0;
    TColor URLColor = clBlue;
    TColor HoverColor = clNone;
    TColor HoverFontColor = clNone;
    TColor ShadowColor = clGray;
    THTMLPictureCache* PictureCache = nullptr;
    TPictureContainer* PictureContainer = nullptr;
    QWidget* Window = nullptr;
    QString ControlID;
};

struct THTMLDrawResult {
    bool Hit = false;        // on a control, or (HitTestOnly) on an anchor
    QString AnchorVal;       // the HREF under the point; "ctrl" on a control
    QString StripVal;        // the text without tags, a CR per <BR>
    QString FocusAnchor;
    QString AnchorTitle;
    int XSize = 0;           // the widest line
    int YSize = 0;           // the lines' heights; the height of "gh" without a line
    int HyperLinks = 0;
    int MouseLink = -1;      // 1-based anchor under the point
    QRect HoverRect;
    QRect ControlRect;
    QString ControlID;
    QString ControlValue;
    QString ControlType;
    int ImageHit = -1;       // the image under the point inside an anchor
    QString ImageHint;       // its ALT text
};

// Measures, paints and hit-tests the mark-up on the canvas; the canvas's font, font colour and
// brush are the start state and come back as they were.
THTMLDrawResult DrawHTMLText(TGridCanvas& Canvas, const QString& Text, const THTMLDrawInput& In);

// The text without tags; <BR> and <HR> become CR LF.
QString StripHTML(const QString& s);
// The colour of a mark-up colour value: "#RRGGBB" or a name ("clRed", any case); black otherwise.
TColor HTMLColor(const QString& value);

// Wraps every occurrence of `find` in the text (outside the tags) in <tag> and </tag>.
QString HighlightText(const QString& html, const QString& find, const QString& tag, bool caseSensitive);
// Removes every <tag> and </tag>, in any case.
QString UnHighlightText(const QString& html, const QString& tag);

// Embedded controls: <CONTROL TYPE="EDIT" ID="x" VALUE="v" WIDTH="80" PROP="p">.
struct THTMLControl {
    QString Type;  // upper case
    QString ID;
    QString Value;  // entities decoded
    QString Width;
    QString Prop;
};
bool HasHTMLControls(const QString& text);
THTMLControl ParseControlTag(const QString& tag);
QString NextEditableControlID(const QString& text, const QString& afterID);
QString GetControlProp(const QString& text, const QString& id);
// Rewrites the control's tag with the new value; false when no control has that ID.
bool SetControlValue(QString& text, const QString& id, const QString& value);
QString DecodeControlEntities(QString s);
QString EncodeControlEntities(QString s);
