#include "core/player_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

namespace darts {
namespace {

// As many links as the kernel itself follows before it gives up with ELOOP.
constexpr int kMostLinks = 40;

std::string systemError(const std::string& what) { return what + ": " + std::strerror(errno); }

std::string folderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Every missing folder on the way, as `mkdir -p` would.
bool makeFolders(const std::string& folder, std::string& error) {
    for (size_t next = 1; next <= folder.size(); ++next) {
        if (next != folder.size() && folder[next] != '/') continue;
        const std::string part = folder.substr(0, next);
        if (::mkdir(part.c_str(), 0755) != 0 && errno != EEXIST) {
            error = systemError("cannot make " + part);
            return false;
        }
    }
    return true;
}

bool writeAll(int fd, std::string_view text) {
    size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

}  // namespace

std::optional<std::string> xdgFolder(const char* variable, std::string_view underHome) {
    if (const char* own = std::getenv(variable); own != nullptr && own[0] == '/') return own;
    if (const char* home = std::getenv("HOME"); home != nullptr && home[0] == '/') {
        return std::string(home) + "/" + std::string(underHome);
    }
    return std::nullopt;
}

std::optional<std::string> followLinks(const std::string& path, std::string& error) {
    std::string current = path;
    for (int hop = 0; hop <= kMostLinks; ++hop) {
        struct stat info {};
        if (::lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return current;
        std::string target(PATH_MAX, '\0');
        const ssize_t length = ::readlink(current.c_str(), target.data(), target.size());
        if (length < 0) return current;  // what then goes wrong with it is said by its user
        target.resize(static_cast<size_t>(length));
        current = target[0] == '/' ? target : folderOf(current) + "/" + target;
    }
    error = path + ": too many levels of symbolic links";
    return std::nullopt;
}

PlayerFileText readPlayerFile(const std::string& path, size_t largest) {
    PlayerFileText file;
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        if (errno == ENOENT) return file;
        file.status = PlayerFileText::Status::Unreadable;
        file.problem = systemError("cannot read " + path);
        return file;
    }
    // Opened without blocking and checked again once open: the path may change in between.
    const int fd =
        S_ISREG(info.st_mode) ? ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC) : -1;
    if (S_ISREG(info.st_mode) && fd < 0) {
        file.status = PlayerFileText::Status::Unreadable;
        file.problem = systemError("cannot read " + path);
        return file;
    }
    if (fd < 0 || ::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        if (fd >= 0) ::close(fd);
        file.status = PlayerFileText::Status::NotAFile;
        file.problem = path + " is not a regular file";
        return file;
    }
    std::string text(largest + 1, '\0');
    size_t size = 0;
    while (size < text.size()) {
        const ssize_t n = ::read(fd, text.data() + size, text.size() - size);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            file.status = PlayerFileText::Status::Unreadable;
            file.problem = systemError("cannot read " + path);
            ::close(fd);
            return file;
        }
        if (n == 0) break;
        size += static_cast<size_t>(n);
    }
    ::close(fd);
    if (size > largest) {
        file.status = PlayerFileText::Status::TooLarge;
        file.problem = path + " is larger than " + std::to_string(largest / 1024) + " KiB";
        return file;
    }
    text.resize(size);
    file.status = PlayerFileText::Status::Read;
    file.text = std::move(text);
    return file;
}

bool writePlayerFile(const std::string& path, std::string_view text, std::string& error) {
    const std::optional<std::string> target = followLinks(path, error);
    if (!target) return false;
    struct stat old {};
    const bool replacing = ::stat(target->c_str(), &old) == 0;
    if (replacing && !S_ISREG(old.st_mode)) {
        error = *target + " is not a regular file, left as it is";
        return false;
    }
    const std::string folder = folderOf(*target);
    if (!makeFolders(folder, error)) return false;

    // The temporary name carries the process id: two games never write the same temporary file.
    const std::string temporary = *target + ".tmp." + std::to_string(::getpid());
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        error = systemError("cannot write " + *target);
        return false;
    }
    bool ok = (!replacing || ::fchmod(fd, old.st_mode & 0777) == 0) && writeAll(fd, text) &&
              ::fsync(fd) == 0;
    int failure = errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        failure = errno;
    }
    if (ok && ::rename(temporary.c_str(), target->c_str()) != 0) {
        ok = false;
        failure = errno;
    }
    if (!ok) {
        ::unlink(temporary.c_str());
        error = "cannot write " + *target + ": " + std::strerror(failure);
        return false;
    }
    // The rename itself is on the disk once the folder is.
    const int folderFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderFd >= 0) {
        ::fsync(folderFd);
        ::close(folderFd);
    }
    return true;
}

PlayerFileLock::PlayerFileLock(const std::string& path) {
    std::string error;
    const std::optional<std::string> target = followLinks(path, error);
    if (!target) return;
    const std::string folder = folderOf(*target);
    if (!makeFolders(folder, error)) return;
    folder_ = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder_ < 0) return;
    while (::flock(folder_, LOCK_EX) != 0 && errno == EINTR) {
    }
}

PlayerFileLock::~PlayerFileLock() {
    if (folder_ >= 0) ::close(folder_);  // closing the last descriptor lets the lock go
}

}  // namespace darts
