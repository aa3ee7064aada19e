// The disk side of level files: reading a file whole (up to the largest level
// there can be) and replacing a file without ever leaving it half written.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "model/level_file.h"

namespace klv {

namespace {

std::string ErrnoText(int error) { return std::strerror(error); }

// Closes a descriptor on every way out.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() { Close(); }
    int Get() const { return fd_; }
    bool Valid() const { return fd_ >= 0; }
    // Closes now; returns 0 or -1 with errno set (a deferred write error shows here).
    int Close() {
        if (fd_ < 0) return 0;
        const int rc = ::close(fd_);
        fd_ = -1;
        return rc;
    }

private:
    int fd_;
};

long RealWrite(int fd, const std::uint8_t* data, std::size_t size) { return static_cast<long>(::write(fd, data, size)); }

// The file a write to `path` should replace: a symbolic link is followed so
// the link stays a link.
std::string ReplacementTarget(const std::string& path) {
    std::error_code ec;
    if (std::filesystem::is_symlink(path, ec)) {
        const auto resolved = std::filesystem::canonical(path, ec);
        if (!ec) return resolved.string();
    }
    return path;
}

// Creates a new, empty file beside `target`; the name is free at that moment.
int CreateTemporaryBeside(const std::string& target, std::string& tempPath) {
    const std::filesystem::path targetPath(target);
    const std::filesystem::path folder = targetPath.parent_path();
    const std::string stem = "." + targetPath.filename().string() + ".saving-" + std::to_string(::getpid()) + "-";
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempPath = (folder / (stem + std::to_string(attempt))).string();
        const int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    errno = EEXIST;
    return -1;
}

bool WriteAll(const FileWriteCalls& calls, int fd, const std::vector<std::uint8_t>& bytes, std::string& error) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const long n = calls.Write ? calls.Write(fd, bytes.data() + done, bytes.size() - done)
                                   : RealWrite(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            error = "writing failed after " + std::to_string(done) + " of " + std::to_string(bytes.size()) +
                    " bytes: " + (n < 0 ? ErrnoText(errno) : std::string("no progress"));
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace

LevelWriteResult ReplaceFileContents(const std::string& path, const std::vector<std::uint8_t>& bytes,
                                     const FileWriteCalls& calls) {
    const std::string target = ReplacementTarget(path);
    // Writing in place would fail on a file the user may not write; a rename
    // would not, so ask first rather than replace a protected file.
    if (::access(target.c_str(), F_OK) == 0 && ::access(target.c_str(), W_OK) != 0)
        return {false, "cannot write " + target + ": " + ErrnoText(errno)};
    std::string tempPath;
    FileDescriptor file(CreateTemporaryBeside(target, tempPath));
    if (!file.Valid()) return {false, "cannot create a file beside " + target + ": " + ErrnoText(errno)};

    auto fail = [&](std::string reason) {
        file.Close();
        ::unlink(tempPath.c_str());
        return LevelWriteResult{false, std::move(reason)};
    };

    // A replaced file keeps who may read and write it.
    struct stat existing {};
    if (::stat(target.c_str(), &existing) == 0 && S_ISREG(existing.st_mode)) {
        if (::fchmod(file.Get(), existing.st_mode & 07777) != 0)
            return fail("cannot give the new file the old one's permissions: " + ErrnoText(errno));
    }

    std::string error;
    if (!WriteAll(calls, file.Get(), bytes, error)) return fail(error);
    if ((calls.Sync ? calls.Sync(file.Get()) : ::fsync(file.Get())) != 0)
        return fail("flushing to disk failed: " + ErrnoText(errno));
    if (file.Close() != 0) return fail("closing the file failed: " + ErrnoText(errno));
    if ((calls.Rename ? calls.Rename(tempPath.c_str(), target.c_str())
                      : std::rename(tempPath.c_str(), target.c_str())) != 0)
        return fail("cannot replace " + target + ": " + ErrnoText(errno));

    // Make the rename itself durable; the data is already safe, so a folder
    // that cannot be synced is not a failed save.
    const std::filesystem::path folder = std::filesystem::path(target).parent_path();
    FileDescriptor dir(::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.Valid()) ::fsync(dir.Get());
    return {};
}

LevelWriteResult WriteLevelFile(const std::string& path, const LevelState& level) {
    // A level whose arrays disagree with its size would make a file that does
    // not read back; refuse it before touching the disk.
    const auto fits = [&](const auto& grid) {
        if (level.LevelWidth < 0 || grid.size() != static_cast<std::size_t>(level.LevelWidth)) return false;
        for (const auto& column : grid)
            if (column.size() != static_cast<std::size_t>(level.LevelHeight)) return false;
        return true;
    };
    if (level.LevelWidth != level.LevelHeight || !fits(level.Cells) || !fits(level.CellShapes))
        return {false, "the level's cell arrays do not match its size " + std::to_string(level.LevelWidth) + " x " +
                           std::to_string(level.LevelHeight)};
    return ReplaceFileContents(path, LevelFileBytes(level));
}

LevelReadResult ReadLevelFile(const std::string& path, LevelState& level, DrawAreaGeometry& drawArea) {
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (!file.Valid()) return {LevelReadOutcome::CannotOpen, ErrnoText(errno)};
    struct stat info {};
    if (::fstat(file.Get(), &info) != 0) return {LevelReadOutcome::CannotOpen, ErrnoText(errno)};
    if (S_ISDIR(info.st_mode)) return {LevelReadOutcome::CannotOpen, ErrnoText(EISDIR)};

    // One byte past the largest level tells whether anything trails the records.
    std::vector<std::uint8_t> bytes(kMaxLevelFileSize + 1);
    std::size_t got = 0;
    while (got < bytes.size()) {
        const auto n = ::read(file.Get(), bytes.data() + got, bytes.size() - got);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return {LevelReadOutcome::CannotOpen, "reading failed: " + ErrnoText(errno)};
        if (n == 0) break;
        got += static_cast<std::size_t>(n);
    }
    file.Close();
    return ReadLevelBytes(bytes.data(), got, level, drawArea);
}

LevelReadResult ReadLevelFile(const std::string& path, LevelState& level) {
    PlainDrawArea area;
    return ReadLevelFile(path, level, area);
}

}  // namespace klv
