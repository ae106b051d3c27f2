#include "base/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <system_error>

namespace tabulorix {

namespace {

std::string SystemMessage(int error) {
    return std::generic_category().message(error);
}

std::string SaveFailure(const std::string& path, int error) {
    return "ファイル \"" + path + "\" を保存できません: " + SystemMessage(error);
}

std::string ReadFailure(const std::string& path, const std::string& reason) {
    return "ファイル \"" + path + "\" を読み込めません: " + reason;
}

// Closes a descriptor once; the destructor closes what is still open.
class Descriptor {
public:
    explicit Descriptor(int fd = -1) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    // Closes now and returns the close's errno, 0 on success.
    int Close() {
        const int rc = ::close(fd_);
        fd_ = -1;
        return rc == 0 ? 0 : errno;
    }

private:
    int fd_;
};

// A symbolic link is replaced through its target, so the link survives.
std::string ResolveTarget(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
    char resolved[PATH_MAX];
    if (::realpath(path.c_str(), resolved) == nullptr) return path;
    return resolved;
}

std::string DirectoryOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

std::string BaseNameOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Creates a new temporary file beside the target; the name goes to tempPath.
// Returns the descriptor or -1 with errno set.
int CreateTemporary(const std::string& target, std::string& tempPath) {
    static std::atomic<unsigned> counter{0};
    const std::string stem =
        DirectoryOf(target) + "/." + BaseNameOf(target) + ".tmp-" + std::to_string(::getpid()) + "-";
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempPath = stem + std::to_string(counter++);
        const int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

// Writes all bytes; returns 0 or the errno of the failing write.
int WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return 0;
}

// Gives the new file the permission bits (and, where allowed, the owner) of
// the file it replaces.
void CopyAttributes(int fd, const std::string& target) {
    struct stat st {};
    if (::stat(target.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return;
    ::fchmod(fd, st.st_mode & 07777);
    struct stat mine {};
    if (::fstat(fd, &mine) == 0 && (mine.st_uid != st.st_uid || mine.st_gid != st.st_gid)) {
        if (::fchown(fd, st.st_uid, st.st_gid) != 0) {
            // Only root or the owner may hand a file over; the new file keeps
            // the saving user's ownership then.
        }
    }
}

// Writes the temporary completely and durably; returns 0 or an errno.
int FillTemporary(Descriptor& fd, const std::string& target, std::string_view bytes) {
    CopyAttributes(fd.get(), target);
    if (const int error = WriteAll(fd.get(), bytes)) return error;
    if (::fsync(fd.get()) != 0) return errno;
    return fd.Close();
}

// Makes the rename itself durable; a failure here does not undo the save.
void SyncDirectory(const std::string& directory) {
    const Descriptor dir(::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() >= 0) ::fsync(dir.get());
}

// True when path names an existing file that is neither a regular file nor
// a directory (a device such as /dev/stdout or /dev/null, or a pipe).
bool IsSpecialFile(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode) && !S_ISDIR(st.st_mode);
}

// Writes into a device or pipe as it is: there is no previous content to
// keep, and renaming a new file over it would replace the device itself.
void WriteInPlace(const std::string& path, const std::string& target, std::string_view bytes) {
    Descriptor fd(::open(target.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC));
    if (fd.get() < 0) throw FileError(path, SaveFailure(path, errno));
    int error = WriteAll(fd.get(), bytes);
    if (const int closed = fd.Close(); error == 0) error = closed;
    if (error != 0) throw FileError(path, SaveFailure(path, error));
}

}  // namespace

FileError::FileError(const std::string& path, const std::string& message, int line)
    : std::runtime_error(message), path_(path), line_(line) {}

void WriteFileAtomically(const std::string& path, std::string_view bytes) {
    const std::string target = ResolveTarget(path);
    if (IsSpecialFile(target)) {
        WriteInPlace(path, target, bytes);
        return;
    }
    std::string tempPath;
    Descriptor fd(CreateTemporary(target, tempPath));
    if (fd.get() < 0) throw FileError(path, SaveFailure(path, errno));

    int error = FillTemporary(fd, target, bytes);
    if (error == 0 && ::rename(tempPath.c_str(), target.c_str()) != 0) error = errno;
    if (error != 0) {
        if (fd.get() >= 0) fd.Close();
        ::unlink(tempPath.c_str());
        throw FileError(path, SaveFailure(path, error));
    }
    SyncDirectory(DirectoryOf(target));
}

std::string ReadFileBytes(const std::string& path) {
    const Descriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) throw FileError(path, ReadFailure(path, SystemMessage(errno)));
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0) throw FileError(path, ReadFailure(path, SystemMessage(errno)));
    if (S_ISDIR(st.st_mode)) throw FileError(path, ReadFailure(path, SystemMessage(EISDIR)));

    std::string content;
    if (S_ISREG(st.st_mode)) content.reserve(static_cast<std::size_t>(st.st_size));
    char buffer[65536];
    while (true) {
        const ssize_t got = ::read(fd.get(), buffer, sizeof buffer);
        if (got == 0) break;
        if (got < 0) {
            if (errno == EINTR) continue;
            throw FileError(path, ReadFailure(path, SystemMessage(errno)));
        }
        content.append(buffer, static_cast<std::size_t>(got));
    }
    return content;
}

std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') continue;
        lines.emplace_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < text.size()) lines.emplace_back(text.substr(start));
    return lines;
}

TextLines ReadTextLines(const std::string& path) {
    const std::string bytes = ReadFileBytes(path);
    DecodedText decoded;
    try {
        if (auto lines = DecodeCp932Lines(bytes)) return {std::move(*lines), TextEncoding::Cp932};
        decoded = DecodeFileText(bytes);
    } catch (const TextCodecError& e) {
        throw FileError(path, ReadFailure(path, e.what()), e.line());
    }
    return {SplitLines(decoded.utf8), decoded.encoding};
}

namespace {

std::string JoinWithCrLf(const std::vector<std::string>& lines) {
    std::size_t size = 0;
    for (const std::string& line : lines) size += line.size() + 2;
    std::string text;
    text.reserve(size);
    for (const std::string& line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

}  // namespace

EncodedText EncodeTextLines(const std::vector<std::string>& lines) {
    return EncodeFileText(JoinWithCrLf(lines));
}

namespace {

EncodedText EncodeForFile(const std::string& path, std::string_view utf8, LineFeeds feeds) {
    try {
        return EncodeFileText(utf8, feeds);
    } catch (const TextCodecError& e) {
        throw FileError(path, "ファイル \"" + path + "\" を保存できません: " + e.what(), e.line());
    }
}

}  // namespace

EncodedText WriteTextFile(const std::string& path, std::string utf8) {
    EncodedText encoded = EncodeForFile(path, utf8, LineFeeds::Kept);
    std::string().swap(utf8);
    WriteFileAtomically(path, encoded.bytes);
    return encoded;
}

EncodedText WriteTextFile(const std::string& path, std::string_view utf8, LineFeeds feeds) {
    EncodedText encoded = EncodeForFile(path, utf8, feeds);
    WriteFileAtomically(path, encoded.bytes);
    return encoded;
}

EncodedText WriteTextLines(const std::string& path, const std::vector<std::string>& lines) {
    return WriteTextFile(path, JoinWithCrLf(lines));
}

}  // namespace tabulorix
