#include "traininglog/unitfields.h"

#include <QCoreApplication>

#include "core/navigatorframe.h"
#include "core/orvdbserver.h"

namespace unitfields {

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("UnitFields", text);
}

}  // namespace

QStringList weatherChoices()
{
    return {tr("klar"), tr("wolkig"), tr("bedeckt"), tr("l. Niederschlag"), tr("st. Niederschl."), tr("Sporthalle")};
}

QStringList windChoices()
{
    return {tr("windstill"), tr("schwach"), tr("mäßig"), tr("stark"), tr("stürmisch")};
}

QStringList feelingChoices()
{
    return {tr("1 - sehr gut"), tr("2 - gut"), tr("3 - mittel"), tr("4 - schlecht"), tr("5 - s. schlecht")};
}

void takeOverNamedRoute(QObject* Sender)
{
    TDataSet& strecke = orvServer->strecke;
    if (!strecke.Active())
        return;
    const QString name = orvServer->daten.FieldByName(QStringLiteral("Ort"))->AsString();
    if (name.isEmpty() || !strecke.Locate(QStringLiteral("NAME"), name))
        return;
    if (navigatorFrm)
        navigatorFrm->SpeedButton3Click(Sender);
}

}  // namespace unitfields
