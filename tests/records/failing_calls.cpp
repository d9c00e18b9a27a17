// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Preloaded into the record keeper by tests to make one kind of system call
// fail, as a failing disk or network file server would. Which one is read
// from TROVAPUNTI_FAIL_CALL before the keeper clears its environment:
//   rename  renaming a staged file over crt.txt fails with EIO
//   fstat   every fstat fails with ESTALE

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include <dlfcn.h>
#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>

namespace {

const char* g_failing = "";

__attribute__((constructor)) void readWhichCallFails() {
    if (const char* which = std::getenv("TROVAPUNTI_FAIL_CALL")) {
        g_failing = which;
    }
}

} // namespace

extern "C" int renameat(int oldDirectory, const char* oldPath, int newDirectory,
                        const char* newPath) {
    if (std::strcmp(g_failing, "rename") == 0 && std::strcmp(newPath, "crt.txt") == 0) {
        errno = EIO;
        return -1;
    }
    using Rename = int (*)(int, const char*, int, const char*);
    static const auto real = reinterpret_cast<Rename>(dlsym(RTLD_NEXT, "renameat"));
    return real(oldDirectory, oldPath, newDirectory, newPath);
}

extern "C" int fstat(int fd, struct stat* st) {
    if (std::strcmp(g_failing, "fstat") == 0) {
        errno = ESTALE;
        return -1;
    }
    using Fstat = int (*)(int, struct stat*);
    static const auto real = reinterpret_cast<Fstat>(dlsym(RTLD_NEXT, "fstat"));
    return real(fd, st);
}
