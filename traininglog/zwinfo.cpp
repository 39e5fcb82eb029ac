#include "traininglog/zwinfo.h"

#include "ui_zwinfo.h"
#include "ui_zwinfodlg.h"

#include <QPainter>

#include "core/language.h"
#include "core/main.h"
#include "core/orvdatabase.h"
#include "core/orvdbserver.h"
#include "platform/report/printformimage.h"
#include "platform/vcl/events.h"
#include "traininglog/einheiteneingabe.h"
#include "traininglog/vergleichselect.h"

TzwInfo* zwInfo = nullptr;
TzwInfoDlg* zwInfoDlg = nullptr;

namespace {

// A minimum no row reached: its start mark is no value.
const QString kNoValue = QStringLiteral("–");

constexpr int kValueRows = 28;

// A print glyph for the dialog's print button.
QImage printerGlyph()
{
    QImage img(16, 16, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setPen(QColor(40, 52, 72));
    p.setBrush(Qt::white);
    p.drawRect(4, 1, 8, 5);
    p.setBrush(QColor(150, 160, 175));
    p.drawRect(1, 6, 14, 6);
    p.setBrush(Qt::white);
    p.drawRect(4, 10, 8, 5);
    return img;
}

}  // namespace

QList<ZwInfoRow> ZwInfoRows(const TzwStatistik& st)
{
    auto whole = [](int v) { return QString::number(v); };
    auto number = [](double v) { return FloatToStr(v); };
    auto time = [](TDateTime t) { return TimeToStr(t); };
    auto percent = [](double v) { return FormatFloat(QStringLiteral("0.0#"), v); };
    auto section = [](int id) { return ZwInfoRow{LoadStr(id), QString(), true}; };
    auto row = [](int id, const QString& value) { return ZwInfoRow{LoadStr(id), value, false}; };
    return {
        section(msg::InfoPulse),
        row(msg::InfoMaxPulse, whole(st.maxPuls)),
        row(msg::InfoMinPulse, whole(st.minPuls)),
        row(msg::InfoAvgPulse, whole(st.avgPuls)),
        section(msg::InfoDistance),
        row(msg::InfoDistanceUp, number(st.streckeBergauf)),
        row(msg::InfoDistanceDown, number(st.streckeBergab)),
        row(msg::InfoDistanceFlat, number(st.streckeFlach)),
        row(msg::InfoMaxHeight, whole(st.maxHDiff)),
        row(msg::InfoMinHeight, whole(st.minHDiff)),
        row(msg::InfoAvgHeight, whole(st.avgHDiff)),
        row(msg::InfoClimb, number(st.hmBergauf)),
        row(msg::InfoDescent, number(st.hmBergab)),
        row(msg::InfoMaxGradient, number(st.maxSteigung)),
        row(msg::InfoMaxDownGradient, number(st.maxGefaelle)),
        row(msg::InfoAvgGradient, percent(st.avgSteigung)),
        row(msg::InfoAvgDownGradient, percent(st.avgGefaelle)),
        section(msg::InfoPerformance),
        row(msg::InfoMaxPace, time(st.maxMinKm)),
        row(msg::InfoMinPace, st.noMinMinKm() ? kNoValue : time(st.minMinKm)),
        row(msg::InfoAvgPace, time(st.avgMinKm)),
        row(msg::InfoMaxImportKmh, number(st.maxImportKmh)),
        row(msg::InfoMinImportKmh, number(st.minImportKmh)),
        row(msg::InfoMaxKmh, number(st.maxKmh)),
        row(msg::InfoMinKmh, st.noMinKmh() ? kNoValue : number(st.minKmh)),
        row(msg::InfoAvgKmh, number(st.avgKmh)),
        row(msg::InfoMaxCadence, whole(st.maxTrittfrequenz)),
        row(msg::InfoAvgCadence, whole(st.avgTrittfrequenz)),
    };
}

QStringList ZwInfoPanelValues(const TzwStatistik& st, int sportId)
{
    auto distance = [sportId](double metres) {
        const int whole = int(Round(metres));
        double value = whole;
        QString unit;
        try {
            value = GetUnitDistance(sportId, whole);
            unit = GetUnitShortName(sportId);
        } catch (const Exception&) {
            unit = QStringLiteral("m");  // a unit without a sport or its unit: plain metres
        }
        return FloatToStr(value) + QLatin1Char(' ') + unit;
    };
    return {QString::number(st.maxHDiff),         QString::number(st.minHDiff),
            QString::number(st.maxTrittfrequenz), QString::number(st.avgTrittfrequenz),
            QString::number(st.hmBergauf),        QString::number(-st.hmBergab),
            distance(st.streckeBergauf),          distance(st.streckeBergab)};
}

// ---------------------------------------------------------------------------------------------
// The panel.

TzwInfo::TzwInfo(QWidget* Owner) : TFrame(Owner), ui(std::make_unique<Ui::TzwInfo>())
{
    ui->setupUi(this);
    values = {ui->Label11, ui->Label12, ui->Label13, ui->Label14, ui->Label15, ui->Label16, ui->Label17, ui->Label18};
    XPButton1 = ui->XPButton1;
    XPButton1->setFocusPolicy(Qt::StrongFocus);
    XPButton1->OnClick = Handler(this, &TzwInfo::XPButton1Click);
    for (QLabel* v : values)
        v->setVisible(false);
}

TzwInfo::~TzwInfo()
{
    if (zwInfo == this)
        zwInfo = nullptr;
}

void TzwInfo::getValues()
{
    const bool rows = orvServer && orvServer->zeit.Active() && !orvServer->zeit.IsEmpty();
    int sport = 0;
    if (orvServer && orvServer->daten.Active() && !orvServer->daten.IsEmpty())
        sport = orvServer->daten.FieldByName(QStringLiteral("Sportart"))->AsInteger();
    const QStringList texts = ZwInfoPanelValues(zwStatistik, sport);
    for (int i = 0; i < values.size(); ++i) {
        values[i]->setText(texts.value(i));
        values[i]->setVisible(rows);
    }
}

void TzwInfo::XPButton1Click(QObject*)
{
    ModalForm<TzwInfoDlg> dlg(zwInfoDlg, MainForm);
    dlg->ShowModal();
}

// ---------------------------------------------------------------------------------------------
// The dialog.

TzwInfoDlg::TzwInfoDlg(QWidget* Owner)
    : TForm(Owner, Qt::Dialog | Qt::WindowStaysOnTopHint), ui(std::make_unique<Ui::TzwInfoDlg>())
{
    ui->setupUi(this);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    ValueListEditor1 = ui->ValueListEditor1;
    Button1 = ui->Button1;
    SpeedButton1 = ui->SpeedButton1;
    XPButton1 = ui->XPButton1;
    SpeedButton1->SetGlyph(printerGlyph());
    for (TXPButton* b : {SpeedButton1, XPButton1})
        b->setFocusPolicy(Qt::StrongFocus);
    XPButton1->OnClick = Handler(this, &TzwInfoDlg::XPButton1Click);
    SpeedButton1->OnClick = Handler(this, &TzwInfoDlg::SpeedButton1Click);
    connect(Button1, &QPushButton::clicked, this, [this] { RunGuarded([this] { Button1Click(Button1); }); });
    ValueListEditor1->OnDrawCell = Handler(this, &TzwInfoDlg::ValueListEditor1DrawCell);
    FormCreate(this);
}

TzwInfoDlg::~TzwInfoDlg() = default;

void TzwInfoDlg::FormCreate(QObject*)
{
    TStringGrid& g = *ValueListEditor1;
    g.SetColCount(2);
    g.SetRowCount(kValueRows + 1);
    g.SetFixedCols(0);
    g.SetFixedRows(1);
    g.SetDefaultRowHeight(16);
    g.SetColWidths(0, 154);
    g.SetColWidths(1, 152);
    g.SetOptions(goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goRowSelect);
    g.SetRowHeights(0, 16);
    // The first column is no fixed one: the table starts with it.
    g.SetLeftCol(0);
    g.SetCol(0);
    const QList<ZwInfoRow> rows = ZwInfoRows(zwStatistik);
    for (int r = 0; r < rows.size(); ++r) {
        g.SetCells(0, r + 1, rows[r].label);
        g.SetCells(1, r + 1, rows[r].value);
    }
    setFixedWidth(330);
}

void TzwInfoDlg::showComparison(const TzwStatistik& st)
{
    TStringGrid& g = *ValueListEditor1;
    g.setFixedWidth(470);
    g.SetColCount(3);
    g.SetColWidths(2, g.ColWidths(1));
    setFixedWidth(494);
    ui->XPButton1->move(494 - 8 - ui->XPButton1->width(), ui->XPButton1->y());
    const QList<ZwInfoRow> rows = ZwInfoRows(st);
    for (int r = 0; r < rows.size(); ++r)
        g.SetCells(2, r + 1, rows[r].section ? QString() : rows[r].value);
}

void TzwInfoDlg::XPButton1Click(QObject*)
{
    SetModalResult(mrOk);
}

void TzwInfoDlg::SpeedButton1Click(QObject*)
{
    PrintFormImage(this);
}

void TzwInfoDlg::Button1Click(QObject*)
{
    if (!orvServer || !orvServer->daten.Active())
        return;
    ModalForm<TvergleichSelect> select(vergleichSelect, MainForm);
    if (select->ShowModal() != mrOk)
        return;
    const int chosen = select->ADOTable1dat_Id();
    // The chosen unit's values come from its own rows: the current unit, a pending edit of it
    // and the record of the grid as last filled stay untouched.
    const bool hrm = eingabe && eingabe->hrmTabActive();
    const ZwStatisticsResult result = ZwStatisticsOfUnit(*orvServer, chosen, hrm);
    ReportBadStatisticsRows(result.badRows);
    showComparison(result.stats);
}

void TzwInfoDlg::ValueListEditor1DrawCell(QObject*, int ACol, int ARow, const QRect& Rect, TGridDrawState)
{
    const QString first = ValueListEditor1->Cells(0, ARow);
    if (ARow == 0 ||
        (first != LoadStr(msg::InfoDistance) && first != LoadStr(msg::InfoPulse) && first != LoadStr(msg::InfoPerformance)))
        return;
    QPainter* canvas = ValueListEditor1->Canvas();
    canvas->fillRect(Rect, QColor(0xC0, 0xC0, 0xC0));
    canvas->setPen(ValueListEditor1->palette().color(QPalette::Text));
    canvas->drawText(Rect.left() + 1, Rect.top() + 1 + canvas->fontMetrics().ascent(), ValueListEditor1->Cells(ACol, ARow));
}
