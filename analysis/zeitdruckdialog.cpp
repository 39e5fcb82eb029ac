#include "analysis/zeitdruckdialog.h"

#include "ui_zeitdruckdialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>

#include "analysis/zeitraumneu.h"
#include "core/language.h"
#include "core/messageids.h"
#include "core/orvdbserver.h"
#include "platform/db/fields.h"
#include "platform/db/query.h"
#include "platform/report/listreport.h"
#include "platform/report/report.h"
#include "platform/vcl/buttonclick.h"
#include "platform/vcl/datetimepicker.h"
#include "platform/vcl/dbgrids.h"
#include "platform/vcl/events.h"

Tzeitdruckdlg* zeitdruckdlg = nullptr;

QString RepeatChar(QChar c, int count)
{
    return QString(std::max(count, 0), c);
}

namespace {

// Left edges of the running sums (from the report's client width) and of the summary block, in
// pixels of the report.
constexpr double kWeekFromRight = 150;
constexpr double kMonthFromRight = 210;
constexpr double kSummaryLeft = 844;
constexpr double kSummaryValueOffset = 109;

// Sums and averages take the training units only: a block's summary row repeats its units'
// figures.
bool unitRow(TDataSet* ds)
{
    TField* id = ds ? ds->FindField(QStringLiteral("dat_Id")) : nullptr;
    return !id || id->IsNull() || id->AsInteger() > 0;
}

int displayWidth(const char* field)
{
    TField* f = orvServer->zeitraum.FindField(QString::fromLatin1(field));
    return f ? f->DisplayWidth() : 7;
}

}  // namespace

Tzeitdruckdlg::Tzeitdruckdlg(QWidget* Owner) : TForm(Owner), ui(std::make_unique<Ui::Tzeitdruckdlg>())
{
    ui->setupUi(this);
    setObjectName(QStringLiteral("zeitdruckdlg"));
    RadioButton1 = ui->RadioButton1;
    RadioButton2 = ui->RadioButton2;
    CheckListBox1 = ui->CheckListBox1;
    Edit1 = ui->Edit1;
    Button3 = ui->Button3;
    OKBtn = ui->OKBtn;
    CancelBtn = ui->CancelBtn;

    OnButtonClick(RadioButton1, Handler(this, &Tzeitdruckdlg::RadioButton1Click));
    OnButtonClick(RadioButton2, Handler(this, &Tzeitdruckdlg::RadioButton2Click));
    OnButtonClick(Button3, Handler(this, &Tzeitdruckdlg::Button3Click));
    OnButtonClick(OKBtn, Handler(this, &Tzeitdruckdlg::OKBtnClick));
    OnShow = Handler(this, &Tzeitdruckdlg::FormShow);
    RadioButton1Click(RadioButton1);
}

Tzeitdruckdlg::~Tzeitdruckdlg() = default;

void Tzeitdruckdlg::FormShow(QObject*)
{
    const QSignalBlocker block(CheckListBox1);
    CheckListBox1->clear();
    if (ZeitNeu)
        for (int i = 0; i < ZeitNeu->CheckListBox3->count(); ++i) {
            const QListWidgetItem* from = ZeitNeu->CheckListBox3->item(i);
            auto* item = new QListWidgetItem(from->text(), CheckListBox1);
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
            item->setCheckState(from->checkState());
        }
    auto* weekMonth = new QListWidgetItem(LoadStr(msg::WeekMonth), CheckListBox1);
    weekMonth->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    weekMonth->setCheckState(Qt::Unchecked);
}

void Tzeitdruckdlg::RadioButton1Click(QObject*)
{
    CheckListBox1->setEnabled(false);
    QPalette p = CheckListBox1->palette();
    p.setColor(QPalette::Base, palette().color(QPalette::Button));
    CheckListBox1->setPalette(p);
    FormShow(this);
}

void Tzeitdruckdlg::RadioButton2Click(QObject*)
{
    CheckListBox1->setEnabled(true);
    CheckListBox1->setPalette(palette());
}

