#include "traininglog/tagebuch.h"

#include "ui_tagebuch.h"

#include <QLinearGradient>
#include <QPainter>

#include "controls/controlalign.h"
#include "core/language.h"
#include "core/messageids.h"
#include "core/orvdbserver.h"
#include "platform/vcl/databinding.h"
#include "platform/vcl/dialogs.h"
#include "platform/vcl/events.h"

Tdiary* diary = nullptr;

namespace {

// The picture stretched behind a header's caption: the hot-light colour, lighter at the top.
QPixmap headerPicture(const QColor& hot)
{
    QPixmap pm(8, 24);
    QPainter p(&pm);
    QLinearGradient g(0, 0, 0, 24);
    g.setColorAt(0, hot.lighter(135));
    g.setColorAt(1, hot.darker(115));
    p.fillRect(pm.rect(), g);
    return pm;
}

// The fixed picture of each unit's panel: a small stopwatch.
QPixmap stopwatchPicture()
{
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(60, 60, 60), 1.2));
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(2, 3.5, 11, 11));
    p.drawLine(QPointF(7.5, 3.5), QPointF(7.5, 1.5));
    p.drawLine(QPointF(6, 1.5), QPointF(9, 1.5));
    p.setPen(QPen(QColor(190, 40, 40), 1.4));
    p.drawLine(QPointF(7.5, 9), QPointF(10, 6.5));
    return pm;
}

// The glyphs of the two view buttons: one day, and a column of days.
QImage viewGlyph(int boxes)
{
    QImage img(16, 16, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setPen(QColor(40, 52, 72));
    p.setBrush(QColor(250, 250, 250));
    const int h = boxes == 1 ? 11 : 3;
    for (int i = 0; i < boxes; ++i)
        p.drawRect(2, 2 + i * 4, 11, h);
    return img;
}

void setFontColor(QWidget* w, const QColor& color)
{
    // Only a real change: the grid asks before every panel it paints.
    if (w->palette().color(QPalette::WindowText) == color)
        return;
    QPalette pal = w->palette();
    pal.setColor(QPalette::WindowText, color);
    w->setPalette(pal);
}

}  // namespace

Tdiary::Tdiary(QWidget* Owner) : TForm(Owner), ui(std::make_unique<Ui::Tdiary>())
{
    ui->setupUi(this);
    Panel2 = ui->Panel2;
    TreeView1 = ui->TreeView1;
    CheckBox1 = ui->CheckBox1;
    Panel7 = ui->Panel7;
    Panel6 = ui->Panel6;
    XPButton1 = ui->XPButton1;
    XPButton2 = ui->XPButton2;
    Panel1 = ui->Panel1;
    Label1 = ui->Label1;
    DBCtrlGrid1 = ui->DBCtrlGrid1;
    DBText1 = ui->DBText1;
    Label7 = ui->Label7;
    Label8 = ui->Label8;
    Shape1 = ui->Shape1;
    Shape2 = ui->Shape2;
    Image7 = ui->Image7;

    // Every control is placed first and then aligned, as the form file describes it: aligning
    // one by one would stack the bottom headers in the order of the calls.
    const std::pair<QWidget*, TAlign> aligned[] = {
        {Panel2, alLeft},       {Panel7, alClient},     {ui->Panel3, alTop},    {TreeView1, alClient},
        {ui->Panel4, alBottom}, {ui->Panel5, alBottom}, {ui->Panel8, alBottom}, {ui->Panel9, alBottom},
        {Panel6, alTop},        {Panel1, alTop},        {DBCtrlGrid1, alTop},   {CheckBox1, alRight},
        {XPButton2, alRight},   {XPButton1, alRight},
    };
    for (const auto& [w, a] : aligned)
        w->setProperty("Align", int(a));
    for (const auto& [w, a] : aligned)
        SetControlAlign(w, a);
    setUpHeaders();

    Panel7->setAutoFillBackground(true);
    QPalette pal = Panel7->palette();
    pal.setColor(QPalette::Window, pal.color(QPalette::Base));
    Panel7->setPalette(pal);
    Image7->setPixmap(stopwatchPicture());
    XPButton1->SetGlyph(viewGlyph(1));
    XPButton2->SetGlyph(viewGlyph(3));

    DBCtrlGrid1->Loaded();
    if (orvServer) {
        BindDataControls(this, [](const QString& name) { return orvServer->FindDataSource(name); });
        DBCtrlGrid1->SetDataSource(orvServer->FindDataSource(QStringLiteral("dsDaten")));
    }
    DBCtrlGrid1->OnPaintPanel = Handler(this, &Tdiary::DBCtrlGrid1PaintPanel);
    DBCtrlGrid1->OnKeyDown = Handler(this, &Tdiary::DBCtrlGrid1KeyDown);
    OnShow = Handler(this, &Tdiary::FormShow);
    Events(Panel7).OnResize = Handler(this, &Tdiary::FormResize);
}

