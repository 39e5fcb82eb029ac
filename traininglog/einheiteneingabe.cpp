#include "traininglog/einheiteneingabe.h"

#include "ui_einheiteneingabe.h"

#include <QApplication>
#include <QPainter>
#include <QPainterPath>
#include <QStyledItemDelegate>

#include "analysis/leistungsindex.h"
#include "core/language.h"
#include "core/main.h"
#include "core/navigatorview.h"
#include "core/orvdbserver.h"
#include "core/startframe.h"
#include "core/startup.h"
#include "core/views.h"
#include "platform/rtl/application.h"
#include "platform/vcl/databinding.h"
#include "platform/vcl/dialogs.h"
#include "platform/vcl/events.h"
#include "platform/vcl/imglist.h"
#include "platform/vcl/registry.h"
#include "traininglog/belastungsstufe.h"
#include "traininglog/equipmentdlg.h"
#include "traininglog/pulsgewicht.h"
#include "traininglog/tagebuch.h"
#include "traininglog/terminframe.h"
#include "traininglog/unitfields.h"

Teingabe* eingabe = nullptr;

namespace {

// The screen width the unit page was designed for: other widths scale it.
constexpr int kDesignScreenWidth = 800;

bool editing(const TDataSet& ds)
{
    return ds.State() == dsEdit || ds.State() == dsInsert;
}

// The pictures of the tool bar: small symbols drawn by the program.
enum TNavGlyph { ngFirst, ngPrior, ngNext, ngLast, ngInsert, ngDelete, ngPost, ngCancel };

QPixmap navGlyph(TNavGlyph kind)
{
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor dark(40, 52, 72);
    p.setPen(Qt::NoPen);
    p.setBrush(dark);
    auto triangle = [&](bool left, qreal x) {
        if (left)
            p.drawPolygon(QPolygonF({QPointF(x + 6, 3), QPointF(x + 6, 13), QPointF(x, 8)}));
        else
            p.drawPolygon(QPolygonF({QPointF(x, 3), QPointF(x, 13), QPointF(x + 6, 8)}));
    };
    switch (kind) {
    case ngFirst:
        p.drawRect(QRectF(3, 3, 2, 10));
        triangle(true, 6);
        break;
    case ngPrior: triangle(true, 5); break;
    case ngNext: triangle(false, 5); break;
    case ngLast:
        triangle(false, 4);
        p.drawRect(QRectF(11, 3, 2, 10));
        break;
    case ngInsert:
        p.setBrush(QColor(30, 130, 60));
        p.drawRect(QRectF(7, 2, 2.5, 12));
        p.drawRect(QRectF(2, 6.75, 12, 2.5));
        break;
    case ngDelete:
        p.setBrush(QColor(190, 40, 40));
        p.drawRect(QRectF(2, 6.75, 12, 2.5));
        break;
    case ngPost: {
        QPen pen(QColor(30, 130, 60), 2.4);
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        p.drawPolyline(QPolygonF({QPointF(3, 8), QPointF(6.5, 12), QPointF(13, 4)}));
        break;
    }
    case ngCancel: {
        QPen pen(QColor(190, 40, 40), 2.4);
        p.setPen(pen);
        p.drawLine(QPointF(4, 4), QPointF(12, 12));
        p.drawLine(QPointF(12, 4), QPointF(4, 12));
        break;
    }
    }
    return pm;
}

// The weather pictures, one per item of the weather box in item order: clear, cloudy,
// overcast, light rain, heavy rain, sports hall.
QPixmap weatherImage(int index)
{
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    const QColor sun(240, 180, 20), cloud(150, 160, 175), rain(40, 100, 200);
    auto drawCloud = [&](qreal y) {
        p.setBrush(cloud);
        p.drawEllipse(QRectF(2, y + 2, 7, 6));
        p.drawEllipse(QRectF(6, y, 8, 8));
        p.drawRect(QRectF(4, y + 4, 8, 4));
    };
    switch (index) {
    case 0:
        p.setBrush(sun);
        p.drawEllipse(QRectF(3, 3, 10, 10));
        break;
    case 1:
        p.setBrush(sun);
        p.drawEllipse(QRectF(1, 1, 9, 9));
        drawCloud(6);
        break;
    case 2: drawCloud(4); break;
    case 3:
    case 4:
        drawCloud(1);
        p.setBrush(rain);
        for (int i = 0; i < (index == 3 ? 2 : 4); ++i)
            p.drawRect(QRectF(3 + i * 3, 11 + (i % 2) * 2, 1.5, 3));
        break;
    default: {
        p.setBrush(QColor(170, 90, 60));
        p.drawPolygon(QPolygonF({QPointF(1, 7), QPointF(8, 2), QPointF(15, 7)}));
        p.drawRect(QRectF(3, 7, 10, 7));
        break;
    }
    }
    return pm;
}

// The weather list draws each item's picture before its text; the edit part shows the text only.
class WeatherItemDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        option->icon = QIcon(weatherImage(index.row()));
        option->decorationSize = QSize(16, 16);
        option->features |= QStyleOptionViewItem::HasDecoration;
    }
};

