#include "traininglog/kalendertag.h"

#include "ui_kalendertag.h"

#include <QContextMenuEvent>
#include <QPainter>

#include "core/language.h"
#include "core/messageids.h"
#include "core/navigatorframe.h"
#include "core/orvdatabase.h"
#include "core/orvdbserver.h"
#include "core/orvtools.h"
#include "core/views.h"
#include "platform/db/fields.h"
#include "platform/rtl/graphics.h"
#include "platform/vcl/databinding.h"
#include "platform/vcl/events.h"
#include "traininglog/einheiteneingabe.h"
#include "traininglog/plannerfill.h"

TfrmKalTag* frmKalTag = nullptr;

namespace {

const char* const kDayNames[TfrmKalTag::kDays] = {"adoMontag", "adoDienstag", "adoMittwoch", "adoDonnerstag",
                                                  "adoFreitag", "adoSa", "adoSo"};
const char* const kSourceNames[TfrmKalTag::kDays] = {"dsMontag", "dsDienstag", "dsMittwoch", "dsDonnerstag",
                                                     "dsFreitag", "dsSa", "dsSo"};

// The units of one day, whole days as date values: no date text the engine could read with day
// and month swapped.
const char* const kDaySql = "SELECT * FROM daten WHERE Datum >= :von AND Datum < :bis ORDER BY Datum, Startzeit";

struct ColumnDecl {
    const char* name;
    TFieldType type;
    int size;
};
constexpr ColumnDecl kUnitColumns[] = {
    {"dat_Id", ftAutoInc, 0},           {"Datum", ftDateTime, 0},       {"Ort", ftString, 30},
    {"Form", ftInteger, 0},             {"Startzeit", ftDateTime, 0},   {"Gefuehl", ftString, 15},
    {"Zeit", ftDateTime, 0},            {"Meter", ftInteger, 0},        {"Wetter", ftString, 15},
    {"Wind", ftString, 15},             {"Hoehendifferenz", ftSmallint, 0}, {"Bemerkungen", ftMemo, 0},
    {"Temperatur", ftSmallint, 0},      {"Puls", ftSmallint, 0},        {"Belastungsart", ftSmallint, 0},
    {"Streckenbeschreibung", ftString, 255}, {"Sportart", ftInteger, 0}, {"Gli", ftFloat, 0},
    {"Gewicht", ftFloat, 0},            {"Belastungsstufe", ftSmallint, 0}, {"User1", ftString, 20},
    {"User2", ftFloat, 0},              {"Maxpuls", ftInteger, 0},      {"Ruhepuls", ftInteger, 0},
    {"Erholungspuls", ftInteger, 0},    {"Fett", ftFloat, 0},           {"kcal", ftInteger, 0},
    {"platz", ftSmallint, 0},           {"akplatz", ftSmallint, 0},     {"trainingsblock", ftInteger, 0},
};

// A colour read from a lookup table; -1 (the window colour) for a missing row or value.
int colourOf(const QVariant& v)
{
    bool ok = false;
    const int c = v.toInt(&ok);
    return v.isNull() || !ok ? -1 : c;
}

}  // namespace

