#include "grid/display/cellgraphic.h"

#include <algorithm>

void TCellGraphic::Assign(const TCellGraphic& source)
{
    CellType = source.CellType;
    CellVAlign = source.CellVAlign;
    CellHAlign = source.CellHAlign;
    CellIndex = source.CellIndex;
    CellTransparent = source.CellTransparent;
    CellValue = source.CellValue;
    CellAngle = source.CellAngle;
    CellBoolean = source.CellBoolean;
    CellErrFrom = source.CellErrFrom;
    CellErrLen = source.CellErrLen;
    CellText = source.CellText;
    RangeMin = source.RangeMin;
    RangeMax = source.RangeMax;
    CellCreated = source.CellCreated;
}

bool IsClickableCellType(TCellType t)
{
    switch (t) {
    case ctCheckBox:
    case ctDataCheckBox:
    case ctRadio:
    case ctButton:
    case ctVirtCheckBox:
    case ctRowCheckBox: return true;
    default: return false;
    }
}

bool IsCheckBoxCellType(TCellType t)
{
    return t == ctCheckBox || t == ctDataCheckBox || t == ctVirtCheckBox || t == ctRowCheckBox;
}

QSize FitPictureSize(const QSize& area, const QSize& picture, int mode)
{
    const int w = area.width();
    const int h = area.height();
    const int pw = picture.width();
    const int ph = picture.height();
    auto scaled = [&](bool enlarge) {
        const double fx = pw == 0 ? 1.0 : double(w) / pw;
        const double fy = ph == 0 ? 1.0 : double(h) / ph;
        double f = std::min(fx, fy);
        if (!enlarge)
            f = std::min(f, 1.0);
        return QSize(int(pw * f), int(ph * f));
    };
    switch (mode) {
    case 1: return area;
    case 2: return scaled(true);
    case 3:
        if (pw > w)
            return area;
        return ph > h ? picture : area;
    case 4: return pw <= w && ph <= h ? picture : scaled(false);
    default: return picture;
    }
}
