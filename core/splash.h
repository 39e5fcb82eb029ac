#pragma once
#include <memory>
// The splash window: the program's picture with the registered user's name and company, an
// optional branding picture and the gauge that steps once for each object the start-up creates.
#include <QPixmap>

#include "platform/vcl/forms.h"
#include <QLabel>
#include <QProgressBar>

namespace Ui {
class TIntroScreen;
}

class TIntroScreen : public TForm {
    Q_OBJECT
public:
    explicit TIntroScreen(QWidget* Owner = nullptr);
    ~TIntroScreen() override;

    std::unique_ptr<Ui::TIntroScreen> ui;
    QLabel* Image1;
    QProgressBar* Gauge1;
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label5;
    QLabel* Image2;

    // Puts a picture into Image1; the window takes its size and the gauge stays across its
    // bottom edge.
    void SetPicture(const QPixmap& picture);

    void FormCreate(QObject* Sender);
    void FormShow(QObject* Sender);

    // The built-in splash picture (420 x 280).
    static QPixmap DefaultPicture();

private:
    // The gauge's background takes the picture's colour at (2, 2).
    void takeGaugeBackground();
};

extern TIntroScreen* IntroScreen;

// Creates the splash window into IntroScreen and fills it: name and company from the program's
// registry key, the branding pictures of the folder "Custom" beside the program. The gauge's
// maximum is the number of start-up steps that follow.
void initIntroScreen(int steps);
// One start-up step: the gauge advances and the window is painted at once. The name of the object
// just created is not shown.
void updateIntroScreen(const QString& name);
// Closes and frees the splash window (the main window's first show does it).
void freeIntroScreen();
