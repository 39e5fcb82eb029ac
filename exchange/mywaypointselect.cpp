#include "exchange/mywaypointselect.h"

#include "ui_mywaypointselect.h"

#include "exchange/mywayplanner.h"
#include "platform/vcl/dialogs.h"
#include "platform/vcl/events.h"

Tmywayimp2* mywayimp2 = nullptr;

Tmywayimp2::Tmywayimp2(QWidget* Owner) : TForm(Owner), ui(std::make_unique<Ui::Tmywayimp2>())
{
    ui->setupUi(this);
    ListView1 = ui->ListView1;
    Button2 = ui->Button2;
    Button3 = ui->Button3;
    Button4 = ui->Button4;
    Button1 = ui->Button1;
    setWindowFlags((windowFlags() | Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint) &
                   ~Qt::WindowContextHelpButtonHint);
    ListView1->setColumnHidden(2, true);
    ListView1->setColumnWidth(0, 80);

    OnShow = Handler(this, &Tmywayimp2::FormShow);
    for (auto [button, handler] : {std::pair{Button2, &Tmywayimp2::Button2Click}, {Button3, &Tmywayimp2::Button3Click},
                                   {Button4, &Tmywayimp2::Button4Click}})
        connect(button, &QPushButton::clicked, this, [button, h = Handler(this, handler)] { h(button); });
}

Tmywayimp2::~Tmywayimp2() = default;

void Tmywayimp2::FormShow(QObject*)
{
    if (shown_)
        return;
    shown_ = true;
    ListView1->clear();
    auto planner = MyWayPlanner::Open(MyWayFolder());
    if (!planner.Ok()) {
        MessageDlg(planner.Error().Text(), mtError, TMsgDlgButtons{mbOK});
        return;
    }
    for (const MyWayMarker& m : planner.Value().Markers(routeId)) {
        auto* item = new QTreeWidgetItem(ListView1, {QString::number(m.meter), m.text, QString::number(m.id)});
        item->setData(2, Qt::UserRole, m.id);
        item->setCheckState(0, Qt::Checked);
    }
    if (ListView1->topLevelItemCount() > 0)
        ListView1->setCurrentItem(ListView1->topLevelItem(0));
}

void Tmywayimp2::Button2Click(QObject*)
{
    for (int i = 0; i < ListView1->topLevelItemCount(); ++i)
        ListView1->topLevelItem(i)->setCheckState(0, Qt::Checked);
}

void Tmywayimp2::Button3Click(QObject*)
{
    for (int i = 0; i < ListView1->topLevelItemCount(); ++i)
        ListView1->topLevelItem(i)->setCheckState(0, Qt::Unchecked);
}

void Tmywayimp2::Button4Click(QObject*)
{
    // The ids kept with the items, not their texts: the list holds integers only.
    chosenIds.clear();
    for (int i = 0; i < ListView1->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = ListView1->topLevelItem(i);
        if (item->checkState(0) == Qt::Checked)
            chosenIds.append(item->data(2, Qt::UserRole).toInt());
    }
    markerList = MyWayMarkerList(chosenIds);
}
