#pragma once
// Image lists: numbered pictures that actions, menus and tool bars show by image index.
#include <QIcon>
#include <QList>
#include <QObject>
#include <QPixmap>

class TImageList : public QObject {
    Q_OBJECT
public:
    explicit TImageList(QObject* Owner = nullptr, int width = 16, int height = 16);

    int Width() const { return width_; }
    int Height() const { return height_; }
    int Count() const { return int(images_.size()); }
    // Adds a picture (scaled to the list's size) and returns its index.
    int Add(const QPixmap& image);
    // Adds every Width() x Height() tile of a strip, left to right, as the runtime's resource
    // bitmaps hold them; returns the index of the first.
    int AddStrip(const QPixmap& strip);
    void Clear();
    // The picture at an index; a null pixmap or icon for an index outside the list.
    QPixmap GetBitmap(int index) const;
    QIcon GetIcon(int index) const;

signals:
    void Changed();

private:
    int width_;
    int height_;
    QList<QPixmap> images_;
};
