#pragma once
// Fixture for the UI layer's tests: every test starts with no scripted answers and no recorded
// boxes and must use every answer it scripts.
#include <gtest/gtest.h>
#include <gtest/gtest-spi.h>

#include <QCoreApplication>
#include <QStringList>

#include <functional>

#include "platform/vcl/testhooks.h"
#include "tests/support/qstringprinter.h"

class VclTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ScriptedAnswers::clear();
        // Another test may have replaced the presenter; errors must reach the recorded box.
        InstallExceptionPresenter();
    }
    void TearDown() override
    {
        EXPECT_EQ(ScriptedAnswers::unusedAnswers(), QStringList());
        ScriptedAnswers::clear();
    }
};

// Runs code and returns the messages of the test failures it reported (without failing the test).
inline QStringList capturedFailures(const std::function<void()>& code)
{
    ::testing::TestPartResultArray results;
    {
        ::testing::ScopedFakeTestPartResultReporter reporter(
            ::testing::ScopedFakeTestPartResultReporter::INTERCEPT_ONLY_CURRENT_THREAD, &results);
        code();
    }
    QStringList messages;
    for (int i = 0; i < results.size(); ++i)
        messages << QString::fromStdString(results.GetTestPartResult(i).message());
    return messages;
}

// Lets the event loop handle what is queued, as the running program would.
inline void processQueuedEvents()
{
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}
