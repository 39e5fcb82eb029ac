#pragma once
// A custom editor link over a line edit, as an application writes one; it notes the calls the
// grid makes.
#include <QLineEdit>
#include <QPointer>
#include <QStringList>

#include "grid/editing/editlink.h"

class TestLink : public TEditLink {
public:
    using TEditLink::TEditLink;
    ~TestLink() override { delete edit.data(); }
    QPointer<QLineEdit> edit;
    QStringList calls;

    QWidget* GetEditControl() override { return edit; }
    void CreateEditor(QWidget* AParent) override
    {
        calls << QStringLiteral("CreateEditor");
        if (!edit)
            edit = new QLineEdit(AParent);
        else if (edit->parentWidget() != AParent)
            edit->setParent(AParent);
        edit->setFrame(false);
    }
    void DestroyEditor() override { calls << QStringLiteral("DestroyEditor"); }
    void SetRect(const QRect& R) override
    {
        calls << QStringLiteral("SetRect");
        TEditLink::SetRect(R);
    }
    void SetVisible(bool Value) override
    {
        calls << (Value ? QStringLiteral("SetVisible(true)") : QStringLiteral("SetVisible(false)"));
        TEditLink::SetVisible(Value);
    }
    void SetCellProps(TColor, const QFont&) override { calls << QStringLiteral("SetCellProps"); }
    void SetProperties() override { calls << QStringLiteral("SetProperties"); }
    QString GetEditorValue() override { return edit ? edit->text() : QString(); }
    void SetEditorValue(const QString& Value) override
    {
        calls << QStringLiteral("SetEditorValue");
        edit->setText(Value);
    }
    void SetFocus(bool Value) override
    {
        calls << (Value ? QStringLiteral("SetFocus(true)") : QStringLiteral("SetFocus(false)"));
        TEditLink::SetFocus(Value);
    }
};