void setPaletteColor(QWidget* w, TColor color, bool text)
{
    QPalette pal = w->palette();
    const QColor c = ToQColor(color);
    if (text) {
        for (QPalette::ColorRole r : {QPalette::Text, QPalette::ButtonText, QPalette::WindowText})
            pal.setColor(r, c);
    } else {
        for (QPalette::ColorRole r : {QPalette::Base, QPalette::Button})
            pal.setColor(r, c);
    }
    w->setPalette(pal);
}

}  // namespace

Teingabe::Teingabe(QWidget* Owner) : TForm(Owner), ui(std::make_unique<Ui::Teingabe>())
{
    ui->setupUi(this);
    // Lies in the main window's work area as a part of it, without a frame of its own.
    if (Owner) {
        setWindowFlags(Qt::Widget);
        // The work area's size changes with the main window and its right-hand column.
        Events(Owner).OnResize = [self = QPointer<Teingabe>(this)](QObject*) {
            if (self && self->isVisible())
                self->fitToWorkArea();
        };
    }
    hide();

    ActionToolBar1 = ui->ActionToolBar1;
    PageControl2 = ui->PageControl2;
    TabSheet4 = ui->TabSheet4;
    TabSheet5 = ui->TabSheet5;
    TabSheet6 = ui->TabSheet6;
    TabSheet1 = ui->TabSheet1;
    Panel7 = ui->Panel7;
    Panel4 = ui->Panel4;
    Panel3 = ui->Panel3;
    Panel14 = ui->Panel14;
    Panel11 = ui->Panel11;
    Panel17 = ui->Panel17;
    DBLookupComboBox1 = ui->DBLookupComboBox1;
    DBLookupComboBox2 = ui->DBLookupComboBox2;
    DBLookupComboBox3 = ui->DBLookupComboBox3;
    DBLookupComboBox4 = ui->DBLookupComboBox4;
    DBDateTimePicker1 = ui->DBDateTimePicker1;
    DBDateTimePicker2 = ui->DBDateTimePicker2;
    DBEdit1 = ui->DBEdit1;
    DBEdit2 = ui->DBEdit2;
    DBEdit3 = ui->DBEdit3;
    DBEdit4 = ui->DBEdit4;
    DBEdit6 = ui->DBEdit6;
    DBEdit7 = ui->DBEdit7;
    DBEdit8 = ui->DBEdit8;
    DBEdit9 = ui->DBEdit9;
    DBEdit10 = ui->DBEdit10;
    DBEdit11 = ui->DBEdit11;
    DBEdit12 = ui->DBEdit12;
    DBEdit13 = ui->DBEdit13;
    DBEdit14 = ui->DBEdit14;
    DBEdit15 = ui->DBEdit15;
    DBEdit16 = ui->DBEdit16;
    DBComboBox1 = ui->DBComboBox1;
    DBComboBox2 = ui->DBComboBox2;
    DBComboBox3 = ui->DBComboBox3;
    DBMemo1 = ui->DBMemo1;
    DBText1 = ui->DBText1;
    DBText3 = ui->DBText3;
    DBLookupListBox1 = ui->DBLookupListBox1;
    DBNavigator1 = ui->DBNavigator1;
    DBNavigator2 = ui->DBNavigator2;
    DBGrid1 = ui->DBGrid1;
    DBGrid3 = ui->DBGrid3;
    XPButton1 = ui->XPButton1;
    XPButton2 = ui->XPButton2;
    XPButton3 = ui->XPButton3;
    XPButton4 = ui->XPButton4;
    XPButton5 = ui->XPButton5;
    XPButton9 = ui->XPButton9;
    XPButton10 = ui->XPButton10;
    XPButton11 = ui->XPButton11;
    XPButton12 = ui->XPButton12;
    XPButton13 = ui->XPButton13;
    XPButton14 = ui->XPButton14;
    XPButton16 = ui->XPButton16;
    XPButton17 = ui->XPButton17;
    SpeedButton1 = ui->SpeedButton1;
    ListView1 = ui->ListView1;
    ListView1Report = ui->ListView1Report;
    XPButton30 = ui->XPButton30;
    XPButton31 = ui->XPButton31;
    XPButton32 = ui->XPButton32;
    ApplyControlCaptions(this);

    createActions();
    setUpControls();
    setUpSplitPage();
    setUpExplorerPage();
    bindControls();

    OnShow = Handler(this, &Teingabe::FormShow);
    OnCloseQuery = [this](QObject* s, bool& c) { FormCloseQuery(s, c); };
    OnClose = [this](QObject* s, TCloseAction& a) { FormClose(s, a); };
    RegisterView<EntryWindowView>(this);
}

