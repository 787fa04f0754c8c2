#include "platform/DllSearchPath.h"
// delayimp.h needs the types of windows.h.
#include <delayimp.h>

// ADVAPI32 and SHELL32 are delay-loaded: the loader binds them at their first
// call, after WinMain has confined the DLL search, instead of at start-up, when
// the DLLs they import would be looked for beside the executable first. Where
// the search is confined, the loader's own load by name finds them in the
// system folder only; elsewhere they are loaded by their full path there.
namespace {

FARPROC WINAPI BindFromSystemFolder(unsigned nNotify, PDelayLoadInfo pInfo) {
    if (nNotify != dliNotePreLoadLibrary || IsDllSearchConfined()) return nullptr;
    return reinterpret_cast<FARPROC>(LoadSystemDll(pInfo->szDll));
}

}  // namespace

PfnDliHook __pfnDliNotifyHook2 = BindFromSystemFolder;
