#pragma once
// The unit list of the unit-selection windows and the prefix search beside it: the read-only
// list of every training unit in a grid, opened with the program's date format and standing on
// the newest unit, and the search over the data module's navSuchen in a second grid, whose
// result the list can move to.
#include <QList>
#include <QString>

class QComboBox;
class QLabel;
class TDataSource;
class TDBGrid;
class TQuery;

// A column of a list: the field, its title (empty: the field's own) and its width in pixels.
struct TUnitListColumn {
    QString Field;
    QString Title;
    int Width = 64;
};

// Connects the read-only list query with the statement to the program's database, shows it
// through the data source in the grid (whole rows selected) with the columns.
void SetUpUnitList(TQuery& list, TDataSource& source, TDBGrid* grid, const QString& sql,
                   const QList<TUnitListColumn>& columns);

// Opens the list the first time (date and time in the program's formats), moves to its newest
// unit and gives the grid the focus.
void ShowUnitList(TQuery& list, TDBGrid* grid);

// Shows the search result in the grid with the columns and offers the search fields, none chosen.
void SetUpUnitSearch(TDBGrid* results, const QList<TUnitListColumn>& columns, QComboBox* fields);

// Searches for the text in the chosen field (the first one when none is chosen) and shows the
// number of matches. A search that fails leaves the result list empty and the count as it was.
void RunUnitSearch(QComboBox* fields, const QString& text, QLabel* count);

// Moves the list to the unit the search result stands on; without one the user is told that no
// record is selected.
void GoToSearchResult(TQuery& list);

