#include "awards/records_file.h"

#include <filesystem>

#include "core/player_file.h"

namespace darts {
namespace {

// Nine short lines at most; anything much larger is not a records file.
constexpr size_t kLargestRecordsFile = 64 * 1024;

// The first of "<path><suffix>", "<path><suffix>.2", ... that does not exist yet.
std::string freeName(const std::string& path, const std::string& suffix) {
    std::error_code error;
    std::string name = path + suffix;
    for (int n = 2; std::filesystem::exists(name, error) && n < 1000; ++n) {
        name = path + suffix + "." + std::to_string(n);
    }
    return name;
}

LoadedRecords leftAlone(const std::string& problem) {
    LoadedRecords loaded;
    loaded.message = problem + "; it is left as it is and no records are kept this run";
    loaded.usable = false;
    return loaded;
}

}  // namespace

std::string recordsPath() {
    const std::optional<std::string> folder = xdgFolder("XDG_DATA_HOME", ".local/share");
    return folder ? *folder + "/darts301/records" : "";
}

std::string noRecordsFolderMessage() {
    return "no folder for the records (neither XDG_DATA_HOME nor HOME is an absolute path), "
           "no records are kept this run";
}

LoadedRecords loadRecords(const std::string& path) {
    std::string linkError;
    // A damaged file behind a link is moved aside where it is: the link stays for the next save.
    const std::optional<std::string> file = followLinks(path, linkError);
    if (!file) return leftAlone(linkError);
    const PlayerFileText read = readPlayerFile(*file, kLargestRecordsFile);
    using Status = PlayerFileText::Status;
    if (read.status == Status::Missing) return {};
    if (read.status == Status::NotAFile || read.status == Status::Unreadable) {
        return leftAlone(read.problem);
    }
    ParsedRecords parsed = read.status == Status::Read ? parseRecords(read.text) : ParsedRecords{};
    if (read.status == Status::TooLarge) parsed.problem = "far too large";
    LoadedRecords loaded;
    if (parsed.status == ParsedRecords::Status::Ok) {
        loaded.records = parsed.records;
        return loaded;
    }
    const bool newer = parsed.status == ParsedRecords::Status::Newer;
    const std::string aside = freeName(*file, newer ? ".newer" : ".damaged");
    std::error_code error;
    std::filesystem::rename(*file, aside, error);
    loaded.message = path + ": " + parsed.problem + "; " +
                     (error ? "could not move it aside (" + error.message() + ")"
                            : "kept as " + aside) +
                     ", starting with empty records";
    // Left in place, it would be written over at the next save.
    loaded.usable = !error;
    return loaded;
}

std::string saveRecords(const std::string& path, const PlayerRecords& records) {
    if (path.empty()) return noRecordsFolderMessage();
    std::string error;
    writePlayerFile(path, formatRecords(records), error);
    return error;
}

SavedRecords addToRecordsFile(const std::string& path, const PlayerRecords& additions) {
    SavedRecords result;
    if (path.empty()) {
        result.message = noRecordsFolderMessage();
        result.usable = false;
        return result;
    }
    const PlayerFileLock lock(path);
    LoadedRecords onDisk = loadRecords(path);
    result.message = onDisk.message;
    result.usable = onDisk.usable;
    if (!onDisk.usable) return result;
    const PlayerRecords merged = mergeRecords(onDisk.records, additions);
    const std::string error = saveRecords(path, merged);
    if (!error.empty()) {
        result.message = result.message.empty() ? error : result.message + "; " + error;
        return result;
    }
    result.saved = true;
    result.records = merged;
    return result;
}

}  // namespace darts
