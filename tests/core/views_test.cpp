// The view registry: one view of a kind at a time, a stale unregistration changes nothing, and
// the program's windows register themselves for as long as they live.
#include <gtest/gtest.h>

#include "core/blockmanagerview.h"
#include "core/entrywindowview.h"
#include "core/main.h"
#include "core/mainwindowview.h"
#include "core/startup.h"
#include "core/views.h"
#include "tests/core/programfixture.h"
#include "traininglog/einheiteneingabe.h"

namespace {

struct Blockman : BlockManagerView {
    void UpdateListView() override {}
    void setTotals(const QString&, const QString&) override {}
};

TEST(Views, OneViewOfAKindAndStaleUnregistrationsChangeNothing)
{
    Blockman first, second;
    EXPECT_EQ(View<BlockManagerView>(), nullptr);
    RegisterView<BlockManagerView>(&first);
    EXPECT_EQ(View<BlockManagerView>(), &first);
    RegisterView<BlockManagerView>(&second);  // a new window of the kind replaces the old one
    EXPECT_EQ(View<BlockManagerView>(), &second);
    UnregisterView<BlockManagerView>(&first);  // the old one going changes nothing
    EXPECT_EQ(View<BlockManagerView>(), &second);
    UnregisterView<BlockManagerView>(&second);
    EXPECT_EQ(View<BlockManagerView>(), nullptr);
}

using WindowViews = ProgramTest;

TEST_F(WindowViews, TheMainAndEntryWindowsAreRegisteredWhileTheyLive)
{
    StartProgram({});
    ASSERT_TRUE(MainForm && eingabe);
    EXPECT_EQ(View<MainWindowView>(), static_cast<MainWindowView*>(MainForm));
    EXPECT_EQ(View<EntryWindowView>(), static_cast<EntryWindowView*>(eingabe));
    EXPECT_EQ(View<MainWindowView>()->getNavigator(), "Start");
    EXPECT_FALSE(View<EntryWindowView>()->Visible());
    FinishProgram();
    EXPECT_EQ(View<MainWindowView>(), nullptr);
    EXPECT_EQ(View<EntryWindowView>(), nullptr);
}

}  // namespace