Teingabe::~Teingabe()
{
    UnregisterView<EntryWindowView>(this);
    if (eingabe == this)
        eingabe = nullptr;
}

void Teingabe::createActions()
{
    ActionManager1 = new TActionList(this);
    ActionManager1->setObjectName(QStringLiteral("ActionManager1"));
    ImageList1 = new TImageList(this, 16, 16);
    for (int g = ngFirst; g <= ngCancel; ++g)
        ImageList1->Add(navGlyph(TNavGlyph(g)));
    ActionManager1->SetImages(ImageList1);

    auto make = [this](const char* name, const QString& caption, const QString& hint, int image) {
        auto* a = new TAction(ActionManager1, QString::fromLatin1(name));
        a->SetCaption(caption);
        a->SetHint(hint);
        a->SetImageIndex(image);
        return a;
    };
    DataSetFirst1 = make("DataSetFirst1", QString(), tr("Erste (älteste) Einheit"), ngFirst);
    DataSetPrior1 = make("DataSetPrior1", QString(), tr("Vorherige Einheit"), ngPrior);
    DataSetNext1 = make("DataSetNext1", QString(), tr("Nächste Einheit"), ngNext);
    DataSetLast1 = make("DataSetLast1", QString(), tr("Letzte (neueste) Einheit"), ngLast);
    DataSetInsert1 = make("DataSetInsert1", QString(), tr("Neue Einheit"), ngInsert);
    DataSetDelete1 = make("DataSetDelete1", QString(), tr("Einheit löschen"), ngDelete);
    DataSetPost1 = make("DataSetPost1", QString(), tr("Speichern"), ngPost);
    DataSetCancel1 = make("DataSetCancel1", QString(), tr("Verwerfen"), ngCancel);
    Action1 = make("Action1", tr("Mustereinheiten"), tr("Mustereinheiten"), -1);
    Action2 = make("Action2", tr("Zeit.Stat."), tr("Zeitraumstatistik"), -1);
    Action3 = make("Action3", tr("Liste"), tr("Liste"), -1);
    Action4 = make("Action4", tr("Drucken"), tr("Drucken"), -1);
    Action5 = make("Action5", tr("Hilfe"), tr("Hilfe"), -1);

    // The dataset actions work on dsDaten as the runtime's standard dataset actions do.
    auto daten = [] { return orvServer ? &orvServer->daten : nullptr; };
    auto onData = [this, daten](TAction* a, std::function<void(TDataSet&)> run,
                                std::function<bool(TDataSet&)> enabled) {
        a->OnExecute = [daten, run](QObject*) {
            RunGuarded([&] {
                if (TDataSet* d = daten())
                    run(*d);
            });
        };
        a->OnUpdate = [a, daten, enabled](QObject*) {
            TDataSet* d = daten();
            a->SetEnabled(d && d->Active() && enabled(*d));
        };
    };
    onData(DataSetFirst1, [](TDataSet& d) { d.First(); }, [](TDataSet& d) { return !d.Bof(); });
    onData(DataSetPrior1, [](TDataSet& d) { d.Prior(); }, [](TDataSet& d) { return !d.Bof(); });
    onData(DataSetNext1, [](TDataSet& d) { d.Next(); }, [](TDataSet& d) { return !d.Eof(); });
    onData(DataSetLast1, [](TDataSet& d) { d.Last(); }, [](TDataSet& d) { return !d.Eof(); });
    // A new unit is typed from its first field, the sport, when the unit page shows it.
    onData(
        DataSetInsert1,
        [this](TDataSet& d) {
            d.Insert();
            if (PageControl2->currentWidget() == TabSheet4 && DBLookupComboBox1->isVisible())
                DBLookupComboBox1->setFocus(Qt::TabFocusReason);
        },
        [](TDataSet& d) { return d.CanModify(); });
    onData(
        DataSetDelete1, [this](TDataSet&) { DataSetDelete1Execute(DataSetDelete1); },
        [](TDataSet& d) { return d.CanModify() && !d.IsEmpty(); });
    onData(DataSetPost1, [](TDataSet& d) { d.Post(); }, [](TDataSet& d) { return editing(d); });
    onData(DataSetCancel1, [](TDataSet& d) { d.Cancel(); }, [](TDataSet& d) { return editing(d); });

    // The templates and the period statistics are the main window's actions and follow them.
    Action1->OnExecute = Handler(this, &Teingabe::Action1Execute);
    Action1->OnUpdate = [this](QObject*) { Action1->SetEnabled(MainForm && MainForm->Action22->Enabled()); };
    Action2->OnExecute = Handler(this, &Teingabe::Action2Execute);
    Action2->OnUpdate = [this](QObject*) { Action2->SetEnabled(MainForm && MainForm->StatZeitraum1->Enabled()); };
    // "Liste" and "Drucken" print through the data module's report project.
    Action3->OnExecute = Handler(this, &Teingabe::Action3Execute);
    Action3->OnUpdate = [this, daten](QObject*) { Action3->SetEnabled(daten() && daten()->Active()); };
    Action4->OnExecute = Handler(this, &Teingabe::Action4Execute);
    Action4->OnUpdate = [this, daten](QObject*) {
        Action4->SetEnabled(daten() && daten()->Active() && (!daten()->IsEmpty() || editing(*daten())));
    };
    Action5->OnExecute = Handler(this, &Teingabe::Action5Execute);

    ActionToolBar1->setIconSize(QSize(16, 16));
    ActionToolBar1->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    ActionToolBar1->setMovable(false);
    const QList<QList<TAction*>> groups = {
        {DataSetFirst1, DataSetPrior1, DataSetNext1, DataSetLast1},
        {DataSetInsert1, DataSetDelete1, DataSetPost1, DataSetCancel1},
        {Action1, Action2},
        {Action3, Action4},
        {Action5},
    };
    for (int g = 0; g < groups.size(); ++g) {
        if (g > 0)
            ActionToolBar1->addSeparator();
        for (TAction* a : groups[g])
            AddActionButton(ActionToolBar1, a);
    }
    // Tab reaches the tool bar too ("Neue Einheit", "Speichern" ...), Space presses a button.
    LetKeyboardReachButtons(ActionToolBar1);
    for (TAction* a : ActionManager1->Actions())
        a->Update();
}

