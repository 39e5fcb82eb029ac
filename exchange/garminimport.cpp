#include "exchange/garminimport.h"

#include "ui_garminimport.h"

#include <QFileInfo>
#include <QStyle>

#include "exchange/selforerunner.h"
#include "platform/vcl/events.h"

Tgarminimp* garminimp = nullptr;

Tgarminimp::Tgarminimp(QWidget* Owner) : TForm(Owner), ui(std::make_unique<Ui::Tgarminimp>())
{
    ui->setupUi(this);
    setObjectName(QStringLiteral("garminimp"));
    RadioButton1 = ui->RadioButton1;
    RadioButton2 = ui->RadioButton2;
    Label3 = ui->Label3;
    Label4 = ui->Label4;
    Image3 = ui->Image3;
    Button2 = ui->Button2;
    Button4 = ui->Button4;

    const QStyle* st = style();
    ui->Image1->setPixmap(st->standardIcon(QStyle::SP_DialogOpenButton).pixmap(48, 48));
    ui->Image2->setPixmap(st->standardIcon(QStyle::SP_FileIcon).pixmap(32, 32));
    Events(Label3).OnMouseDown = [this](QObject*, Qt::MouseButton, Qt::KeyboardModifiers, int, int) {
        RadioButton1->setChecked(true);
    };
    OpenDialog1.SetFilter(tr("XML-Datei (*.xml)|*.xml"));
    for (auto [button, handler] : {std::pair{Button2, &Tgarminimp::Button2Click}, {Button4, &Tgarminimp::Button4Click}})
        connect(button, &QPushButton::clicked, this, [button, h = Handler(this, handler)] { h(button); });
}

Tgarminimp::~Tgarminimp() = default;

void Tgarminimp::Button2Click(QObject*)
{
    if (!RadioButton1->isChecked() || !OpenDialog1.Execute(this))
        return;
    const QString file = OpenDialog1.FileName();
    if (!QFileInfo(file).isFile())
        return;
    {
        ModalForm<TselectForerunner> list(selectForerunner, this);
        if (!list->LoadFile(file))
            return;
        hide();
        list->ShowModal();
    }
    SetModalResult(mrOk);
}

void Tgarminimp::Button4Click(QObject*)
{
    SetModalResult(mrCancel);
}
