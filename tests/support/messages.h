#pragma once
// What tests of the texts users see share: the message an operation raises, and an English
// language module installed for a while.
#include <QCoreApplication>
#include <QDir>
#include <QString>
#include <QTranslator>

#include "platform/rtl/sysutils.h"
#include "tests/support/qstringprinter.h"

// The message of the exception of type E that f raises; "(nothing raised)" when f raises none.
template <class E = Exception, class F>
QString messageOf(F&& f)
{
    try {
        f();
    } catch (const E& e) {
        return e.Message();
    }
    return QStringLiteral("(nothing raised)");
}

// One module file of the English language module ("rtl_en"), as the build compiles it beside the
// program's binary, installed from construction until remove() or the end of the scope.
class EnglishModule {
public:
    explicit EnglishModule(const QString& name)
    {
        loaded_ = translator_.load(name, QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("../app/lang")));
        if (loaded_)
            QCoreApplication::installTranslator(&translator_);
    }
    ~EnglishModule() { remove(); }
    EnglishModule(const EnglishModule&) = delete;
    EnglishModule& operator=(const EnglishModule&) = delete;

    bool loaded() const { return loaded_; }
    // German again.
    void remove()
    {
        if (loaded_)
            QCoreApplication::removeTranslator(&translator_);
        loaded_ = false;
    }

private:
    QTranslator translator_;
    bool loaded_ = false;
};
