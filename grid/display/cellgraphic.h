#pragma once
// What a cell holds besides its text: the cell graphic record that makes a cell a check box,
// radio group, picture, button, progress bar, node and the other kinds, and the editor kinds a
// cell can take.
#include <QPixmap>
#include <QStringList>
#include <QVariant>

// The kinds of a cell graphic, in the library's order.
enum TCellType {
    ctBitmap,
    ctIcon,
    ctNone,
    ctImageList,
    ctCheckBox,
    ctDataCheckBox,
    ctRotated,
    ctDataImage,
    ctNode,
    ctRadio,
    ctEmpty,
    ctImages,
    ctPicture,
    ctFilePicture,
    ctValue,
    ctProgress,
    ctComment,
    ctButton,
    ctBitButton,
    ctVirtCheckBox,
    ctRowCheckBox,
    ctProgressPie,
    ctSummary,
    ctRangeIndicator
};

enum TCellHAlign { haLeft, haRight, haCenter, haBeforeText, haAfterText, haFull };
enum TCellVAlign { vaTop, vaBottom, vaCenter, vaUnderText, vaAboveText, vaFull };

// The editor a cell is edited with, in the library's order.
enum TEditorType {
    edNormal,
    edSpinEdit,
    edComboEdit,
    edComboList,
    edEditBtn,
    edCheckBox,
    edDateEdit,
    edDateEditUpDown,
    edTimeEdit,
    edButton,
    edDataCheckBox,
    edNumeric,
    edPositiveNumeric,
    edFloat,
    edCapital,
    edMixedCase,
    edPassword,
    edUnitEditBtn,
    edLowerCase,
    edUpperCase,
    edFloatSpinEdit,
    edTimeSpinEdit,
    edDateSpinEdit,
    edNumericEditBtn,
    edFloatEditBtn,
    edCustom,
    edRichEdit,
    edNone,
    edUniEdit,
    edUniComboEdit,
    edUniComboList,
    edUniEditBtn
};

// One cell's graphic; owned by the cell's property record.
class TCellGraphic {
public:
    TCellType CellType = ctNone;
    // The kind's payloads: a picture, bitmap or icon; a radio group's option texts; an image
    // list or other object of the application (not owned), and a second reference.
    QPixmap Picture;
    QStringList Options;
    QVariant Payload;
    QVariant Payload2;
    TCellVAlign CellVAlign = vaTop;
    TCellHAlign CellHAlign = haLeft;
    int CellIndex = 0;           // image index, selected radio option (-1: from the text), margin
    bool CellTransparent = false;
    bool CellCreated = false;    // the payload was made by the grid
    bool CellBoolean = false;    // state of a ctCheckBox
    int CellAngle = 0;           // rotation of ctRotated; stretch mode of pictures
    double CellValue = 0;        // value of progress pies and range indicators
    int RangeMin = 0;            // a progress bar's range; a range indicator's range is RangeMax
    int RangeMax = 100;
    int CellErrFrom = 0;
    int CellErrLen = 0;
    QString CellText;            // comment text of ctComment, a button's caption, a progress format

    // Copies the settings (not the payloads).
    void Assign(const TCellGraphic& source);
};

// The size a picture takes in an area (both less the picture's margin) by its stretch mode: 1 the
// whole area; 2 scaled by the smaller factor (a zero picture side counts as factor 1); 3 the area
// when the picture is wider than it, else the picture's size when it is taller, else the area;
// 4 the picture's size when it fits, else scaled as 2 but never enlarged; any other its own size.
QSize FitPictureSize(const QSize& area, const QSize& picture, int mode);

// Kinds a click acts on, and check-box kinds.
bool IsClickableCellType(TCellType t);
bool IsCheckBoxCellType(TCellType t);
