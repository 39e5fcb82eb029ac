#include "traininglog/zwstatistik.h"

#include <QCoreApplication>

#include "core/orvdbserver.h"
#include "platform/db/query.h"
#include "platform/vcl/dialogs.h"
#include "traininglog/zwgrid.h"

TzwStatistik zwStatistik;

namespace {

bool emptyCell(const QString& text)
{
    return text.trimmed().isEmpty();
}

}  // namespace

void ZwStatisticsPass(TzwStatistik& st, const QList<QStringList>& rows, QList<int>& badRows, const TFormatSettings& fs)
{
    using namespace zwgrid;
    TDateTime paceSum = 0;
    for (int i = 0; i < rows.size(); ++i) {
        const QStringList& r = rows[i];
        auto cell = [&r](int col) { return col < r.size() ? r[col] : QString(); };
        try {
            // Heights, distances and gradients: only rows with a height difference.
            if (!emptyCell(cell(colHDiff))) {
                const int h = StrToInt(cell(colHDiff).trimmed());
                if (h > 0)
                    st.hmBergauf += h;
                else if (h < 0)
                    st.hmBergab += h;
                const double dist = emptyCell(cell(colSplitDist)) ? 0.0 : StrToFloat(cell(colSplitDist).trimmed(), fs);
                if (h > 0)
                    st.streckeBergauf += dist;
                else if (h < 0)
                    st.streckeBergab += dist;
                else
                    st.streckeFlach += dist;
                const double g = emptyCell(cell(colSteigung)) ? 0.0 : StrToFloat(cell(colSteigung).trimmed(), fs);
                if (g > st.maxSteigung)
                    st.maxSteigung = g;
                if (g < st.maxGefaelle)
                    st.maxGefaelle = g;
            }
            const bool hasKmh = !emptyCell(cell(colKmh));
            const double kmh = hasKmh ? StrToFloat(cell(colKmh).trimmed(), fs) : 0.0;
            if (hasKmh && kmh > st.maxKmh)
                st.maxKmh = kmh;
            if (hasKmh && kmh != 0 && kmh < st.minKmh)
                st.minKmh = kmh;
            const QString paceText = cell(colMinKm).trimmed();
            const bool hasPace = !paceText.isEmpty();
            const TDateTime pace = hasPace ? StrToTime(paceText, fs) : 0.0;
            if (hasPace && pace > st.maxMinKm)
                st.maxMinKm = pace;
            if (hasPace && paceText != QLatin1String("00:00:00") && pace < st.minMinKm)
                st.minMinKm = pace;
            if (hasKmh) {
                paceSum += pace;
                st.avgKmh += kmh;
            }
        } catch (const Exception&) {
            badRows << i + 1;
        }
    }
    st.avgSteigung = st.streckeBergauf != 0 ? st.hmBergauf / st.streckeBergauf * 100.0 : 0.0;
    st.avgGefaelle = st.streckeBergab != 0 ? st.hmBergab / st.streckeBergab * 100.0 : 0.0;
    // A start row with zero time does not count; with no data row the averages stay 0.
    int n = int(rows.size());
    if (n > 1 && !rows.first().isEmpty() && rows.first().value(colMinKm).trimmed() == QLatin1String("00:00:00"))
        n -= 1;
    if (n > 0) {
        st.avgMinKm = paceSum / n;
        st.avgKmh = st.avgKmh / n;
    } else {
        st.avgMinKm = 0;
        st.avgKmh = 0;
    }
}

ZwStatisticsResult ComputeZwStatistics(TConnection& db, const QString& condition, bool hasRows,
                                       const QList<QStringList>& rows, const TFormatSettings& fs)
{
    ZwStatisticsResult result;
    if (!hasRows)
        return result;
    TzwStatistik& st = result.stats;
    TQuery q;
    q.SetConnection(&db);
    q.SetSQL({QStringLiteral("SELECT Max(zeit.Puls) AS maxPuls, Min(zeit.Puls) AS minPuls, Avg(zeit.Puls) AS avgPuls, "
                             "Min(zeit.HDiff) AS MinHDiff, Max(zeit.zei_importkmh) as maxkmh, Min(zeit.zei_importkmh) as minkmh,"),
              QStringLiteral(" Max(zeit.HDiff) AS MaxHDiff, Avg(zeit.HDiff) AS avgHDiff, Max(zeit.zei_trittfrequenz) AS "
                             "Maxtrittfrequenz, Avg(zeit.zei_trittfrequenz) AS avgtrittfrequenz from zeit  "),
              QStringLiteral("WHERE ") + condition});
    q.Open();
    auto whole = [&q](const char* name) {
        TField* f = q.FieldByName(QString::fromLatin1(name));
        return f->IsNull() ? 0 : int(Round(f->AsFloat()));
    };
    auto number = [&q](const char* name) {
        TField* f = q.FieldByName(QString::fromLatin1(name));
        return f->IsNull() ? 0.0 : f->AsFloat();
    };
    if (!q.IsEmpty()) {
        st.maxPuls = whole("maxPuls");
        st.minPuls = whole("minPuls");
        st.avgPuls = whole("avgPuls");
        st.minHDiff = whole("minHDiff");
        st.maxHDiff = whole("MaxHDiff");
        st.avgHDiff = whole("avgHDiff");
        st.maxTrittfrequenz = whole("MaxTrittfrequenz");
        st.avgTrittfrequenz = whole("avgTrittfrequenz");
        st.minImportKmh = number("minkmh");
        st.maxImportKmh = number("maxkmh");
    }
    q.Close();
    ZwStatisticsPass(st, rows, result.badRows, fs);
    return result;
}

ZwStatisticsResult ZwStatisticsOfUnit(TorvServer& server, int datId, bool hrm)
{
    TQuery rows;
    const QList<QStringList> cells = zwgrid::rowsOfUnit(server, rows, datId, hrm);
    return ComputeZwStatistics(server.orvDB, zwgrid::statisticsCondition(datId, hrm), !cells.isEmpty(), cells,
                               FormatSettings());
}

void ReportBadStatisticsRows(const QList<int>& rows)
{
    if (rows.isEmpty())
        return;
    QStringList numbers;
    for (int r : rows)
        numbers << QString::number(r);
    MessageDlg(QCoreApplication::translate("TzwStatistik",
                                           "Die Werte folgender Zeilen konnten nicht gelesen werden und fehlen "
                                           "teilweise in der Auswertung: %1")
                   .arg(numbers.join(QStringLiteral(", "))),
               mtWarning, TMsgDlgButtons{mbOK});
}

void TorvServer::calcZwStatistics(const QString& condition, const QList<QStringList>& gridRows)
{
    zwStatistik = TzwStatistik();
    if (!zeit.Active() || zeit.IsEmpty())
        return;
    ZwStatisticsResult result = ComputeZwStatistics(orvDB, condition, true, gridRows, FormatSettings());
    zwStatistik = result.stats;
    ReportBadStatisticsRows(result.badRows);
}
