#pragma once
// The program's own pictures: small 16 x 16 symbols drawn by the program itself, one per entry
// of TMainImage (core/mainactions.h), the pictures of the start page's task lists, and the
// banner of the about box and the busy window.
#include <QPixmap>
#include <QString>

class TImageList;

// Draws one symbol of TMainImage.
QPixmap MainImage(int index, int size = 16);
// Fills the list with every symbol, in TMainImage order.
void FillMainImages(TImageList* list);
// The program's banner: a blue gradient with an orange stroke rising to the right and, when
// given, a title in white on the left.
QPixmap BannerPicture(int width, int height, const QString& title = QString());
