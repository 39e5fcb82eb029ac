#include "core/language.h"

#include <QCoreApplication>
#include <QDir>
#include <QTranslator>

#include <algorithm>

#include "platform/rtl/folders.h"

namespace {

std::shared_ptr<const TLanguageModule>& currentModule()
{
    static std::shared_ptr<const TLanguageModule> module;
    return module;
}

const TMessageEntry* findEntry(int id)
{
    const auto table = MessageTable();
    const auto it = std::lower_bound(table.begin(), table.end(), id,
                                     [](const TMessageEntry& e, int v) { return e.Id < v; });
    return it != table.end() && it->Id == id ? &*it : nullptr;
}

}  // namespace

TLanguageModule::~TLanguageModule() = default;

void SetLanguageModule(std::shared_ptr<const TLanguageModule> module)
{
    currentModule() = std::move(module);
}

std::shared_ptr<const TLanguageModule> LanguageModule()
{
    return currentModule();
}

QString GermanMessage(int id)
{
    const TMessageEntry* e = findEntry(id);
    return e ? QString::fromUtf8(e->Text) : QString();
}

QString LoadStr(int id)
{
    const TMessageEntry* e = findEntry(id);
    if (!e)
        return QString();
    const QString german = QString::fromUtf8(e->Text);
    if (const auto& module = currentModule())
        return module->Text(id, german);
    return german;
}

TTranslationModule::~TTranslationModule()
{
    if (installed_ && QCoreApplication::instance())
        for (const auto& t : translators_)
            QCoreApplication::removeTranslator(t.get());
}

std::shared_ptr<TTranslationModule> TTranslationModule::Load(const QString& folder, const QString& code)
{
    std::shared_ptr<TTranslationModule> module(new TTranslationModule);
    const QDir dir(folder);
    const QStringList names = dir.entryList({QStringLiteral("*_%1.qm").arg(code)}, QDir::Files, QDir::Name);
    for (const QString& name : names) {
        auto translator = std::make_unique<QTranslator>();
        const QString fn = dir.filePath(name);
        if (!translator->load(fn))
            continue;
        module->translators_.push_back(std::move(translator));
        module->files_.append(fn);
    }
    if (module->translators_.empty())
        return nullptr;
    return module;
}

QString TTranslationModule::Text(int id, const QString& german) const
{
    const QByteArray source = german.toUtf8();
    const QByteArray disambiguation = QByteArray::number(id);
    for (const auto& t : translators_) {
        const QString s = t->translate("language", source.constData(), disambiguation.constData());
        if (!s.isEmpty())
            return s;
    }
    return QString();
}

void TTranslationModule::InstallTranslators()
{
    if (installed_ || !QCoreApplication::instance())
        return;
    for (const auto& t : translators_)
        QCoreApplication::installTranslator(t.get());
    installed_ = true;
}

QString LanguageFolder()
{
    return ProgramFile(QStringLiteral("lang"));
}

bool ActivateLanguage(const QString& code)
{
    auto module = TTranslationModule::Load(LanguageFolder(), code);
    if (!module)
        return false;
    module->InstallTranslators();
    SetLanguageModule(std::move(module));
    return true;
}
