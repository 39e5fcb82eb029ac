#include "exchange/excelimport.h"

#include "ui_excelimport.h"

#include <QStyle>

#include "core/main.h"
#include "exchange/excelimport2.h"
#include "exchange/tableimport.h"
#include "platform/vcl/events.h"

Teximp* eximp = nullptr;

Teximp::Teximp(QWidget* Owner) : TForm(Owner), ui(std::make_unique<Ui::Teximp>())
{
    ui->setupUi(this);
    setObjectName(QStringLiteral("eximp"));
    Edit1 = ui->Edit1;
    Button1 = ui->Button1;
    Button2 = ui->Button2;
    Button3 = ui->Button3;
    Button4 = ui->Button4;
    ui->Image1->setPixmap(style()->standardIcon(QStyle::SP_DialogOpenButton).pixmap(48, 48));
    for (auto [button, handler] : {std::pair{Button1, &Teximp::Button1Click}, {Button2, &Teximp::Button2Click},
                                   {Button4, &Teximp::Button4Click}})
        connect(button, &QPushButton::clicked, this, [button, h = Handler(this, handler)] { h(button); });
}

Teximp::~Teximp() = default;

void Teximp::Button1Click(QObject*)
{
    const QString file = Edit1->text().trimmed();
    if (file.isEmpty()) {
        MessageDlg(tr("Bitte wählen Sie zuerst eine Datenquelle aus."), mtInformation, TMsgDlgButtons{mbOK});
        Edit1->setFocus();
        return;
    }
    OfficeResult<std::unique_ptr<TableSource>> source = OpenImportSource(file, excel);
    if (!source.Ok()) {
        MessageDlg(source.Error().Text(), mtError, TMsgDlgButtons{mbOK});
        Edit1->setFocus();
        return;
    }
    if (!target)
        return;
    {
        Teximp2 next(this, excel, *target, file, std::move(source.Value()));
        hide();
        next.ShowModal();
    }
    SetModalResult(mrOk);
}

void Teximp::Button2Click(QObject*)
{
    OpenDialog1.SetFileName(Edit1->text());
    if (OpenDialog1.Execute(this))
        Edit1->setText(OpenDialog1.FileName());
}

void Teximp::Button4Click(QObject*)
{
    bool callHelp = true;
    if (MainForm)
        MainForm->showHelp(1, QStringLiteral("Importieren"), callHelp);
}

void ShowImportWizard(QWidget* Owner, TDataSet& target, bool excel)
{
    ModalForm<Teximp> form(eximp, Owner);
    form->target = &target;
    form->excel = excel;
    form->ShowModal();
}
