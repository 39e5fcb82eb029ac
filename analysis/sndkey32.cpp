#include "analysis/sndkey32.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

#include "platform/rtl/sysutils.h"
#include "platform/vcl/dialogs.h"

namespace {

struct KeyName {
    const char* Name;
    int Code;
};

constexpr KeyName kKeyNames[] = {
    {"BACKSPACE", 8}, {"BKSP", 8},       {"BS", 8},         {"BREAK", 3},     {"CAPSLOCK", 20}, {"CLEAR", 12},
    {"DEL", 46},      {"DELETE", 46},    {"DOWN", 40},      {"END", 35},      {"ENTER", 13},    {"ESC", 27},
    {"ESCAPE", 27},   {"F1", 112},       {"F2", 113},       {"F3", 114},      {"F4", 115},      {"F5", 116},
    {"F6", 117},      {"F7", 118},       {"F8", 119},       {"F9", 120},      {"F10", 121},     {"F11", 122},
    {"F12", 123},     {"F13", 124},      {"F14", 125},      {"F15", 126},     {"F16", 127},     {"HELP", 47},
    {"HOME", 36},     {"INS", 45},       {"LEFT", 37},      {"NUMLOCK", 144}, {"PGDN", 34},     {"PGUP", 33},
    {"PRTSC", 42},    {"RIGHT", 39},     {"SCROLLLOCK", 145}, {"TAB", 9},     {"UP", 38},
};

bool isExtended(int vk)
{
    return (vk >= 33 && vk <= 40) || vk == 45 || vk == 46;
}

// A character through the keyboard layout: its virtual key and shift state (1 Shift). Letters,
// digits, the printable ASCII characters and the German letters of the layout have keys; other
// characters have none.
bool characterKey(QChar c, int& vk, int& shift)
{
    const ushort u = c.unicode();
    shift = 0;
    if (u >= 'a' && u <= 'z') {
        vk = u - 'a' + 'A';
        return true;
    }
    if (u >= 'A' && u <= 'Z') {
        vk = u;
        shift = 1;
        return true;
    }
    if (u >= '0' && u <= '9') {
        vk = u;
        return true;
    }
    if (u == ' ') {
        vk = 32;
        return true;
    }
    static const QString shifted = QStringLiteral("!\"§$%&/()=?`*'>;:_°ÄÖÜ");
    static const QString plain = QStringLiteral("#+,-.<^´ßäöü~@€{}[]\\|");
    if (shifted.contains(c) || plain.contains(c) || (u > 32 && u < 127)) {
        vk = 0x100 + u;  // no virtual key of its own here: the character is what is typed
        shift = shifted.contains(c) ? 1 : 0;
        return true;
    }
    return false;
}

class Parser {
public:
    TSendKeysResult run(const QString& keys)
    {
        r_.Ok = false;
        if (keys.isEmpty())
            return r_;
        int i = 0;
        const int n = int(keys.size());
        while (i < n) {
            const QChar c = keys[i];
            switch (c.unicode()) {
            case '+': hold(VK_SHIFT_KEY); ++i; break;
            case '^': hold(VK_CONTROL_KEY); ++i; break;
            case '%': hold(VK_MENU_KEY); ++i; break;
            case '(': group_ = true; ++i; break;
            case ')':
                group_ = false;
                releaseHeld();
                ++i;
                break;
            case '~':
                sendKey(13, 0, 1, QChar(u'\r'));
                afterKey();
                ++i;
                break;
            case '{':
                if (i + 1 < n && keys[i + 1] == QLatin1Char('{')) {
                    sendKey(219, 1, 1, QLatin1Char('{'));
                    afterKey();
                    i += 3;
                    break;
                }
                if (!brace(keys, i))
                    return stop();
                break;
            default: {
                int vk = 0, shift = 0;
                if (characterKey(c, vk, shift)) {
                    sendKey(vk, shift, 1, c);
                    afterKey();
                } else {
                    r_.Messages << QStringLiteral("Invalid KeyName");
                }
                ++i;
                break;
            }
            }
        }
        r_.Ok = true;
        if (!group_)
            releaseHeld();
        return r_;
    }

private:
    // "{name}" or "{name n}" at i; false when no closing brace follows.
    bool brace(const QString& keys, int& i)
    {
        const int close = int(keys.indexOf(QLatin1Char('}'), i + 1));
        if (close < 0) {
            r_.Messages << QStringLiteral("No Close");
            return false;
        }
        QString name = keys.mid(i + 1, close - i - 1).toUpper().left(20);
        i = close + 1;
        if (i < keys.size() && keys[i] == QLatin1Char('}')) {
            sendKey(221, 1, 1, QLatin1Char('}'));
            afterKey();
            ++i;
            return true;
        }
        int count = 1;
        if (const qsizetype blank = name.indexOf(QLatin1Char(' ')); blank >= 0) {
            count = StrToInt(name.mid(blank + 1).trimmed());
            name = name.left(blank);
        }
        bool sent = false;
        if (name.size() == 1) {
            int vk = 0, shift = 0;
            if (characterKey(name[0], vk, shift)) {
                // The upper-cased name types the character as written in the braces.
                sendKey(vk, shift, count, name[0]);
                sent = true;
            }
        } else if (const int code = KeyNameCode(name)) {
            sendKey(code, 0, count, QChar());
            sent = true;
        } else {
            r_.Messages << QStringLiteral("Invalid Key Name");
        }
        if (sent)
            afterKey();
        return true;
    }

