#pragma once
// Shared values of the runtime's standard controls.

// The styles of a combo box: an editable drop-down (the default), an always open list with an
// edit (simple), a list only, and the two list-only styles whose items the owner draws (of one
// height, or each of its own height).
enum TComboBoxStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };
