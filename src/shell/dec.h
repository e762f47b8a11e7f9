// Module dec: shutting down and restarting the computer. Neither forces other programs to close;
// a program that refuses ends the system's shutdown and the player keeps running.
#pragma once

namespace dec {

// Enables the shutdown privilege of this process; a failure leaves it as it was.
void EnableShutdownPrivilege();
void ShutdownWindows();
void RestartWindows();

}  // namespace dec