void Teingabe::setUpControls()
{
    // The page was laid out for the small dialog font; the scaling enlarges it with the page.
    QFont small = Panel7->font();
    small.setPointSizeF(8);
    Panel7->setFont(small);
    // The content scrolls where the scaled page is taller than the window (wide screens with
    // little height).
    ScrollBox1 = new QScrollArea(TabSheet4);
    ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
    ScrollBox1->setFrameShape(QFrame::NoFrame);
    ScrollBox1->setGeometry(Panel7->geometry());
    ScrollBox1->setWidget(Panel7);
    ScrollBox1->lower();
    Events(TabSheet4).OnResize = [this](QObject*) {
        const int top = ScrollBox1->y();
        ScrollBox1->setGeometry(0, top, TabSheet4->width(), TabSheet4->height() - top);
    };

    // Page switches the user starts ask first; a refused switch keeps the page.
    PageControlEvents(PageControl2).OnChanging = [this](QObject* s, bool& allow) { PageControl2Changing(s, allow); };
    PageControlEvents(PageControl2).OnChange = [this](QObject* s) { PageControl2Change(s); };

    DBComboBox1->SetItems(unitfields::weatherChoices());
    DBComboBox1->view()->setItemDelegate(new WeatherItemDelegate(DBComboBox1));
    DBComboBox2->SetItems(unitfields::windChoices());
    DBComboBox3->SetItems(unitfields::feelingChoices());

    for (TDBEdit* e : {DBEdit7, DBEdit8})
        setPaletteColor(e, clInfoBk, false);

    DBNavigator1->SetVisibleButtons({nbPost});
    DBNavigator1->SetHints({QString(), QString(), QString(), QString(), QString(), QString(), QString(),
                            tr("Speichern")});
    DBNavigator2->SetVisibleButtons({nbCancel});
    DBNavigator2->SetHints({QString(), QString(), QString(), QString(), QString(), QString(), QString(),
                            QString(), tr("Verwerfen")});

    auto column = [](TDBGrid* grid, const char* field, const QString& title, int width) {
        TColumn* c = grid->Columns().Add();
        c->SetFieldName(QString::fromLatin1(field));
        if (!title.isEmpty())
            c->Title().SetCaption(title);
        c->SetWidth(width);
    };
    for (TDBGrid* grid : {DBGrid1, DBGrid3}) {
        column(grid, "Datum", tr("Datum"), 47);
        column(grid, "formName", tr("Form"), 58);
        column(grid, "sportName", tr("Sportart"), 56);
        grid->SetReadOnly(true);
        grid->OnDblClick = Handler(this, &Teingabe::DBGrid1DblClick);
    }

    XPButton1->OnClick = Handler(this, &Teingabe::XPButton1Click);
    XPButton2->OnClick = Handler(this, &Teingabe::XPButton2Click);
    XPButton3->OnClick = Handler(this, &Teingabe::XPButton3Click);
    XPButton9->OnClick = Handler(this, &Teingabe::XPButton9Click);
    XPButton12->OnClick = Handler(this, &Teingabe::XPButton9Click);
    XPButton10->OnClick = Handler(this, &Teingabe::XPButton10Click);
    XPButton13->OnClick = Handler(this, &Teingabe::XPButton10Click);
    XPButton11->OnClick = Handler(this, &Teingabe::XPButton11Click);
    XPButton14->OnClick = Handler(this, &Teingabe::XPButton11Click);
    XPButton16->OnClick = Handler(this, &Teingabe::XPButton16Click);
    XPButton17->OnClick = Handler(this, &Teingabe::XPButton17Click);
    XPButton4->OnClick = Handler(this, &Teingabe::XPButton4Click);
    XPButton5->OnClick = Handler(this, &Teingabe::XPButton5Click);
    SpeedButton1->OnClick = Handler(this, &Teingabe::SpeedButton1Click);

    Events(DBEdit1).OnEnter = Handler(this, &Teingabe::DBEdit1Enter);
    Events(DBEdit1).OnExit = Handler(this, &Teingabe::DBEdit1Exit);
    Events(DBEdit1).OnKeyPress = Handler(this, &Teingabe::DBEdit1KeyPress);
    Events(DBLookupListBox1).OnExit = Handler(this, &Teingabe::DBLookupListBox1Exit);
    Events(DBLookupListBox1).OnKeyPress = Handler(this, &Teingabe::DBLookupListBox1KeyPress);
    Events(DBLookupListBox1).OnDblClick = Handler(this, &Teingabe::DBLookupListBox1DblClick);
    Events(DBEdit4).OnEnter = Handler(this, &Teingabe::DBEdit4Enter);
    Events(DBEdit4).OnExit = Handler(this, &Teingabe::DBEdit4Exit);
    Events(DBEdit6).OnExit = Handler(this, &Teingabe::DBEdit6Exit);
    Events(DBEdit10).OnExit = Handler(this, &Teingabe::DBEdit10Exit);
}