TfrmKalTag::TfrmKalTag(QWidget* Owner) : TFrame(Owner), ui(std::make_unique<Ui::TfrmKalTag>())
{
    ui->setupUi(this);
    Panel1 = ui->Panel1;
    Montag = ui->Montag;
    dienstag = ui->dienstag;
    Mittwoch = ui->Mittwoch;
    donnerstag = ui->donnerstag;
    freitag = ui->freitag;
    samstag = ui->samstag;
    sonntag = ui->sonntag;
    Panel3 = ui->Panel3;
    Panel4 = ui->Panel4;
    Panel5 = ui->Panel5;
    Panel6 = ui->Panel6;
    Panel7 = ui->Panel7;
    Panel9 = ui->Panel9;
    Panel13 = ui->Panel13;
    DBGrid1 = ui->DBGrid1;
    DBGrid2 = ui->DBGrid2;
    DBGrid3 = ui->DBGrid3;
    DBGrid4 = ui->DBGrid4;
    DBGrid5 = ui->DBGrid5;
    DBGrid6 = ui->DBGrid6;
    DBGrid7 = ui->DBGrid7;
    Panel2 = ui->Panel2;
    Label1 = ui->Label1;
    DBMemo1 = ui->DBMemo1;
    DBNavigator1 = ui->DBNavigator1;
    panels_ = {Montag, dienstag, Mittwoch, donnerstag, freitag, samstag, sonntag};
    headers_ = {Panel3, Panel4, Panel5, Panel6, Panel7, Panel9, Panel13};
    grids_ = {DBGrid1, DBGrid2, DBGrid3, DBGrid4, DBGrid5, DBGrid6, DBGrid7};

    BindDataControls(this, [](const QString& n) { return orvServer ? orvServer->FindDataSource(n) : nullptr; });
    DBNavigator1->SetVisibleButtons({nbPost, nbCancel});
    DBMemo1->setTabChangesFocus(true);  // Tab walks on to Post and Cancel

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    PopupMenu1->setStyle(new FlatMenuStyle(style()));
    Wechselnzu1 = PopupMenu1->addAction(tr("Wechseln zu:"));
    Wechselnzu1->setObjectName(QStringLiteral("Wechselnzu1"));
    PopupMenu1->addSeparator();
    AktiveEinheit1 = PopupMenu1->addAction(tr("  Aktive Einheit"));
    AktiveEinheit1->setObjectName(QStringLiteral("AktiveEinheit1"));
    NeueEinheit1 = PopupMenu1->addAction(tr("  Neue Einheit"));
    NeueEinheit1->setObjectName(QStringLiteral("NeueEinheit1"));
    connect(AktiveEinheit1, &QAction::triggered, this,
            [this] { Handler(this, &TfrmKalTag::AktiveEinheit1Click)(AktiveEinheit1); });
    connect(NeueEinheit1, &QAction::triggered, this,
            [this] { Handler(this, &TfrmKalTag::NeueEinheit1Click)(NeueEinheit1); });

    struct GridColumn {
        const char* field;
        int width;
    };
    static const GridColumn columns[] = {{"Sportart", 0},  {"Startzeit", 61}, {"lDistanz", 66},
                                         {"lSportart", 87}, {"lForm", 72},     {"Ort", 126}};
    for (int i = 0; i < kDays; ++i) {
        TQuery& q = days[size_t(i)];
        q.SetName(QString::fromLatin1(kDayNames[i]));
        q.SetReadOnly(true);
        q.SetSQLText(QString::fromLatin1(kDaySql));
        for (const ColumnDecl& c : kUnitColumns) {
            TField* f = q.AddField(QString::fromLatin1(c.name), c.type, c.size);
            if (c.type == ftAutoInc)
                f->SetReadOnly(true);
        }
        q.FieldByName(QStringLiteral("Startzeit"))->SetDisplayFormat(QStringLiteral("hh:mm"));
        if (orvServer) {
            q.SetConnection(&orvServer->orvDB);
            q.AddLookupField(QStringLiteral("lSportart"), ftString, 24, &orvServer->sportart, QStringLiteral("Sportart"),
                             QStringLiteral("Spo_Id"), QStringLiteral("Spo_Name"));
            q.AddLookupField(QStringLiteral("lForm"), ftString, 24, &orvServer->form, QStringLiteral("Form"),
                             QStringLiteral("For_Id"), QStringLiteral("For_Form"));
        }
        q.AddField(QStringLiteral("lDistanz"), ftString, 14, fkCalculated);
        q.OnCalcFields = [this](TDataSet* ds) { RunGuarded([&] { adoDienstagCalcFields(ds); }); };
        dsDays[size_t(i)].SetName(QString::fromLatin1(kSourceNames[i]));
        dsDays[size_t(i)].SetDataSet(&q);

        TDBGrid* grid = grids_[size_t(i)];
        grid->SetDataSource(&dsDays[size_t(i)]);
        grid->SetReadOnly(true);
        grid->SetOptions(dgColumnResize | dgRowSelect);
        for (const GridColumn& c : columns) {
            TColumn* col = grid->Columns().Add();
            col->SetFieldName(QString::fromLatin1(c.field));
            if (c.width > 0)
                col->SetWidth(c.width);
            else
                col->SetVisible(false);
        }
        grid->OnDrawColumnCell = Handler(this, &TfrmKalTag::DBGrid1DrawColumnCell);
        Events(grid).OnDblClick = Handler(this, &TfrmKalTag::DBGrid1DblClick);
        Events(grid).OnEnter = Handler(this, &TfrmKalTag::B2);
        grid->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(grid, &QWidget::customContextMenuRequested, this, [this, grid](const QPoint& pos) {
            PopupComponent = grid;
            PopupMenu1->popup(grid->mapToGlobal(pos));
        });
        QLabel* header = headers_[size_t(i)];
        header->setFocusPolicy(Qt::NoFocus);
        Events(header).OnMouseDown = [this](QObject* s, Qt::MouseButton, Qt::KeyboardModifiers, int, int) {
            Handler(this, &TfrmKalTag::B2)(s);
        };
        dayDates_[size_t(i)] = 0;
    }
    Events(Panel1).OnResize = Handler(this, &TfrmKalTag::FrameResize);
    RegisterView<DiaryCalendarView>(this);
}

