#pragma once
// Temporary folders for tests and the environment variables that point the program's config
// folder, user data folder and program folder at them (see platform/rtl/folders.h).
#include <QString>
#include <QTemporaryDir>

class TestEnvironment {
public:
    TestEnvironment();
    ~TestEnvironment();
    TestEnvironment(const TestEnvironment&) = delete;
    TestEnvironment& operator=(const TestEnvironment&) = delete;

    QString root() const { return dir_.path(); }

private:
    QTemporaryDir dir_;
};

// A fresh temporary folder per test; removed with the object.
class TempFolder {
public:
    TempFolder();
    QString path() const { return dir_.path(); }
    // Full name of a file inside the folder.
    QString file(const QString& name) const;
    // Writes bytes to a file inside the folder and returns its full name.
    QString write(const QString& name, const QByteArray& bytes) const;

private:
    QTemporaryDir dir_;
};

// Full name of a file of the source tree, given relative to its top ("resources/db/schema.sql").
QString SourceFile(const QString& relative);
