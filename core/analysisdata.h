#pragma once
// The athlete's data for the analysis workbooks. The workbooks' pivot tables cannot read the
// athlete's database themselves here, so the program hands them the data as a workbook of its
// own in the user's analysis folder: the workbooks refer to its sheets.
#include <QString>

#include "platform/office/officeresult.h"

class TConnection;

// "DB/Pivot/Analysedaten.xlsx" in the user's data folder (the folder is created).
QString AnalysisDataFile();

// Writes the data workbook: sheet "Einheiten" with every unit in date order and the names of
// its sport, form, load level and load type beside their ids; sheet "Zeitraumstat" with the
// rows of the period statistics' view. Row 1 holds the column names. Dates and times are
// written as dates and times, numbers as numbers. An error of the database or of the save
// comes back as the result; an existing workbook then stays as it was.
OfficeResult<void> WriteAnalysisData(TConnection& db, const QString& fileName);