    TSendKeysResult stop()
    {
        // The keys stop here: modifiers pressed before must not stay down.
        group_ = false;
        releaseHeld();
        r_.Ok = false;
        return r_;
    }

    void hold(int vk)
    {
        r_.Keys.push_back({vk, true, QChar(), false});
        held_.push_back(vk);
    }
    void releaseHeld()
    {
        for (int vk : held_)
            r_.Keys.push_back({vk, false, QChar(), false});
        held_.clear();
    }
    void afterKey()
    {
        if (!group_)
            releaseHeld();
    }
    void sendKey(int vk, int shift, int count, QChar ch)
    {
        std::vector<int> pressed;
        if (shift & 1)
            pressed.push_back(VK_SHIFT_KEY);
        if (shift & 2)
            pressed.push_back(VK_CONTROL_KEY);
        if (shift & 4)
            pressed.push_back(VK_MENU_KEY);
        for (int m : pressed)
            r_.Keys.push_back({m, true, QChar(), false});
        for (int k = 0; k < count; ++k) {
            r_.Keys.push_back({vk, true, ch, isExtended(vk)});
            r_.Keys.push_back({vk, false, ch, isExtended(vk)});
        }
        for (int m : pressed)
            r_.Keys.push_back({m, false, QChar(), false});
    }

    TSendKeysResult r_;
    std::vector<int> held_;
    bool group_ = false;
};

int qtKey(int vk, QChar ch)
{
    switch (vk) {
    case 8: return Qt::Key_Backspace;
    case 3: return Qt::Key_Cancel;
    case 9: return Qt::Key_Tab;
    case 12: return Qt::Key_Clear;
    case 13: return Qt::Key_Return;
    case 16: return Qt::Key_Shift;
    case 17: return Qt::Key_Control;
    case 18: return Qt::Key_Alt;
    case 20: return Qt::Key_CapsLock;
    case 27: return Qt::Key_Escape;
    case 32: return Qt::Key_Space;
    case 33: return Qt::Key_PageUp;
    case 34: return Qt::Key_PageDown;
    case 35: return Qt::Key_End;
    case 36: return Qt::Key_Home;
    case 37: return Qt::Key_Left;
    case 38: return Qt::Key_Up;
    case 39: return Qt::Key_Right;
    case 40: return Qt::Key_Down;
    case 42: return Qt::Key_Print;
    case 45: return Qt::Key_Insert;
    case 46: return Qt::Key_Delete;
    case 47: return Qt::Key_Help;
    case 145: return Qt::Key_ScrollLock;
    default: break;
    }
    if (vk >= 112 && vk <= 127)
        return Qt::Key_F1 + (vk - 112);
    if ((vk >= '0' && vk <= '9') || (vk >= 'A' && vk <= 'Z'))
        return vk;
    return ch.isNull() ? Qt::Key_unknown : int(ch.toUpper().unicode());
}

}  // namespace

int KeyNameCode(const QString& name)
{
    for (const KeyName& k : kKeyNames)
        if (name == QLatin1String(k.Name))
            return k.Code;
    return 0;
}

QStringList KeyNames()
{
    QStringList names;
    for (const KeyName& k : kKeyNames)
        names << QLatin1String(k.Name);
    return names;
}

TSendKeysResult ParseSendKeys(const QString& keys)
{
    return Parser().run(keys);
}

bool SendKeys(const QString& keys, bool wait)
{
    const TSendKeysResult r = ParseSendKeys(keys);
    for (const QString& m : r.Messages)
        MessageDlg(m, mtInformation, {mbOK});
    Qt::KeyboardModifiers mods;
    for (const TKeyStroke& k : r.Keys) {
        if (k.VirtualKey == VK_NUMLOCK_KEY)
            continue;
        const Qt::KeyboardModifier flag = k.VirtualKey == VK_SHIFT_KEY     ? Qt::ShiftModifier
                                          : k.VirtualKey == VK_CONTROL_KEY ? Qt::ControlModifier
                                          : k.VirtualKey == VK_MENU_KEY    ? Qt::AltModifier
                                                                           : Qt::NoModifier;
        if (flag != Qt::NoModifier && k.Down)
            mods |= flag;
        QString text;
        if (!k.Char.isNull() && !(mods & (Qt::ControlModifier | Qt::AltModifier)))
            text = (mods & Qt::ShiftModifier) && k.Char.isLetter() ? QString(k.Char.toUpper())
                   : k.Char.isLetter()                              ? QString(k.Char.toLower())
                                                                    : QString(k.Char);
        if (QWidget* target = QApplication::focusWidget()) {
            QKeyEvent e(k.Down ? QEvent::KeyPress : QEvent::KeyRelease, qtKey(k.VirtualKey, k.Char), mods, text);
            QApplication::sendEvent(target, &e);
        }
        if (flag != Qt::NoModifier && !k.Down)
            mods &= ~flag;
        if (wait)
            QCoreApplication::processEvents();
    }
    return r.Ok;
}