bool Tzeitdruckdlg::weekMonthTicked() const
{
    const int n = CheckListBox1->count();
    return n > 0 && CheckListBox1->item(n - 1)->checkState() == Qt::Checked;
}

namespace {

// The labels the data module gives the period's fields: the printed column titles, in the
// interface language. The free fields' labels come from the settings and print as they are.
[[maybe_unused]] const char* const kFieldLabels[] = {
    QT_TRANSLATE_NOOP("Tzeitdruckdlg", "Datum"),
    QT_TRANSLATE_NOOP("Tzeitdruckdlg", "Tag"),
    QT_TRANSLATE_NOOP("Tzeitdruckdlg", "Ort"),
    QT_TRANSLATE_NOOP("Tzeitdruckdlg", "Meter"),
    QT_TRANSLATE_NOOP("Tzeitdruckdlg", "Zeit"),
    QT_TRANSLATE_NOOP("Tzeitdruckdlg", "Sportart"),
    QT_TRANSLATE_NOOP("Tzeitdruckdlg", "Form"),
    QT_TRANSLATE_NOOP("Tzeitdruckdlg", "Bel.Art"),
    QT_TRANSLATE_NOOP("Tzeitdruckdlg", "Bel.Stufe"),
    QT_TRANSLATE_NOOP("Tzeitdruckdlg", "Puls"),
    QT_TRANSLATE_NOOP("Tzeitdruckdlg", "HDiff"),
    QT_TRANSLATE_NOOP("Tzeitdruckdlg", "Startzeit"),
    QT_TRANSLATE_NOOP("Tzeitdruckdlg", "Gefuehl"),
    QT_TRANSLATE_NOOP("Tzeitdruckdlg", "minkm"),
    QT_TRANSLATE_NOOP("Tzeitdruckdlg", "kmh"),
    QT_TRANSLATE_NOOP("Tzeitdruckdlg", "trainingsblock"),
    QT_TRANSLATE_NOOP("Tzeitdruckdlg", "Wetter"),
    QT_TRANSLATE_NOOP("Tzeitdruckdlg", "Wind"),
    QT_TRANSLATE_NOOP("Tzeitdruckdlg", "Temperatur"),
    QT_TRANSLATE_NOOP("Tzeitdruckdlg", "Streckenbeschreibung"),
    QT_TRANSLATE_NOOP("Tzeitdruckdlg", "Gli"),
    QT_TRANSLATE_NOOP("Tzeitdruckdlg", "Gewicht"),
    QT_TRANSLATE_NOOP("Tzeitdruckdlg", "Maxpuls"),
    QT_TRANSLATE_NOOP("Tzeitdruckdlg", "Ruhepuls"),
    QT_TRANSLATE_NOOP("Tzeitdruckdlg", "Erholungspuls"),
    QT_TRANSLATE_NOOP("Tzeitdruckdlg", "Fett"),
    QT_TRANSLATE_NOOP("Tzeitdruckdlg", "kcal"),
    QT_TRANSLATE_NOOP("Tzeitdruckdlg", "platz"),
    QT_TRANSLATE_NOOP("Tzeitdruckdlg", "Speed"),
    QT_TRANSLATE_NOOP("Tzeitdruckdlg", "Distanz"),
};

}  // namespace

