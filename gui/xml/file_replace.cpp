// Atomic replacement of a file through a temporary file and a rename.
#include "gui/xml/file_replace.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tokarium {

namespace {

constexpr int kTemporaryNameAttempts = 100;
constexpr mode_t kNewFileMode = 0666; // narrowed by the umask

bool writeAll(int descriptor, std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t written = ::write(descriptor, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// Creates a new temporary file beside path; -1 when none can be created.
int createTemporary(const std::string& path, std::string& temporaryPath) {
    for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
        temporaryPath = path + ".~" + std::to_string(::getpid()) + "-" + std::to_string(attempt);
        int descriptor = ::open(temporaryPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, kNewFileMode);
        if (descriptor >= 0 || errno != EEXIST)
            return descriptor;
    }
    return -1;
}

} // namespace

bool replaceFile(const std::string& givenPath, std::string_view bytes) {
    // Linux has no sharing violations, so there is nothing to retry: a file that cannot be created fails at once.
    // A symbolic link is followed, so that the file it names is replaced rather than the link.
    std::string path = givenPath;
    std::error_code error;
    if (std::filesystem::is_symlink(path, error)) {
        std::filesystem::path target = std::filesystem::canonical(path, error);
        if (!error)
            path = target.string();
    }
    std::string temporaryPath;
    int descriptor = createTemporary(path, temporaryPath);
    if (descriptor < 0)
        return false;
    struct stat existing {};
    if (::stat(path.c_str(), &existing) == 0 && S_ISREG(existing.st_mode))
        (void)::fchmod(descriptor, existing.st_mode & 07777);
    bool written = writeAll(descriptor, bytes) && ::fsync(descriptor) == 0;
    bool closed = ::close(descriptor) == 0;
    if (!written || !closed || std::rename(temporaryPath.c_str(), path.c_str()) != 0) {
        std::remove(temporaryPath.c_str());
        return false;
    }
    return true;
}

} // namespace tokarium
