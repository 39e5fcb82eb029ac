#include "exchange/mywayimport.h"

#include "ui_mywayimport.h"

#include <QCoreApplication>

#include "exchange/mywayplanner.h"
#include "platform/vcl/dialogs.h"
#include "platform/vcl/events.h"
#include "traininglog/mywayroute.h"

Tmywaydlg* mywaydlg = nullptr;

Tmywaydlg::Tmywaydlg(QWidget* Owner) : TForm(Owner), ui(std::make_unique<Ui::Tmywaydlg>())
{
    ui->setupUi(this);
    DBGrid1 = ui->DBGrid1;
    Button4 = ui->Button4;
    Button1 = ui->Button1;
    setWindowFlags((windowFlags() | Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint) &
                   ~Qt::WindowContextHelpButtonHint);

    ADOQuery1.AddField(QStringLiteral("strec_strecID"), ftInteger);
    ADOQuery1.AddField(QStringLiteral("strec_name"), ftString, 255);
    ADOQuery1.AddField(QStringLiteral("karte_name"), ftString, 255);
    ADOQuery1.AddField(QStringLiteral("strec_laenge"), ftInteger);
    ADOQuery1.CreateDataSet();
    DataSource1.SetDataSet(&ADOQuery1);
    DBGrid1->SetOptions((DBGrid1->Options() | dgRowSelect | dgAlwaysShowSelection) & ~(dgEditing | dgIndicator));
    DBGrid1->SetReadOnly(true);
    const struct {
        const char* field;
        const char* title;
        int width;
    } columns[] = {{"strec_name", QT_TRANSLATE_NOOP("Tmywaydlg", "Name"), 190},
                   {"karte_name", QT_TRANSLATE_NOOP("Tmywaydlg", "Kartenname"), 150},
                   {"strec_laenge", QT_TRANSLATE_NOOP("Tmywaydlg", "Länge"), 70}};
    for (const auto& c : columns) {
        TColumn* col = DBGrid1->Columns().Add();
        col->SetFieldName(QString::fromLatin1(c.field));
        col->Title().SetCaption(QCoreApplication::translate("Tmywaydlg", c.title));
        col->SetWidth(c.width);
    }
    DBGrid1->SetDataSource(&DataSource1);
    Button4->setEnabled(false);

    OnShow = Handler(this, &Tmywaydlg::FormShow);
    connect(Button4, &QPushButton::clicked, this, [this, h = Handler(this, &Tmywaydlg::Button4Click)] { h(Button4); });
    connect(Button1, &QPushButton::clicked, this, [this, h = Handler(this, &Tmywaydlg::Button1Click)] { h(Button1); });
}

Tmywaydlg::~Tmywaydlg() = default;

void Tmywaydlg::FormShow(QObject*)
{
    if (shown_)
        return;
    shown_ = true;
    ADOQuery1.EmptyDataSet();
    auto planner = MyWayPlanner::Open(MyWayFolder());
    if (!planner.Ok()) {
        MessageDlg(planner.Error().Text(), mtError, TMsgDlgButtons{mbOK});
        return;
    }
    ADOQuery1.DisableControls();
    for (const MyWayRoute& r : planner.Value().Routes()) {
        ADOQuery1.Append();
        ADOQuery1.FieldByName(QStringLiteral("strec_strecID"))->SetAsInteger(r.id);
        ADOQuery1.FieldByName(QStringLiteral("strec_name"))->SetAsString(r.name);
        ADOQuery1.FieldByName(QStringLiteral("karte_name"))->SetAsString(r.mapName);
        ADOQuery1.FieldByName(QStringLiteral("strec_laenge"))->SetAsInteger(r.length);
        ADOQuery1.Post();
    }
    ADOQuery1.First();
    ADOQuery1.EnableControls();
    // Without a route there is nothing to go on with.
    Button4->setEnabled(!ADOQuery1.IsEmpty());
}

void Tmywaydlg::Button4Click(QObject*)
{
    if (ADOQuery1.IsEmpty())
        return;
    const QString folder = MyWayFolder();
    const int id = ADOQuery1.FieldByName(QStringLiteral("strec_strecID"))->AsInteger();
    // The list closes once the click is handled; the marker choice opens above it meanwhile.
    SetModalResult(mrOk);
    importMyWayRoute(id, folder, parentWidget());
}

void Tmywaydlg::Button1Click(QObject*)
{
    SetModalResult(mrCancel);
}
