#include "traininglog/vergleichselect.h"

#include "ui_vergleichselect.h"

#include <QPainter>

#include "core/language.h"
#include "core/orvdbserver.h"
#include "platform/vcl/events.h"
#include "controls/flatbuttonkeys.h"
#include "traininglog/managerglyphs.h"
#include "traininglog/unitlist.h"

TvergleichSelect* vergleichSelect = nullptr;

QString ComparisonListSql()
{
    // EXISTS on the split table's unit index in place of a join folded by DISTINCT: the same
    // rows, without reading every split row of the database.
    return QStringLiteral(
        "SELECT daten.dat_Id, daten.Datum, daten.Ort, daten.Meter, daten.Zeit, daten.Hoehendifferenz, form.For_Form, "
        "sportart.Spo_Name, IIf(EXISTS (SELECT zeit.zei_Id FROM zeit WHERE zeit.zei_Id = daten.dat_Id), daten.dat_Id, "
        "Null) AS zei_Id\r\n"
        "FROM (daten INNER JOIN sportart ON daten.Sportart = sportart.Spo_Id) INNER JOIN form ON daten.Form = "
        "form.For_Id\r\n"
        "ORDER BY daten.Datum;");
}

TvergleichSelect::TvergleichSelect(QWidget* Owner) : TForm(Owner, Qt::Dialog), ui(std::make_unique<Ui::TvergleichSelect>())
{
    ui->setupUi(this);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    DBGrid1 = ui->DBGrid1;
    DBGrid3 = ui->DBGrid3;
    ComboBox1 = ui->ComboBox1;
    UiOfficeEdit20001 = ui->UiOfficeEdit20001;
    Label14 = ui->Label14;
    XPButton2 = ui->XPButton2;
    XPButton5 = ui->XPButton5;
    XPButton11 = ui->XPButton11;
    XPButton6 = ui->XPButton6;
    XPButton7 = ui->XPButton7;
    XPButton8 = ui->XPButton8;
    XPButton9 = ui->XPButton9;
    XPButton10 = ui->XPButton10;

    ADOTable1.SetName(QStringLiteral("ADOTable1"));
    SetUpUnitList(ADOTable1, DataSource1, DBGrid1, ComparisonListSql(),
                  {{QStringLiteral("Datum"), QString(), 60},
                   {QStringLiteral("For_Form"), tr("Form"), 66},
                   {QStringLiteral("Spo_Name"), tr("Sportart"), 69},
                   {QStringLiteral("Ort"), QString(), 178},
                   {QStringLiteral("Meter"), QString(), 41},
                   {QStringLiteral("Zeit"), QString(), 47},
                   {QStringLiteral("Hoehendifferenz"), tr("HDiff"), 28}});
    DBGrid1->OnDrawColumnCell = Handler(this, &TvergleichSelect::DBGrid1DrawColumnCell);
    DBGrid1->OnDblClick = Handler(this, &TvergleichSelect::DBGrid1DblClick);
    SetUpUnitSearch(DBGrid3,
                    {{QStringLiteral("Datum"), QString(), 56},
                     {QStringLiteral("Ort"), QString(), 75},
                     {QStringLiteral("Meter"), QString(), 38}},
                    ComboBox1);
    DBGrid3->OnDblClick = Handler(this, &TvergleichSelect::XPButton2Click);
    UiOfficeEdit20001->OnChange = Handler(this, &TvergleichSelect::UiOfficeEdit20001Change);

    const std::pair<TXPButton*, TManagerGlyph> glyphs[] = {
        {XPButton5, mgFirst}, {XPButton11, mgPrior}, {XPButton6, mgNext}, {XPButton7, mgLast}};
    for (const auto& [button, glyph] : glyphs)
        button->SetGlyph(ManagerGlyph(glyph));
    LetKeyboardPressButtons({XPButton5, XPButton11, XPButton6, XPButton7, XPButton8, XPButton9, XPButton10, XPButton2});
    XPButton5->OnClick = Handler(this, &TvergleichSelect::XPButton5Click);
    XPButton11->OnClick = Handler(this, &TvergleichSelect::XPButton11Click);
    XPButton6->OnClick = Handler(this, &TvergleichSelect::XPButton6Click);
    XPButton7->OnClick = Handler(this, &TvergleichSelect::XPButton7Click);
    XPButton8->OnClick = Handler(this, &TvergleichSelect::XPButton8Click);
    XPButton9->OnClick = Handler(this, &TvergleichSelect::XPButton9Click);
    XPButton2->OnClick = Handler(this, &TvergleichSelect::XPButton2Click);
    OnShow = Handler(this, &TvergleichSelect::FormShow);
    setTabOrder(DBGrid1, ComboBox1);
    setTabOrder(ComboBox1, UiOfficeEdit20001);
    setTabOrder(UiOfficeEdit20001, DBGrid3);
    setTabOrder(DBGrid3, XPButton2);
}

TvergleichSelect::~TvergleichSelect()
{
    DBGrid1->SetDataSource(nullptr);
    DBGrid3->SetDataSource(nullptr);
}

int TvergleichSelect::ADOTable1dat_Id() const
{
    if (!ADOTable1.Active() || ADOTable1.IsEmpty())
        return 0;
    return ADOTable1.FieldByName(QStringLiteral("dat_Id"))->AsInteger();
}

void TvergleichSelect::FormShow(QObject*)
{
    ShowUnitList(ADOTable1, DBGrid1);
}

void TvergleichSelect::XPButton5Click(QObject*)
{
    ADOTable1.First();
}

void TvergleichSelect::XPButton11Click(QObject*)
{
    ADOTable1.Prior();
}

void TvergleichSelect::XPButton6Click(QObject*)
{
    ADOTable1.Next();
}

void TvergleichSelect::XPButton7Click(QObject*)
{
    ADOTable1.Last();
}

void TvergleichSelect::XPButton8Click(QObject*)
{
    SetModalResult(mrOk);
}

void TvergleichSelect::XPButton9Click(QObject*)
{
    SetModalResult(mrCancel);
}

void TvergleichSelect::DBGrid1DblClick(QObject* Sender)
{
    XPButton8Click(Sender);
}

void TvergleichSelect::UiOfficeEdit20001Change(QObject*)
{
    RunUnitSearch(ComboBox1, UiOfficeEdit20001->text(), Label14);
}

void TvergleichSelect::XPButton2Click(QObject*)
{
    GoToSearchResult(ADOTable1);
}

void TvergleichSelect::DBGrid1DrawColumnCell(QObject*, const QRect& Rect, int DataCol, TColumn* Column, TGridDrawState State)
{
    QPainter* canvas = DBGrid1->Canvas();
    const bool withSplits = !ADOTable1.FieldByName(QStringLiteral("zei_Id"))->IsNull();
    const QPen pen = canvas->pen();
    if (!State.testFlag(gdSelected))
        canvas->setPen(withSplits ? QColor(0, 0, 255) : QColor(0, 0, 0));
    DBGrid1->DefaultDrawColumnCell(Rect, DataCol, Column, State);
    canvas->setPen(pen);
}
