#pragma once
// The tools catalogue's tree: the categories of the table "tools" and the tools of each.
#include <QList>
#include <QString>

class TConnection;

struct TToolNode {
    QString Name;
    int Id = -1;
};

struct TToolCategory {
    QString Name;  // empty for tools without a category
    QList<TToolNode> Tools;
};

// Each distinct category with its tools. The category is bound as a parameter and compared for
// equality, so a quote in it cannot break the query and "%" or "_" match only themselves. A
// category that is NULL gives an empty node without tools, as the catalogue always showed it.
// The database layer's error when a query fails.
QList<TToolCategory> ReadToolCategories(TConnection& db);
