#pragma once
// Fixture of the report layer's tests: a small training list in a client dataset, German number
// formats, no scripted answers left over and no print job sent to a real printer.
#include <gtest/gtest.h>

#include <QStringList>

#include "platform/db/clientdataset.h"
#include "platform/report/report.h"
#include "platform/report/reportprinter.h"
#include "platform/rtl/sysutils.h"
#include "platform/vcl/dialogs.h"
#include "platform/vcl/testhooks.h"

class ReportTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved_ = FormatSettings();
        FormatSettings() = GermanFormatSettings();
        ScriptedAnswers::clear();
        InstallExceptionPresenter();
        PrintJobCapture::start();
        units.AddField(QStringLiteral("Datum"), ftDateTime);
        units.AddField(QStringLiteral("Woche"), ftInteger);
        units.AddField(QStringLiteral("Sportart"), ftString, 20);
        units.AddField(QStringLiteral("Meter"), ftInteger);
        units.AddField(QStringLiteral("Hoehe"), ftInteger);
        units.CreateDataSet();
    }
    void TearDown() override
    {
        PrintJobCapture::stop();
        EXPECT_EQ(ScriptedAnswers::unusedAnswers(), QStringList());
        ScriptedAnswers::clear();
        FormatSettings() = saved_;
    }

    void addUnit(TDateTime datum, int woche, const QString& sport, QVariant meter, int hoehe = 0)
    {
        units.Append();
        units.FieldByName(QStringLiteral("Datum"))->SetAsDateTime(datum);
        units.FieldByName(QStringLiteral("Woche"))->SetAsInteger(woche);
        units.FieldByName(QStringLiteral("Sportart"))->SetAsString(sport);
        units.FieldByName(QStringLiteral("Meter"))->SetValue(meter);
        units.FieldByName(QStringLiteral("Hoehe"))->SetAsInteger(hoehe);
        units.Post();
    }
    // n units, one a day from Monday 12 May 2003, 1000 m more each.
    void addDays(int n)
    {
        for (int i = 0; i < n; ++i)
            addUnit(EncodeDate(2003, 5, 12) + i, 20 + i / 7, QStringLiteral("Laufen"), 1000 * (i + 1), i);
    }

    TClientDataSet units;

private:
    TFormatSettings saved_;
};

// The texts of a page that stand inside a band's strip.
inline QStringList TextsIn(const TReportPage& page, const TPlacedBand& band)
{
    QStringList l;
    for (const TPageItem& it : page.items)
        if (it.kind == TPageItem::Text && it.rect.top() >= band.top - 1e-6 && it.rect.top() < band.top + band.height)
            l << it.text;
    return l;
}

// The kinds of the bands of a page, in order, as letters: T title, P page header, C column
// header, G group header, D detail, F group footer, S summary, B page footer (bottom).
inline QString BandLetters(const TReportPage& page)
{
    static const char kLetters[] = "TPCGDFSB";
    QString s;
    for (const TPlacedBand& b : page.bands)
        s += QLatin1Char(kLetters[b.type]);
    return s;
}
