#pragma once
// The picture preview "Bild": a route's map picture at its own size in a scroll box, closed with
// "Schließen".
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>

#include <memory>

#include "platform/vcl/forms.h"

namespace Ui {
class TimgPreview;
}

class TimgPreview : public TForm {
    Q_OBJECT
public:
    explicit TimgPreview(QWidget* Owner = nullptr);
    ~TimgPreview() override;

    std::unique_ptr<Ui::TimgPreview> ui;
    QScrollArea* ScrollBox1;
    QLabel* Image1;
    QPushButton* Button1;  // "Schließen"

    // The picture shown; the image takes the picture's size.
    void SetPicture(const QImage& picture);
    void Button1Click(QObject* Sender);
};

extern TimgPreview* imgPreview;
