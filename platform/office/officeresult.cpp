#include "platform/office/officeresult.h"

QString OfficeError::Text() const
{
    if (position.isEmpty())
        return message;
    return QStringLiteral("%1 (%2)").arg(message, position);
}
