#pragma once
// TShape: a plain figure filled with a brush colour and outlined with a pen, as forms place them
// for coloured marks and bands. With DragMode dmAutomatic a press and a move beyond the drag
// distance start a drag of the shape.
#include <QPoint>
#include <QWidget>

#include "platform/rtl/graphics.h"

enum TShapeType { stRectangle, stSquare, stRoundRect, stRoundSquare, stEllipse, stCircle };
enum TPenStyle { psSolid, psClear };
enum TDragMode { dmManual, dmAutomatic };

class TShape : public QWidget {
    Q_OBJECT
    // The properties a form file sets (enumerations as their numbers).
    Q_PROPERTY(int Shape READ ShapeNumber WRITE SetShapeNumber)
    Q_PROPERTY(uint BrushColor READ BrushColor WRITE SetBrushColor)
    Q_PROPERTY(uint PenColor READ PenColor WRITE SetPenColor)
    Q_PROPERTY(int PenStyle READ PenStyleNumber WRITE SetPenStyleNumber)
    Q_PROPERTY(int DragMode READ DragModeNumber WRITE SetDragModeNumber)
public:
    explicit TShape(QWidget* parent = nullptr);

    TShapeType Shape() const { return shape_; }
    void SetShape(TShapeType value);
    int ShapeNumber() const { return int(shape_); }
    void SetShapeNumber(int value) { SetShape(TShapeType(value)); }
    TColor BrushColor() const { return brushColor_; }
    void SetBrushColor(TColor value);
    TColor PenColor() const { return penColor_; }
    void SetPenColor(TColor value);
    TPenStyle PenStyle() const { return penStyle_; }
    void SetPenStyle(TPenStyle value);
    int PenStyleNumber() const { return int(penStyle_); }
    void SetPenStyleNumber(int value) { SetPenStyle(TPenStyle(value)); }
    TDragMode DragMode() const { return dragMode_; }
    void SetDragMode(TDragMode value) { dragMode_ = value; }
    int DragModeNumber() const { return int(dragMode_); }
    void SetDragModeNumber(int value) { SetDragMode(TDragMode(value)); }

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    TShapeType shape_ = stRectangle;
    TColor brushColor_ = clWhite;
    TColor penColor_ = clBlack;
    TPenStyle penStyle_ = psSolid;
    TDragMode dragMode_ = dmManual;
    bool pressed_ = false;
    QPoint pressPos_;
};
