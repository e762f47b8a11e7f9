#include "shell/dec.h"

#include <windows.h>

#include "runtime/effects.h"
#include "runtime/handles.h"

namespace dec {

namespace {
// The previous state is asked for and not used.
struct SinglePrivilege {
    DWORD count;
    LUID_AND_ATTRIBUTES privilege;
};
}  // namespace

void EnableShutdownPrivilege() {
    rt::KernelHandle token;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, token.put())) return;
    SinglePrivilege wanted{};
    LookupPrivilegeValueA("", "SeShutdownPrivilege", &wanted.privilege.Luid);
    wanted.count = 1;
    wanted.privilege.Attributes = SE_PRIVILEGE_ENABLED;
    SinglePrivilege previous{};
    DWORD previousSize = 0;
    AdjustTokenPrivileges(token.get(), FALSE, reinterpret_cast<TOKEN_PRIVILEGES*>(&wanted), sizeof previous,
                          reinterpret_cast<TOKEN_PRIVILEGES*>(&previous), &previousSize);
}

void ShutdownWindows() {
    EnableShutdownPrivilege();
    rt::Effects().ExitWindowsEx(EWX_SHUTDOWN, 0xFFFFFFFFu);
}

void RestartWindows() {
    EnableShutdownPrivilege();
    rt::Effects().ExitWindowsEx(EWX_REBOOT, 0xFFFFFFFFu);
}

}  // namespace dec
