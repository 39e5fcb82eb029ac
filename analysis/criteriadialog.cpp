#include "analysis/criteriadialog.h"

#include "ui_criteriadialog.h"

#include "analysis/zeitraumsql.h"
#include "core/orvdbserver.h"
#include "platform/vcl/buttonclick.h"
#include "platform/vcl/events.h"

TCriteriaDlg* CriteriaDlg = nullptr;

TCriteriaDlg::TCriteriaDlg(QWidget* Owner) : TForm(Owner), ui(std::make_unique<Ui::TCriteriaDlg>())
{
    ui->setupUi(this);
    ListBox1 = ui->ListBox1;
    Button1 = ui->Button1;
    SpeedButton1 = ui->SpeedButton1;
    Edit1 = ui->Edit1;
    ComboBox1 = ui->ComboBox1;
    Edit2 = ui->Edit2;
    Button2 = ui->Button2;
    OKBtn = ui->OKBtn;
    CancelBtn = ui->CancelBtn;
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));

    OnButtonClick(SpeedButton1, Handler(this, &TCriteriaDlg::SpeedButton1Click));
    OnButtonClick(Button1, Handler(this, &TCriteriaDlg::Button1Click));
    OnButtonClick(Button2, Handler(this, &TCriteriaDlg::Button2Click));
    FormCreate(this);
}

TCriteriaDlg::~TCriteriaDlg() = default;

void TCriteriaDlg::FormCreate(QObject*)
{
    ComboBox1->addItems(CriteriaOperators());
    // One item per data field of the result, in its order; calculated and lookup fields have no
    // column to compare.
    for (const QString& name : ResultColumns(orvServer->zeitraum)) {
        QAction* item = PopupMenu1->addAction(QString(name).replace(QLatin1Char('&'), QLatin1String("&&")));
        item->setData(name);
        connect(item, &QAction::triggered, this, [this, item] { Handler(this, &TCriteriaDlg::FieldItemClick)(item); });
    }
}

QStringList TCriteriaDlg::Criteria() const
{
    QStringList lines;
    for (int i = 0; i < ListBox1->count(); ++i)
        lines << ListBox1->item(i)->text();
    return lines;
}

void TCriteriaDlg::SpeedButton1Click(QObject*)
{
    PopupMenu1->popup(SpeedButton1->mapToGlobal(QPoint(7, SpeedButton1->height())));
}

void TCriteriaDlg::FieldItemClick(QObject* Sender)
{
    if (auto* item = qobject_cast<QAction*>(Sender))
        Edit1->setText(item->data().toString());
}

void TCriteriaDlg::Button1Click(QObject*)
{
    if (ListBox1->count() > 0 && ListBox1->currentRow() >= 0)
        delete ListBox1->takeItem(ListBox1->currentRow());
}

void TCriteriaDlg::Button2Click(QObject*)
{
    ListBox1->addItem(CriterionLine(Edit1->text(), ComboBox1->currentText(), Edit2->text()));
}
