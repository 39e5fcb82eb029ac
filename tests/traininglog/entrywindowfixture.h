#pragma once
// The program started on a test database as a user starts it, with German format settings and a
// screen 800 pixels wide; the settings and the screen width are put back after each test.
#include <gtest/gtest.h>

#include <QApplication>

#include "core/main.h"
#include "core/orvdbserver.h"
#include "tests/core/programfixture.h"
#include "tests/support/athletedb.h"
#include "traininglog/einheiteneingabe.h"

class EntryWindowFixture : public ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        savedSettings_ = FormatSettings();
        FormatSettings() = GermanFormatSettings();
        SetScreenWidthSource([] { return 800; });
    }
    void TearDown() override
    {
        ProgramTest::TearDown();
        SetScreenWidthSource({});
        FormatSettings() = savedSettings_;
    }

    // Starts the program on the test database; the entry window shows it.
    void startProgram()
    {
        StartProgram({db.path()});
        ASSERT_NE(eingabe, nullptr);
        ASSERT_TRUE(eingabe->isVisible());
        QApplication::setActiveWindow(MainForm);
    }

    AthleteDatabase db;

private:
    TFormatSettings savedSettings_;
};
