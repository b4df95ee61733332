#include "shell/records_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace darts {
namespace {

std::string systemError(const std::string& what) { return what + ": " + std::strerror(errno); }

bool writeAll(int fd, const std::string& text) {
    size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

// The first of "<path><suffix>", "<path><suffix>.2", ... that does not exist yet.
std::string freeName(const std::string& path, const std::string& suffix) {
    std::error_code error;
    std::string name = path + suffix;
    for (int n = 2; std::filesystem::exists(name, error) && n < 1000; ++n) {
        name = path + suffix + "." + std::to_string(n);
    }
    return name;
}

}  // namespace

std::string recordsPath() {
    std::string base;
    const char* xdg = std::getenv("XDG_DATA_HOME");
    if (xdg != nullptr && xdg[0] == '/') {
        base = xdg;
    } else if (const char* home = std::getenv("HOME"); home != nullptr && home[0] != 0) {
        base = std::string(home) + "/.local/share";
    } else {
        return "";
    }
    return base + "/darts301/records";
}

LoadedRecords loadRecords(const std::string& path) {
    LoadedRecords loaded;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::error_code error;
        if (std::filesystem::exists(path, error)) loaded.message = "cannot read " + path;
        return loaded;
    }
    std::ostringstream text;
    text << in.rdbuf();
    ParsedRecords parsed = parseRecords(text.str());
    if (parsed.status == ParsedRecords::Status::Ok) {
        loaded.records = parsed.records;
        return loaded;
    }
    const bool newer = parsed.status == ParsedRecords::Status::Newer;
    const std::string aside = freeName(path, newer ? ".newer" : ".damaged");
    std::error_code error;
    std::filesystem::rename(path, aside, error);
    loaded.message = path + ": " + parsed.problem + "; " +
                     (error ? "could not move it aside (" + error.message() + ")"
                            : "kept as " + aside) +
                     ", starting with empty records";
    return loaded;
}

std::string saveRecords(const std::string& path, const PlayerRecords& records) {
    if (path.empty()) return "no folder for the records (neither XDG_DATA_HOME nor HOME is set)";
    const std::filesystem::path target(path);
    std::error_code error;
    std::filesystem::create_directories(target.parent_path(), error);
    if (error) return "cannot create " + target.parent_path().string() + ": " + error.message();

    // The temporary name carries the process id: two games never write the same temporary file.
    const std::string temporary = path + ".tmp." + std::to_string(::getpid());
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return systemError("cannot write " + temporary);
    const bool written = writeAll(fd, formatRecords(records)) && ::fsync(fd) == 0;
    const std::string writeError = written ? "" : systemError("cannot write " + temporary);
    if (::close(fd) != 0 && written) {
        ::unlink(temporary.c_str());
        return systemError("cannot write " + temporary);
    }
    if (!written) {
        ::unlink(temporary.c_str());
        return writeError;
    }
    if (::rename(temporary.c_str(), path.c_str()) != 0) {
        const std::string message = systemError("cannot replace " + path);
        ::unlink(temporary.c_str());
        return message;
    }
    // The rename itself is only durable once the folder is on the disk.
    const int folder = ::open(target.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
    return "";
}

}  // namespace darts
