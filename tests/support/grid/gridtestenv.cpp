// The grid test program's start-up: both halves of the grid library are started, as the program
// starts them, and the fixed-pitch measurer is installed for every test.
#include <gtest/gtest.h>

#include "grid/editing/gridediting.h"
#include "tests/support/grid/fixedmeasurer.h"

const FixedPitchMeasurer& TestMeasurer()
{
    static const FixedPitchMeasurer measurer;
    return measurer;
}

namespace {

class GridTestEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        InitGridEditingUnit();
        SetGridTextMeasurer(&TestMeasurer());
    }
};

[[maybe_unused]] ::testing::Environment* const gridEnvironment =
    ::testing::AddGlobalTestEnvironment(new GridTestEnvironment);

}  // namespace
