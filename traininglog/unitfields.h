#pragma once
// What the pages that edit a unit's fields share: the fixed choices of "Wetter", "Wind" and
// "Gefühl", and the route named in "Ort" taken over into the unit.
#include <QStringList>

class QObject;

namespace unitfields {

// The choice lists of the combo boxes, in the order the stored texts were always offered.
QStringList weatherChoices();
QStringList windChoices();
QStringList feelingChoices();

// Takes over the route of exactly the name in "Ort" (its length, height difference, place and
// description) through the navigator's route button. A name that matches no route, an empty
// name or a closed route table leave the unit as it is: another route's values must not
// overwrite the unit's.
void takeOverNamedRoute(QObject* Sender);

}  // namespace unitfields
