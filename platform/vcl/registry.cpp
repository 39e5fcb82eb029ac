#include "platform/vcl/registry.h"

#include <QCoreApplication>
#include <QDir>

#include "platform/rtl/folders.h"
#include "platform/rtl/inifiles.h"

namespace {

QString rootName(HKEY root)
{
    switch (root) {
    case HKEY_CLASSES_ROOT: return QStringLiteral("HKEY_CLASSES_ROOT");
    case HKEY_CURRENT_USER: return QStringLiteral("HKEY_CURRENT_USER");
    case HKEY_LOCAL_MACHINE: return QStringLiteral("HKEY_LOCAL_MACHINE");
    case HKEY_USERS: return QStringLiteral("HKEY_USERS");
    default: break;
    }
    return QStringLiteral("HKEY_%1").arg(root, 8, 16, QLatin1Char('0'));
}

// "a\\b\" -> "a\b": no empty parts, no leading or trailing separator.
QString normalized(const QString& path)
{
    return path.split(QLatin1Char('\\'), Qt::SkipEmptyParts).join(QLatin1Char('\\'));
}

QString dataFailed(const QString& name)
{
    return QCoreApplication::translate("Registry", "Fehler beim Abrufen der Daten für '%1'").arg(name);
}

}  // namespace

TRegistry::TRegistry() : TRegistry(DefaultFileName()) {}

TRegistry::TRegistry(const QString& fileName) : ini_(std::make_unique<TIniFile>(fileName)) {}

TRegistry::~TRegistry() = default;

QString TRegistry::DefaultFileName()
{
    return QDir(ConfigDir()).filePath(QStringLiteral("registry.ini"));
}

void TRegistry::SetRootKey(HKEY root)
{
    CloseKey();
    root_ = root;
}

QString TRegistry::resolve(const QString& key) const
{
    if (key.startsWith(QLatin1Char('\\')) || !open_)
        return normalized(key);
    return normalized(current_ + QLatin1Char('\\') + key);
}

QString TRegistry::SectionOf(const QString& path) const
{
    const QString p = normalized(path);
    return p.isEmpty() ? rootName(root_) : rootName(root_) + QLatin1Char('\\') + p;
}

bool TRegistry::OpenKey(const QString& key, bool canCreate)
{
    const QString path = resolve(key);
    if (!canCreate && !KeyExists(QLatin1Char('\\') + path))
        return false;
    current_ = path;
    open_ = true;
    readOnly_ = false;
    return true;
}

bool TRegistry::OpenKeyReadOnly(const QString& key)
{
    if (!OpenKey(key, false))
        return false;
    readOnly_ = true;
    return true;
}

void TRegistry::CloseKey()
{
    current_.clear();
    open_ = false;
    readOnly_ = false;
}

bool TRegistry::KeyExists(const QString& key) const
{
    const QString section = SectionOf(resolve(key));
    if (ini_->SectionExists(section))
        return true;
    QStringList sections;
    ini_->ReadSections(sections);
    const QString prefix = section + QLatin1Char('\\');
    for (const QString& s : sections)
        if (s.startsWith(prefix, Qt::CaseInsensitive) && ini_->SectionExists(s))
            return true;
    return false;
}

bool TRegistry::DeleteKey(const QString& key)
{
    const QString path = resolve(key);
    if (path.isEmpty() || !KeyExists(QLatin1Char('\\') + path))
        return false;
    const QString section = SectionOf(path);
    QStringList sections;
    ini_->ReadSections(sections);
    const QString prefix = section + QLatin1Char('\\');
    try {
        for (const QString& s : sections)
            if (s.compare(section, Qt::CaseInsensitive) == 0 || s.startsWith(prefix, Qt::CaseInsensitive))
                ini_->EraseSection(s);
    } catch (const Exception& e) {
        throw ERegistryException(e.Message());
    }
    return true;
}

bool TRegistry::ValueExists(const QString& name) const
{
    return open_ && ini_->ValueExists(SectionOf(current_), name);
}

bool TRegistry::DeleteValue(const QString& name)
{
    if (!ValueExists(name) || readOnly_)
        return false;
    try {
        ini_->DeleteKey(SectionOf(current_), name);
    } catch (const Exception& e) {
        throw ERegistryException(e.Message());
    }
    return true;
}

void TRegistry::GetValueNames(QStringList& names) const
{
    names.clear();
    if (open_)
        ini_->ReadSection(SectionOf(current_), names);
}

QString TRegistry::ReadString(const QString& name) const
{
    if (!open_)
        return QString();
    return ini_->ReadString(SectionOf(current_), name, QString());
}

int TRegistry::ReadInteger(const QString& name) const
{
    if (!ValueExists(name))
        throw ERegistryException(dataFailed(name));
    int value = 0;
    if (!TryStrToInt(ReadString(name).trimmed(), value))
        throw ERegistryException(QCoreApplication::translate("Registry", "Ungültiger Datentyp für '%1'").arg(name));
    return value;
}

bool TRegistry::ReadBool(const QString& name) const
{
    return ReadInteger(name) != 0;
}

void TRegistry::checkWritable(const QString& name) const
{
    if (!open_ || readOnly_)
        throw ERegistryException(QCoreApplication::translate("Registry", "Fehler beim Setzen der Daten für '%1'").arg(name));
}

void TRegistry::WriteString(const QString& name, const QString& value)
{
    checkWritable(name);
    try {
        ini_->WriteString(SectionOf(current_), name, value);
    } catch (const Exception& e) {
        throw ERegistryException(e.Message());
    }
}

void TRegistry::WriteInteger(const QString& name, int value)
{
    WriteString(name, QString::number(value));
}

void TRegistry::WriteBool(const QString& name, bool value)
{
    WriteInteger(name, value ? 1 : 0);
}
