#pragma once
// The main window's pictures: small 16 x 16 symbols drawn by the program itself, one per entry
// of TMainImage (core/mainactions.h), and the pictures of the start page's task lists.
#include <QPixmap>

class TImageList;

// Draws one symbol of TMainImage.
QPixmap MainImage(int index, int size = 16);
// Fills the list with every symbol, in TMainImage order.
void FillMainImages(TImageList* list);
