#include "core/orvreports.h"

#include <QCoreApplication>
#include <QHash>

#include <cmath>

#include "core/dtsetup.h"
#include "core/orvdbserver.h"
#include "platform/db/clientdataset.h"
#include "platform/report/report.h"
#include "traininglog/zwgrid.h"

namespace {

QString Tr(const char* text)
{
    return QCoreApplication::translate("TorvReports", text);
}

// A report that owns the datasets it reads.
class TOwningReport : public TReport {
public:
    std::vector<std::unique_ptr<TDataSet>> Sources;
    template <class D>
    D* own(std::unique_ptr<D> dataSet)
    {
        D* d = dataSet.get();
        Sources.push_back(std::move(dataSet));
        return d;
    }
};

QFont reportFont(double points, bool bold = false)
{
    QFont f(QStringLiteral("Arial"));
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

TReportLabel* addText(TReportBand* band, const QString& caption, double left, double top, double width,
                      double height, const QFont& font, Qt::Alignment align = Qt::AlignLeft)
{
    TReportLabel* l = band->AddLabel(caption, left, top);
    l->SetAutoSize(false);
    l->SetWidth(width);
    l->SetHeight(height);
    l->SetFont(font);
    l->SetAlignment(align);
    return l;
}

void addPageFooter(TReport& rep, double height)
{
    TReportBand* footer = rep.AddBand(btPageFooter, height);
    footer->Frame().DrawTop = true;
    TReportSysData* date = footer->AddSysData(sdDate, 0, 1.5);
    date->SetCaption(Tr("Gedruckt am "));
    date->SetFont(reportFont(8));
    TReportSysData* page = footer->AddSysData(sdPageNumber, 0, 1.5);
    page->SetCaption(Tr("Seite %1"));
    page->SetAlignToBand(true);
    page->SetAlignment(Qt::AlignRight);
    page->SetFont(reportFont(8));
}

QString dateText(const TField* f)
{
    return f->IsNull() ? QString() : FormatDateTime(FormatSettings().ShortDateFormat, f->AsDateTime(), FormatSettings());
}

QString timeText(TDateTime t, const QString& format)
{
    return FormatDateTime(format, t, FormatSettings());
}

// A whole number, or nothing for Null.
QString intText(const TField* f)
{
    return f->IsNull() ? QString() : QString::number(f->AsInteger());
}

// --- Liste ---------------------------------------------------------------------------------------

struct ListColumn {
    const char* caption;
    double width;  // mm
    Qt::Alignment align;
};

// Date, weekday, start, sport, form, metres, duration, pace, speed, pulse, height difference, place.
const ListColumn kListColumns[] = {
    {QT_TRANSLATE_NOOP("TorvReports", "Datum"), 22, Qt::AlignLeft},
    {QT_TRANSLATE_NOOP("TorvReports", "Tag"), 10, Qt::AlignLeft},
    {QT_TRANSLATE_NOOP("TorvReports", "Start"), 13, Qt::AlignLeft},
    {QT_TRANSLATE_NOOP("TorvReports", "Sportart"), 30, Qt::AlignLeft},
    {QT_TRANSLATE_NOOP("TorvReports", "Form"), 30, Qt::AlignLeft},
    {QT_TRANSLATE_NOOP("TorvReports", "Meter"), 20, Qt::AlignRight},
    {QT_TRANSLATE_NOOP("TorvReports", "Zeit"), 19, Qt::AlignRight},
    {QT_TRANSLATE_NOOP("TorvReports", "Tempo"), 19, Qt::AlignRight},
    {QT_TRANSLATE_NOOP("TorvReports", "km/h"), 14, Qt::AlignRight},
    {QT_TRANSLATE_NOOP("TorvReports", "Puls"), 12, Qt::AlignRight},
    {QT_TRANSLATE_NOOP("TorvReports", "H.Diff."), 15, Qt::AlignRight},
    {QT_TRANSLATE_NOOP("TorvReports", "Ort"), 48, Qt::AlignLeft},
};
constexpr int kListColumnCount = int(std::size(kListColumns));
constexpr double kListGap = 1.2;  // mm between columns

QString listSql()
{
    return QStringLiteral(
        "SELECT daten.dat_Id, daten.Datum, daten.Startzeit, daten.Sportart, sportart.Spo_Name, form.For_Form, "
        "daten.Meter, daten.Zeit, daten.Puls, daten.Hoehendifferenz, daten.Ort\r\n"
        "FROM (daten LEFT JOIN sportart ON daten.Sportart = sportart.Spo_Id) LEFT JOIN form ON daten.Form = "
        "form.For_Id\r\n"
        "ORDER BY daten.Datum, daten.Startzeit, daten.dat_Id");
}

}  // namespace

std::unique_ptr<TReport> BuildListeReport(TorvServer& server)
{
    auto rep = std::make_unique<TOwningReport>();
    auto* rows = rep->own(std::make_unique<TQuery>());
    rows->SetConnection(&server.orvDB);
    rows->SetReadOnly(true);
    rows->SetSQLText(listSql());
    rows->Open();

    rep->SetReportTitle(Tr("Liste"));
    rep->SetDataSet(rows);
    rep->SetUnits(ruMillimetres);
    rep->SetOrientation(QPageLayout::Landscape);

    TReportBand* title = rep->AddBand(btTitle, 14);
    addText(title, Tr("Trainingseinheiten"), 0, 0, 200, 9, reportFont(14, true));

    const QFont head = reportFont(9, true);
    const QFont body = reportFont(9);
    TReportBand* columns = rep->AddBand(btColumnHeader, 7);
    columns->Frame().DrawBottom = true;
    TReportBand* detail = rep->AddBand(btDetail, 5);
    std::vector<TReportLabel*> cells;
    double x = 0;
    for (const ListColumn& c : kListColumns) {
        if (c.align == Qt::AlignLeft && x > 0)
            x += 2;  // a left-aligned column keeps its distance from a right-aligned one before it
        addText(columns, Tr(c.caption), x, 1, c.width, 5, head, c.align);
        cells.push_back(addText(detail, QString(), x, 0.5, c.width, 4.5, body, c.align));
        x += c.width + kListGap;
    }

    TReportBand* summary = rep->AddBand(btSummary, 16);
    summary->Frame().DrawTop = true;
    TReportLabel* sumMetres = addText(summary, QString(), 0, 2, 90, 5, head);
    TReportLabel* sumUnits = addText(summary, QString(), 95, 2, 60, 5, head);
    TReportLabel* sumHeight = addText(summary, QString(), 160, 2, 100, 5, head);
    addPageFooter(*rep, 7);

    // The running totals live with the report's hooks; each run starts them over.
    struct Totals {
        qint64 metres = 0;
        qint64 height = 0;
        int units = 0;
    };
    auto totals = std::make_shared<Totals>();
    rep->BeforePrint = [totals](TReport*, bool&) { *totals = Totals(); };
    TorvServer* s = &server;
    // The query stays open for the report's life, so its fields are looked up once, not per row.
    struct ListFields {
        const TField *datum, *start, *sport, *sportName, *form, *meter, *zeit, *puls, *hdiff, *ort;
    };
    auto field = [rows](const char* name) -> const TField* { return rows->FieldByName(QString::fromLatin1(name)); };
    const ListFields f{field("Datum"), field("Startzeit"), field("Sportart"), field("Spo_Name"), field("For_Form"),
                       field("Meter"),  field("Zeit"),      field("Puls"),     field("Hoehendifferenz"), field("Ort")};
    detail->BeforePrint = [f, cells, totals, s](TReportBand*, bool&) {
        const int sport = f.sport->AsInteger();
        const int metres = f.meter->AsInteger();
        const TDateTime duration = f.zeit->IsNull() ? 0 : f.zeit->AsDateTime();

        cells[0]->SetCaption(dateText(f.datum));
        cells[1]->SetCaption(f.datum->IsNull() ? QString()
                                               : timeText(f.datum->AsDateTime(), QStringLiteral("ddd")) + QLatin1Char('.'));
        cells[2]->SetCaption(f.start->IsNull() ? QString() : timeText(f.start->AsDateTime(), QStringLiteral("hh:mm")));
        cells[3]->SetCaption(f.sportName->AsString());
        cells[4]->SetCaption(f.form->AsString());
        cells[5]->SetCaption(intText(f.meter));
        cells[6]->SetCaption(f.zeit->IsNull() ? QString() : timeText(duration, QStringLiteral("hh:mm:ss")));
        QString pace, speed;
        if (metres != 0 && duration != 0) {
            const TDateTime perUnit = s->calcPace(duration, metres, sport);
            if (perUnit != 0)
                pace = timeText(perUnit, QStringLiteral("hh:mm:ss"));
            speed = FormatFloat(QStringLiteral("0.00"), s->calcKmh(duration, metres), FormatSettings());
        }
        cells[7]->SetCaption(pace);
        cells[8]->SetCaption(speed);
        cells[9]->SetCaption(f.puls->IsNull() || f.puls->AsInteger() == 0 ? QString() : intText(f.puls));
        cells[10]->SetCaption(intText(f.hdiff));
        cells[11]->SetCaption(f.ort->AsString());

        totals->metres += metres;
        totals->height += f.hdiff->AsInteger();
        ++totals->units;
    };
    summary->BeforePrint = [totals, sumMetres, sumUnits, sumHeight](TReportBand*, bool&) {
        sumMetres->SetCaption(Tr("Strecke gesamt: %1 m").arg(totals->metres));
        sumUnits->SetCaption(Tr("Einheiten: %1").arg(totals->units));
        sumHeight->SetCaption(Tr("Höhendifferenz gesamt: %1 m").arg(totals->height));
    };
    return rep;
}

// --- Einheit -------------------------------------------------------------------------------------

namespace {

struct UnitLine {
    QString section;
    QString label;
    QString value;
};

// The display text of a field of the current unit, with a unit behind it when it has a value.
QString shown(TDataSet& d, const char* field, const QString& unit = QString())
{
    TField* f = d.FindField(QString::fromLatin1(field));
    if (!f)
        return QString();
    const QString text = f->DisplayText();
    return unit.isEmpty() || text.isEmpty() ? text : text + QLatin1Char(' ') + unit;
}

QString lookupName(TDataSet& table, const char* key, const QVariant& value, const char* result)
{
    if (!table.Active() || value.isNull())
        return QString();
    return table.Lookup(QString::fromLatin1(key), value, QString::fromLatin1(result)).toString();
}

std::vector<UnitLine> unitLines(TorvServer& s)
{
    TDataSet& d = s.daten;
    const QString general = Tr("Allgemein"), route = Tr("Strecke"), performance = Tr("Leistung"), bio = Tr("Bio"),
                  other = Tr("Anderes");
    auto value = [&d](const char* field) { return d.FieldByName(QString::fromLatin1(field))->Value(); };
    QString date = shown(d, "Datum");
    if (!date.isEmpty() && !shown(d, "Tag").isEmpty())
        date += QStringLiteral(", ") + shown(d, "Tag");
    QString user1 = s.config.Active() ? s.config.FieldByName(QStringLiteral("cfg_user1Label"))->AsString() : QString();
    QString user2 = s.config.Active() ? s.config.FieldByName(QStringLiteral("cfg_user2Label"))->AsString() : QString();
    return {
        {general, Tr("Sportart"), shown(d, "SportName")},
        {general, Tr("Form"), lookupName(s.form, "For_Id", value("Form"), "For_Form")},
        {general, Tr("Datum"), date},
        {general, Tr("Startzeit"), shown(d, "Startzeit")},
        {general, Tr("Trainingsblock"), shown(d, "trbname")},
        {route, Tr("Ort"), shown(d, "Ort")},
        {route, Tr("Distanz"), shown(d, "Meter", shown(d, "lDistance"))},
        {route, Tr("Höhendifferenz"), shown(d, "Hoehendifferenz", QStringLiteral("m"))},
        {route, Tr("Beschreibung"), shown(d, "Streckenbeschreibung")},
        {performance, Tr("Zeit"), shown(d, "Zeit")},
        {performance, Tr("Tempo"), shown(d, "minkm")},
        {performance, Tr("km/h"), shown(d, "kmh")},
        {performance, Tr("Belastungsstufe"), lookupName(s.belStufe, "bel_ID", value("Belastungsstufe"), "bel_Name")},
        {performance, Tr("Belastungsart"), lookupName(s.belArt, "bea_ID", value("Belastungsart"), "bea_Name")},
        {bio, Tr("Ø Puls"), shown(d, "Puls")},
        {bio, Tr("Max. Puls"), shown(d, "Maxpuls")},
        {bio, Tr("Ruhepuls"), shown(d, "Ruhepuls")},
        {bio, Tr("Erholungspuls"), shown(d, "Erholungspuls")},
        {bio, Tr("Gewicht"), shown(d, "Gewicht", QStringLiteral("kg"))},
        {bio, Tr("Körperfett"), shown(d, "Fett", QStringLiteral("%"))},
        {bio, Tr("Kalorien"), shown(d, "kcal", QStringLiteral("kcal"))},
        {other, Tr("Wetter"), shown(d, "Wetter")},
        {other, Tr("Wind"), shown(d, "Wind")},
        {other, Tr("Temperatur"), shown(d, "Temperatur", QStringLiteral("°C"))},
        {other, Tr("Gefühl"), shown(d, "Gefuehl")},
        {other, Tr("GLI"), shown(d, "Gli")},
        {other, Tr("Platz"), shown(d, "platz")},
        {other, Tr("AK-Platz"), shown(d, "akplatz")},
        {other, user1.isEmpty() ? Tr("Benutzerfeld 1") : user1, shown(d, "User1")},
        {other, user2.isEmpty() ? Tr("Benutzerfeld 2") : user2, shown(d, "User2")},
        {other, Tr("Bemerkungen"), d.FieldByName(QStringLiteral("Bemerkungen"))->AsString()},
    };
}

// Breaks a text into lines no wider than the width (mm): at its line breaks, and between words.
QStringList wrapText(const QString& text, const QFont& font, double width)
{
    QStringList lines;
    const QString normal = QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    for (const QString& paragraph : normal.split(QLatin1Char('\n'))) {
        QString line;
        for (const QString& word : paragraph.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            const QString candidate = line.isEmpty() ? word : line + QLatin1Char(' ') + word;
            if (!line.isEmpty() && MeasureText(font, candidate).width() > width) {
                lines << line;
                line = word;
            } else {
                line = candidate;
            }
        }
        lines << line;
    }
    while (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

}  // namespace

std::unique_ptr<TReport> BuildEinheitReport(TorvServer& server)
{
    auto rep = std::make_unique<TOwningReport>();
    rep->SetReportTitle(Tr("Einheit"));
    rep->SetUnits(ruMillimetres);
    rep->SetOrientation(QPageLayout::Portrait);
    rep->SetMargins(15, 15, 15, 12);

    const QFont body = reportFont(10);
    constexpr double kLabelWidth = 45;
    constexpr double kValueLeft = 50;
    const double valueWidth = rep->ClientWidth() - kValueLeft;

    auto* lines = rep->own(std::make_unique<TClientDataSet>());
    lines->AddField(QStringLiteral("Abschnitt"), ftString, 40);
    lines->AddField(QStringLiteral("Bezeichnung"), ftString, 60);
    lines->AddField(QStringLiteral("Wert"), ftString, 1000);
    lines->CreateDataSet();
    QString heading;
    if (server.daten.Active()) {
        for (const UnitLine& l : unitLines(server)) {
            QStringList values = wrapText(l.value, body, valueWidth);
            if (values.isEmpty())
                values << QString();
            for (int i = 0; i < values.size(); ++i) {
                lines->Append();
                lines->Field(0)->SetAsString(l.section);
                lines->Field(1)->SetAsString(i == 0 ? l.label : QString());
                lines->Field(2)->SetAsString(values[i]);
                lines->Post();
            }
        }
        const QString sport = shown(server.daten, "SportName");
        const QString date = shown(server.daten, "Datum");
        heading = sport.isEmpty() ? date : date.isEmpty() ? sport : Tr("%1 am %2").arg(sport, date);
    }
    lines->First();
    rep->SetDataSet(lines);

    TReportBand* title = rep->AddBand(btTitle, 20);
    addText(title, Tr("Trainingseinheit"), 0, 0, 180, 9, reportFont(16, true));
    addText(title, heading, 0, 10, 180, 6, reportFont(11));

    TReportBand* section = rep->AddBand(btGroupHeader, 10);
    section->SetExpression(QStringLiteral("Abschnitt"));
    section->SetRepeatOnNewPage(true);
    TReportDBText* name = section->AddDBText(QStringLiteral("Abschnitt"), 0, 3.5, rep->ClientWidth(), 5.5);
    name->SetFont(reportFont(11, true));
    name->Frame().DrawBottom = true;

    TReportBand* detail = rep->AddBand(btDetail, 5.5);
    TReportDBText* label = detail->AddDBText(QStringLiteral("Bezeichnung"), 0, 0.5, kLabelWidth, 5);
    label->SetFont(body);
    label->SetFontColor(clGray);
    detail->AddDBText(QStringLiteral("Wert"), kValueLeft, 0.5, valueWidth, 5)->SetFont(body);
    addPageFooter(*rep, 7);
    return rep;
}

// --- Zwischenzeiten ------------------------------------------------------------------------------

std::unique_ptr<TReport> BuildZwischenzeitenReport(TorvServer& server, bool hrm)
{
    auto rep = std::make_unique<TOwningReport>();
    rep->SetReportTitle(Tr("Zwischenzeiten"));
    rep->SetUnits(ruMillimetres);
    rep->SetOrientation(QPageLayout::Landscape);

    // The grid's visible columns, the split type as its picture in front.
    std::vector<int> columns;
    double pixels = 0;
    for (int c = zwgrid::colTyp; c < zwgrid::ColumnCount; ++c)
        if (zwgrid::columnWidth(c) > 0) {
            columns.push_back(c);
            pixels += zwgrid::columnWidth(c);
        }
    const double scale = rep->ClientWidth() / (pixels * PixelMm);

    auto* cells = rep->own(std::make_unique<TClientDataSet>());
    for (int c : columns)
        cells->AddField(QStringLiteral("c%1").arg(c), ftString, 255);
    cells->CreateDataSet();
    QString distanceLabel;
    QString heading;
    if (server.daten.Active() && !server.daten.IsEmpty()) {
        distanceLabel = shown(server.daten, "lDistance");
        const int datId = server.daten.FieldByName(QStringLiteral("dat_Id"))->AsInteger();
        auto* query = rep->own(std::make_unique<TQuery>());
        for (const QStringList& row : zwgrid::rowsOfUnit(server, *query, datId, hrm)) {
            cells->Append();
            for (size_t i = 0; i < columns.size(); ++i)
                cells->Field(int(i))->SetAsString(row.value(columns[i]));
            cells->Post();
        }
        query->Close();
        QStringList parts;
        for (const char* f : {"SportName", "Datum", "Ort"})
            if (!shown(server.daten, f).isEmpty())
                parts << shown(server.daten, f);
        const QString distance = shown(server.daten, "Meter", distanceLabel);
        if (!distance.isEmpty())
            parts << distance;
        heading = parts.join(QStringLiteral(", "));
    }
    cells->First();
    rep->SetDataSet(cells);

    TReportBand* title = rep->AddBand(btTitle, 16);
    addText(title, hrm ? Tr("Herzfrequenzdaten") : Tr("Zwischenzeiten"), 0, 0, 200, 8, reportFont(14, true));
    addText(title, heading, 0, 9, 270, 5, reportFont(10));

    const QStringList headers = zwgrid::headers(distanceLabel);
    const QFont head = reportFont(7.5, true);
    const QFont body = reportFont(8);
    TReportBand* header = rep->AddBand(btColumnHeader, 6);
    header->Frame().DrawBottom = true;
    TReportBand* detail = rep->AddBand(btDetail, 4.6);
    double x = 0;
    TReportImage* picture = nullptr;
    std::vector<std::pair<TReportLabel*, int>> texts;
    for (size_t i = 0; i < columns.size(); ++i) {
        const int c = columns[i];
        const double w = zwgrid::columnWidth(c) * PixelMm * scale;
        const Qt::Alignment align = c == zwgrid::colNotiz ? Qt::AlignLeft : Qt::AlignRight;
        if (c == zwgrid::colTyp) {
            picture = detail->AddImage(QImage(), x + 0.5, 0.3, 4, 4);
        } else {
            // A left-aligned column keeps its distance from the right-aligned one before it.
            const double inset = align == Qt::AlignLeft ? 2 : 0;
            addText(header, headers.value(c).trimmed(), x + inset, 1, w - 1 - inset, 4.5, head, align);
            TReportDBText* t = detail->AddDBText(cells->Field(int(i))->FieldName(), x + inset, 0.4, w - 1 - inset, 4.2);
            t->SetFont(body);
            t->SetAlignment(align);
            texts.emplace_back(t, c);
        }
        x += w;
    }
    // The split type's picture of each row, as the grid draws it.
    auto pictures = std::make_shared<QHash<int, QImage>>();
    detail->BeforePrint = [cells, picture, pictures](TReportBand*, bool&) {
        const int type = cells->Field(0)->AsString().toInt();
        auto p = pictures->find(type);
        if (p == pictures->end())
            p = pictures->insert(type, zwgrid::splitTypePicture(type).toImage());
        picture->SetPicture(*p);
        picture->SetEnabled(type > 0);
    };
    addPageFooter(*rep, 7);
    return rep;
}

// --- the data module's report project ------------------------------------------------------------

void TorvServer::createReports()
{
    RvSystem1.OnOverrideSetup = [this](TReportSystem* sys, TOverrideMode mode, QObject*& dialog) {
        RvSystem1OverrideSetup(sys, mode, dialog);
    };
    orvreports.SetEngine(&RvSystem1);
    orvreports.AddReport(QStringLiteral("Liste"), [this] { return BuildListeReport(*this); });
    orvreports.AddReport(QStringLiteral("Einheit"), [this] { return BuildEinheitReport(*this); });
    orvreports.AddReport(QStringLiteral("Zwischenzeiten"),
                         [this] { return BuildZwischenzeitenReport(*this, zwReportHrm); });
}

void TorvServer::RvSystem1OverrideSetup(TReportSystem* ReportSystem, TOverrideMode OverrideMode,
                                        QObject*& OverrideForm)
{
    switch (OverrideMode) {
    case omCreate: {
        auto* dialog = new TdtSetupForm(ReportSystem);
        dialog->SetCaption(ReportSystem->TitleSetup());
        OverrideForm = dialog;
        break;
    }
    case omShow:
        if (auto* dialog = qobject_cast<TdtSetupForm*>(OverrideForm)) {
            dialog->PreviewSetup = false;
            ReportSystem->SetSetupCancelled(dialog->ShowModal() == mrCancel);
        }
        break;
    case omWait:
        break;
    case omFree:
        delete OverrideForm;
        OverrideForm = nullptr;
        break;
    }
}
