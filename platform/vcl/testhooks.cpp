#include "platform/vcl/testhooks.h"

#include <QMetaObject>

#include <deque>

namespace {

struct ShowModalScript {
    QString key;
    std::function<void(TForm&)> callback;
};

struct Script {
    bool active = false;
    ScriptedAnswers::FailureHandler onUnanswered;
    std::deque<TModalResult> messageAnswers;
    std::deque<std::pair<bool, QString>> inputAnswers;
    std::deque<QStringList> fileAnswers;
    std::deque<QString> folderAnswers;
    std::deque<std::optional<TColor>> colorAnswers;
    std::deque<ShowModalScript> forms;
    QList<RecordedMessage> messages;
    QList<RecordedFileDialog> fileDialogs;
};

Script& script()
{
    static Script s;
    return s;
}

QString typeName(TMsgDlgType t)
{
    switch (t) {
    case mtWarning: return QStringLiteral("warning");
    case mtError: return QStringLiteral("error");
    case mtInformation: return QStringLiteral("information");
    case mtConfirmation: return QStringLiteral("confirmation");
    case mtCustom: break;
    }
    return QStringLiteral("message");
}

}  // namespace

void ScriptedAnswers::activate(FailureHandler onUnanswered)
{
    script().active = true;
    script().onUnanswered = std::move(onUnanswered);
    InstallExceptionPresenter();
}

void ScriptedAnswers::deactivate()
{
    script().active = false;
}

bool ScriptedAnswers::active()
{
    return script().active;
}

void ScriptedAnswers::pushMessageAnswer(TModalResult answer)
{
    script().messageAnswers.push_back(answer);
}

void ScriptedAnswers::pushInputAnswer(bool ok, const QString& text)
{
    script().inputAnswers.emplace_back(ok, text);
}

void ScriptedAnswers::pushFileName(const QString& fileName)
{
    script().fileAnswers.push_back(fileName.isEmpty() ? QStringList() : QStringList{fileName});
}

void ScriptedAnswers::pushFileNames(const QStringList& fileNames)
{
    script().fileAnswers.push_back(fileNames);
}

void ScriptedAnswers::pushFolder(const QString& folder)
{
    script().folderAnswers.push_back(folder);
}

void ScriptedAnswers::pushColor(TColor color)
{
    script().colorAnswers.emplace_back(color);
}

void ScriptedAnswers::pushColorCancel()
{
    script().colorAnswers.emplace_back(std::nullopt);
}

void ScriptedAnswers::onShowModal(const QString& classOrObjectName, std::function<void(TForm&)> callback)
{
    script().forms.push_back({classOrObjectName, std::move(callback)});
}

const QList<RecordedMessage>& ScriptedAnswers::messages()
{
    return script().messages;
}

RecordedMessage ScriptedAnswers::lastMessage()
{
    return script().messages.isEmpty() ? RecordedMessage() : script().messages.last();
}

const QList<RecordedFileDialog>& ScriptedAnswers::fileDialogs()
{
    return script().fileDialogs;
}

QStringList ScriptedAnswers::unusedAnswers()
{
    QStringList r;
    const Script& s = script();
    for (TModalResult a : s.messageAnswers)
        r << QStringLiteral("message answer %1").arg(a);
    for (const auto& a : s.inputAnswers)
        r << QStringLiteral("input answer %1 \"%2\"").arg(a.first ? "OK" : "cancel", a.second);
    for (const auto& a : s.fileAnswers)
        r << QStringLiteral("file answer \"%1\"").arg(a.join(QStringLiteral("\", \"")));
    for (const auto& a : s.folderAnswers)
        r << QStringLiteral("folder answer \"%1\"").arg(a);
    for (const auto& a : s.colorAnswers)
        r << (a ? QStringLiteral("colour answer %1").arg(*a) : QStringLiteral("colour cancel"));
    for (const auto& f : s.forms)
        r << QStringLiteral("ShowModal callback for %1").arg(f.key);
    return r;
}

