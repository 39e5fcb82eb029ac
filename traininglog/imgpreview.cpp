#include "traininglog/imgpreview.h"

#include "ui_imgpreview.h"

#include <QGuiApplication>
#include <QScreen>

#include "platform/vcl/events.h"

TimgPreview* imgPreview = nullptr;

TimgPreview::TimgPreview(QWidget* Owner) : TForm(Owner, Qt::Dialog), ui(std::make_unique<Ui::TimgPreview>())
{
    ui->setupUi(this);
    setObjectName(QStringLiteral("imgPreview"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    ScrollBox1 = ui->ScrollBox1;
    Image1 = ui->Image1;
    Button1 = ui->Button1;
    ScrollBox1->setFrameShape(QFrame::NoFrame);
    ScrollBox1->setWidgetResizable(false);
    connect(Button1, &QPushButton::clicked, this, [this, h = Handler(this, &TimgPreview::Button1Click)] { h(Button1); });
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

TimgPreview::~TimgPreview()
{
    if (imgPreview == this)
        imgPreview = nullptr;
}

void TimgPreview::SetPicture(const QImage& picture)
{
    if (picture.isNull()) {
        Image1->clear();
        Image1->resize(0, 0);
        return;
    }
    Image1->setPixmap(QPixmap::fromImage(picture));
    Image1->resize(picture.size());
}

void TimgPreview::Button1Click(QObject*)
{
    Close();
}
