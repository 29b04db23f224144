// Collects the exit status of started programs that nobody watches any more.
//
// A program started by the launcher is a child of this process; when it ends it stays a
// zombie until its status is collected. The launcher collects it itself while someone
// polls; a handle dropped while the program still runs is handed here instead. One
// background thread waits on the pidfds of the handed-over children and collects each
// one (waitpid on that pid only, so other child processes, e.g. QProcess's, are not
// touched). The program itself is never signalled.
#pragma once

#ifndef _WIN32
#include <sys/types.h>

#include "platform/UniqueFd.h"

namespace zpk::platform {

// pidfd may be empty when the kernel gave none; the child is then polled periodically.
void HandToReaper(pid_t pid, UniqueFd pidfd);

}  // namespace zpk::platform
#endif
