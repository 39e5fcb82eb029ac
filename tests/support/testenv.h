#pragma once
// Temporary folders for tests and the environment variables that point the program's config
// folder, user data folder and program folder at them (see platform/rtl/folders.h).
#include <QByteArray>
#include <QList>
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

// The desktop's regional settings for the life of the object: the locale variables are set as
// given (an empty value unsets one) and put back as they were afterwards.
class DesktopLocaleScope {
public:
    explicit DesktopLocaleScope(const char* all, const char* time = "", const char* numeric = "", const char* lang = "");
    ~DesktopLocaleScope();
    DesktopLocaleScope(const DesktopLocaleScope&) = delete;
    DesktopLocaleScope& operator=(const DesktopLocaleScope&) = delete;

private:
    struct Saved {
        const char* name;
        bool set;
        QByteArray value;
    };
    QList<Saved> saved_;
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
