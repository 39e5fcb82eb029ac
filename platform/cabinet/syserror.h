#pragma once
// The system's message for an error code (errno) of a failed file call, in the user's language:
// German for the codes a user meets with files (missing file, no access, full disk...), the C
// library's text for the rest.
#include <QString>

QString CabSystemErrorMessage(int code);
