// The exception classes of sysutils.h.
#include "platform/rtl/sysutils.h"

#include <QCoreApplication>

Exception::Exception(QString message) : message_(std::move(message)), utf8_(message_.toUtf8()) {}

Exception::~Exception() = default;

void Exception::SetMessage(const QString& m)
{
    message_ = m;
    utf8_ = m.toUtf8();
}

// The runtime's EAbort carries the text "Operation abgebrochen"; it is never shown.
EAbort::EAbort() : Exception(QCoreApplication::translate("SysUtils", "Operation abgebrochen")) {}

void Abort()
{
    throw EAbort();
}

QString ExceptionMessage(const std::exception& e)
{
    if (const auto* own = dynamic_cast<const Exception*>(&e))
        return own->Message();
    return QString::fromLocal8Bit(e.what());
}
