#include "analysis/tflex.h"

#include "ui_tflex.h"

#include "analysis/calchelp.h"
#include "analysis/tempoflextable.h"
#include "core/language.h"
#include "core/messageids.h"
#include "platform/report/printformimage.h"
#include "platform/rtl/graphics.h"
#include "platform/rtl/sysutils.h"
#include "platform/vcl/buttonclick.h"
#include "platform/vcl/dialogs.h"
#include "platform/vcl/events.h"

TTempoflex* Tempoflex = nullptr;

namespace {

// Segment ends of each page's five columns.
constexpr const char* kColumns[3][5] = {
    {"200m", "400m", "600m", "800m", "1000m"},
    {"400m", "800m", "1200m", "1600m", "2000m"},
    {"600m", "1200m", "1800m", "2400m", "3000m"},
};

constexpr int kRowHeight = 21;
constexpr int kFirstColumnWidth = 104;
constexpr int kColumnWidth = 78;

QLabel* tableLabel(QWidget* parent, const QString& text, int x, int y, int w, bool bold)
{
    auto* l = new QLabel(text, parent);
    l->setGeometry(x, y, w, kRowHeight);
    if (bold) {
        QFont f = l->font();
        f.setBold(true);
        l->setFont(f);
    }
    return l;
}

void setWindowColour(QWidget* w, const QColor& c)
{
    QPalette pal = w->palette();
    pal.setColor(QPalette::Window, c);
    w->setPalette(pal);
    w->setAutoFillBackground(true);
}

}  // namespace

TTempoflex::TTempoflex(QWidget* Owner) : TForm(Owner), ui(std::make_unique<Ui::TTempoflex>())
{
    ui->setupUi(this);
    PageControl1 = ui->PageControl1;
    MaskEdit = {ui->MaskEdit1, ui->MaskEdit2, ui->MaskEdit3};
    BitBtn1 = ui->BitBtn1;
    BitBtn2 = ui->BitBtn2;
    BitBtn3 = ui->BitBtn3;
    BitBtn4 = ui->BitBtn4;
    BitBtn5 = ui->BitBtn5;
    BitBtn6 = ui->BitBtn6;
    for (int p = 0; p < 3; ++p) {
        MaskEdit[size_t(p)]->Clear();
        buildTable(p);
    }
    PageControl1->setCurrentIndex(0);

    OnButtonClick(BitBtn1, Handler(this, &TTempoflex::BitBtn1Click));
    OnButtonClick(BitBtn3, Handler(this, &TTempoflex::BitBtn3Click));
    OnButtonClick(BitBtn4, Handler(this, &TTempoflex::BitBtn4Click));
    OnButtonClick(BitBtn6, Handler(this, &TTempoflex::BitBtn6Click));
    OnButtonClick(BitBtn5, Handler(this, &TTempoflex::BitBtn5Click));
}

TTempoflex::~TTempoflex() = default;

void TTempoflex::buildTable(int page)
{
    QWidget* table = findChild<QWidget*>(QStringLiteral("Table%1").arg(page + 1));
    const TTempoflexPage& info = TempoflexPages()[size_t(page)];
    for (int j = 0; j < 5; ++j)
        tableLabel(table, QLatin1String(kColumns[page][j]), kFirstColumnWidth + j * kColumnWidth, 2, kColumnWidth, true);
    for (int r = 0; r < info.Repetitions; ++r) {
        for (int row = 0; row < 2; ++row) {
            const int y = 2 + kRowHeight * (1 + r * 2 + row) + r * 2;
            tableLabel(table,
                       row == 0 ? tr("Split") : tr("Zeit"),
                       6, y, kFirstColumnWidth - 6, row == 0);
            for (int j = 0; j < 5; ++j)
                cells_[size_t(page)].push_back(
                    tableLabel(table, QString(), kFirstColumnWidth + j * kColumnWidth, y, kColumnWidth, false));
        }
    }
}

QLabel* TTempoflex::Cell(int page, int repetition, int row, int column) const
{
    return cells_[size_t(page)][size_t((repetition * 2 + row) * 5 + column)];
}

void TTempoflex::calculate(int page)
{
    std::vector<TTempoflexRow> rows;
    try {
        rows = TempoflexTable(TempoflexPages()[size_t(page)], MaskEdit[size_t(page)]->Text());
    } catch (const EConvertError&) {
        MessageDlg(LoadStr(msg::InvalidTargetTime), mtError, {mbOK});
        return;
    }
    for (size_t r = 0; r < rows.size(); ++r)
        for (int j = 0; j < 5; ++j) {
            Cell(page, int(r), 0, j)->setText(rows[r].Split[size_t(j)]);
            Cell(page, int(r), 1, j)->setText(rows[r].Zeit[size_t(j)]);
        }
}

void TTempoflex::BitBtn1Click(QObject*)
{
    calculate(0);
}

void TTempoflex::BitBtn3Click(QObject*)
{
    calculate(1);
}

void TTempoflex::BitBtn4Click(QObject*)
{
    calculate(2);
}

void TTempoflex::BitBtn6Click(QObject*)
{
    // The picture is printed on white; the window gets its own colour back also when printing fails.
    setWindowColour(this, Qt::white);
    struct Restore {
        TTempoflex* w;
        ~Restore() { setWindowColour(w, ToQColor(clBtnFace)); }
    } restore{this};
    PrintFormImage(this, TPrintTarget(), poPrintToFit);
}

void TTempoflex::BitBtn5Click(QObject*)
{
    ShowCalculatorHelp(QStringLiteral("Tempoflextraining"));
}
