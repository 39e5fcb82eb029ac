#include "traininglog/datenselect.h"

#include "ui_datenselect.h"

#include "core/language.h"
#include "core/messageids.h"
#include "core/orvdbserver.h"
#include "platform/vcl/events.h"
#include "controls/flatbuttonkeys.h"
#include "traininglog/managerglyphs.h"
#include "traininglog/unitlist.h"

TDatenSelect* DatenSelect = nullptr;

QString UnitSelectionSql()
{
    return QStringLiteral(
        "SELECT daten.dat_Id, daten.Datum, daten.Startzeit, form.For_Form AS formName, sportart.Spo_Name AS sportName, "
        "daten.Ort, daten.Meter, daten.Zeit, daten.Hoehendifferenz\r\n"
        "FROM (daten LEFT JOIN form ON daten.Form = form.For_Id) LEFT JOIN sportart ON daten.Sportart = "
        "sportart.Spo_Id\r\n"
        "ORDER BY daten.Datum, daten.Startzeit;");
}

TDatenSelect::TDatenSelect(QWidget* Owner) : TForm(Owner, Qt::Dialog), ui(std::make_unique<Ui::TDatenSelect>())
{
    ui->setupUi(this);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    DBGrid1 = ui->DBGrid1;
    DBGrid3 = ui->DBGrid3;
    ListBox1 = ui->ListBox1;
    ComboBox1 = ui->ComboBox1;
    UiOfficeEdit20001 = ui->UiOfficeEdit20001;
    Label14 = ui->Label14;
    XPButton1 = ui->XPButton1;
    XPButton2 = ui->XPButton2;
    XPButton4 = ui->XPButton4;
    XPButton5 = ui->XPButton5;
    XPButton11 = ui->XPButton11;
    XPButton6 = ui->XPButton6;
    XPButton7 = ui->XPButton7;
    XPButton8 = ui->XPButton8;
    XPButton9 = ui->XPButton9;
    XPButton10 = ui->XPButton10;

    ADOTable1.SetName(QStringLiteral("ADOTable1"));
    SetUpUnitList(ADOTable1, DataSource1, DBGrid1, UnitSelectionSql(),
                  {{QStringLiteral("Datum"), tr("Datum"), 76},
                   {QStringLiteral("formName"), tr("Form"), 70},
                   {QStringLiteral("sportName"), tr("Sportart"), 70},
                   {QStringLiteral("Ort"), tr("Ort"), 120},
                   {QStringLiteral("Meter"), tr("Meter"), 50},
                   {QStringLiteral("Zeit"), tr("Zeit"), 62},
                   {QStringLiteral("Hoehendifferenz"), tr("HDiff"), 36}});
    DBGrid1->OnDblClick = Handler(this, &TDatenSelect::XPButton1Click);
    SetUpUnitSearch(DBGrid3,
                    {{QStringLiteral("Datum"), tr("Datum"), 70},
                     {QStringLiteral("Ort"), tr("Ort"), 110},
                     {QStringLiteral("Meter"), tr("Meter"), 50}},
                    ComboBox1);
    DBGrid3->OnDblClick = Handler(this, &TDatenSelect::XPButton2Click);
    UiOfficeEdit20001->OnChange = Handler(this, &TDatenSelect::UiOfficeEdit20001Change);

    const std::pair<TXPButton*, TManagerGlyph> glyphs[] = {{XPButton5, mgFirst}, {XPButton11, mgPrior}, {XPButton6, mgNext},
                                                          {XPButton7, mgLast},  {XPButton1, mgNew},    {XPButton4, mgDelete}};
    for (const auto& [button, glyph] : glyphs)
        button->SetGlyph(ManagerGlyph(glyph));
    XPButton5->OnClick = Handler(this, &TDatenSelect::XPButton5Click);
    XPButton11->OnClick = Handler(this, &TDatenSelect::XPButton11Click);
    XPButton6->OnClick = Handler(this, &TDatenSelect::XPButton6Click);
    XPButton7->OnClick = Handler(this, &TDatenSelect::XPButton7Click);
    XPButton8->OnClick = Handler(this, &TDatenSelect::XPButton8Click);
    XPButton9->OnClick = Handler(this, &TDatenSelect::XPButton9Click);
    XPButton1->OnClick = Handler(this, &TDatenSelect::XPButton1Click);
    XPButton4->OnClick = Handler(this, &TDatenSelect::XPButton4Click);
    XPButton2->OnClick = Handler(this, &TDatenSelect::XPButton2Click);
    OnShow = Handler(this, &TDatenSelect::FormShow);
    LetKeyboardPressButtons({XPButton5, XPButton11, XPButton6, XPButton7, XPButton1, XPButton4, XPButton2, XPButton8,
                             XPButton9, XPButton10});
    QWidget* order[] = {DBGrid1, XPButton5, XPButton11, XPButton6, XPButton7, XPButton1, ListBox1, XPButton4,
                        ComboBox1, UiOfficeEdit20001, DBGrid3, XPButton2, XPButton8, XPButton9, XPButton10};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
}

TDatenSelect::~TDatenSelect()
{
    DBGrid1->SetDataSource(nullptr);
    DBGrid3->SetDataSource(nullptr);
}

void TDatenSelect::FormShow(QObject*)
{
    ShowUnitList(ADOTable1, DBGrid1);
}

void TDatenSelect::XPButton5Click(QObject*)
{
    ADOTable1.First();
}

void TDatenSelect::XPButton11Click(QObject*)
{
    ADOTable1.Prior();
}

void TDatenSelect::XPButton6Click(QObject*)
{
    ADOTable1.Next();
}

void TDatenSelect::XPButton7Click(QObject*)
{
    ADOTable1.Last();
}

void TDatenSelect::XPButton8Click(QObject*)
{
    SetModalResult(mrOk);
}

void TDatenSelect::XPButton9Click(QObject*)
{
    SetModalResult(mrCancel);
}

void TDatenSelect::XPButton1Click(QObject*)
{
    // Without a current unit (an empty list) there is nothing to add.
    if (!ADOTable1.Active() || ADOTable1.IsEmpty())
        return;
    auto text = [this](const char* field) { return ADOTable1.FieldByName(QString::fromLatin1(field))->AsString(); };
    ListBox1->addItem(text("formName") + QStringLiteral(" - ") + text("sportName") + LoadStr(msg::BlockNameOn) +
                      text("Datum"));
    selectedIds << text("dat_Id");
}

void TDatenSelect::XPButton4Click(QObject*)
{
    for (int row = 0; row < ListBox1->count(); ++row) {
        if (ListBox1->item(row)->isSelected()) {
            delete ListBox1->takeItem(row);
            selectedIds.removeAt(row);
            return;
        }
    }
}

void TDatenSelect::UiOfficeEdit20001Change(QObject*)
{
    RunUnitSearch(ComboBox1, UiOfficeEdit20001->text(), Label14);
}

void TDatenSelect::XPButton2Click(QObject*)
{
    GoToSearchResult(ADOTable1);
}
