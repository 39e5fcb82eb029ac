#pragma once
// The keystroke sender behind the time calculator's digit pad. It keeps the key-string syntax
// ("+" Shift, "^" Ctrl, "%" Alt, "(...)" groups under held modifiers, "~" Enter, "{NAME n}" named
// keys with a repeat count, "{{" and "}}" braces); a parser turns the string into key strokes,
// which are delivered as key events to the widget that has the keyboard focus.
#include <QString>
#include <QStringList>

#include <vector>

// One key going down or up: the virtual-key code of the key table (VK_SHIFT 16, VK_CONTROL 17,
// VK_MENU 18 for the modifiers), the character it types (none for named keys) and whether the
// extended-key flag goes with it.
struct TKeyStroke {
    int VirtualKey = 0;
    bool Down = true;
    QChar Char;
    bool Extended = false;

    bool operator==(const TKeyStroke&) const = default;
};

struct TSendKeysResult {
    bool Ok = false;              // the whole string was processed
    std::vector<TKeyStroke> Keys;
    QStringList Messages;         // "No Close", "Invalid Key Name", "Invalid KeyName"
};

inline constexpr int VK_SHIFT_KEY = 16;
inline constexpr int VK_CONTROL_KEY = 17;
inline constexpr int VK_MENU_KEY = 18;
inline constexpr int VK_NUMLOCK_KEY = 144;

// The virtual-key code of a key name of the table ("BKSP" 8, "TAB" 9, "F16" 127, ...), exact
// and in capitals; 0 for a name not in the table.
int KeyNameCode(const QString& name);
// The 41 names of the table.
QStringList KeyNames();

// The key strokes of a key string. Ok is false for the empty string and when an unclosed brace
// stopped it. Modifiers still held at the end, or at that stop, are released.
TSendKeysResult ParseSendKeys(const QString& keys);

// Parses the string, shows its messages (titled "SendKeys") and delivers the key strokes as key
// events to the focused widget; "NUMLOCK" is ignored. With wait, pending events are processed
// after each key event. The result as ParseSendKeys gives it.
bool SendKeys(const QString& keys, bool wait);