void Teingabe::bindControls()
{
    if (!orvServer)
        return;
    BindDataControls(this, [](const QString& name) { return orvServer->FindDataSource(name); });
}

// ---------------------------------------------------------------------------------------------
// Window

void Teingabe::fitToWorkArea()
{
    if (!MainForm)
        return;
    QWidget* area = MainForm->Panel2;
    if (parentWidget() == area) {
        setGeometry(area->rect());
        return;
    }
    // A window of its own: over the work area in screen coordinates.
    const QPoint topLeft = area->mapToGlobal(QPoint(0, 0));
    setGeometry(QRect(topLeft, area->size()));
}

void Teingabe::scaleUnitPage()
{
    scaled_ = true;
    ScaleBy(Panel7, ScreenWidth(), kDesignScreenWidth);
    XPButton1->resize(XPButton1->width(), DBDateTimePicker1->height());
    XPButton3->resize(XPButton3->width(), DBEdit12->height() - 2);
}

void Teingabe::FormShow(QObject*)
{
    fitToWorkArea();

    TRegistry reg;
    reg.SetRootKey(HKEY_LOCAL_MACHINE);
    reg.OpenKey(QString::fromLatin1(kProgramRegistryKey), true);
    bool scaleAllowed = true;
    if (reg.ValueExists(QStringLiteral("noscale"))) {
        try {
            scaleAllowed = !reg.ReadBool(QStringLiteral("noscale"));
        } catch (const ERegistryException&) {
            scaleAllowed = true;  // a value that is no Boolean does not switch scaling off
        }
    }
    reg.CloseKey();
    const int width = ScreenWidth();
    if (width > 0 && width != kDesignScreenWidth && !scaled_ && scaleAllowed)
        scaleUnitPage();

    PageControl2Change(PageControl2);
    // The block view shows the blocks of the database just opened.
    if (NavigatorView* navigator = View<NavigatorView>(); navigator && navigator->XPButton9Down())
        navigator->ChangeNavItem();
    // No field is entered before the user chooses one.
    PageControl2->setFocus();
    if (!orvServer || !orvServer->config.Active())
        return;
    orvServer->dsDatenDataChange(&orvServer->dsDaten, nullptr);

    const QString start = orvServer->config.FieldByName(QStringLiteral("cfg_startfenster"))->AsString();
    QWidget* page = nullptr;
    if (start == LoadStr(msg::StartPageSplits))
        page = TabSheet5;
    else if (start == LoadStr(msg::StartPageExplorer))
        page = TabSheet6;
    else if (start == LoadStr(msg::StartPageDiaryWeek) || start == LoadStr(msg::StartPageDiaryMonth))
        page = TabSheet1;  // the planner's month view joins with the planner
    if (page) {
        PageControl2->setCurrentWidget(page);
        PageControl2Change(PageControl2);
        if (start == LoadStr(msg::StartPageDiaryMonth) && terminFrame) {
            terminFrame->XPButton2->SetDown(true);
            terminFrame->XPButton2->Click();
        }
    } else if (PageControl2->currentWidget() != TabSheet4) {
        PageControl2->setCurrentWidget(TabSheet4);
        PageControl2Change(PageControl2);
    }

    if (orvServer->config.FieldByName(QStringLiteral("cfg_kommentar"))->AsBoolean())
        XPButton17Click(XPButton17);
    else
        XPButton16Click(XPButton16);
}

