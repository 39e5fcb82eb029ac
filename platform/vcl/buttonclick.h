#pragma once
// The click event of the runtime's push buttons (TButton, TBitBtn) on a .ui form's QPushButton:
//   OnButtonClick(BitBtn1, Handler(this, &TTraining::BitBtn1Click));
// The handler gets the button as its sender; bind it with Handler() so that it runs guarded.
#include <QAbstractButton>

#include <functional>

inline void OnButtonClick(QAbstractButton* button, std::function<void(QObject* Sender)> handler)
{
    QObject::connect(button, &QAbstractButton::clicked, button, [button, h = std::move(handler)] { h(button); });
}
