#pragma once
// Module-wide bookkeeping of the COM server: live objects and server locks decide
// DllCanUnloadNow, and the module handle gives DllRegisterServer its own path.

#include <windows.h>

namespace tamsel::win32 {

void ServerObjectCreated();
void ServerObjectDestroyed();
void ServerLock(bool lock);
bool ServerCanUnload();

void SetServerModule(HMODULE module);
HMODULE ServerModule();

}  // namespace tamsel::win32
