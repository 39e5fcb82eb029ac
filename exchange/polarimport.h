#pragma once
// Step 1 of the heart-rate import: how the exercise files are obtained. Four ways: the
// monitor's sound transmission through the microphone or from a WAV recording (the optional
// sound converter library beside the program), exercise files chosen by the user, or the
// infrared download (the optional add-on library beside the program). Each obtained file is
// handed to the import window ThrmImport, one window per file.
//
// The outside libraries are shared libraries beside the program with C entry points, loaded for
// each use:
//   sound converter "sl2hrm.so": int ReadFromSound(const char* hrmPath),
//                             int ReadFromWav(const char* wavPath, const char* hrmPath)
//   infrared add-on "orvhrm.so": int ReadExercises(const char* baseName)  (shows its own window
//                             and writes base.hrm or base-<n>.hrm)
// 1 means success. Without them their ways are disabled.
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include <memory>

#include "platform/vcl/dialogs.h"
#include "platform/vcl/forms.h"

namespace Ui {
class TpolarImp;
}

class TpolarImp : public TForm {
    Q_OBJECT
public:
    explicit TpolarImp(QWidget* Owner = nullptr);
    ~TpolarImp() override;

    std::unique_ptr<Ui::TpolarImp> ui;
    QRadioButton* RadioButton1;  // microphone
    QRadioButton* RadioButton2;  // WAV file
    QRadioButton* RadioButton3;  // exercise files
    QRadioButton* RadioButton4;  // infrared
    QLabel* Image2;
    QLabel* Image3;
    QLabel* Image4;
    QLabel* Image5;
    QLabel* Label3;
    QLabel* Label4;
    QLabel* Label6;
    QLabel* Label7;  // credits, or the notice that the sound converter is missing
    QLabel* Label8;
    QLabel* Label9;  // information about the infrared add-on, shown while it is missing
    QPushButton* Button2;  // "Weiter >"
    QPushButton* Button3;  // "Hilfe"
    QPushButton* Button4;  // "Abbrechen"
    TOpenDialog OpenDialog1;  // WAV recording
    TOpenDialog OpenDialog2;  // exercise files, several at once

    void FormShow(QObject* Sender);
    void Button2Click(QObject* Sender);
    void Button3Click(QObject* Sender);
    void Button4Click(QObject* Sender);
    void Label9Click(QObject* Sender);
    void importSound();
    void importWave();
    void importHRM();
    void importIR();

    // The files of the outside libraries and the working folder.
    static QString ConverterLibrary();
    static QString AddOnLibrary();
    static QString TempFolder();   // "Temp" in the user's data folder, created when missing
    static QString ImportBuffer(); // "Temp/~import.hrm"

    // Imports one exercise file with its own import window, shown modally and freed. The unit
    // is created unless the entry window shows its split page (the rows then join its unit).
    static void importFile(const QString& file);

private:
    bool converterPresent_ = false;
    bool addOnPresent_ = false;
};

extern TpolarImp* polarImp;
