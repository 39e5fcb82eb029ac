#pragma once
// What the source files of the grids share.
namespace griddetail {

// The runtime's error for a column or row index outside the grid.
[[noreturn]] void gridIndexError();

}  // namespace griddetail
