#pragma once
// A list report built at run time from a dataset and field names: a title band with the title
// centred, a column-header band with each field's display label and a detail band with one
// column per field, side by side from the left margin. A column is as wide as its widest text
// in the print's font (the label or any record's display text), so that no figure is cut; only
// free text beyond 40 characters ends in "…". A list too wide for a portrait page turns the page
// to landscape; columns that still do not fit go on to a further line of each record, under a
// further line of titles. `reservedRight` keeps that much room free at the right edge of every
// line (in the report's units) for what the caller puts there. `labelOf`, when given, turns a
// field's display label into the column's title (the caller's interface language), before the
// columns are measured.
// The header labels are named "Label_<field>", the detail texts "<field>".
#include <QStringList>

#include <functional>
#include <memory>

#include "platform/report/report.h"

class TDataSet;

using TListLabel = std::function<QString(const QString& displayLabel)>;

// Fills the report (which should have no bands yet) and returns it.
TReport& QRCreateList(TReport& report, TDataSet* dataSet, const QString& title, const QStringList& fieldNames,
                      double reservedRight = 0, const TListLabel& labelOf = {});
std::unique_ptr<TReport> QRCreateList(TDataSet* dataSet, const QString& title, const QStringList& fieldNames,
                                      double reservedRight = 0, const TListLabel& labelOf = {});
