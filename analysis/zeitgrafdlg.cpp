#include "analysis/zeitgrafdlg.h"

#include "ui_zeitgrafdlg.h"

#include <QSignalBlocker>

#include "analysis/periodchart.h"
#include "analysis/zeitgraf.h"
#include "analysis/zeitraumneu.h"
#include "core/language.h"
#include "core/messageids.h"
#include "core/orvdbserver.h"
#include "platform/db/fields.h"
#include "platform/db/query.h"
#include "platform/vcl/dialogs.h"
#include "platform/vcl/events.h"

TzeitGrafDlg* zeitGrafDlg = nullptr;

namespace {

// The distance units (unt_type 1) in table order: id and name.
QList<QPair<QVariant, QString>> distanceUnits()
{
    QList<QPair<QVariant, QString>> units;
    if (!orvServer->orvDB.Connected())
        return units;
    TQuery q;
    q.SetConnection(&orvServer->orvDB);
    q.SetSQLText(QStringLiteral("SELECT unt_id, unt_name FROM unit WHERE unt_type = 1"));
    q.SetReadOnlySQL(true);
    q.Open();
    for (; !q.Eof(); q.Next())
        units << qMakePair(q.Field(0)->Value(), q.Field(1)->AsString());
    return units;
}

}  // namespace

TzeitGrafDlg::TzeitGrafDlg(QWidget* Owner) : TForm(Owner, Qt::Dialog), ui(std::make_unique<Ui::TzeitGrafDlg>())
{
    ui->setupUi(this);
    setObjectName(QStringLiteral("zeitGrafDlg"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    RadioButton5 = ui->RadioButton5;
    RadioButton6 = ui->RadioButton6;
    RadioButton7 = ui->RadioButton7;
    RadioButton1 = ui->RadioButton1;
    RadioButton4 = ui->RadioButton4;
    RadioButton2 = ui->RadioButton2;
    RadioButton3 = ui->RadioButton3;
    ComboBox1 = ui->ComboBox1;
    ComboBox2 = ui->ComboBox2;
    Label5 = ui->Label5;
    Button1 = ui->Button1;
    Button2 = ui->Button2;

    // A user's choice in the list runs the handler; the dialog's own settings do not.
    connect(ComboBox1, &QComboBox::activated, this, [this](int) { RunGuarded([this] { ComboBox1Change(ComboBox1); }); });
    for (QRadioButton* b : {RadioButton5, RadioButton6, RadioButton7})
        connect(b, &QRadioButton::clicked, this, [this, b] { RunGuarded([this, b] { RadioButton5Click(b); }); });
    connect(Button1, &QPushButton::clicked, this, [this] { RunGuarded([this] { Button1Click(Button1); }); });
    OnShow = Handler(this, &TzeitGrafDlg::FormShow);
}

TzeitGrafDlg::~TzeitGrafDlg() = default;

QString TzeitGrafDlg::grouping() const
{
    if (RadioButton6->isChecked())
        return QStringLiteral("Block");
    if (RadioButton7->isChecked())
        return QStringLiteral("keine");
    return QStringLiteral("Tag");
}

QString TzeitGrafDlg::marking() const
{
    if (RadioButton4->isChecked())
        return QStringLiteral("Form");
    if (RadioButton2->isChecked())
        return QStringLiteral("Belastungsstufe");
    if (RadioButton3->isChecked())
        return QStringLiteral("Belastungsart");
    return QStringLiteral("Sportart");
}

void TzeitGrafDlg::fillDistanceUnits(const QVariant& selectId)
{
    const QSignalBlocker block(ComboBox2);
    ComboBox2->clear();
    int selected = 0;
    const auto units = distanceUnits();
    for (int i = 0; i < units.size(); ++i) {
        ComboBox2->addItem(units[i].second);
        if (!selectId.isNull() && units[i].first.toString() == selectId.toString())
            selected = i;
    }
    ComboBox2->setCurrentIndex(ComboBox2->count() > 0 ? selected : -1);
}

void TzeitGrafDlg::FormShow(QObject*)
{
    const QVariant configured = orvServer->config.Active()
                                    ? orvServer->config.FieldByName(QStringLiteral("cfg_wochenmonatUnt"))->Value()
                                    : QVariant();
    fillDistanceUnits(configured);
    const QSignalBlocker block(ComboBox1);
    ComboBox1->setCurrentIndex(0);
    ComboBox2->setVisible(true);
    Label5->setVisible(true);
}

void TzeitGrafDlg::RadioButton5Click(QObject* Sender)
{
    ComboBox1Change(Sender);
}

void TzeitGrafDlg::ComboBox1Change(QObject*)
{
    if (ComboBox1->currentIndex() >= pyPulse && (RadioButton5->isChecked() || RadioButton6->isChecked())) {
        MessageDlg(LoadStr(msg::OnlyWithoutGrouping), mtInformation, {mbOK});
        const QSignalBlocker block(ComboBox1);
        ComboBox1->setCurrentIndex(pyDistance);
    }
    const int y = ComboBox1->currentIndex();
    ComboBox2->setVisible(y == pyDistance || y == pyPulse);
    Label5->setVisible(y == pyDistance || y == pyPulse);
    const QSignalBlocker block(ComboBox2);
    switch (y) {
    case pyDistance:
        // Re-choosing the distance selects the first unit; only the showing selects the configured one.
        fillDistanceUnits(QVariant());
        Label5->setText(LoadStr(msg::Unit));
        break;
    case pyTime:
        ComboBox2->clear();
        ComboBox2->addItems({LoadStr(msg::MarchTime), LoadStr(msg::ChartHours)});
        ComboBox2->setCurrentIndex(0);
        break;
    case pyPulse:
        ComboBox2->clear();
        ComboBox2->addItems({LoadStr(msg::UnderlayNo), LoadStr(msg::UnderlayYes)});
        ComboBox2->setCurrentIndex(0);
        Label5->setText(LoadStr(msg::Underlaid));
        break;
    default:
        break;
    }
}

void TzeitGrafDlg::Button1Click(QObject*)
{
    const int y = ComboBox1->currentIndex();
    double factor = 1.0;
    int unitId = 0;
    if (y == pyDistance) {
        const QVariant unit = orvServer->distancespeed.Lookup(QStringLiteral("unt_type;unt_name"),
                                                              QVariantList{1, ComboBox2->currentText()},
                                                              QStringLiteral("unt_calc;unt_id"));
        if (!unit.isNull()) {
            const QVariantList values = unit.toList();
            factor = values.value(0).toDouble();
            unitId = values.value(1).toInt();
        }
    }
    ModalForm<TzeitGraf> chart(zeitGraf, ZeitNeu);
    chart->fillChart(grouping(), marking(), y, factor, unitId, ComboBox2->currentIndex());
    chart->ShowModal();
}
