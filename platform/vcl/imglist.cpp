#include "platform/vcl/imglist.h"

TImageList::TImageList(QObject* Owner, int width, int height) : QObject(Owner), width_(width), height_(height) {}

int TImageList::Add(const QPixmap& image)
{
    QPixmap p = image;
    if (!p.isNull() && (p.width() != width_ || p.height() != height_))
        p = p.scaled(width_, height_, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    images_.append(p);
    emit Changed();
    return int(images_.size()) - 1;
}

int TImageList::AddStrip(const QPixmap& strip)
{
    const int first = Count();
    for (int x = 0; x + width_ <= strip.width(); x += width_)
        images_.append(strip.copy(x, 0, width_, height_));
    emit Changed();
    return first;
}

void TImageList::Clear()
{
    images_.clear();
    emit Changed();
}

QPixmap TImageList::GetBitmap(int index) const
{
    return index >= 0 && index < images_.size() ? images_[index] : QPixmap();
}

QIcon TImageList::GetIcon(int index) const
{
    const QPixmap p = GetBitmap(index);
    return p.isNull() ? QIcon() : QIcon(p);
}
