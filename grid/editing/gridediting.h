#pragma once
// The editing half's start-up: it starts the display half and installs the editing services
// through which the display half reaches this one (grid/display/gridservices.h).

// Run once before the first grid is made (by the program and by the grid tests' main); later
// calls only count.
void InitGridEditingUnit();
// Matches a start-up; the last one takes the editing services away again and switches rich-text
// drags off.
void DoneGridEditingUnit();
