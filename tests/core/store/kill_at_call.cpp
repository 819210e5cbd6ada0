// SPDX-License-Identifier: MIT
// Preloaded into a child by the crash tests: counts the calls by which SQLite and QLockFile make
// data durable or take it away (write, pwrite64, fdatasync, unlink) on files in
// BREVANTA_KILL_DIR, and raises SIGKILL just before call number BREVANTA_KILL_AT.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <signal.h>
#include <unistd.h>

namespace {

bool inFolder(const char* path) {
    static const char* folder = std::getenv("BREVANTA_KILL_DIR");
    return folder && path && std::strncmp(path, folder, std::strlen(folder)) == 0;
}

bool fileInFolder(int fd) {
    char link[64];
    char path[4096] = {};
    std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    return ::readlink(link, path, sizeof path - 1) > 0 && inFolder(path);
}

void count(bool counts) {
    static const char* const setting = std::getenv("BREVANTA_KILL_AT");
    static const long killAt = setting ? std::atol(setting) : 0;
    static long calls = 0;
    if (counts && ++calls == killAt)
        ::raise(SIGKILL);
}

template <typename Function> Function real(const char* name) {
    return reinterpret_cast<Function>(::dlsym(RTLD_NEXT, name));
}

} // namespace

extern "C" {

ssize_t write(int fd, const void* data, size_t size) {
    count(fileInFolder(fd));
    return real<ssize_t (*)(int, const void*, size_t)>("write")(fd, data, size);
}

ssize_t pwrite64(int fd, const void* data, size_t size, off64_t offset) {
    count(fileInFolder(fd));
    return real<ssize_t (*)(int, const void*, size_t, off64_t)>("pwrite64")(fd, data, size, offset);
}

int fdatasync(int fd) {
    count(fileInFolder(fd));
    return real<int (*)(int)>("fdatasync")(fd);
}

int unlink(const char* path) {
    count(inFolder(path));
    return real<int (*)(const char*)>("unlink")(path);
}

} // extern "C"
