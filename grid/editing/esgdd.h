#pragma once
// Drag and drop of grid data between grids and with other programs, over the toolkit's drag and
// drop: what a drag carries (text, rich text, a header column of a grid of this process, local
// files), the drag loop the source runs, and the rule for the action a drop takes.
//
// The formats: "text/plain" (the cells as text), "text/rtf" (rich text, only while rich-text
// drags are on), "application/x-extstringgrid-column" (a header column; its process's id goes
// with it, so that another process's column is not taken) and "text/uri-list" (files; only local
// files count).
#include <QList>
#include <QString>
#include <QStringList>
#include <Qt>

#include <functional>

class QMimeData;
class QWidget;

extern const char* const kGridColumnMimeType;
extern const char* const kRichTextMimeType;

// Whether rich text is offered in drags and taken from drops (OleDropRTF sets it); off at first
// and again after the unit's end.
bool RichTextDrag();
void SetRichTextDrag(bool On);

// What a drag offers, as the drop target reads it.
struct TDragFormats {
    bool Text = false;
    bool Files = false;
    bool Column = false;
    bool RichText = false;
};
TDragFormats DragFormatsOf(const QMimeData* Data);
QString DraggedText(const QMimeData* Data);
QString DraggedRichText(const QMimeData* Data);
// The dragged header column; -1 when there is none or it comes from another process.
int DraggedColumn(const QMimeData* Data);
// The local files of the drag.
QStringList DraggedFiles(const QMimeData* Data);

// The drag data of a text drag (rich text only while rich-text drags are on) and of a column drag.
QMimeData* TextDragData(const QString& Text, const QString& RichText);
QMimeData* ColumnDragData(int Column);

// Runs a drag of the data (which it takes over) from the source and answers the action the drop
// took: Qt::IgnoreAction when the target refused it or the user cancelled (Escape).
Qt::DropAction RunGridDrag(QWidget* Source, QMimeData* Data, Qt::DropActions Allowed);
// The drag loop; tests put one in that delivers the data to a target as a user's drag would. An
// empty function puts back the toolkit's.
using TGridDragLoop = std::function<Qt::DropAction(QWidget* Source, QMimeData* Data, Qt::DropActions Allowed)>;
void SetGridDragLoop(TGridDragLoop Loop);

Qt::DropAction StartTextDrag(QWidget* Source, const QString& Text, const QString& RichText, Qt::DropActions Allowed);
Qt::DropAction StartColumnDrag(QWidget* Source, int Column, Qt::DropActions Allowed);

// The action of a drop: copy with Ctrl held, else move when the source allows moving, else copy.
Qt::DropAction DropEffect(Qt::KeyboardModifiers Modifiers, Qt::DropActions Possible);