void Teingabe::FormCloseQuery(QObject*, bool& CanClose)
{
    CanClose = true;
    // A unit being entered is not thrown away unasked when the database closes, and a save that
    // fails (or Cancel) keeps the database open with the unit still in edit.
    if (closing_ || !orvServer || !orvServer->daten.Active() || !editing(orvServer->daten))
        return;
    // No: closing the database discards the unit.
    CanClose = PostAfterAsking(orvServer->daten, LoadStr(msg::AskSaveUnit));
}

void Teingabe::FormClose(QObject*, TCloseAction&)
{
    if (closing_)
        return;
    closing_ = true;
    if (MainForm) {
        MainForm->setNavigator(QStringLiteral("Start"));
        MainForm->setTool(QStringLiteral("None"), true);
    }
    if (orvServer)
        orvServer->closeDatabase();
    closing_ = false;
}

// ---------------------------------------------------------------------------------------------
// Pages

bool Teingabe::selectPage(QWidget* page)
{
    return PageControlEvents(PageControl2).SelectPage(page);
}

void Teingabe::PageControl2Changing(QObject*, bool& AllowChange)
{
    AllowChange = true;
    if (!orvServer || !orvServer->daten.Active() || !editing(orvServer->daten))
        return;
    // No: the unit stays in its edit state.
    AllowChange = PostAfterAsking(orvServer->daten, LoadStr(msg::AskSaveUnit));
}

void Teingabe::PageControl2Change(QObject*)
{
    if (!MainForm)
        return;
    MainForm->setTool(QStringLiteral("None"), true);
    QWidget* page = PageControl2->currentWidget();
    if (page == TabSheet4) {
        MainForm->setTool(orvServer && orvServer->config.Active() ? orvServer->getNavigatorDB() : QStringLiteral("Bio"),
                          true);
        for (QAction* item : {MainForm->Bio1, MainForm->Equipment1, MainForm->QuickStat1})
            item->setVisible(true);
        MainForm->XPButton4->OnClick = [](QObject* s) { MainForm->Bio1Click(s); };
    } else if (page == TabSheet1) {
        MainForm->setTool(QStringLiteral("none"), true);
        MainForm->setNavigator(QStringLiteral("Terminplaner"));
        if (terminFrame)
            terminFrame->XPButton1Click(terminFrame->XPButton1);
    } else if (page == TabSheet5) {
        updateZwSql();
        MainForm->setTool(QStringLiteral("Zwischenzeit"), true);
        MainForm->Zwischenzeiten1->setVisible(true);
        MainForm->XPButton4->OnClick = [](QObject* s) { MainForm->Zwischenzeiten1Click(s); };
    }
    if (!isVisible())
        return;
    if (page == TabSheet4 || page == TabSheet5) {
        if (MainForm->getNavigator() != QLatin1String("Navigator"))
            MainForm->setNavigator(QStringLiteral("Navigator"));
    } else if (page == TabSheet6) {
        MainForm->setNavigator(QStringLiteral("Explorer"));
        MainForm->setTool(QStringLiteral("Vorschau"), true);
        MainForm->Vorschau1->setVisible(true);
        MainForm->XPButton4->OnClick = [](QObject* s) { MainForm->Vorschau1Click(s); };
    }
}

