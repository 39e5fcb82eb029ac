#include "grid/display/picturecontainer.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QPixmap>

#include "grid/display/gridcanvas.h"

void THTMLPicture::LoadFromFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Exception(QStringLiteral("Could not load image. Invalid format"));
    LoadFromBytes(file.readAll());
}

void THTMLPicture::LoadFromBytes(const QByteArray& bytes)
{
    bytes_ = bytes;
    frame_ = 1;
    frameCount_ = -2;
    decode();
}

void THTMLPicture::LoadFromResourceName(const QString& name)
{
    const QString path = name.startsWith(QLatin1Char(':')) ? name : QStringLiteral(":/grid/") + name;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return;
    LoadFromBytes(file.readAll());
}

void THTMLPicture::LoadFromURL(const QString& source)
{
    const QString upper = source.toUpper();
    if (upper.startsWith(QLatin1String("RES://"))) {
        source_ = source;
        LoadFromResourceName(source.mid(6));
    } else if (upper.startsWith(QLatin1String("FILE://"))) {
        source_ = source;
        LoadFromFile(source.mid(7));
    } else if (!downloadStarted_) {
        // Pictures named by URL are not fetched: the picture stays empty.
        source_ = source;
        downloadStarted_ = true;
    }
}

void THTMLPicture::Assign(const THTMLPicture& other)
{
    if (&other == this)
        return;
    bytes_ = other.bytes_;
    frame_ = 1;
    frameCount_ = -2;
    Stretch = other.Stretch;
    if (bytes_.isEmpty())
        image_ = QImage();
    else
        decode();
}

int THTMLPicture::FrameCount() const
{
    if (!IsGIF())
        return -1;
    if (frameCount_ == -2) {
        // The reader walks the image's own blocks, so bytes inside the image data never count.
        QByteArray copy = bytes_;
        QBuffer buffer(&copy);
        buffer.open(QIODevice::ReadOnly);
        QImageReader reader(&buffer, "gif");
        int n = reader.imageCount();
        if (n <= 0) {
            n = 0;
            while (!reader.read().isNull())
                ++n;
        }
        frameCount_ = n;
    }
    return frameCount_;
}

void THTMLPicture::SetFrame(int value)
{
    if (!IsGIF() || value < 1 || value == frame_)
        return;
    frame_ = value;
    decode();
    if (OnFrameChange)
        OnFrameChange();
}

void THTMLPicture::decode()
{
    QBuffer buffer(&bytes_);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    QImage image;
    if (IsGIF() && frame_ > 1) {
        for (int i = 1; i <= frame_; ++i) {
            image = reader.read();
            if (image.isNull())
                break;
        }
    } else {
        image = reader.read();
    }
    if (image.isNull()) {
        image_ = QImage();
        throw Exception(QStringLiteral("Could not load image. Invalid format"));
    }
    image_ = image;
}

void THTMLPicture::Draw(TGridCanvas& canvas, const QRect& rect) const
{
    if (image_.isNull())
        return;
    const QPixmap pixmap = QPixmap::fromImage(image_);
    canvas.DrawPixmap(Stretch ? rect : QRect(rect.topLeft(), image_.size()), pixmap);
}

void TPictureItem::Assign(const TPictureItem& other)
{
    Name = other.Name;
    Tag = other.Tag;
    Picture.Assign(other.Picture);
}

TPictureItem& TPictureContainer::Add()
{
    items_.push_back(std::make_unique<TPictureItem>());
    return *items_.back();
}

THTMLPicture* TPictureContainer::FindPicture(const QString& name) const
{
    for (const auto& item : items_)
        if (item->Name.compare(name, Qt::CaseInsensitive) == 0)
            return &item->Picture;
    return nullptr;
}

THTMLPicture* THTMLPictureCache::FindPicture(const QString& source) const
{
    for (auto it = items_.rbegin(); it != items_.rend(); ++it)
        if ((*it)->Source() == source)
            return it->get();
    return nullptr;
}

THTMLPicture* THTMLPictureCache::AddPicture()
{
    items_.push_back(std::make_unique<THTMLPicture>());
    return items_.back().get();
}
