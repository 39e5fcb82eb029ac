#pragma once
// The data module a core benchmark works on: made once, set as the program's data module and
// opened on the given database file for the rest of the run. The program stops when the file
// does not open: a benchmark on no data measures nothing.
#include <QString>

#include <cstdlib>

#include "core/orvdbserver.h"

namespace tenyeardb {

// With the user's format settings of the system, or with the ones given.
inline TorvServer* OpenServer(const QString& path, const TFormatSettings* userSettings = nullptr)
{
    auto* srv = new TorvServer;
    if (userSettings)
        srv->DataModuleCreate(*userSettings);
    else
        srv->DataModuleCreate();
    orvServer = srv;
    if (!srv->openDatabase(path))
        std::abort();
    return srv;
}

}  // namespace tenyeardb
