#include "platform/vcl/editmask.h"

#include <QStringList>

#include "platform/rtl/sysutils.h"

namespace {

// Characters with a meaning in a Qt input mask; a literal of that character needs a backslash.
const QString kQtMaskChars = QStringLiteral("AaNnXx90Dd#HhBb><!\\[]{}");

QString literal(QChar c)
{
    return kQtMaskChars.contains(c) ? QStringLiteral("\\") + c : QString(c);
}

}  // namespace

QString EditMaskToInputMask(const QString& editMask, bool* saveLiterals)
{
    QStringList parts;
    QString cur;
    for (int i = 0; i < editMask.size(); ++i) {
        const QChar c = editMask[i];
        if (c == QLatin1Char('\\') && i + 1 < editMask.size()) {
            cur += c;
            cur += editMask[++i];
        } else if (c == QLatin1Char(';')) {
            parts << cur;
            cur.clear();
        } else {
            cur += c;
        }
    }
    parts << cur;
    if (saveLiterals)
        *saveLiterals = parts.size() < 2 || parts[1].trimmed() != QLatin1String("0");
    const QString m = parts[0];
    if (m.isEmpty())
        return QString();
    const QChar blank = parts.size() >= 3 && !parts[2].isEmpty() ? parts[2][0] : QLatin1Char('_');
    QString out;
    for (int i = 0; i < m.size(); ++i) {
        const QChar c = m[i];
        switch (c.unicode()) {
        case '!': break;  // leading optional blanks are dropped; Qt drops blanks from the text anyway
        case '\\':
            if (i + 1 < m.size())
                out += literal(m[++i]);
            break;
        case '<':
            if (i + 1 < m.size() && m[i + 1] == QLatin1Char('>')) {
                out += QLatin1Char('!');
                ++i;
            } else {
                out += QLatin1Char('<');
            }
            break;
        case '>': out += QLatin1Char('>'); break;
        case '0': out += QLatin1Char('9'); break;  // digit required
        case '9': out += QLatin1Char('0'); break;  // digit optional
        case 'L': out += QLatin1Char('A'); break;  // letter required
        case 'l': out += QLatin1Char('a'); break;
        case 'A': out += QLatin1Char('N'); break;  // letter or digit required
        case 'a': out += QLatin1Char('n'); break;
        case 'C': out += QLatin1Char('X'); break;  // any character required
        case 'c': out += QLatin1Char('x'); break;
        case '#': out += QLatin1Char('#'); break;
        case '_': out += QLatin1Char(' '); break;  // a blank the mask inserts itself
        case ':': out += literal(FormatSettings().TimeSeparator); break;
        case '/': out += literal(FormatSettings().DateSeparator); break;
        default: out += literal(c); break;
        }
    }
    return out + QLatin1Char(';') + blank;
}
