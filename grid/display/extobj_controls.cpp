// The grid's small companion controls: the move arrows, the popup label, the owning control
// list, the picture by file name, and the system and colour-scheme tests.
#include <QImageReader>
#include <QPainter>
#include <QRegion>

#include "grid/display/esghtmle.h"
#include "grid/display/extobj.h"
#include "grid/display/extutil.h"
#include "grid/display/extxpvs.h"
#include "grid/display/gridcanvas.h"

// --- the move arrows -------------------------------------------------------------------------------

TArrowWindow::TArrowWindow(QWidget* owner, int direction)
    : QWidget(owner, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus), direction_(direction)
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFixedSize(11, 11);
    // The window is cut to the arrow, its points filled by the winding rule.
    setMask(QRegion(QPolygon(ArrowPoints(direction)), Qt::WindingFill));
    hide();
}

QVector<QPoint> TArrowWindow::ArrowPoints(int direction)
{
    switch (direction) {
    case 0:
        return {{5, 0}, {10, 5}, {7, 5}, {7, 9}, {3, 9}, {3, 5}, {0, 5}};
    case 1:
        return {{3, 0}, {7, 0}, {7, 4}, {9, 4}, {5, 8}, {1, 4}, {3, 4}};
    case 2:
        return {{0, 3}, {0, 7}, {4, 7}, {4, 10}, {8, 5}, {4, 0}, {4, 3}};
    default:
        return {{0, 5}, {4, 10}, {4, 7}, {8, 7}, {8, 3}, {4, 3}, {4, 0}};
    }
}

void TArrowWindow::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), ToQColor(clLime));
}

// --- the popup label -------------------------------------------------------------------------------

TPopupButton::TPopupButton(QWidget* owner)
    : QWidget(owner, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus)
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    setEnabled(false);
    hide();
}

void TPopupButton::SetCaption(const QString& value)
{
    caption_ = value;
    update();
}

void TPopupButton::PaintTo(TGridCanvas& Canvas, const QRect& R)
{
    Canvas.Brush = TGridBrush{clBtnFace, bsSolid};
    Canvas.FillRect(R);
    if (GradFrom != clNone)
        DrawGradient(Canvas, GradFrom, GradTo == clNone ? GradFrom : GradTo, 64, false, R);
    if (!Flat) {
        Canvas.Pen = TGridPen{clWhite, 1, Qt::SolidLine};
        Canvas.Line(R.bottomLeft(), R.topLeft());
        Canvas.Line(R.topLeft(), R.topRight());
        Canvas.Pen = TGridPen{clGray, 1, Qt::SolidLine};
        Canvas.Line(R.topRight(), R.bottomRight());
        Canvas.Line(R.bottomRight(), R.bottomLeft() - QPoint(1, 0));
    }
    Canvas.Brush.Style = bsClear;
    Canvas.FontColor = clBlack;
    if (!caption_.contains(QLatin1String("</"))) {
        Canvas.TextRect(R, caption_, tfCenter | tfVCenter | tfSingleLine | tfEndEllipsis);
        return;
    }
    THTMLDrawInput in;
    in.Rect = R.adjusted(2, 2, -2, -2);
    DrawHTMLText(Canvas, caption_, in);
}

void TPopupButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    QPainterCanvas canvas(p);
    canvas.Font = font();
    PaintTo(canvas, rect());
}

// --- the owning control list -----------------------------------------------------------------------

TControlList::~TControlList()
{
    for (const QPointer<QWidget>& c : items_)
        delete c.data();
}

void TControlList::Add(QWidget* control)
{
    items_.emplace_back(control);
}

void TControlList::Delete(int index)
{
    delete items_[size_t(index)].data();
    items_.erase(items_.begin() + index);
}

// --- the picture by file name ----------------------------------------------------------------------

void TFilePicture::SetFilename(const QString& value)
{
    filename_ = value;
    picture_ = QPixmap();
    decoded_ = false;
    Width = 0;
    Height = 0;
    if (value.isEmpty())
        return;
    // The size comes from the file's header; the pixels are decoded at the first Draw.
    QImageReader reader(value);
    const QSize size = reader.size();
    if (size.isValid()) {
        Width = size.width();
        Height = size.height();
    }
}

void TFilePicture::Assign(const TFilePicture& source)
{
    if (filename_ != source.filename_) {
        filename_ = source.filename_;
        picture_ = source.picture_;
        decoded_ = source.decoded_;
    }
    Width = source.Width;
    Height = source.Height;
}

void TFilePicture::Draw(TGridCanvas& Canvas, const QRect& R)
{
    if (filename_.isEmpty())
        return;
    if (!decoded_) {
        decoded_ = true;
        ++decodeCount_;
        picture_ = QPixmap(filename_);
    }
    if (!picture_.isNull())
        Canvas.DrawPixmap(R, picture_);
}

// --- the system and its colour scheme --------------------------------------------------------------

bool IsWinXP(int major, int minor)
{
    return major > 5 || (major == 5 && minor >= 1);
}

bool IsWinXP()
{
    // The desktop here is newer than any version the test asks for.
    return true;
}

int CurrentXPColorScheme()
{
    if (!IsWinXP() || !IsThemeActive())
        return 0;
    QString file;
    QString color;
    QString size;
    if (!GetCurrentThemeName(file, color, size))
        return 0;
    color = color.left(255);
    if (color == QLatin1String("NormalColor"))
        return 1;
    if (color == QLatin1String("HomeStead"))
        return 2;
    if (color == QLatin1String("Metallic"))
        return 3;
    return 0;
}
