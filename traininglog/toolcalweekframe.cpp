#include "traininglog/toolcalweekframe.h"

#include "ui_toolcalweekframe.h"

#include "controls/flatbuttonkeys.h"
#include "core/language.h"
#include "core/orvdbserver.h"
#include "platform/db/fields.h"
#include "platform/vcl/events.h"

TtoolCalWeekFrm* toolCalWeekFrm = nullptr;

namespace {

const QString kSportGroup = QStringLiteral("daten.Sportart");
const QString kSportColor = QStringLiteral("DLookup(\"spo_farbe\",\"sportart\",\"spo_id = \" & daten.Sportart)");
const QString kLevelGroup = QStringLiteral("daten.Belastungsstufe");
const QString kLevelColor =
    QStringLiteral("DLookup(\"bel_farbe\",\"belstufe\",\"bel_id = \" & daten.Belastungsstufe)");

}  // namespace

QStringList CalWeekSql(const QString& groupField, const QString& colorLookup, bool withPlanning)
{
    return {
        QStringLiteral("SELECT ") + groupField + QStringLiteral(" as xvalue, ") + colorLookup +
            QStringLiteral(" as farbe, Sum(daten.Meter) AS SummevonMeter, Sum(daten.Zeit) AS SummevonZeit"),
        QStringLiteral("FROM daten"),
        QStringLiteral("WHERE (((daten.Datum) >=:start) AND ((daten.Datum)<= :end)) and "
                       "((DLookup(\"for_planung\",\"form\",\"for_id = \" & daten.form) =  "),
        withPlanning ? QStringLiteral("true") : QStringLiteral("false"),
        QStringLiteral(")  or (DLookup(\"for_planung\",\"form\",\"for_id = \" & daten.form) = false))"),
        QStringLiteral("GROUP BY ") + groupField + QStringLiteral(";"),
    };
}

TtoolCalWeekFrm::TtoolCalWeekFrm(QWidget* Owner) : TFrame(Owner), ui(std::make_unique<Ui::TtoolCalWeekFrm>())
{
    ui->setupUi(this);
    XPButton1 = ui->XPButton1;
    XPButton2 = ui->XPButton2;
    XPButton3 = ui->XPButton3;
    CheckBox1 = ui->CheckBox1;
    DBChart1 = ui->DBChart1;
    Panel2 = ui->Panel2;
    DBGrid1 = ui->DBGrid1;

    qSportart.SetName(QStringLiteral("qSportart"));
    qBelStufe.SetName(QStringLiteral("qBelStufe"));
    for (TQuery* q : {&qSportart, &qBelStufe}) {
        q->SetReadOnly(true);
        if (orvServer)
            q->SetConnection(&orvServer->orvDB);
    }
    qSportart.SetSQL(CalWeekSql(kSportGroup, kSportColor, true));
    qBelStufe.SetSQL(CalWeekSql(kLevelGroup, kLevelColor, true));
    declareFields();
    dsSportart.SetDataSet(&qSportart);
    dsBelStufe.SetDataSet(&qBelStufe);

    // One bar series "Meter": a bar per sport (or load level) in its colour, labelled with its
    // name, in the order of the ids; the values stay off the bars and the legend is hidden.
    DBChart1->SetGallery(ChartKind::Bar);
    DBChart1->SetLegendVisible(false);
    DBChart1->SetTitle({LoadStr(msg::Sportart)});
    DBChart1->SeriesObject(0).SetSeriesLegend(QStringLiteral("Meter"));
    DBChart1->SeriesObject(0).SetPointLabels(false);
    link_ = std::make_unique<ChartDataLink>(*DBChart1, 0);
    link_->SetValueField(QStringLiteral("SummevonMeter"));
    link_->SetLabelField(QStringLiteral("lSportart"));
    link_->SetColorField(QStringLiteral("farbe"));
    link_->SetXField(QStringLiteral("xvalue"));
    link_->SetDataSource(&dsSportart);

    DBGrid1->SetDataSource(&dsSportart);
    DBGrid1->SetReadOnly(true);
    DBGrid1->SetOptions(dgTitles | dgColumnResize | dgColLines | dgRowLines | dgRowSelect);
    struct ColumnDecl {
        const char* field;
        const char* title;
        int width;
    };
    static const ColumnDecl columns[] = {
        {"lSportart", QT_TRANSLATE_NOOP("TtoolCalWeekFrm", "Sportart"), 70},
        {"SummevonMeter", QT_TRANSLATE_NOOP("TtoolCalWeekFrm", "Distanz"), 93},
    };
    for (const ColumnDecl& c : columns) {
        TColumn* col = DBGrid1->Columns().Add();
        col->SetFieldName(QString::fromLatin1(c.field));
        col->Title().SetCaption(tr(c.title));
        col->SetWidth(c.width);
    }
    Panel2->hide();

    XPButton1->OnClick = Handler(this, &TtoolCalWeekFrm::XPButton1Click);
    XPButton2->OnClick = Handler(this, &TtoolCalWeekFrm::XPButton2Click);
    XPButton3->OnClick = Handler(this, &TtoolCalWeekFrm::XPButton3Click);
    connect(CheckBox1, &QCheckBox::clicked, this, [this] { RunGuarded([this] { CheckBox1Click(CheckBox1); }); });
    LetKeyboardPressButtons({XPButton1, XPButton2, XPButton3});
}