TfrmKalTag::~TfrmKalTag()
{
    UnregisterView<DiaryCalendarView>(this);
    for (TDBGrid* g : grids_)
        g->SetDataSource(nullptr);
}

int TfrmKalTag::indexOf(QObject* sender) const
{
    for (int i = 0; i < kDays; ++i)
        if (sender == headers_[size_t(i)] || sender == grids_[size_t(i)] || sender == panels_[size_t(i)])
            return i;
    return -1;
}

void TfrmKalTag::showData(TDateTime start)
{
    start = DateOf(start);
    for (int i = 0; i < kDays; ++i) {
        const TDateTime day = start + i;
        headers_[size_t(i)]->setText(FormatDateTime(QStringLiteral("dddd"), day) + QStringLiteral(" (") +
                                     DateToStr(day) + QStringLiteral(")"));
        TQuery& q = days[size_t(i)];
        q.Close();
        if (orvServer && !q.Connection())
            q.SetConnection(&orvServer->orvDB);
        q.ParamByName(QStringLiteral("von"))->SetAsDateTime(day);
        q.ParamByName(QStringLiteral("bis"))->SetAsDateTime(day + 1);
        dayDates_[size_t(i)] = day;
        q.Open();
    }
    B2(DBGrid1);
}

void TfrmKalTag::B2(QObject* Sender)
{
    const int index = indexOf(Sender);
    if (index < 0)
        return;
    for (QLabel* h : headers_) {
        QPalette pal = h->palette();
        pal.setColor(QPalette::Window, ToQColor(clBtnFace));
        pal.setColor(QPalette::WindowText, Qt::black);
        h->setPalette(pal);
    }
    QLabel* header = headers_[size_t(index)];
    QPalette pal = header->palette();
    pal.setColor(QPalette::Window, ToQColor(clActiveCaption));
    pal.setColor(QPalette::WindowText, Qt::white);
    header->setPalette(pal);

    const TDateTime day = dayDates_[size_t(index)];
    Label1->setText(LoadStr(msg::DiaryCommentFor) + DateToStr(day));
    TDataSet* diary = orvServer && orvServer->tagebuch.Active() ? &orvServer->tagebuch : nullptr;
    // A text still being typed is stored first, dated with the day it was typed for, before the
    // selected day changes.
    if (diary)
        diary->CheckBrowseMode();
    SelectedDay = day;
    if (!diary)
        return;
    // The date as a fixed month/day/year literal: the filter reads "#5/3/2005#" as 3 May
    // whatever the user's date format.
    diary->SetFilter(QStringLiteral("tgb_datum = ") + JetDateLiteral(day));
    diary->SetFiltered(true);
}

void TfrmKalTag::adoDienstagCalcFields(TDataSet* DataSet)
{
    TField* sport = DataSet->FieldByName(QStringLiteral("Sportart"));
    TField* result = DataSet->FieldByName(QStringLiteral("lDistanz"));
    if (sport->IsNull()) {
        result->Clear();
        return;
    }
    const int sportId = sport->AsInteger();
    TField* meter = DataSet->FieldByName(QStringLiteral("Meter"));
    const int value = meter->IsNull() ? 0 : meter->AsInteger();
    result->SetAsString(FloatToStr(GetUnitDistance(sportId, value)) + QStringLiteral(" ") + GetUnitShortName(sportId));
}

