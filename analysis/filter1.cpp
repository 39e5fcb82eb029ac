#include "analysis/filter1.h"

#include "ui_filter1.h"

#include <QLineEdit>

#include "analysis/zeitraumneu.h"
#include "analysis/zeitraumsql.h"
#include "core/orvdbserver.h"
#include "platform/vcl/buttonclick.h"
#include "platform/vcl/events.h"

TfmFilterFrm* fmFilterFrm = nullptr;

TfmFilterFrm::TfmFilterFrm(QWidget* Owner)
    : TForm(Owner, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::WindowCloseButtonHint),
      ui(std::make_unique<Ui::TfmFilterFrm>())
{
    ui->setupUi(this);
    ComboBox1 = ui->ComboBox1;
    Memo1 = ui->Memo1;
    ListBox1 = ui->ListBox1;
    ListBox2 = ui->ListBox2;
    BitBtn2 = ui->BitBtn2;
    BitBtn1 = ui->BitBtn1;
    SpeedButton2 = ui->SpeedButton2;
    BtnClose = ui->BtnClose;
    ComboBox1->setInsertPolicy(QComboBox::NoInsert);
    SaveDialog1.SetFilter(tr("Filterbedingungen (*.sql)|*.sql|Alle Dateien|*.*"));
    SaveDialog1.SetDefaultExt(QStringLiteral("sql"));
    SaveDialog1.SetOptions(SaveDialog1.Options() | ofNoChangeDir);

    connect(ListBox1, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem*) { Handler(this, &TfmFilterFrm::ListBox1DblClick)(ListBox1); });
    connect(ListBox2, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem*) { Handler(this, &TfmFilterFrm::ListBox2DblClick)(ListBox2); });
    Events(ListBox1).OnKeyDown = Handler(this, &TfmFilterFrm::ListBoxKeyDown);
    Events(ListBox2).OnKeyDown = Handler(this, &TfmFilterFrm::ListBoxKeyDown);
    connect(Memo1, &QPlainTextEdit::textChanged, this, [this] { Handler(this, &TfmFilterFrm::Memo1Change)(Memo1); });
    connect(ComboBox1, QOverload<int>::of(&QComboBox::activated), this,
            [this](int) { Handler(this, &TfmFilterFrm::ComboBox1Change)(ComboBox1); });
    connect(ComboBox1->lineEdit(), &QLineEdit::textEdited, this,
            [this](const QString&) { Handler(this, &TfmFilterFrm::ComboBox1Change)(ComboBox1); });
    OnButtonClick(BitBtn2, Handler(this, &TfmFilterFrm::ApplyFilter));
    OnButtonClick(BitBtn1, Handler(this, &TfmFilterFrm::SBtnClearClick));
    OnButtonClick(SpeedButton2, Handler(this, &TfmFilterFrm::SpeedButton2Click));
    FormCreate(this);
}

TfmFilterFrm::~TfmFilterFrm() = default;

void TfmFilterFrm::FormCreate(QObject*)
{
    ListBox1->addItems(ResultColumns(orvServer->zeitraum));
    ListBox1->sortItems();
    ListBox2->addItems({QStringLiteral(">"), QStringLiteral("<"), QStringLiteral("= "), QStringLiteral(">="),
                        QStringLiteral("<="), QStringLiteral("<>"), QStringLiteral("AND"), QStringLiteral("OR"),
                        QStringLiteral("("), QStringLiteral(")")});
    ComboBox1->addItems({QStringLiteral("Meter = 42195"), QStringLiteral("Zeit < \"01:00:00\""),
                         QStringLiteral("(Form = \"Training\") or (Form=\"Wettkampf\")"),
                         QStringLiteral("Datum = '") + DateToStr(Date()) + QLatin1Char('\'')});
    ComboBox1->setEditText(QString());
    Memo1->setFocus();
}

void TfmFilterFrm::ListBox1DblClick(QObject*)
{
    QListWidgetItem* item = ListBox1->currentItem();
    if (!item)
        return;
    QString text = Memo1->toPlainText();
    if (!text.isEmpty())
        text += QLatin1Char(' ');
    Memo1->setPlainText(text + item->text());
}

void TfmFilterFrm::ListBox2DblClick(QObject*)
{
    QListWidgetItem* item = ListBox2->currentItem();
    const QString text = Memo1->toPlainText();
    if (!item || text.isEmpty())
        return;
    Memo1->setPlainText(text + QLatin1Char(' ') + item->text());
}

void TfmFilterFrm::ListBoxKeyDown(QObject* Sender, int& Key, Qt::KeyboardModifiers)
{
    if (Key != Qt::Key_Return && Key != Qt::Key_Enter)
        return;
    if (Sender == ListBox1)
        ListBox1DblClick(Sender);
    else
        ListBox2DblClick(Sender);
    Key = 0;
}

void TfmFilterFrm::Memo1Change(QObject*)
{
    const QSignalBlocker block(ComboBox1);
    ComboBox1->setEditText(Memo1->toPlainText().split(QLatin1Char('\n')).join(QLatin1Char(' ')));
}

void TfmFilterFrm::ComboBox1Change(QObject*)
{
    const QSignalBlocker block(Memo1);
    Memo1->setPlainText(ComboBox1->currentText());
}

void TfmFilterFrm::SBtnClearClick(QObject*)
{
    const QString text = ComboBox1->currentText();
    if (ComboBox1->findText(text, Qt::MatchExactly) < 0)
        ComboBox1->addItem(text);
    Memo1->clear();
    ComboBox1->setEditText(QString());
}

QStringList TfmFilterFrm::conditionLines() const
{
    return QStringList{QStringLiteral("WHERE ")} + Memo1->toPlainText().split(QLatin1Char('\n'));
}

void TfmFilterFrm::ApplyFilter(QObject*)
{
    TZeitNeu* target = qobject_cast<TZeitNeu*>(Owner());
    if (!target)
        target = ZeitNeu;
    if (target)
        target->Memo1->setPlainText(conditionLines().join(QLatin1Char('\n')));
}

void TfmFilterFrm::SpeedButton2Click(QObject*)
{
    if (SaveDialog1.Execute(this))
        WriteConditionFile(SaveDialog1.FileName(), conditionLines());
}
