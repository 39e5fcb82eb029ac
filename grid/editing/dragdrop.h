#pragma once
// The grid's drop target and what each kind of drop does to the grid (extgrid_dragdrop.cpp). The
// editing services register the target when DragDropSettings.OleDropTarget is switched on.
#include <QString>
#include <QStringList>
#include <Qt>

class TExtStringGrid;

// Makes the grid's drop target (once) and lets the grid's cells take drops; true when it is
// registered. Revoking removes it.
bool RegisterGridDropTarget(TExtStringGrid& Grid);
void RevokeGridDropTarget(TExtStringGrid& Grid);

// The drops at a cell (display column), each answering whether the drop was taken; a refused one
// changes nothing.
// Text: its cells (lines, TABs, quoted cells) pasted at the cell (with OleInsertRows into as many
// new rows), then selected; OnOleDrop may refuse it.
bool DropGridText(TExtStringGrid& Grid, int ACol, int ARow, const QString& Text, Qt::DropAction Effect);
// Rich text into the cell as it is.
bool DropGridRichText(TExtStringGrid& Grid, int ACol, int ARow, const QString& RichText);
// A header column: OnOleDropCol moves it.
bool DropGridColumn(TExtStringGrid& Grid, int ACol, int ARow, int DropCol);
// Exactly one file: a .csv file loads with LoadFromCSV, an .xls or .xlsx workbook's active sheet
// with LoadFromXLS; OnOleDropFile and OnOleDrop may refuse.
bool DropGridFiles(TExtStringGrid& Grid, int ACol, int ARow, const QStringList& Files);