void TfrmKalTag::DBGrid1DrawColumnCell(QObject* Sender, const QRect& Rect, int DataCol, TColumn* Column,
                                       TGridDrawState State)
{
    auto* grid = qobject_cast<TDBGrid*>(Sender);
    if (!grid || !Column)
        return;
    TDataSet* ds = grid->DataSource() ? grid->DataSource()->DataSet() : nullptr;
    TField* sport = ds ? ds->FindField(QStringLiteral("Sportart")) : nullptr;
    if (sport && !sport->IsNull() && orvServer) {
        int colour = -1;
        if (Column->FieldName().compare(QLatin1String("lForm"), Qt::CaseInsensitive) == 0) {
            TField* f = Column->Field();
            colour = colourOf(orvServer->form.Lookup(QStringLiteral("for_form"), f ? f->AsString() : QString(),
                                                     QStringLiteral("for_farbe")));
        } else {
            colour = colourOf(
                orvServer->sportart.Lookup(QStringLiteral("spo_id"), sport->AsInteger(), QStringLiteral("spo_farbe")));
        }
        // The current row keeps the highlight while the grid has the focus.
        const bool highlighted = (State & gdSelected) && grid->hasFocus();
        if (!highlighted && grid->Canvas()) {
            grid->Canvas()->setBrush(ToQColor(colour == -1 ? clWindow : TColor(colour)));
            grid->Canvas()->setPen(grid->palette().color(QPalette::Text));
        }
    }
    grid->DefaultDrawColumnCell(Rect, DataCol, Column, State);
}

void TfrmKalTag::FrameResize(QObject*)
{
    const int H = Panel1->height() / 3;
    const int W = Panel1->width() / 2;
    Montag->setGeometry(0, 0, W, H);
    dienstag->setGeometry(0, H, W, H);
    Mittwoch->setGeometry(0, 2 * H, W, H);
    donnerstag->setGeometry(W, 0, W, H);
    freitag->setGeometry(W, H, W, H);
    samstag->setGeometry(W, 2 * H, W, H / 2);
    sonntag->setGeometry(W, 2 * H + H / 2, W, H - H / 2);
}

bool TfrmKalTag::openUnitOf(TDBGrid* grid, QObject* sender)
{
    if (!grid || !orvServer)
        return false;
    const int index = indexOf(grid);
    if (index < 0)
        return false;
    TQuery& q = days[size_t(index)];
    if (!q.Active() || q.IsEmpty())
        return false;  // an empty day does nothing
    if (!orvServer->daten.Locate(QStringLiteral("dat_id"), q.FieldByName(QStringLiteral("dat_Id"))->Value()))
        return false;
    if (eingabe) {
        eingabe->PageControl2->setCurrentWidget(eingabe->TabSheet4);
        eingabe->PageControl2Change(sender);
    }
    return true;
}

void TfrmKalTag::DBGrid1DblClick(QObject* Sender)
{
    if (openUnitOf(qobject_cast<TDBGrid*>(Sender), Sender) && navigatorFrm)
        navigatorFrm->selectCurrentUnit();
}

void TfrmKalTag::AktiveEinheit1Click(QObject* Sender)
{
    openUnitOf(PopupComponent, Sender);
}

void TfrmKalTag::NeueEinheit1Click(QObject* Sender)
{
    const int index = indexOf(PopupComponent);
    if (index < 0 || !orvServer)
        return;
    const TDateTime day = dayDates_[size_t(index)];
    if (eingabe) {
        eingabe->PageControl2->setCurrentWidget(eingabe->TabSheet4);
        eingabe->PageControl2Change(Sender);
    }
    orvServer->daten.Insert();
    // The day as a date value (the new-unit rule may have dated it otherwise).
    orvServer->daten.FieldByName(QStringLiteral("Datum"))->SetAsDateTime(day);
}
