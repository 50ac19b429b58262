#include "storage/AtomicFile.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The file a path names, through any symbolic links: it is that file the
// write replaces, in its own folder, and the links stay as they are.
std::filesystem::path fileNamedBy(std::filesystem::path path) {
    std::error_code error;
    for (int links = 0; links < 40 && std::filesystem::is_symlink(path, error); ++links) {
        const std::filesystem::path target = std::filesystem::read_symlink(path, error);
        if (error) break;
        path = target.is_absolute() ? target : path.parent_path() / target;
    }
    return path;
}

// The mode the file has, or a new file's usual one: 0666 less the umask.
mode_t modeFor(const std::filesystem::path& file) {
    struct stat status {};
    if (stat(file.c_str(), &status) == 0) return status.st_mode & 07777;
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

// ".NAME." and six letters or digits: what mkstemp makes of the pattern.
bool isTemporaryOf(const std::string& entry, const std::string& name) {
    const std::string head = "." + name + ".";
    return entry.size() == head.size() + 6 && entry.compare(0, head.size(), head) == 0 &&
           std::all_of(entry.begin() + static_cast<std::ptrdiff_t>(head.size()), entry.end(),
                       [](char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; });
}

// Writes left half done by a run that was killed.
void removeStaleTemporaries(const std::filesystem::path& folder, const std::string& name) {
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error))
        if (isTemporaryOf(entry.path().filename().string(), name)) std::filesystem::remove(entry.path(), error);
}

// Says why in one line, with the system's reason last.
[[noreturn]] void fail(const std::string& path, const std::string& what) {
    const int reason = errno;
    throw AtomicFile::Failed(path + ": cannot write: " + what + std::strerror(reason), reason);
}

}  // namespace

// A rename within a file system replaces a file whole or not at all.
void AtomicFile::replace(const std::string& path, const std::string& text) {
    const std::filesystem::path target = fileNamedBy(path);
    const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
    std::string temporary = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
    const int fd = mkstemp(temporary.data());
    if (fd < 0) fail(path, "cannot make a file in " + folder.string() + ": ");
    bool written = true;
    for (std::size_t done = 0; written && done < text.size();) {
        const ssize_t count = ::write(fd, text.data() + done, text.size() - done);
        written = count > 0 || (count < 0 && errno == EINTR);
        done += count > 0 ? static_cast<std::size_t>(count) : 0;
    }
    written = written && fchmod(fd, modeFor(target)) == 0 && fsync(fd) == 0;
    if (::close(fd) != 0 || !written || std::rename(temporary.c_str(), target.c_str()) != 0) {
        const int reason = errno;
        std::remove(temporary.c_str());
        errno = reason;
        fail(path, "");
    }
    const int folderFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);  // the rename itself, made lasting
    if (folderFd >= 0) fsync(folderFd), ::close(folderFd);
    removeStaleTemporaries(folder, target.filename().string());
}
