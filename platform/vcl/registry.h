#pragma once
// The registry as the program uses it, kept in the INI file "registry.ini" in the user's config
// folder. A key becomes a section named with its root and path, for example
// "[HKEY_LOCAL_MACHINE\SOFTWARE\Bellquist\Orvalo 5\5.0.0.0]", so the machine-wide and per-user
// keys stay apart; names compare without case, as in the registry. Every write reaches the file at
// once and leaves all other lines of it as they were.
//
// A key holds values only once one is written: a key opened with canCreate but left empty is not
// stored, and KeyExists reports it absent.
#include <QString>
#include <QStringList>

#include <cstdint>
#include <memory>

#include "platform/rtl/sysutils.h"

class TIniFile;

class ERegistryException : public Exception {
    using Exception::Exception;
};

using HKEY = std::uint32_t;
inline constexpr HKEY HKEY_CLASSES_ROOT = 0x80000000u;
inline constexpr HKEY HKEY_CURRENT_USER = 0x80000001u;
inline constexpr HKEY HKEY_LOCAL_MACHINE = 0x80000002u;
inline constexpr HKEY HKEY_USERS = 0x80000003u;

class TRegistry {
public:
    // The file ConfigDir()/registry.ini; the root key starts as HKEY_CURRENT_USER, as the runtime's.
    TRegistry();
    // A registry over another file (tests, tools).
    explicit TRegistry(const QString& fileName);
    ~TRegistry();
    TRegistry(const TRegistry&) = delete;
    TRegistry& operator=(const TRegistry&) = delete;

    // The INI file that holds the registry values of this user.
    static QString DefaultFileName();

    HKEY RootKey() const { return root_; }
    // Closes the open key and changes the root.
    void SetRootKey(HKEY root);
    // The open key's path below the root, without a leading backslash; empty when none is open.
    QString CurrentPath() const { return current_; }

    // Opens a key: a path starting with "\" is taken from the root, any other from the open key
    // (from the root when none is open). A missing key is opened only when canCreate is true.
    bool OpenKey(const QString& key, bool canCreate);
    bool OpenKeyReadOnly(const QString& key);
    void CloseKey();
    // True when the key holds values or has sub-keys that do; the path is taken as in OpenKey.
    bool KeyExists(const QString& key) const;
    // Removes the key with its values and sub-keys.
    bool DeleteKey(const QString& key);

    bool ValueExists(const QString& name) const;
    bool DeleteValue(const QString& name);
    void GetValueNames(QStringList& names) const;

    // An absent value reads as the empty text.
    QString ReadString(const QString& name) const;
    // ERegistryException when the value is absent or not an integer.
    int ReadInteger(const QString& name) const;
    // Any integer other than 0 is true; errors as ReadInteger.
    bool ReadBool(const QString& name) const;
    // ERegistryException when no key is open (or it was opened read-only) or the file cannot
    // be written.
    void WriteString(const QString& name, const QString& value);
    void WriteInteger(const QString& name, int value);
    void WriteBool(const QString& name, bool value);

    // The section name of a key path below the root (for tests and tools).
    QString SectionOf(const QString& path) const;

private:
    QString resolve(const QString& key) const;
    void checkWritable(const QString& name) const;

    std::unique_ptr<TIniFile> ini_;
    HKEY root_ = HKEY_CURRENT_USER;
    QString current_;
    bool open_ = false;
    bool readOnly_ = false;
};