Tdiary::~Tdiary() = default;

void Tdiary::setUpHeaders()
{
    const QColor hot = palette().color(QPalette::Link);
    const QPixmap picture = headerPicture(hot);
    const std::pair<QWidget*, std::pair<QLabel*, QLabel*>> bars[] = {
        {ui->Panel3, {ui->Image1, ui->Label2}}, {ui->Panel4, {ui->Image2, ui->Label3}},
        {ui->Panel5, {ui->Image3, ui->Label4}}, {ui->Panel8, {ui->Image4, ui->Label5}},
        {ui->Panel9, {ui->Image5, ui->Label6}}, {ui->Panel6, {ui->Image6, ui->Label9}},
    };
    for (const auto& [bar, parts] : bars) {
        auto [image, caption] = parts;
        bar->setAutoFillBackground(true);
        QPalette pal = bar->palette();
        pal.setColor(QPalette::Window, hot);
        bar->setPalette(pal);
        // The headers of the left column are links that lead nowhere yet: the hand, no click.
        if (bar != ui->Panel6)
            bar->setCursor(Qt::PointingHandCursor);
        image->setPixmap(picture);
        image->setScaledContents(true);
        SetControlAlign(image, alClient);
        QFont font = caption->font();
        font.setBold(true);
        caption->setFont(font);
        setFontColor(caption, Qt::white);
        caption->setIndent(6);
        SetControlAlign(caption, alClient);
    }
}

void Tdiary::FormShow(QObject* Sender)
{
    FormResize(Sender);
}

void Tdiary::FormResize(QObject*)
{
    DBCtrlGrid1->SetRowCount(Panel7->height() / kPanelHeight);
}

void Tdiary::DBCtrlGrid1PaintPanel(TorvDBCtrlGrid* DBCtrlGrid, int Index)
{
    Shape1->SetBrushColor(Index == 2 ? clSilver : clMaroon);
    setFontColor(DBText1, Index == DBCtrlGrid->PanelIndex() ? Qt::white : Qt::black);
}

void Tdiary::DBCtrlGrid1KeyDown(QObject*, int& Key, Qt::KeyboardModifiers Shift)
{
    // The grid deletes on Ctrl+Delete while it holds the focus itself; a unit is never deleted
    // without the question asked before every delete.
    if (Key != Qt::Key_Delete || !(Shift & Qt::ControlModifier) || DBCtrlGrid1->EditMode())
        return;
    TDataSet* ds = DBCtrlGrid1->DataLink().DataSet();
    if (!ds || !ds->Active() || !DBCtrlGrid1->AllowDelete() || !ds->CanModify())
        return;
    if (ds->IsEmpty() && ds->State() != dsInsert) {
        Key = 0;
        return;
    }
    if (MessageDlg(LoadStr(msg::ConfirmDeleteRecord), mtConfirmation, mbYesNo) != mrYes)
        Key = 0;
}
