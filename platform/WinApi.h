#pragma once
// The one include through which the product reaches Windows. On Windows the
// names are the system's own; on the host they are declared by the project and
// supplied by the fake Windows that the unit tests link in.
#ifdef _WIN32
#include <windows.h>
// shellapi.h needs the types of windows.h.
#include <shellapi.h>
#else
#include "platform/host/HostWinApi.h"
#endif
