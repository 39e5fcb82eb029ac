#pragma once
// The texts a user reads in a calculator window, by control, and the check that the English
// language module replaces every one of them.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QGroupBox>
#include <QLabel>
#include <QMap>
#include <QRegularExpression>
#include <QTabWidget>

#include <functional>
#include <memory>

#include "tests/support/messages.h"

inline QMap<QString, QString> CalculatorWindowTexts(QWidget* window)
{
    QMap<QString, QString> texts;
    auto add = [&texts](const QString& key, const QString& text) {
        if (text.contains(QRegularExpression(QStringLiteral("\\p{L}"))))
            texts.insert(key, text);
    };
    add(QStringLiteral("title"), window->windowTitle());
    for (QWidget* w : window->findChildren<QWidget*>()) {
        const QString key = w->objectName() + '@' + w->metaObject()->className();
        if (!w->toolTip().isEmpty())
            add(key + ".hint", w->toolTip());
        if (auto* l = qobject_cast<QLabel*>(w))
            add(key, l->text());
        else if (auto* b = qobject_cast<QAbstractButton*>(w))
            add(key, b->text());
        else if (auto* g = qobject_cast<QGroupBox*>(w))
            add(key, g->title());
        else if (auto* t = qobject_cast<QTabWidget*>(w))
            for (int i = 0; i < t->count(); ++i)
                add(key + QString::number(i), t->tabText(i));
    }
    return texts;
}

// Creates the window once in German and once with the module, and expects every German text to
// read differently in English, apart from the words that are the same in both.
inline void ExpectTranslated(const QString& module, const std::function<std::unique_ptr<QWidget>()>& create,
                             const QStringList& same = {})
{
    const QMap<QString, QString> german = CalculatorWindowTexts(create().get());
    EnglishModule english(module);
    ASSERT_TRUE(english.loaded()) << module.toStdString();
    const QMap<QString, QString> translated = CalculatorWindowTexts(create().get());
    QStringList untranslated;
    for (auto it = german.cbegin(); it != german.cend(); ++it)
        if (translated.value(it.key()) == it.value() && !same.contains(it.value()))
            untranslated << it.key() + " = " + it.value();
    EXPECT_TRUE(untranslated.isEmpty()) << module.toStdString() << ": " << untranslated.join('\n').toStdString();
}

// Types the characters into the widget as key presses, as a user at the keyboard would.
inline void TypeText(QWidget* w, const QString& text)
{
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, c.isDigit() || c.isLetter() ? int(c.toUpper().unicode()) : 0, Qt::NoModifier,
                        QString(c));
        QApplication::sendEvent(w, &press);
    }
}
