#pragma once
// The marker choice of one planner route: every marker of the route listed with its distance
// and text, ticked; "Alle" and "Keiner" tick or clear all; "Importieren" ends with OK and hands
// on the ticked markers, "Abbrechen" ends with Cancel. importMyWayRoute creates it, sets the
// route id, shows it modally and reads the chosen markers.
#include <QList>
#include <QPushButton>
#include <QTreeWidget>

#include <memory>

#include "platform/vcl/forms.h"

namespace Ui {
class Tmywayimp2;
}

class Tmywayimp2 : public TForm {
    Q_OBJECT
public:
    explicit Tmywayimp2(QWidget* Owner = nullptr);
    ~Tmywayimp2() override;

    std::unique_ptr<Ui::Tmywayimp2> ui;
    QTreeWidget* ListView1;  // "Meter", "Beschreibung", hidden "Index" (the marker's id)
    QPushButton* Button2;    // "Alle"
    QPushButton* Button3;    // "Keiner"
    QPushButton* Button4;    // "Importieren"
    QPushButton* Button1;    // "Abbrechen"

    // Set by the caller before showing.
    int routeId = 0;
    // After "Importieren": "-1" and ",id" for each ticked marker in list order; the ids as numbers.
    QString markerList = QStringLiteral("-1");
    QList<int> chosenIds;

    void FormShow(QObject* Sender);
    void Button2Click(QObject* Sender);
    void Button3Click(QObject* Sender);
    void Button4Click(QObject* Sender);

private:
    bool shown_ = false;
};

extern Tmywayimp2* mywayimp2;