std::unique_ptr<TReport> Tzeitdruckdlg::NewReport()
{
    TQuery& result = orvServer->zeitraum;
    // Entry j of the list stands for grid column j + 1 (column 0 is the hidden unit key).
    QStringList fields;
    if (ZeitNeu) {
        const TDBGridColumns& columns = ZeitNeu->DBGrid1->Columns();
        for (int j = 0; j + 1 < CheckListBox1->count(); ++j)
            if (CheckListBox1->item(j)->checkState() == Qt::Checked && j + 1 < columns.Count())
                fields << columns[j + 1]->FieldName();
    }
    const TDateTime from = ZeitNeu ? ZeitNeu->DateTimePicker1->DateTime() : 0;
    const TDateTime to = ZeitNeu ? ZeitNeu->DateTimePicker2->DateTime() : 0;
    const QString title = Format(LoadStr(msg::PeriodPrintTitle), {DateToStr(from), DateToStr(to)});

    // The running sums stand at the right edge: the list's columns keep clear of them.
    std::unique_ptr<TReport> report =
        QRCreateList(&result, title, fields, weekMonthTicked() ? kMonthFromRight + 6 : 0,
                     [](const QString& label) { return tr(label.toUtf8().constData()); });
    const double client = report->ClientWidth();

    WeekLabel = nullptr;
    MonthLabel = nullptr;
    if (weekMonthTicked()) {
        TReportBand* head = report->EnsureBand(btColumnHeader);
        for (const auto& [text, left] : {std::pair{tr("Woche"), client - kWeekFromRight},
                                         std::pair{tr("Monat"), client - kMonthFromRight}}) {
            TReportLabel* l = head->AddLabel(text, left, 2);
            QFont f(QStringLiteral("Arial"), 10);
            f.setUnderline(true);
            l->SetFont(f);
        }
        TReportBand* detail = report->EnsureBand(btDetail);
        WeekLabel = detail->AddLabel(QString(), client - kWeekFromRight, 1);
        WeekLabel->SetName(QStringLiteral("WeekLabel"));
        MonthLabel = detail->AddLabel(QString(), client - kMonthFromRight, 1);
        MonthLabel->SetName(QStringLiteral("MonthLabel"));
        for (TReportLabel* l : {WeekLabel, MonthLabel}) {
            l->SetAutoSize(false);
            l->SetWidth(kMonthFromRight - kWeekFromRight - 6);
            l->SetFont(QFont(QStringLiteral("Arial"), 10));
        }
        // Every run (preview or print) starts the sums afresh.
        report->BeforePrint = [this](TReport*, bool&) { sums_.Reset(); };
        detail->BeforePrint = [this](TReportBand* band, bool& print) { BefPrint(band, print); };
    }

    TReportBand* summary = report->EnsureBand(btSummary);
    TReportBand* footer = report->EnsureBand(btPageFooter);
    TReportBand* titleBand = report->EnsureBand(btTitle);
    // Twice the default band height does not hold the summary's five rows; it gets their room.
    summary->SetHeight(std::max(2 * summary->Height(), 124.0));
    titleBand->SetHeight(90);

    if (!Edit1->text().isEmpty()) {
        TReportLabel* sub = titleBand->AddLabel(Edit1->text(), 0, 30);
        sub->SetName(QStringLiteral("Subtitle"));
        QFont f(QStringLiteral("Arial"), 12);
        f.setBold(true);
        sub->SetFont(f);
        sub->SetAlignToBand(true);
        sub->SetAlignment(Qt::AlignHCenter);
    }
    QFont dateFont(QStringLiteral("Arial"), 10);
    dateFont.setItalic(true);
    titleBand->AddLabel(tr("Vom: ") + DateToStr(from), 0, 40)->SetFont(dateFont);
    titleBand->AddLabel(tr("Bis zum: ") + DateToStr(to), 0, 54)->SetFont(dateFont);

    footer->AddLabel(tr("Erstellt mit Orvalo 5 - Trainingstagebuch"), 0, 4)->SetFont(dateFont);

    struct Row {
        double top;
        QString caption;
        const char* expression;  // null: the window's time total
        int sampleChars;
    };
    const QString meter = LoadStr(msg::Meter);
    const QString height = LoadStr(msg::HeightDifference);
    const int meterChars = displayWidth("Meter");
    const int heightChars = displayWidth("Hoehendifferenz");
    const Row rows[] = {
        {20, meter + QStringLiteral(":"), "SUM(meter)", meterChars},
        {40, height + QStringLiteral(":"), "SUM(hoehendifferenz)", heightChars},
        {60, tr("Zeit:"), nullptr, meterChars},
        {80, QStringLiteral("Ø ") + meter + QStringLiteral(":"), "Int(average(meter))", meterChars},
        {100, QStringLiteral("Ø ") + height + QStringLiteral(":"), "int(average(Hoehendifferenz))", heightChars},
    };
    QFont font(QStringLiteral("Arial"), 10);
    font.setBold(true);
    font.setItalic(true);
    // Caption and value are as wide as the field's display width in "X"s or the caption,
    // whichever is wider. A caption wider than the gap pushes the values right rather than
    // under them, and the block stays on the page when the list is printed upright.
    double widest = 0, offset = kSummaryValueOffset;
    for (const Row& r : rows) {
        const double w = std::max(report->TextWidth(font, RepeatChar(QLatin1Char('X'), r.sampleChars)),
                                  report->TextWidth(font, r.caption));
        widest = std::max(widest, w);
        offset = std::max(offset, report->TextWidth(font, r.caption) + 6);
    }
    const double left = std::max(0.0, std::min(kSummaryLeft, client - offset - widest));
    const QString time = ZeitNeu ? ZeitNeu->Label11->text() : QString();
    for (const Row& r : rows) {
        const double w = std::max(report->TextWidth(font, RepeatChar(QLatin1Char('X'), r.sampleChars)),
                                  report->TextWidth(font, r.caption));
        TReportLabel* caption = summary->AddLabel(r.caption, left, r.top);
        caption->SetFont(font);
        caption->SetAutoSize(false);
        caption->SetWidth(w);
        TReportLabel* value = nullptr;
        if (r.expression) {
            // "#,0": whole numbers with thousands separators, and 0 when there is nothing to sum.
            TReportExpr* e = summary->AddExpr(QString::fromLatin1(r.expression), left + offset, r.top, w,
                                              QStringLiteral("#,0"));
            e->SetRowFilter(unitRow);
            value = e;
        } else {
            value = summary->AddLabel(time, left + offset, r.top);
            value->SetAutoSize(false);
            value->SetWidth(w);
        }
        value->SetFont(font);
        value->SetAlignment(Qt::AlignLeft);
        // A sum of many years has more digits than the sample: the value is as wide as its text.
        value->SetAutoSize(true);
    }
    return report;
}

