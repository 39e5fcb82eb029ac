#include "traininglog/zweditdlg.h"

#include "ui_zweditdlg.h"

#include <QApplication>

#include "core/orvdbserver.h"
#include "core/views.h"
#include "platform/db/query.h"
#include "platform/vcl/databinding.h"
#include "platform/vcl/editmask.h"
#include "platform/vcl/events.h"
#include "traininglog/zwgrid.h"

TzwEditDlg* zwEditDlg = nullptr;

namespace {

bool editing(const TDataSet& ds)
{
    return ds.State() == dsEdit || ds.State() == dsInsert;
}

}  // namespace

TDateTime PreviousSplitTime(TQuery& q, int datId, int metres, bool hrm)
{
    q.Close();
    // Only rows of the edited row's kind: a unit's heart-rate samples count their distance in
    // file lines, so their times have nothing to do with the splits' distances.
    q.SetSQLText(QStringLiteral("SELECT Max(zeit.Meter), Max(zeit.Zwischenzeit) AS zwZeit FROM zeit WHERE (((zeit.Meter)<") +
                 QString::number(metres) + QStringLiteral(") AND ((zeit.zei_Id)=") + QString::number(datId) +
                 QStringLiteral(") AND ((zeit.zei_hrm)=") + (hrm ? QStringLiteral("True") : QStringLiteral("False")) +
                 QStringLiteral("))"));
    q.Open();
    TDateTime result = 0;
    if (!q.IsEmpty()) {
        TField* f = q.FieldByName(QStringLiteral("zwZeit"));
        if (!f->IsNull())
            result = f->AsFloat();
    }
    q.Close();
    return result;
}

TzwEditDlg::TzwEditDlg(QWidget* Owner) : TForm(Owner, Qt::Dialog), ui(std::make_unique<Ui::TzwEditDlg>())
{
    ui->setupUi(this);
    Label2 = ui->Label2;
    DBEdit2 = ui->DBEdit2;
    DBEdit3 = ui->DBEdit3;
    MaskEdit1 = ui->MaskEdit1;
    DBEdit4 = ui->DBEdit4;
    DBEdit1 = ui->DBEdit1;
    DBEdit7 = ui->DBEdit7;
    DBEdit5 = ui->DBEdit5;
    DBEdit6 = ui->DBEdit6;
    DBComboBox1 = ui->DBComboBox1;
    DBEdit8 = ui->DBEdit8;
    DBEdit9 = ui->DBEdit9;
    DBEdit10 = ui->DBEdit10;
    DBCheckBox1 = ui->DBCheckBox1;
    btn_post = ui->btn_post;
    btn_cancel = ui->btn_cancel;
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    MaskEdit1->setInputMask(EditMaskToInputMask(QStringLiteral("!00:00:00;1;_")));
    MaskEdit1->setMaxLength(8);
    DBComboBox1->SetStyle(TDBComboBox::csDropDownList);
    QStringList types;
    for (int i = 0; i <= 11; ++i)
        types << QString::number(i);
    DBComboBox1->SetItems(types);
    DBComboBox1->setIconSize(QSize(16, 16));
    for (int i = 0; i <= 11; ++i)
        DBComboBox1->setItemIcon(i, QIcon(zwgrid::splitTypePicture(i)));
    DBCheckBox1->SetValueChecked(QStringLiteral("Wahr"));
    DBCheckBox1->SetValueUnchecked(QStringLiteral("Falsch"));
    for (TXPButton* b : {btn_post, btn_cancel})
        b->setFocusPolicy(Qt::StrongFocus);
    // "Splitzeit" is an aid reached with the mouse; Tab goes from "Zwischenzeit" on to "Puls".
    MaskEdit1->setFocusPolicy(Qt::ClickFocus);

    if (orvServer)
        BindDataControls(this, [](const QString& n) { return orvServer->FindDataSource(n); });
    Events(MaskEdit1).OnExit = Handler(this, &TzwEditDlg::MaskEdit1Exit);
    btn_post->OnClick = Handler(this, &TzwEditDlg::btn_postClick);
    btn_cancel->OnClick = Handler(this, &TzwEditDlg::btn_cancelClick);
    OnShow = Handler(this, &TzwEditDlg::FormShow);
    OnClose = [this](QObject* s, TCloseAction& a) { FormClose(s, a); };
    setPostEnabled(orvServer && editing(orvServer->zeit));
    RegisterView<SplitEditView>(this);
}

TzwEditDlg::~TzwEditDlg()
{
    UnregisterView<SplitEditView>(this);
    if (zwEditDlg == this)
        zwEditDlg = nullptr;
}

void TzwEditDlg::setPostEnabled(bool enabled)
{
    btn_post->setEnabled(enabled);
}

void TzwEditDlg::clearTime()
{
    MaskEdit1->clear();
}

QString TzwEditDlg::distanceCaption() const
{
    return Label2->text();
}

bool TzwEditDlg::splitTimeEntered() const
{
    for (QChar c : MaskEdit1->text())
        if (c.isDigit())
            return true;
    return false;
}

void TzwEditDlg::FormShow(QObject*)
{
    MaskEdit1->clear();
    setPostEnabled(orvServer && editing(orvServer->zeit));
    // Each showing starts in the first field, the distance.
    DBEdit2->setFocus(Qt::TabFocusReason);
}

void TzwEditDlg::MaskEdit1Exit(QObject*)
{
    if (!splitTimeEntered() || !orvServer)
        return;
    TorvServer& s = *orvServer;
    // Read before the distance is taken over: taking it over empties this box.
    const TDateTime split = StrToTime(MaskEdit1->text());
    // The distance as typed, in metres.
    s.zeit.UpdateRecord();
    TField* meter = s.zeit.FieldByName(QStringLiteral("Meter"));
    const int metres = meter->IsNull() ? 0 : meter->AsInteger();
    TField* kind = s.zeit.FieldByName(QStringLiteral("zei_hrm"));
    const bool hrm = !kind->IsNull() && kind->AsBoolean();
    TField* unit = s.daten.FieldByName(QStringLiteral("dat_Id"));
    const TDateTime previous = PreviousSplitTime(s.zeitLookup, unit->IsNull() ? 0 : unit->AsInteger(), metres, hrm);
    QApplication::processEvents();
    const QString text = TimeToStr(split + previous);
    DBEdit3->setText(text);
    // As typed: the field takes the time when the edit's link writes it.
    emit DBEdit3->textEdited(text);
}

void TzwEditDlg::btn_postClick(QObject* Sender)
{
    if (!orvServer)
        return;
    // An untouched "Zwischenzeit" takes the computed time; one typed by the user stays.
    if (splitTimeEntered() && DBEdit3->text() == QLatin1String("00:00:00"))
        MaskEdit1Exit(Sender);
    orvServer->zeit.Post();
    SetModalResult(mrOk);
}

void TzwEditDlg::btn_cancelClick(QObject*)
{
    if (orvServer && editing(orvServer->zeit))
        orvServer->zeit.Cancel();
    SetModalResult(mrCancel);
}

void TzwEditDlg::FormClose(QObject*, TCloseAction&)
{
    if (orvServer && editing(orvServer->zeit))
        orvServer->zeit.Cancel();
}
