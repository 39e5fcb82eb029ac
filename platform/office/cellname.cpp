#include "platform/office/cellname.h"

QString ColumnLetters(int column)
{
    QString s;
    // Bijective base 26: there is no zero digit, so "Z" is followed by "AA".
    for (int n = column + 1; n > 0; n = (n - 1) / 26)
        s.prepend(QChar(u'A' + (n - 1) % 26));
    return s;
}

QString CellName(int row, int column)
{
    return ColumnLetters(column) + QString::number(row + 1);
}

bool ParseColumnLetters(QStringView letters, int& column)
{
    if (letters.isEmpty() || letters.size() > 3)
        return false;
    int n = 0;
    for (QChar ch : letters) {
        const char16_t c = ch.toUpper().unicode();
        if (c < u'A' || c > u'Z')
            return false;
        n = n * 26 + (c - u'A' + 1);
    }
    if (n > kSheetMaxColumns)
        return false;
    column = n - 1;
    return true;
}

bool ParseCellName(QStringView name, int& row, int& column)
{
    qsizetype i = 0;
    if (i < name.size() && name[i] == u'$')
        ++i;
    const qsizetype lettersStart = i;
    while (i < name.size() && name[i].isLetter())
        ++i;
    int c;
    if (!ParseColumnLetters(name.mid(lettersStart, i - lettersStart), c))
        return false;
    if (i < name.size() && name[i] == u'$')
        ++i;
    const QStringView digits = name.mid(i);
    if (digits.isEmpty() || digits.size() > 7)
        return false;
    int r = 0;
    for (QChar ch : digits) {
        if (ch < u'0' || ch > u'9')
            return false;
        r = r * 10 + (ch.unicode() - u'0');
    }
    if (r < 1 || r > kSheetMaxRows)
        return false;
    row = r - 1;
    column = c;
    return true;
}
