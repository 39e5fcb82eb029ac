#include "analysis/columnview.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include "analysis/analysisfiles.h"
#include "platform/rtl/folders.h"
#include "platform/rtl/sysutils.h"
#include "platform/vcl/dbgrids.h"

namespace {

const char kHeader[] = "Orvalo-Spaltenansicht 1";

QString tr(const char* text)
{
    return QCoreApplication::translate("ColumnView", text);
}

QChar alignmentLetter(Qt::Alignment a)
{
    if (a & Qt::AlignRight)
        return QLatin1Char('R');
    if (a & Qt::AlignHCenter)
        return QLatin1Char('C');
    return QLatin1Char('L');
}

}  // namespace

TColumnViewRead ReadColumnView(const QByteArray& bytes)
{
    TColumnViewRead r;
    QString text = QString::fromUtf8(bytes);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    QStringList lines = text.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    auto fail = [&r](int line, const QString& why) {
        r.Columns.clear();
        r.Error = why;
        r.Line = line;
        return r;
    };
    if (lines.isEmpty() || lines[0] != QLatin1String(kHeader))
        return fail(1, tr("Die Datei ist keine gespeicherte Spaltenansicht."));
    for (int i = 1; i < lines.size(); ++i) {
        const QStringList parts = lines[i].split(QLatin1Char('\t'));
        bool widthOk = false;
        const int width = parts.size() == 5 ? parts[1].toInt(&widthOk) : 0;
        if (parts.size() != 5 || parts[0].isEmpty() || !widthOk || width < 0 ||
            (parts[2] != QLatin1String("0") && parts[2] != QLatin1String("1")) ||
            !QStringLiteral("LRC").contains(parts[3]) || parts[3].size() != 1)
            return fail(i + 1, tr("Die Zeile beschreibt keine Spalte."));
        TColumnSetting c;
        c.Field = parts[0];
        c.Width = width;
        c.Visible = parts[2] == QLatin1String("1");
        c.Alignment = parts[3] == QLatin1String("R")   ? Qt::AlignRight
                      : parts[3] == QLatin1String("C") ? Qt::AlignHCenter
                                                       : Qt::AlignLeft;
        c.Title = parts[4];
        r.Columns << c;
    }
    if (r.Columns.isEmpty())
        return fail(1, tr("Die Ansicht enthält keine Spalte."));
    return r;
}

QByteArray WriteColumnView(const QList<TColumnSetting>& columns)
{
    QString text = QString::fromLatin1(kHeader) + QLatin1Char('\n');
    for (const TColumnSetting& c : columns) {
        QString title = c.Title;
        title.replace(QLatin1Char('\t'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
        text += c.Field + QLatin1Char('\t') + QString::number(c.Width) + QLatin1Char('\t') +
                (c.Visible ? QLatin1Char('1') : QLatin1Char('0')) + QLatin1Char('\t') + alignmentLetter(c.Alignment) +
                QLatin1Char('\t') + title + QLatin1Char('\n');
    }
    return text.toUtf8();
}

QString ColumnViewDir()
{
    const QString dir = QDir(UserDataDir()).filePath(QStringLiteral("Views"));
    QDir().mkpath(dir);
    return dir;
}

QStringList ColumnViewFiles()
{
    return QDir(ColumnViewDir()).entryList({QStringLiteral("*.co5")}, QDir::Files, QDir::Name | QDir::IgnoreCase);
}

QList<TColumnSetting> ColumnSettingsOf(TDBGrid& grid)
{
    QList<TColumnSetting> settings;
    for (int i = 0; i < grid.Columns().Count(); ++i) {
        TColumn* col = grid.Columns()[i];
        settings << TColumnSetting{col->FieldName(), col->Title().Caption(), col->Width(), col->Visible(),
                                   col->Alignment()};
    }
    return settings;
}

void ApplyColumnSettings(TDBGrid& grid, const QList<TColumnSetting>& columns)
{
    grid.Columns().Clear();
    for (const TColumnSetting& c : columns) {
        TColumn* col = grid.Columns().Add();
        col->SetFieldName(c.Field);
        col->Title().SetCaption(c.Title);
        col->SetWidth(c.Width);
        col->SetAlignment(c.Alignment);
        col->SetVisible(c.Visible);
    }
}

void LoadColumnViewFile(TDBGrid& grid, const QString& fileName)
{
    const TColumnViewRead view = ReadColumnView(ReadWholeFile(fileName));
    if (!view.Ok())
        throw EConvertError(tr("%1 ist keine Ansicht der Zeitraumstatistik (Zeile %2): %3")
                                .arg(QFileInfo(fileName).fileName())
                                .arg(view.Line)
                                .arg(view.Error));
    ApplyColumnSettings(grid, view.Columns);
}

void SaveColumnViewFile(TDBGrid& grid, const QString& fileName)
{
    WriteWholeFile(fileName, WriteColumnView(ColumnSettingsOf(grid)));
}
