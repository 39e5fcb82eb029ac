#pragma once
// A data module with recorded window hooks, on a fresh copy of the template database, with the
// message boxes scripted.
#include <gtest/gtest.h>

#include "core/language.h"
#include "core/orvdbserver.h"
#include "platform/vcl/testhooks.h"
#include "tests/support/athletedb.h"
#include "tests/support/qstringprinter.h"

// Records what the data module asks of the main window.
class RecordingHooks : public TorvServerHooks {
public:
    void setCaption(const QString& caption) override { captions << caption; }
    bool runBackupWizard() override
    {
        ++backups;
        return backupSucceeds;
    }

    QStringList captions;
    int backups = 0;
    bool backupSucceeds = true;
};

class DataModuleTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ScriptedAnswers::clear();
        orvServer = &server;
        server.SetHooks(&hooks);
        server.DataModuleCreate(GermanFormatSettings());
    }
    void TearDown() override
    {
        server.closeDatabase();
        EXPECT_TRUE(ScriptedAnswers::unusedAnswers().isEmpty())
            << ScriptedAnswers::unusedAnswers().join(", ").toStdString();
        ScriptedAnswers::clear();
        orvServer = nullptr;
    }

    // Opens the test database; fails the test when it does not open.
    void open()
    {
        ASSERT_TRUE(server.openDatabase(db.path()));
    }

    QStringList activeDataSets() const
    {
        QStringList names;
        for (TDataSet* ds : server.DataSets())
            if (ds->Active())
                names << ds->Name();
        return names;
    }

    AthleteDatabase db;
    RecordingHooks hooks;
    TorvServer server;
};
