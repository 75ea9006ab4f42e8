// Running part of a test on a small file system of its own: a tmpfs mounted over a folder in a
// mount namespace of a child process, so that a full or read-only disk binds every user, root too.
#pragma once

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <string>

#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tokarium::testing {

namespace detail {

inline bool writeProcFile(const char* path, const std::string& text) {
    const int descriptor = ::open(path, O_WRONLY);
    if (descriptor < 0)
        return false;
    const bool written = ::write(descriptor, text.data(), text.size()) == static_cast<ssize_t>(text.size());
    ::close(descriptor);
    return written;
}

// A mount namespace of its own; through a user namespace when the process may not make one directly.
inline bool enterMountNamespace() {
    if (::unshare(CLONE_NEWNS) == 0)
        return true;
    const uid_t uid = ::getuid();
    const gid_t gid = ::getgid();
    if (::unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0)
        return false;
    return writeProcFile("/proc/self/setgroups", "deny") &&
           writeProcFile("/proc/self/uid_map", std::to_string(uid) + " " + std::to_string(uid) + " 1") &&
           writeProcFile("/proc/self/gid_map", std::to_string(gid) + " " + std::to_string(gid) + " 1");
}

} // namespace detail

// Runs prepare and then body in a child process in which `folder` (which must exist) is a fresh
// tmpfs of `bytes` bytes; with readOnly the file system is made read-only between the two. Returns
// what body returns (empty text: success, else what went wrong), or none when no file system can be
// mounted on this machine.
inline std::optional<std::string> onSmallFileSystem(const std::filesystem::path& folder, std::size_t bytes,
                                                    bool readOnly, const std::function<void()>& prepare,
                                                    const std::function<std::string()>& body) {
    constexpr int kNoFileSystem = 77;
    const std::filesystem::path verdict = folder.string() + ".verdict";
    std::filesystem::remove(verdict);
    std::fflush(nullptr);
    const pid_t child = ::fork();
    if (child < 0)
        return "cannot fork";
    if (child == 0) {
        const std::string size = "size=" + std::to_string(bytes);
        if (!detail::enterMountNamespace() || ::mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            ::mount("tokarium-test", folder.c_str(), "tmpfs", 0, size.c_str()) != 0)
            ::_exit(kNoFileSystem);
        if (prepare)
            prepare();
        if (readOnly && ::mount("none", folder.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) != 0)
            ::_exit(kNoFileSystem);
        const std::string problems = body();
        std::ofstream(verdict) << problems;
        ::_exit(0);
    }
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (WIFEXITED(status) && WEXITSTATUS(status) == kNoFileSystem)
        return std::nullopt;
    std::ifstream file(verdict);
    if (!file)
        return "the child ended without a verdict";
    std::string problems((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    std::filesystem::remove(verdict);
    return problems;
}

// Fills the file system holding `folder` with the file `filler` until no byte fits, then frees
// `bytesLeft` bytes of it again.
inline void fillUpTo(const std::filesystem::path& filler, std::size_t bytesLeft) {
    const int descriptor = ::open(filler.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (descriptor < 0)
        return;
    const std::string block(4096, 'x');
    std::size_t size = 0;
    for (std::size_t piece = block.size(); piece > 0;) {
        const ssize_t written = ::write(descriptor, block.data(), piece);
        if (written > 0)
            size += static_cast<std::size_t>(written);
        else
            piece /= 2;
    }
    ::close(descriptor);
    std::filesystem::resize_file(filler, size > bytesLeft ? size - bytesLeft : 0);
}

} // namespace tokarium::testing
