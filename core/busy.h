#pragma once
#include <memory>
// The busy window: the one please-wait window that long operations show modelessly, with a small
// animation and, when the caller asks for it, a progress bar stepped once per item.
//
// Callers: set showProgress and ProgressBar1's maximum, Show(), stepProgress() per item,
// Close(), set showProgress back to false.
#include <QTimer>
#include <QWidget>

#include "platform/vcl/forms.h"

// The animation of the busy window: a ring of dots turning while it is active.
class TAnimate : public QWidget {
    Q_OBJECT
public:
    explicit TAnimate(QWidget* parent = nullptr);
    bool Active() const { return timer_.isActive(); }
    void SetActive(bool active);
    int Frame() const { return frame_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QTimer timer_;
    int frame_ = 0;
};

#include <QLabel>
#include <QProgressBar>

namespace Ui {
class TBusyDlg;
}

class TBusyDlg : public TForm {
    Q_OBJECT
public:
    explicit TBusyDlg(QWidget* Owner = nullptr);
    ~TBusyDlg() override;

    std::unique_ptr<Ui::TBusyDlg> ui;
    QLabel* Image1;
    QLabel* Label1;
    TAnimate* Animate1;
    QProgressBar* ProgressBar1;

    // The progress bar shows only while this is true.
    bool showProgress = false;

    // Advances the bar by one and paints the window at once, so that progress shows while the
    // caller keeps the event loop busy.
    void stepProgress();

    void FormCreate(QObject* Sender);
    void FormShow(QObject* Sender);
    void FormClose(QObject* Sender, TCloseAction& Action);

protected:
    void hideEvent(QHideEvent* e) override;
};

extern TBusyDlg* BusyDlg;