void ScriptedAnswers::clear()
{
    Script& s = script();
    s.messageAnswers.clear();
    s.inputAnswers.clear();
    s.fileAnswers.clear();
    s.folderAnswers.clear();
    s.colorAnswers.clear();
    s.forms.clear();
    s.messages.clear();
    s.fileDialogs.clear();
}

void ScriptedAnswers::reportFailure(const QString& message)
{
    if (script().onUnanswered)
        script().onUnanswered(message);
}

std::optional<TModalResult> ScriptedAnswers::takeMessageAnswer(const RecordedMessage& box)
{
    Script& s = script();
    if (!s.active)
        return std::nullopt;
    if (s.messageAnswers.empty()) {
        reportFailure(QStringLiteral("Unscripted %1 box: \"%2\"").arg(typeName(box.Type), box.Text));
        return mrCancel;
    }
    const TModalResult a = s.messageAnswers.front();
    s.messageAnswers.pop_front();
    return a;
}

void ScriptedAnswers::recordMessage(const RecordedMessage& box)
{
    script().messages.append(box);
}

std::optional<std::pair<bool, QString>> ScriptedAnswers::takeInputAnswer(const QString& caption, const QString& prompt)
{
    Script& s = script();
    if (!s.active)
        return std::nullopt;
    if (s.inputAnswers.empty()) {
        reportFailure(QStringLiteral("Unscripted input box \"%1\": \"%2\"").arg(caption, prompt));
        return std::make_pair(false, QString());
    }
    auto a = s.inputAnswers.front();
    s.inputAnswers.pop_front();
    return a;
}

std::optional<QStringList> ScriptedAnswers::takeFileNames(const RecordedFileDialog& dialog)
{
    Script& s = script();
    s.fileDialogs.append(dialog);
    if (!s.active)
        return std::nullopt;
    if (s.fileAnswers.empty()) {
        reportFailure(QStringLiteral("Unscripted %1 dialog \"%2\" (%3)")
                          .arg(dialog.Save ? "save" : "open", dialog.Title, dialog.Filter));
        return QStringList();
    }
    QStringList a = s.fileAnswers.front();
    s.fileAnswers.pop_front();
    return a;
}

std::optional<QString> ScriptedAnswers::takeFolder(const QString& caption)
{
    Script& s = script();
    if (!s.active)
        return std::nullopt;
    if (s.folderAnswers.empty()) {
        reportFailure(QStringLiteral("Unscripted folder dialog \"%1\"").arg(caption));
        return QString();
    }
    QString a = s.folderAnswers.front();
    s.folderAnswers.pop_front();
    return a;
}

std::optional<std::optional<TColor>> ScriptedAnswers::takeColor()
{
    Script& s = script();
    if (!s.active)
        return std::nullopt;
    if (s.colorAnswers.empty()) {
        reportFailure(QStringLiteral("Unscripted colour dialog"));
        return std::optional<TColor>();
    }
    auto a = s.colorAnswers.front();
    s.colorAnswers.pop_front();
    return a;
}

std::optional<bool> ScriptedAnswers::playShowModal(TForm& form)
{
    Script& s = script();
    if (!s.active)
        return std::nullopt;
    const QString cls = QString::fromLatin1(form.metaObject()->className());
    auto it = s.forms.begin();
    for (; it != s.forms.end(); ++it)
        if (it->key == cls || (!form.objectName().isEmpty() && it->key == form.objectName()))
            break;
    if (it == s.forms.end()) {
        reportFailure(QStringLiteral("Unscripted ShowModal of %1 \"%2\"").arg(cls, form.windowTitle()));
        return false;
    }
    auto callback = std::move(it->callback);
    s.forms.erase(it);
    callback(form);
    return true;
}

void ActivateScriptedDialogs(void (*onUnanswered)(const QString& message))
{
    ScriptedAnswers::activate(onUnanswered);
}