void Tzeitdruckdlg::BefPrint(TReportBand*, bool&)
{
    if (!WeekLabel || !MonthLabel)
        return;
    TQuery& q = orvServer->zeitraum;
    WeekLabel->Frame().DrawTop = false;
    MonthLabel->Frame().DrawTop = false;
    // A block's summary row repeats its units' metres: it shows no running sums and adds nothing.
    if (!unitRow(&q)) {
        WeekLabel->SetCaption(QString());
        MonthLabel->SetCaption(QString());
        return;
    }
    TField* meter = q.FieldByName(QStringLiteral("Meter"));
    const TWeekMonthSums::Row row =
        sums_.Add(q.FieldByName(QStringLiteral("Datum"))->AsDateTime(), meter->IsNull() ? 0 : meter->AsInteger());
    WeekLabel->Frame().DrawTop = row.NewWeek;
    WeekLabel->Frame().Style = Qt::DashLine;
    WeekLabel->SetCaption(QString::number(row.Week));
    MonthLabel->Frame().DrawTop = row.NewMonth;
    MonthLabel->Frame().Style = Qt::DotLine;
    MonthLabel->SetCaption(QString::number(row.Month));
}

void Tzeitdruckdlg::Button3Click(QObject*)
{
    std::unique_ptr<TReport> report = NewReport();
    report->Preview(this);
}

void Tzeitdruckdlg::OKBtnClick(QObject*)
{
    TQuery& result = orvServer->zeitraum;
    result.DisableControls();
    try {
        std::unique_ptr<TReport> report = NewReport();
        report->Print();
    } catch (...) {
        result.EnableControls();
        throw;
    }
    result.EnableControls();
}
