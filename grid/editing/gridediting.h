#pragma once
// The editing half's start-up: it starts the display half and installs the editing services
// through which the display half reaches this one (grid/display/gridservices.h).

// Run once before the first grid is made (by the program and by the grid tests' main); later
// calls do nothing.
void InitGridEditingUnit();
