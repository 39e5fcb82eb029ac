#pragma once
// A list report built at run time from a dataset and field names: a title band with the title
// centred, a column-header band with each field's label and a detail band with one
// column per field, side by side from the left margin. A column is as wide as the field's display
// width (at most 40 characters) or its label, whichever is wider; a list too wide for a portrait
// page turns the page to landscape, and one too wide for that is narrowed to fit.
// The header labels are named "Label_<field>", the detail texts "<field>".
#include <QStringList>

#include <memory>

#include "platform/report/report.h"

class TDataSet;

// Fills the report (which should have no bands yet) and returns it. A column's header is its entry
// of labels where one is given (the titles a window shows for the fields, in its language), else
// the field's display label.
TReport& QRCreateList(TReport& report, TDataSet* dataSet, const QString& title, const QStringList& fieldNames,
                      const QStringList& labels = {});
std::unique_ptr<TReport> QRCreateList(TDataSet* dataSet, const QString& title, const QStringList& fieldNames,
                                      const QStringList& labels = {});