void Teingabe::DBEdit6Exit(QObject*)
{
    TDataSet& d = orvServer->daten;
    if ((d.State() != dsEdit && d.State() != dsInsert) || !AutoLoadLevelWanted(orvServer->config, false))
        return;
    d.FieldByName(QStringLiteral("Belastungsstufe"))
        ->SetAsInteger(get5000BelStufe(d.FieldByName(QStringLiteral("minkm"))->AsDateTime()));
}

void Teingabe::DBEdit10Exit(QObject*)
{
    TDataSet& d = orvServer->daten;
    if ((d.State() != dsEdit && d.State() != dsInsert) || !AutoLoadLevelWanted(orvServer->config, true))
        return;
    d.FieldByName(QStringLiteral("Belastungsstufe"))
        ->SetAsInteger(getHfBelStufe(d.FieldByName(QStringLiteral("Puls"))->AsInteger()));
}

int Teingabe::get5000BelStufe(TDateTime pace)
{
    return LoadLevelByPace(orvServer->orvDB, orvServer->config.FieldByName(QStringLiteral("cfg_5000m"))->Value(),
                           pace);
}

int Teingabe::getHfBelStufe(int pulse)
{
    return LoadLevelByPulse(orvServer->orvDB, pulse);
}

// ---------------------------------------------------------------------------------------------
// What the data module asks

bool Teingabe::hasOwnFocus() const
{
    return QApplication::focusWidget() == this;
}

bool Teingabe::splitPageShown() const
{
    return PageControl2->currentWidget() == TabSheet5;
}

void Teingabe::setControlColor(const QString& control, TColor color)
{
    if (auto* w = findChild<QWidget*>(control))
        setPaletteColor(w, color, false);
}

void Teingabe::setControlFontColor(const QString& control, TColor color)
{
    if (auto* w = findChild<QWidget*>(control))
        setPaletteColor(w, color, true);
}

// ---------------------------------------------------------------------------------------------
// Unit page

void Teingabe::editUnit()
{
    if (!editing(orvServer->daten))
        orvServer->daten.Edit();
}

void Teingabe::XPButton1Click(QObject*)
{
    editUnit();
    orvServer->daten.FieldByName(QStringLiteral("Datum"))->SetAsDateTime(Date());
}

void Teingabe::XPButton5Click(QObject*)
{
    if (PulsGewicht)
        PulsGewicht->ShowModal();
}

void Teingabe::XPButton2Click(QObject*)
{
    editUnit();
    TField* meter = orvServer->daten.FieldByName(QStringLiteral("Meter"));
    QString value = IntToStr(meter->AsInteger());
    // Whole metres, whatever unit the sport shows its distance in.
    if (InputQuery(LoadStr(msg::InputCaption), LoadStr(msg::DistanceInMetres), value))
        meter->SetAsInteger(StrToInt(value.trimmed()));
}

void Teingabe::XPButton3Click(QObject*)
{
    TDataSet& daten = orvServer->daten;
    editUnit();
    try {
        const QString index = PerformanceIndexText(
            daten.FieldByName(QStringLiteral("Meter"))->AsString(), daten.FieldByName(QStringLiteral("kmh"))->AsString(),
            orvServer->config.FieldByName(QStringLiteral("cfg_maxpuls"))->AsString(),
            daten.FieldByName(QStringLiteral("Puls"))->AsString());
        daten.FieldByName(QStringLiteral("Gli"))->SetAsString(index);
    } catch (const std::exception&) {
        // A missing value or equal heart rates: the index cannot be computed, Gli stays.
        MessageDlg(LoadStr(msg::MissingCalculationValues), mtError, {mbOK});
    }
}

void Teingabe::XPButton9Click(QObject* Sender)
{
    const bool split = Sender == XPButton12;
    QFrame* panel = split ? Panel14 : Panel3;
    panel->move(panel->x(), split ? Panel11->y() : ScrollBox1->y());
    panel->setVisible(!panel->isVisible());
    panel->raise();
}

void Teingabe::XPButton11Click(QObject*)
{
    Panel3->hide();
    Panel14->hide();
}

void Teingabe::XPButton10Click(QObject* Sender)
{
    XPButton11Click(Sender);
    DBGrid1DblClick(Sender);
}

void Teingabe::DBGrid1DblClick(QObject*)
{
    TDataSet& detail = orvServer->datenblockdetail;
    if (!detail.Active() || detail.IsEmpty())
        return;
    orvServer->daten.Locate(QStringLiteral("dat_id"), detail.FieldByName(QStringLiteral("dat_Id"))->AsInteger());
}

void Teingabe::XPButton16Click(QObject*)
{
    Panel4->hide();
    XPButton17->show();
    XPButton17->raise();
}

