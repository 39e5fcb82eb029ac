#pragma once
// The pictures that HTML cell texts name: THTMLPicture keeps a picture's encoded bytes and
// decodes them (any format the image reader knows: bitmap, icon, JPEG, PNG, GIF with its frames);
// TPictureContainer holds named pictures for <IMG SRC="name">; THTMLPictureCache lists pictures
// named by URL. Nothing is downloaded: a URL picture stays empty.
#include <QByteArray>
#include <QImage>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

#include "platform/rtl/sysutils.h"

class TGridCanvas;

class THTMLPicture {
public:
    THTMLPicture() = default;
    THTMLPicture(const THTMLPicture&) = delete;
    THTMLPicture& operator=(const THTMLPicture&) = delete;

    // Each keeps the bytes and decodes them; bytes the reader rejects raise Exception "Could not
    // load image. Invalid format" and leave the picture undecoded.
    void LoadFromFile(const QString& path);
    void LoadFromBytes(const QByteArray& bytes);
    // A resource of the program (":/..." or a name under ":/grid/"); nothing when there is none.
    void LoadFromResourceName(const QString& name);
    // "RES://name", "FILE://path" (any case), or a URL: nothing is fetched, the picture stays empty.
    void LoadFromURL(const QString& source);
    // Copies the bytes and decodes from the first frame.
    void Assign(const THTMLPicture& other);
    QByteArray SaveToBytes() const { return bytes_; }

    bool GetEmpty() const { return image_.isNull(); }
    int Width() const { return image_.width(); }
    int Height() const { return image_.height(); }
    const QImage& Image() const { return image_; }
    // The frames of a GIF; -1 for any other picture.
    int FrameCount() const;
    bool IsGIF() const { return bytes_.startsWith("GIF8"); }
    // The 1-based frame shown; setting it decodes that frame and tells OnFrameChange.
    int Frame() const { return frame_; }
    void SetFrame(int value);
    std::function<void()> OnFrameChange;
    // Drawn stretched into the rectangle (set by the renderer for WIDTH and HEIGHT).
    bool Stretch = false;
    const QString& Source() const { return source_; }
    // Draws the picture: stretched into the rectangle, or at its size at the rectangle's corner.
    void Draw(TGridCanvas& canvas, const QRect& rect) const;

private:
    void decode();
    QByteArray bytes_;
    QImage image_;
    int frame_ = 1;
    mutable int frameCount_ = -2;  // -2: not counted yet
    QString source_;
    bool downloadStarted_ = false;
};

struct TPictureItem {
    THTMLPicture Picture;
    QString Name;
    int Tag = 0;
    // Copies the name, the tag and the picture.
    void Assign(const TPictureItem& other);
};

class TPictureContainer : public QObject {
    Q_OBJECT
public:
    explicit TPictureContainer(QObject* owner = nullptr) : QObject(owner) {}
    int Count() const { return int(items_.size()); }
    TPictureItem& Items(int index) { return *items_[size_t(index)]; }
    TPictureItem& Add();
    void Clear() { items_.clear(); }
    // The picture of the first item of that name, in any letter case; nullptr when none.
    THTMLPicture* FindPicture(const QString& name) const;
    QString Version() const { return QStringLiteral("1.0.0.0"); }

private:
    std::vector<std::unique_ptr<TPictureItem>> items_;
};

// Pictures named by URL, as an application supplies them; the list owns what it adds.
class THTMLPictureCache {
public:
    // The last picture whose source is exactly `source`; nullptr when none.
    THTMLPicture* FindPicture(const QString& source) const;
    THTMLPicture* AddPicture();
    int Count() const { return int(items_.size()); }

private:
    std::vector<std::unique_ptr<THTMLPicture>> items_;
};
