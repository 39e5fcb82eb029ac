#include "traininglog/datenselect.h"

#include "ui_datenselect.h"

#include "core/language.h"
#include "core/messageids.h"
#include "core/orvdbserver.h"
#include "platform/vcl/dialogs.h"
#include "platform/vcl/events.h"
#include "traininglog/managerglyphs.h"
#include "traininglog/unitsearch.h"

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
    ADOTable1.SetReadOnly(true);
    if (orvServer)
        ADOTable1.SetConnection(&orvServer->orvDB);
    ADOTable1.SetSQLText(UnitSelectionSql());
    DataSource1.SetDataSet(&ADOTable1);
    DBGrid1->SetDataSource(&DataSource1);
    DBGrid1->SetReadOnly(true);
    DBGrid1->SetOptions(dgTitles | dgIndicator | dgColumnResize | dgColLines | dgRowLines | dgRowSelect |
                        dgAlwaysShowSelection);
    struct Col {
        const char* field;
        const char* title;
        int width;
    };
    for (const Col c : {Col{"Datum", QT_TR_NOOP("Datum"), 76}, Col{"formName", QT_TR_NOOP("Form"), 70},
                        Col{"sportName", QT_TR_NOOP("Sportart"), 70}, Col{"Ort", QT_TR_NOOP("Ort"), 120},
                        Col{"Meter", QT_TR_NOOP("Meter"), 50}, Col{"Zeit", QT_TR_NOOP("Zeit"), 62}, Col{"Hoehendifferenz", QT_TR_NOOP("HDiff"), 36}}) {
        TColumn* col = DBGrid1->Columns().Add();
        col->SetFieldName(QString::fromLatin1(c.field));
        col->Title().SetCaption(tr(c.title));
        col->SetWidth(c.width);
    }
    DBGrid1->OnDblClick = Handler(this, &TDatenSelect::XPButton1Click);

    if (orvServer)
        DBGrid3->SetDataSource(&orvServer->dsNavSuchen);
    DBGrid3->SetReadOnly(true);
    DBGrid3->SetOptions(dgTitles | dgColLines | dgRowLines | dgRowSelect | dgAlwaysShowSelection);
    for (const Col c : {Col{"Datum", QT_TR_NOOP("Datum"), 70}, Col{"Ort", QT_TR_NOOP("Ort"), 110},
                        Col{"Meter", QT_TR_NOOP("Meter"), 50}}) {
        TColumn* col = DBGrid3->Columns().Add();
        col->SetFieldName(QString::fromLatin1(c.field));
        col->Title().SetCaption(tr(c.title));
        col->SetWidth(c.width);
    }
    DBGrid3->OnDblClick = Handler(this, &TDatenSelect::XPButton2Click);

    ComboBox1->addItems(UnitSearchFields());
    ComboBox1->setCurrentIndex(-1);
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
    setTabOrder(DBGrid1, ListBox1);
    setTabOrder(ListBox1, ComboBox1);
    setTabOrder(ComboBox1, UiOfficeEdit20001);
    setTabOrder(UiOfficeEdit20001, DBGrid3);
}

TDatenSelect::~TDatenSelect()
{
    DBGrid1->SetDataSource(nullptr);
    DBGrid3->SetDataSource(nullptr);
}

void TDatenSelect::FormShow(QObject*)
{
    if (!ADOTable1.Active()) {
        ADOTable1.Open();
        ADOTable1.FieldByName(QStringLiteral("Datum"))->SetDisplayFormat(FormatSettings().ShortDateFormat);
        ADOTable1.FieldByName(QStringLiteral("Zeit"))->SetDisplayFormat(QStringLiteral("hh:mm:ss"));
    }
    ADOTable1.Last();
    DBGrid1->setFocus();
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
    if (!orvServer)
        return;
    if (ComboBox1->currentIndex() < 0)
        ComboBox1->setCurrentIndex(0);
    // A search that fails leaves the result list empty and the count as it was.
    try {
        const int count = SearchUnitsByPrefix(orvServer->navSuchen, ComboBox1->currentText(), UiOfficeEdit20001->text());
        if (count >= 0)
            Label14->setText(QString::number(count));
    } catch (const Exception&) {
    }
}

void TDatenSelect::XPButton2Click(QObject*)
{
    TQuery& found = orvServer->navSuchen;
    const bool located = found.Active() && !found.IsEmpty() &&
                         ADOTable1.Locate(QStringLiteral("dat_Id"), found.FieldByName(QStringLiteral("DAT_ID"))->Value());
    if (!located)
        MessageDlg(LoadStr(msg::NoRecordSelected), mtError, TMsgDlgButtons{mbOK});
}
