#include "traininglog/trainplanwoche.h"

#include "ui_trainplanwoche.h"

#include <QPainter>

#include "core/language.h"
#include "core/messageids.h"
#include "core/orvdbserver.h"
#include "core/orvtools.h"
#include "platform/vcl/events.h"
#include "platform/vcl/shape.h"
#include "traininglog/planmonth.h"

TtrainplanWoche* trainplanWoche = nullptr;

TtrainplanWoche::TtrainplanWoche(QWidget* Owner) : TForm(Owner, Qt::Dialog), ui(std::make_unique<Ui::TtrainplanWoche>())
{
    ui->setupUi(this);
    setObjectName(QStringLiteral("trainplanWoche"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    Combobox1 = ui->Combobox1;
    Combobox2 = ui->Combobox2;
    XPButton2 = ui->XPButton2;
    DBGrid1 = ui->DBGrid1;
    Montag = ui->Montag;
    QLabel* const labels[] = {ui->Label8, ui->Label9, ui->Label10, ui->Label11, ui->Label12};
    std::copy(std::begin(labels), std::end(labels), WeekLabels);
    for (QLabel* heading : {ui->Montag, ui->Dienstag, ui->Mittwoch, ui->Donnerstag, ui->Freitag, ui->Samstag, ui->Sonntag})
        heading->setBackgroundRole(QPalette::Button);

    if (orvServer)
        DBGrid1->SetDataSource(orvServer->FindDataSource(QStringLiteral("dsBelStufe")));
    DBGrid1->SetReadOnly(true);
    DBGrid1->SetOptions(dgColLines | dgRowLines | dgRowSelect);
    TColumn* swatch = DBGrid1->Columns().Add();
    swatch->SetFieldName(QStringLiteral("bel_Farbe"));
    swatch->SetWidth(30);
    TColumn* name = DBGrid1->Columns().Add();
    name->SetFieldName(QStringLiteral("bel_Name"));
    name->SetWidth(120);
    DBGrid1->OnDrawColumnCell = [this](QObject*, const QRect& rect, int dataCol, TColumn* column, TGridDrawState state) {
        TField* f = column ? column->Field() : nullptr;
        QPainter* p = DBGrid1->Canvas();
        if (dataCol != 0 || !f || !p) {
            DBGrid1->DefaultDrawColumnCell(rect, dataCol, column, state);
            return;
        }
        // A load level without a colour shows the colour of the weekday headings.
        const bool none = f->IsNull() || f->AsInteger() == -1;
        p->fillRect(rect, none ? Montag->palette().color(QPalette::Button) : ToQColor(TColor(f->AsInteger())));
    };

    XPButton2->OnClick = Handler(this, &TtrainplanWoche::Button1Click);
    // Space or Return on the focused show button shows the month (the button answers them).
    XPButton2->setFocusPolicy(Qt::StrongFocus);
    ui->XPButton1->setFocusPolicy(Qt::NoFocus);
    setTabOrder(Combobox1, Combobox2);
    setTabOrder(Combobox2, XPButton2);
    OnShow = Handler(this, &TtrainplanWoche::FormShow);
}

TtrainplanWoche::~TtrainplanWoche()
{
    DBGrid1->SetDataSource(nullptr);
}

void TtrainplanWoche::FormShow(QObject*)
{
    fillCBs();
    showit(chosenMonth());
}

void TtrainplanWoche::Button1Click(QObject*)
{
    showit(chosenMonth());
}

void TtrainplanWoche::fillCBs()
{
    Combobox1->clear();
    Combobox2->clear();
    const TFormatSettings german = GetGermanFormatSettings();
    for (int m = 1; m <= 12; ++m)
        Combobox1->addItem(FormatDateTime(QStringLiteral("mmmm"), EncodeDate(2002, m, 1), FormatSettings()));
    const int year = YearOf(Date());
    for (int k = -10; k <= 2; ++k)
        Combobox2->addItem(QString::number(year + k));
    Combobox1->setCurrentIndex(MonthOf(Date()) - 1);
    Combobox2->setCurrentIndex(10);
}

TDateTime TtrainplanWoche::chosenMonth() const
{
    const int month = Combobox1->currentIndex() + 1;
    const int year = Combobox2->currentText().toInt();
    if (month < 1 || year < 1)
        return std::floor(Date()) - (DayOf(Date()) - 1);
    return StrToDate(QStringLiteral("1.") + QString::number(month) + QLatin1Char('.') + QString::number(year),
                     GetGermanFormatSettings());
}

void TtrainplanWoche::showit(TDateTime first)
{
    // The previous drawing goes, last control first.
    for (auto it = drawn_.rbegin(); it != drawn_.rend(); ++it)
        delete it->data();
    drawn_.clear();

    const QStringList labels = PlanMonthWeekLabels(first, LoadStr(msg::WeekCaption));
    for (int i = 0; i < 5; ++i)
        WeekLabels[i]->setText(labels[i]);

    int planId = -1;
    if (orvServer && orvServer->Plan.Active() && !orvServer->Plan.IsEmpty() && orvServer->Plan.State() != dsInsert)
        planId = orvServer->Plan.FieldByName(QStringLiteral("pla_ID"))->AsInteger();
    const TPlanMonthSheet sheet = PlanMonthSheet(orvServer ? &orvServer->orvDB : nullptr, planId, first);

    setUpdatesEnabled(false);
    QFont small = font();
    small.setPointSizeF(font().pointSizeF() * 0.85);
    for (const TPlanMonthDay& day : sheet.Days) {
        auto* label = new QLabel(FormatDateTime(FormatSettings().ShortDateFormat, day.Day, FormatSettings()), this);
        label->setFont(small);
        label->move(day.Pos);
        label->adjustSize();
        label->show();
        drawn_.emplace_back(label);
    }
    for (const TPlanMonthBox& box : sheet.Boxes) {
        auto* shape = new TShape(this);
        shape->setGeometry(box.Rect);
        shape->SetBrushColor(box.Color);
        shape->SetPenColor(clSilver);
        shape->show();
        drawn_.emplace_back(shape);
        auto* sport = new QLabel(box.Sport, this);
        sport->setFont(small);
        sport->setAttribute(Qt::WA_TranslucentBackground);
        sport->move(box.SportPos);
        sport->resize(box.Rect.width() - 6, sport->sizeHint().height());
        sport->show();
        sport->raise();
        drawn_.emplace_back(sport);
    }
    setUpdatesEnabled(true);
}