void Teingabe::XPButton17Click(QObject*)
{
    Panel4->show();
    XPButton17->hide();
}

void Teingabe::XPButton4Click(QObject*)
{
    // Equipment is linked to a stored unit only: an unsaved one is saved first, on request.
    TTable& daten = orvServer->daten;
    if (daten.State() == dsEdit || daten.State() == dsInsert) {
        if (MessageDlg(LoadStr(msg::EquipmentSaveUnitFirst), mtConfirmation, mbYesNo) != mrYes)
            return;
        daten.Post();
    }
    ModalForm<TEquipment> dialog(Equipment, MainForm);
    dialog->ShowModal();
}

void Teingabe::DBEdit1Enter(QObject*)
{
    // Without routes there is nothing to choose from.
    if (!orvServer->strecke.Active() || orvServer->strecke.IsEmpty())
        return;
    DBLookupListBox1->show();
    DBLookupListBox1->raise();
}

void Teingabe::DBEdit1Exit(QObject*)
{
    DBLookupListBox1->setVisible(QApplication::focusWidget() == DBLookupListBox1);
}

void Teingabe::DBEdit1KeyPress(QObject*, QChar&)
{
    DBLookupListBox1->hide();
}

void Teingabe::DBLookupListBox1Exit(QObject*)
{
    DBLookupListBox1->setVisible(QApplication::focusWidget() == DBEdit1);
}

void Teingabe::DBLookupListBox1KeyPress(QObject* Sender, QChar& Key)
{
    DBLookupListBox1->hide();
    if (Key == QChar(13))
        DBLookupListBox1DblClick(Sender);
}

void Teingabe::DBLookupListBox1DblClick(QObject* Sender)
{
    DBLookupListBox1->hide();
    unitfields::takeOverNamedRoute(Sender);
}

void Teingabe::DBEdit4Enter(QObject*)
{
    showDescriptionHint();
}

void Teingabe::DBEdit4Exit(QObject*)
{
    hideDescriptionHint();
}

void Teingabe::showDescriptionHint()
{
    if (descriptionHint_ || !orvServer->daten.Active())
        return;
    const QString text = orvServer->daten.FieldByName(QStringLiteral("Streckenbeschreibung"))->AsString();
    if (text.isEmpty())
        return;
    descriptionHint_ = new QLabel(text, Panel7);
    descriptionHint_->setObjectName(QStringLiteral("DescriptionHint"));
    descriptionHint_->setWordWrap(true);
    descriptionHint_->setFrameShape(QFrame::Box);
    descriptionHint_->setMargin(2);
    descriptionHint_->setAutoFillBackground(true);
    QPalette pal = descriptionHint_->palette();
    pal.setColor(QPalette::Window, ToQColor(clInfoBk));
    descriptionHint_->setPalette(pal);
    descriptionHint_->setMaximumWidth(250);
    descriptionHint_->adjustSize();
    const QPoint below = DBEdit4->mapTo(Panel7, QPoint(0, DBEdit4->height()));
    descriptionHint_->move(below);
    descriptionHint_->show();
    descriptionHint_->raise();
}

void Teingabe::hideDescriptionHint()
{
    delete descriptionHint_;
    descriptionHint_ = nullptr;
}

// ---------------------------------------------------------------------------------------------
// Actions

void Teingabe::DataSetDelete1Execute(QObject*)
{
    if (MessageDlg(LoadStr(msg::ConfirmDeleteUnit), mtConfirmation, mbYesNo) == mrYes)
        orvServer->daten.Delete();
}

void Teingabe::SpeedButton1Click(QObject*)
{
    ModalForm<Tdiary> window(diary, MainForm);
    window->ShowModal();
}

void Teingabe::Action1Execute(QObject*)
{
    if (MainForm)
        MainForm->Action22->Execute();
}

void Teingabe::Action2Execute(QObject*)
{
    if (MainForm)
        MainForm->StatZeitraum1->Execute();
}

void Teingabe::Action3Execute(QObject*)
{
    printReport(QStringLiteral("Liste"), true);
}

void Teingabe::Action4Execute(QObject*)
{
    printReport(QStringLiteral("Einheit"), false);
}

void Teingabe::printReport(const QString& name, bool reopen)
{
    TReportProject& project = orvServer->orvreports;
    if (reopen || !project.Active())
        project.Open();
    orvServer->RvSystem1.SetPreviewOwner(window());
    if (project.SelectReport(name, false))
        project.Execute();
}

void Teingabe::Action5Execute(QObject*)
{
    bool callHelp = true;
    if (MainForm)
        MainForm->showHelp(1, QStringLiteral("Einheiteneingabe"), callHelp);
}
