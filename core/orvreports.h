#pragma once
// The reports of the data module's report project, made afresh from the open database at each
// run and sent through its report system (the output-options dialog decides where to):
// - "Liste": every training unit in date order on landscape pages, with the sum of the metres,
//   the number of units and the sum of the height differences after the last one, and the page
//   number at the foot of each page;
// - "Einheit": the current unit (as the entry window shows it, unsaved changes included) on a
//   portrait page in the sections Allgemein, Strecke, Leistung, Bio and Anderes;
// - "Zwischenzeiten": the split rows (or heart-rate samples) of the current unit as the split
//   grid shows them, on landscape pages.
// Each report reads through datasets of its own, so printing neither moves nor saves the unit
// being edited.
#include <memory>

class TReport;
class TorvServer;

std::unique_ptr<TReport> BuildListeReport(TorvServer& server);
std::unique_ptr<TReport> BuildEinheitReport(TorvServer& server);
// hrm: the unit's heart-rate samples in place of its splits.
std::unique_ptr<TReport> BuildZwischenzeitenReport(TorvServer& server, bool hrm);
