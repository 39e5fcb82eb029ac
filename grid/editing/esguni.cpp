// The wide edits and the wide combo boxes.
#include "grid/editing/esguni.h"

#include <QAbstractItemView>
#include <QPainter>

#include "grid/editing/editorframes.h"
#include "platform/vcl/events.h"

TEsgUniEditBtn::TEsgUniEditBtn(QWidget* parent) : TEsgEditBtn(parent)
{
    setText(QString());
}

// ---------------------------------------------------------------------------------------------
// TCustomUNIComboBox

TCustomUNIComboBox::TCustomUNIComboBox(QWidget* parent)
    : QComboBox(parent), items_(std::make_unique<TComboBoxStrings>(this))
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr);
    // The chosen item is the text by now.
    connect(this, QOverload<int>::of(&QComboBox::activated), this, [this](int) {
        if (OnClick)
            RunGuarded([this] { OnClick(this); });
        if (OnChange)
            RunGuarded([this] { OnChange(this); });
    });
    connect(lineEdit(), &QLineEdit::textEdited, this, [this](const QString&) {
        if (OnChange)
            RunGuarded([this] { OnChange(this); });
    });
}

void TCustomUNIComboBox::SetText(const QString& value)
{
    setEditText(value);
}

// ---------------------------------------------------------------------------------------------
// TESGUniCustomCombo

TESGUniCustomCombo::TESGUniCustomCombo(QWidget* parent)
    : TESGCustomCombo(parent), items_(std::make_unique<TComboBoxStrings>(this))
{
}

QRect TESGUniCustomCombo::ClassicDropButtonRect() const
{
    return ButtonRect().adjusted(1, 1, -1, -1);
}

void TESGUniCustomCombo::DrawDropButtonBorder(QPainter& p)
{
    const int cw = width();
    const int ch = height();
    const int bw = ButtonWidth();
    const QRect border(cw - bw, 2, bw - 1, ch - 2);
    p.save();
    // The button's face inside stays as drawn.
    p.setClipRegion(QRegion(rect()).subtracted(QRect(cw - bw + 4, 4, bw - 8, ch - 8)));
    if (Active()) {
        if (view()->isVisible())
            EditorFrameRect(p, border, ToQColor(clBtnShadow));
        else
            DrawEdge(p, border, Etched() ? EDGE_ETCHED : EDGE_RAISED);
    } else {
        p.fillRect(border.adjusted(0, 1, -1, -1), ToQColor(clBtnFace));
    }
    p.restore();
}
