// The system routines: shutdown and restart, the CD door; and the launcher's settings files and
// memory figure.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "runtime/effects.h"
#include "shell/FormDrag.h"
#include "shell/dec.h"

namespace {

TEST(SystemRoutinesTest, ShutdownAndRestartAskTheSystemWithoutForcing) {
    rt::RecordingEffects recorder;
    rt::ScopedEffects scope(recorder);
    dec::ShutdownWindows();
    dec::RestartWindows();
    EXPECT_EQ(recorder.calls, (std::vector<std::string>{"ExitWindowsEx 1 -1", "ExitWindowsEx 2 -1"}));
}

TEST(SystemRoutinesTest, ShutdownPrivilegeIsEnabledForTheProcess) {
    dec::EnableShutdownPrivilege();
    HANDLE token = nullptr;
    ASSERT_TRUE(OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token));
    LUID luid{};
    ASSERT_TRUE(LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &luid));
    PRIVILEGE_SET set{};
    set.PrivilegeCount = 1;
    set.Control = PRIVILEGE_SET_ALL_NECESSARY;
    set.Privilege[0].Luid = luid;
    BOOL enabled = FALSE;
    ASSERT_TRUE(PrivilegeCheck(token, &set, &enabled));
    CloseHandle(token);
    EXPECT_TRUE(enabled);
}

TEST(SystemRoutinesTest, CdDoorCommands) {
    rt::RecordingEffects recorder;
    rt::ScopedEffects scope(recorder);
    FormDrag::OpenCdDoor();
    FormDrag::CloseCdDoor();
    EXPECT_EQ(recorder.calls, (std::vector<std::string>{"mciSendString set cdaudio door open",
                                                        "mciSendString set cdaudio door closed"}));
}

TEST(SystemRoutinesTest, CdDoorWithoutDriveDoesNothingAndReturns) {
    // The real multimedia interface: the test system has no CD drive.
    FormDrag::OpenCdDoor();
    FormDrag::CloseCdDoor();
    SUCCEED();
}

}  // namespace
