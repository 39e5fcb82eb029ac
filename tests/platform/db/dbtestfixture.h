#pragma once
// A small athlete-like database in a temporary folder, created with sqlite3 directly (the layer
// itself never creates files), and an event log that records the order of dataset and data
// source events.
#include <gtest/gtest.h>

#include <QStringList>

#include <sqlite3.h>

#include "platform/db/connection.h"
#include "platform/db/datasource.h"
#include "platform/db/query.h"
#include "platform/db/table.h"
#include "tests/support/testenv.h"
#include "tests/support/qstringprinter.h"

class DbTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Runs SQL on a second connection of its own, as another program or dataset would.
    void exec(const QString& sql);
    QVariant scalar(const QString& sql);

    TempFolder tmp;
    QString fileName;
    TConnection conn;
};

// Records every event of a dataset and of a data source over it, by name.
class EventLog {
public:
    void attach(TDataSet& ds, TDataSource* src = nullptr);
    QStringList take()
    {
        QStringList l = log;
        log.clear();
        return l;
    }
    QStringList log;
};
