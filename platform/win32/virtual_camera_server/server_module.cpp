#include "platform/win32/virtual_camera_server/server_module.h"

#include <atomic>

namespace tamsel::win32 {
namespace {
std::atomic<long> g_objects{0};
std::atomic<long> g_locks{0};
HMODULE g_module = nullptr;
}  // namespace

void ServerObjectCreated() {
    ++g_objects;
}
void ServerObjectDestroyed() {
    --g_objects;
}
void ServerLock(bool lock) {
    if (lock) {
        ++g_locks;
    } else {
        --g_locks;
    }
}
bool ServerCanUnload() {
    return g_objects.load() == 0 && g_locks.load() == 0;
}

void SetServerModule(HMODULE module) {
    g_module = module;
}
HMODULE ServerModule() {
    return g_module;
}

}  // namespace tamsel::win32
