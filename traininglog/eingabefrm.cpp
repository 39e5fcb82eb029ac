#include "traininglog/eingabefrm.h"

#include "ui_eingabefrm.h"
#include "ui_eingabewin.h"

#include <QApplication>
#include <QPainter>

#include <cmath>

#include "core/orvdbserver.h"
#include "platform/rtl/graphics.h"
#include "platform/vcl/buttonclick.h"
#include "platform/vcl/databinding.h"
#include "platform/vcl/events.h"
#include "traininglog/pulsgewicht.h"
#include "traininglog/unitfields.h"

TeingabeWin* eingabeWin = nullptr;

namespace {

constexpr int kRouteListHeight = 120;

bool editing(const TDataSet& d)
{
    return d.State() == dsEdit || d.State() == dsInsert;
}

// The tool bar's two pictures: a tick for taking the unit over, a cross for dropping the edit.
QImage toolGlyph(bool tick)
{
    QImage img(16, 16, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    if (tick) {
        p.setPen(QPen(QColor(0, 128, 0), 2.5));
        p.drawPolyline(QPolygonF({QPointF(2.5, 8.5), QPointF(6.5, 12.5), QPointF(13.5, 3.5)}));
    } else {
        p.setPen(QPen(QColor(192, 0, 0), 2.5));
        p.drawLine(QPointF(3.5, 3.5), QPointF(12.5, 12.5));
        p.drawLine(QPointF(12.5, 3.5), QPointF(3.5, 12.5));
    }
    return img;
}

}  // namespace

TeingabeFrm::TeingabeFrm(QWidget* Owner) : TFrame(Owner), ui(std::make_unique<Ui::TeingabeFrm>())
{
    ui->setupUi(this);
    DBLookupComboBox1 = ui->DBLookupComboBox1;
    DBLookupComboBox2 = ui->DBLookupComboBox2;
    DBDateTimePicker1 = ui->DBDateTimePicker1;
    DBText1 = ui->DBText1;
    BitBtn3 = ui->BitBtn3;
    DBEdit1 = ui->DBEdit1;
    DBEdit2 = ui->DBEdit2;
    DBText2 = ui->DBText2;
    DBEdit4 = ui->DBEdit4;
    DBEdit5 = ui->DBEdit5;
    DBEdit6 = ui->DBEdit6;
    DBEdit9 = ui->DBEdit9;
    DBEdit8 = ui->DBEdit8;
    DBLookupComboBox3 = ui->DBLookupComboBox3;
    DBLookupComboBox4 = ui->DBLookupComboBox4;
    DBEdit10 = ui->DBEdit10;
    DBEdit12 = ui->DBEdit12;
    Button2 = ui->Button2;
    DBEdit14 = ui->DBEdit14;
    DBComboBox5 = ui->DBComboBox5;
    DBComboBox6 = ui->DBComboBox6;
    DBEdit17 = ui->DBEdit17;
    DBComboBox4 = ui->DBComboBox4;
    DBEdit13 = ui->DBEdit13;
    BitBtn2 = ui->BitBtn2;
    DBEdit16 = ui->DBEdit16;
    DBMemo1 = ui->DBMemo1;
    DBEdit7 = ui->DBEdit7;
    DBEdit11 = ui->DBEdit11;
    DBNavigator2 = ui->DBNavigator2;
    DBNavigator3 = ui->DBNavigator3;

    BitBtn3->SetCaption(QStringLiteral("H"));
    BitBtn3->setFocusPolicy(Qt::NoFocus);

    // The route list floats over the fields below "Ort" while it is shown.
    DBLookupListBox1 = new TDBLookupListBox(this);
    DBLookupListBox1->setObjectName(QStringLiteral("DBLookupListBox1"));
    DBLookupListBox1->setProperty("DataSource", QStringLiteral("dsDaten"));
    DBLookupListBox1->setProperty("DataField", QStringLiteral("Ort"));
    DBLookupListBox1->setProperty("ListSource", QStringLiteral("dsStrecke"));
    DBLookupListBox1->setProperty("KeyField", QStringLiteral("Name"));
    DBLookupListBox1->setProperty("ListField", QStringLiteral("Name"));
    DBLookupListBox1->setFocusPolicy(Qt::ClickFocus);
    DBLookupListBox1->hide();

    DBComboBox5->SetItems(unitfields::weatherChoices());
    DBComboBox6->SetItems(unitfields::windChoices());
    DBComboBox4->SetItems(unitfields::feelingChoices());
    DBLookupComboBox1->SetDropDownRows(8);

    // Speed and pace are derived: they look like information, and Tab passes them by.
    for (TDBEdit* e : {DBEdit9, DBEdit8}) {
        QPalette pal = e->palette();
        pal.setColor(QPalette::Base, ToQColor(clInfoBk));
        e->setPalette(pal);
        e->setReadOnly(true);
        e->setFocusPolicy(Qt::NoFocus);
    }

    DBNavigator2->SetVisibleButtons({nbPost});
    DBNavigator2->SetHints({QString(), QString(), QString(), QString(), QString(), QString(), QString(),
                            tr("Übernehmen")});
    DBNavigator3->SetVisibleButtons({nbCancel});
    DBNavigator3->SetHints({QString(), QString(), QString(), QString(), QString(), QString(), QString(),
                            QString(), tr("Bearbeiten abbrechen")});

    BitBtn3->OnClick = Handler(this, &TeingabeFrm::BitBtn3Click);
    Events(DBEdit1).OnEnter = Handler(this, &TeingabeFrm::DBEdit1Enter);
    Events(DBEdit1).OnExit = Handler(this, &TeingabeFrm::DBEdit1Exit);
    Events(DBEdit1).OnKeyDown = Handler(this, &TeingabeFrm::DBEdit1KeyDown);
    Events(DBLookupListBox1).OnExit = Handler(this, &TeingabeFrm::DBLookupListBox1Exit);
    Events(DBLookupListBox1).OnKeyDown = Handler(this, &TeingabeFrm::DBLookupListBox1KeyDown);
    Events(DBLookupListBox1).OnKeyPress = Handler(this, &TeingabeFrm::DBLookupListBox1KeyPress);
    Events(DBLookupListBox1).OnDblClick = Handler(this, &TeingabeFrm::DBLookupListBox1DblClick);
    OnButtonClick(Button2, Handler(this, &TeingabeFrm::Button2Click));

    if (orvServer)
        BindDataControls(this, [](const QString& name) { return orvServer->FindDataSource(name); });
}

TeingabeFrm::~TeingabeFrm() = default;

void TeingabeFrm::BitBtn3Click(QObject*)
{
    TDataSet& daten = orvServer->daten;
    if (!editing(daten))
        daten.Edit();
    daten.FieldByName(QStringLiteral("Datum"))->SetAsDateTime(std::trunc(Date()));
}

void TeingabeFrm::DBEdit1Enter(QObject*)
{
    if (!orvServer->strecke.Active() || orvServer->strecke.IsEmpty())
        return;
    const QPoint below = DBEdit1->mapTo(this, QPoint(0, DBEdit1->height()));
    DBLookupListBox1->setGeometry(below.x(), below.y(), DBEdit1->width(), kRouteListHeight);
    DBLookupListBox1->show();
    DBLookupListBox1->raise();
}

void TeingabeFrm::DBEdit1Exit(QObject*)
{
    DBLookupListBox1->setVisible(QApplication::focusWidget() == DBLookupListBox1);
}

void TeingabeFrm::DBEdit1KeyDown(QObject*, int&, Qt::KeyboardModifiers)
{
    DBLookupListBox1->hide();
}

void TeingabeFrm::DBLookupListBox1Exit(QObject*)
{
    DBLookupListBox1->setVisible(QApplication::focusWidget() == DBEdit1);
}

void TeingabeFrm::DBLookupListBox1KeyDown(QObject*, int&, Qt::KeyboardModifiers)
{
    DBLookupListBox1->hide();
}

void TeingabeFrm::DBLookupListBox1KeyPress(QObject* Sender, QChar& Key)
{
    if (Key == QChar(13))
        DBLookupListBox1DblClick(Sender);
}

void TeingabeFrm::DBLookupListBox1DblClick(QObject* Sender)
{
    DBLookupListBox1->hide();
    unitfields::takeOverNamedRoute(Sender);
}

void TeingabeFrm::Button2Click(QObject*)
{
    if (PulsGewicht)
        PulsGewicht->ShowModal();
}

TeingabeWin::TeingabeWin(QWidget* Owner) : TForm(Owner), ui(std::make_unique<Ui::TeingabeWin>())
{
    ui->setupUi(this);
    setObjectName(QStringLiteral("eingabeWin"));
    eingabeFrm1 = ui->eingabeFrm1;
    XPButton15 = ui->XPButton15;
    XPButton16 = ui->XPButton16;
    XPButton8 = ui->XPButton8;
    XPButton1 = ui->XPButton1;
    XPButton15->SetGlyph(toolGlyph(true));
    XPButton16->SetGlyph(toolGlyph(false));
    XPButton8->SetCaption(tr("Schließen"));
    XPButton1->SetCaption(tr("Abbrechen"));
    XPButton1->hide();
    XPButton15->OnClick = Handler(this, &TeingabeWin::XPButton15Click);
    XPButton16->OnClick = Handler(this, &TeingabeWin::XPButton16Click);
    XPButton8->OnClick = Handler(this, &TeingabeWin::XPButton8Click);
    XPButton1->OnClick = Handler(this, &TeingabeWin::XPButton1Click);
}

TeingabeWin::~TeingabeWin() = default;

void TeingabeWin::XPButton15Click(QObject*)
{
    TDataSet& daten = orvServer->daten;
    if (editing(daten))
        daten.Post();
}

void TeingabeWin::XPButton16Click(QObject*)
{
    orvServer->daten.Cancel();
}

void TeingabeWin::XPButton8Click(QObject*)
{
    SetModalResult(mrOk);
}

void TeingabeWin::XPButton1Click(QObject*)
{
    SetModalResult(mrCancel);
}
