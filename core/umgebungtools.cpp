#include "core/umgebungtools.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLocale>
#include <QSet>

#include "platform/db/connection.h"
#include "platform/db/dataset.h"
#include "platform/vcl/dbctrls.h"

namespace {

// The order value no real row uses: the moved row holds it while its partner takes its place.
constexpr int kParkedOrder = 10000;

void setOrder(TDataSet& table, const QString& idField, const QVariant& id, const QString& orderField,
              const QVariant& order)
{
    if (!table.Locate(idField, id))
        throw EAbort();  // the row went meanwhile: the swap is rolled back
    table.Edit();
    table.FieldByName(orderField)->SetValue(order);
    table.Post();
}

// Reopens the table as the dialog's grid shows it afterwards: on the moved row, scrolled the way
// the original moves left it.
void reopenOn(TDataSet& table, const QString& idField, const QVariant& id, bool up)
{
    table.Close();
    table.Open();
    table.Last();
    table.First();
    if (!up)
        table.Last();
    if (table.FieldByName(idField)->Value() != id)
        table.Locate(idField, id);
}

QString threeLetterCode(const QLocale& locale)
{
    return QLocale::languageToCode(locale.language(), QLocale::ISO639Part2T).toUpper();
}

QString languageName(const QLocale& locale)
{
    // The language in its own words, without the variety of its main country ("American
    // English" is offered as "English").
    QString name = locale.nativeLanguageName();
    const QString plain = QLocale::languageToString(locale.language());
    if (name.endsWith(QLatin1Char(' ') + plain))
        name = plain;
    if (!name.isEmpty())
        name[0] = name[0].toUpper();
    return name;
}

}  // namespace

bool MoveLookupRow(TDataSet& table, const QString& idField, const QString& orderField, bool up)
{
    if (!table.Active() || table.State() == dsEdit || table.State() == dsInsert || table.IsEmpty())
        return false;
    if (up ? table.Bof() : table.Eof())
        return false;
    const QVariant i1 = table.FieldByName(idField)->Value();
    const QVariant o1 = table.FieldByName(orderField)->Value();
    // The partner row; none when the row already stands first (last).
    if (table.MoveBy(up ? -1 : 1) == 0)
        return false;
    const QVariant i2 = table.FieldByName(idField)->Value();
    const QVariant o2 = table.FieldByName(orderField)->Value();
    table.MoveBy(up ? 1 : -1);

    TConnection* db = table.Connection();
    db->BeginTrans();
    try {
        setOrder(table, idField, i1, orderField, kParkedOrder);
        setOrder(table, idField, i2, orderField, o1);
        setOrder(table, idField, i1, orderField, o2);
        db->CommitTrans();
    } catch (...) {
        if (table.State() == dsEdit || table.State() == dsInsert)
            table.Cancel();
        db->RollbackTrans();
        reopenOn(table, idField, i1, up);
        throw;
    }
    reopenOn(table, idField, i1, up);
    return true;
}

QList<TLanguageEntry> AvailableLanguages(const QString& moduleFolder)
{
    const QLocale german(QLocale::German, QLocale::Germany);
    QList<TLanguageEntry> list{{languageName(german), threeLetterCode(german)}};
    QStringList codes;
    const QStringList files = QDir(moduleFolder).entryList({QStringLiteral("*_*.qm")}, QDir::Files, QDir::Name);
    for (const QString& file : files) {
        const QString base = file.chopped(3);
        const QString code = base.mid(base.lastIndexOf(QLatin1Char('_')) + 1).toLower();
        if (!codes.contains(code))
            codes << code;
    }
    codes.sort();
    for (const QString& code : codes) {
        const QLocale locale(code);
        if (locale.language() == QLocale::C || locale.language() == QLocale::German)
            continue;
        const QString three = threeLetterCode(locale);
        if (three.isEmpty())
            continue;
        list << TLanguageEntry{languageName(locale), three};
    }
    return list;
}

int LanguageIndex(const QList<TLanguageEntry>& languages, const QString& code)
{
    for (int i = int(languages.size()) - 1; i >= 0; --i)
        if (languages[i].Code.compare(code, Qt::CaseInsensitive) == 0)
            return i;
    return 0;
}

QByteArray PictureFileAsBitmap(const QString& fileName)
{
    QFile f(fileName);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const QImage image = BlobToImage(f.readAll());
    if (image.isNull())
        return {};
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "BMP"))
        return {};
    return bytes;
}
