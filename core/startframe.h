#pragma once
#include <memory>
// The start page: shown in the main window's navigator panel while no database is open, with the
// tasks a user starts from (new or open athlete database, restore, compact) and the conversion
// of the previous version's database.
#include "platform/vcl/forms.h"
#include <QListWidget>
#include "controls/uinavbar.h"

namespace Ui {
class TstartFrm;
}

class TstartFrm : public TFrame {
    Q_OBJECT
public:
    explicit TstartFrm(QWidget* Owner = nullptr);
    ~TstartFrm() override;

    std::unique_ptr<Ui::TstartFrm> ui;
    TUiNavPanel* UiNavPanel1;
    QListWidget* ListView1;
    QListWidget* ListView2;

    // Runs the task of the selected item; nothing without a selection.
    void ListView1Click(QObject* Sender);
    void ListView2Click(QObject* Sender);
    void ListViewMouseDown(QObject* Sender, Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y);
};

extern TstartFrm* startFrm;

// Applies the texts that a .ui file gives the flat controls as the dynamic property "Caption"
// (translated with the form) to their captions.
void ApplyControlCaptions(QWidget* form);
