#pragma once
// The prefix search over the training units on the data module's search query navSuchen: every
// unit whose place, date or distance begins with the typed text, newest date last. The text is
// bound as a parameter (a quote in it is plain text); dates and numbers are compared by
// their text as the database shows them, so "Meter" 10 finds 10, 100, 1000 and so on.
#include <QString>
#include <QStringList>

class TQuery;

// The fields the search offers, in the order of the field choice.
QStringList UnitSearchFields();

// Runs the search and returns the number of matches. A field outside UnitSearchFields() finds
// nothing (the query is left closed) and gives -1.
int SearchUnitsByPrefix(TQuery& navSuchen, const QString& field, const QString& prefix);
