// SPDX-License-Identifier: MIT
// Preloaded into a child process by the crash tests: counts the calls that make data durable or
// take it away (write, pwrite, fsync, fdatasync, unlink) on files in BREVANTA_KILL_DIR and
// kills the process with SIGKILL just before call number BREVANTA_KILL_AT. Kills at each number
// in turn stop the process at every step of its work on disk.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

namespace {

long killAt = 0;
long calls = 0;
char folder[4096] = {};
std::size_t folderLength = 0;

__attribute__((constructor)) void readSettings() {
    if (const char* at = std::getenv("BREVANTA_KILL_AT"))
        killAt = std::atol(at);
    if (const char* dir = std::getenv("BREVANTA_KILL_DIR")) {
        std::snprintf(folder, sizeof folder, "%s/", dir);
        folderLength = std::strlen(folder);
    }
}

bool inFolder(const char* path) {
    return folderLength > 0 && path && std::strncmp(path, folder, folderLength) == 0;
}

bool fileInFolder(int fd) {
    char link[64];
    char path[4096];
    std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    const ssize_t length = ::readlink(link, path, sizeof path - 1);
    if (length <= 0)
        return false;
    path[length] = '\0';
    return inFolder(path);
}

void count(bool counts) {
    if (counts && ++calls == killAt)
        ::raise(SIGKILL);
}

template <typename Function> Function next(const char* name) {
    return reinterpret_cast<Function>(::dlsym(RTLD_NEXT, name));
}

} // namespace

extern "C" {

ssize_t write(int fd, const void* data, size_t size) {
    static const auto real = next<ssize_t (*)(int, const void*, size_t)>("write");
    count(fileInFolder(fd));
    return real(fd, data, size);
}

ssize_t pwrite(int fd, const void* data, size_t size, off_t offset) {
    static const auto real = next<ssize_t (*)(int, const void*, size_t, off_t)>("pwrite");
    count(fileInFolder(fd));
    return real(fd, data, size, offset);
}

ssize_t pwrite64(int fd, const void* data, size_t size, off64_t offset) {
    static const auto real = next<ssize_t (*)(int, const void*, size_t, off64_t)>("pwrite64");
    count(fileInFolder(fd));
    return real(fd, data, size, offset);
}

int fsync(int fd) {
    static const auto real = next<int (*)(int)>("fsync");
    count(fileInFolder(fd));
    return real(fd);
}

int fdatasync(int fd) {
    static const auto real = next<int (*)(int)>("fdatasync");
    count(fileInFolder(fd));
    return real(fd);
}

int unlink(const char* path) {
    static const auto real = next<int (*)(const char*)>("unlink");
    count(inFolder(path));
    return real(path);
}

} // extern "C"