TtoolCalWeekFrm::~TtoolCalWeekFrm()
{
    link_.reset();
}

void TtoolCalWeekFrm::declareFields()
{
    auto common = [](TQuery& q, TFieldType idType) {
        q.AddField(QStringLiteral("xvalue"), idType);
        q.AddField(QStringLiteral("farbe"), ftString, 255)->SetReadOnly(true);
        q.AddField(QStringLiteral("SummevonMeter"), ftFloat);
        q.AddField(QStringLiteral("SummevonZeit"), ftFloat);
    };
    common(qSportart, ftInteger);
    common(qBelStufe, ftSmallint);
    if (!orvServer)
        return;
    qSportart.AddLookupField(QStringLiteral("lSportart"), ftString, 20, &orvServer->sportart, QStringLiteral("xvalue"),
                             QStringLiteral("Spo_Id"), QStringLiteral("Spo_Name"));
    qBelStufe.AddLookupField(QStringLiteral("lBelStufe"), ftString, 24, &orvServer->belStufe, QStringLiteral("xvalue"),
                             QStringLiteral("bel_ID"), QStringLiteral("bel_Name"));
    // The series' label field "lSportart" serves both queries.
    qBelStufe.AddLookupField(QStringLiteral("lSportart"), ftString, 24, &orvServer->belStufe, QStringLiteral("xvalue"),
                             QStringLiteral("bel_ID"), QStringLiteral("bel_Name"));
}

void TtoolCalWeekFrm::XPButton1Click(QObject*)
{
    link_->SetDataSource(&dsSportart);
    Panel2->hide();
    DBChart1->SetTitle({LoadStr(msg::Sportart)});
}

void TtoolCalWeekFrm::XPButton2Click(QObject*)
{
    link_->SetDataSource(&dsBelStufe);
    Panel2->hide();
    DBChart1->SetTitle({LoadStr(msg::Belastungsstufe)});
}

void TtoolCalWeekFrm::XPButton3Click(QObject*)
{
    // The table always shows the sums per sport.
    Panel2->show();
    Panel2->raise();
}

void TtoolCalWeekFrm::CheckBox1Click(QObject*)
{
    if (OnPlanningChanged)
        OnPlanningChanged();
    else if (to_ >= from_)
        Refresh(from_, to_);
}

void TtoolCalWeekFrm::refreshQuery(TQuery& q, const QString& groupField, const QString& colorLookup)
{
    q.Close();
    if (orvServer && !q.Connection())
        q.SetConnection(&orvServer->orvDB);
    q.SetSQL(CalWeekSql(groupField, colorLookup, CheckBox1->isChecked()));
    // The days as date values: no text in a locale's date format that the engine could read
    // with day and month swapped.
    q.ParamByName(QStringLiteral("start"))->SetAsDateTime(from_);
    q.ParamByName(QStringLiteral("end"))->SetAsDateTime(to_);
    q.Open();
}

void TtoolCalWeekFrm::Refresh(TDateTime from, TDateTime to)
{
    from_ = from;
    to_ = to;
    refreshQuery(qSportart, kSportGroup, kSportColor);
    refreshQuery(qBelStufe, kLevelGroup, kLevelColor);
}
