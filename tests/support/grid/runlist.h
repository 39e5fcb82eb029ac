#pragma once
// The watch import's run list as its form makes it: a tick column bound to its text ("true" and
// "false"), four text columns under their headers and the run's XML in a column of no width.
#include "grid/display/extcgrid.h"

inline void MakeRunList(TExtColumnGrid& g)
{
    g.SetColCount(6);
    g.SetFixedCols(0);
    TGridColumnItem* tick = g.Columns()[0];
    tick->Editor = edCheckBox;
    tick->CheckTrue = QStringLiteral("true");
    tick->CheckFalse = QStringLiteral("false");
    tick->SetWidth(21);
    const char* headers[] = {"Datum", "Startzeit", "Distanz", "Zeit"};
    for (int c = 1; c <= 4; ++c)
        g.Columns()[c]->SetHeader(QString::fromUtf8(headers[c - 1]));
    g.Columns()[5]->SetWidth(0);
    g.SetRowCount(2);
    g.SetFixedRows(1);
}
