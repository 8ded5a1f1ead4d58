#include "src/quickload_media/TextFile.h"

#include <array>
#include <cerrno>
#include <cstdint>
#include <string_view>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/com/ComError.h"
#include "platform/registry/WholeFile.h"

namespace tessaly {
namespace {

using platform::RuntimeError;
namespace vberr = platform::vberr;

// Closes its descriptor on every way out.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int Get() const { return fd_; }
    bool Valid() const { return fd_ >= 0; }
    // Lets go of the descriptor without closing it.
    void Release() { fd_ = -1; }

private:
    int fd_;
};

std::string Joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

// The characters of Windows-1252 at 0x80 to 0x9F; the five bytes it leaves
// undefined stand for the control characters of the same number.
constexpr std::array<char16_t, 32> kCp1252High{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

bool IsValidUtf8(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size()) {
        const auto b = static_cast<unsigned char>(s[i]);
        std::size_t length;
        char32_t c;
        if (b < 0x80) {
            ++i;
            continue;
        } else if (b >= 0xC2 && b <= 0xDF) {
            length = 2;
            c = b & 0x1F;
        } else if (b >= 0xE0 && b <= 0xEF) {
            length = 3;
            c = b & 0x0F;
        } else if (b >= 0xF0 && b <= 0xF4) {
            length = 4;
            c = b & 0x07;
        } else {
            return false;
        }
        if (i + length > s.size()) return false;
        for (std::size_t k = 1; k < length; ++k) {
            const auto t = static_cast<unsigned char>(s[i + k]);
            if ((t & 0xC0) != 0x80) return false;
            c = (c << 6) | (t & 0x3F);
        }
        // Overlong forms, surrogates and code points past U+10FFFF are not UTF-8.
        if ((length == 3 && c < 0x800) || (length == 4 && (c < 0x10000 || c > 0x10FFFF)) ||
            (c >= 0xD800 && c <= 0xDFFF))
            return false;
        i += length;
    }
    return true;
}

std::string FromCp1252(std::string_view s) {
    std::string out;
    out.reserve(s.size() * 2);
    for (const char ch : s) {
        const auto b = static_cast<unsigned char>(ch);
        if (b < 0x80) {
            out += ch;
        } else if (b < 0xA0) {
            AppendUtf8(out, kCp1252High[b - 0x80]);
        } else {
            AppendUtf8(out, b);
        }
    }
    return out;
}

std::string ReadAllBytes(int fd) {
    std::string bytes;
    std::array<char, 65536> buffer;
    for (off_t offset = 0;;) {
        const ssize_t got = ::pread(fd, buffer.data(), buffer.size(), offset);
        if (got < 0) {
            if (errno == EINTR) continue;
            throw RuntimeError(vberr::PathFileAccess);
        }
        if (got == 0) break;
        bytes.append(buffer.data(), static_cast<std::size_t>(got));
        offset += got;
    }
    return bytes;
}

std::string ReadAllBytes(const std::string& path) {
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (!file.Valid()) {
        throw RuntimeError(errno == ENOENT || errno == ENOTDIR ? vberr::FileNotFound : vberr::PathFileAccess);
    }
    return ReadAllBytes(file.Get());
}

bool SameFile(const struct stat& a, const struct stat& b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

std::string DecodeLine(std::string_view bytes) {
    return IsValidUtf8(bytes) ? std::string(bytes) : FromCp1252(bytes);
}

TextFileContent LinesOf(std::string bytesRead) {
    TextFileContent content{std::move(bytesRead), {}};
    const std::string_view bytes = content.bytes;
    std::size_t start = bytes.starts_with("\xEF\xBB\xBF") ? 3 : 0;
    for (std::size_t i = start; i < bytes.size(); ++i) {
        if (bytes[i] != '\r' && bytes[i] != '\n') continue;
        const std::size_t length = i - start;
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
        content.lines.push_back({DecodeLine(bytes.substr(start, length)), start, i + 1});
        start = i + 1;
    }
    if (start < bytes.size()) content.lines.push_back({DecodeLine(bytes.substr(start)), start, bytes.size()});
    return content;
}

}  // namespace

TextFileContent ReadTextFile(const std::string& path) { return LinesOf(ReadAllBytes(path)); }

std::string BytesWithoutLines(const TextFileContent& content, const std::vector<bool>& drop) {
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    const std::string& bytes = content.bytes;
    std::string kept;
    kept.reserve(bytes.size());
    // Bytes before the first line: a leading byte-order mark, kept as it is.
    std::size_t from = content.lines.empty() ? bytes.size() : content.lines.front().begin;
    kept.append(bytes, 0, from);
    for (std::size_t i = 0; i < content.lines.size(); ++i) {
        if (i < drop.size() && drop[i]) continue;
        const TextLine& line = content.lines[i];
        if (kept.empty() && std::string_view(bytes).substr(line.begin).starts_with(kByteOrderMark))
            kept += kByteOrderMark;
        if (kept.ends_with('\r') && bytes[line.begin] == '\n') kept += '\n';
        kept.append(bytes, line.begin, line.end - line.begin);
    }
    return kept;
}

std::vector<std::string> ReadTextLines(const std::string& path) {
    std::vector<std::string> lines;
    for (TextLine& line : ReadTextFile(path).lines) lines.push_back(std::move(line.text));
    return lines;
}

LockedTextFile::LockedTextFile(const std::string& path, bool create) : path_(path) {
    for (;;) {
        created_ = false;
        int fd = -1;
        bool existed = !create;
        if (create) {
            fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            created_ = fd >= 0;
            existed = fd < 0 && errno == EEXIST;
        }
        if (existed) fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
        if (fd < 0) {
            if (create && existed && errno == ENOENT) continue;  // removed between the two openings
            const bool missing = errno == ENOENT || errno == ENOTDIR;
            if (missing) throw RuntimeError(create ? vberr::PathNotFound : vberr::FileNotFound);
            throw RuntimeError(vberr::PathFileAccess);
        }
        FileDescriptor file(fd);
        while (::flock(fd, LOCK_EX) != 0) {
            if (errno != EINTR) throw RuntimeError(vberr::PathFileAccess);
        }
        struct stat locked {};
        struct stat named {};
        if (::fstat(fd, &locked) != 0) throw RuntimeError(vberr::PathFileAccess);
        // The writer before us may have replaced or removed the file: ours is
        // then no longer the one to change.
        if (::stat(path.c_str(), &named) != 0 || !SameFile(locked, named)) continue;
        file.Release();
        fd_ = fd;
        return;
    }
}

LockedTextFile::~LockedTextFile() {
    if (fd_ >= 0) ::close(fd_);  // lets go of the lock
}

TextFileContent LockedTextFile::Read() const { return LinesOf(ReadAllBytes(fd_)); }

void LockedTextFile::Append(const std::vector<std::string>& lines) {
    struct stat opened {};
    if (::fstat(fd_, &opened) != 0) throw RuntimeError(vberr::PathFileAccess);
    const off_t size = opened.st_size;

    std::string data;
    if (size > 0) {
        char last = 0;
        if (::pread(fd_, &last, 1, size - 1) != 1) throw RuntimeError(vberr::PathFileAccess);
        if (last != '\r' && last != '\n') data = "\r\n";
    }
    data += Joined(lines);

    bool written = true;
    for (std::string_view rest = data; written && !rest.empty();) {
        const ssize_t n = ::pwrite(fd_, rest.data(), rest.size(), size + static_cast<off_t>(data.size() - rest.size()));
        if (n < 0 && errno == EINTR) continue;
        written = n > 0;
        if (written) rest.remove_prefix(static_cast<std::size_t>(n));
    }
    if (written && ::fsync(fd_) == 0) return;
    // Only this writer's bytes: no other writer appends while the lock is held.
    if (created_) {
        struct stat named {};
        if (::stat(path_.c_str(), &named) == 0 && SameFile(opened, named)) ::unlink(path_.c_str());
    } else {
        (void)::ftruncate(fd_, size);
    }
    throw RuntimeError(vberr::PathFileAccess);
}

void LockedTextFile::Replace(std::string_view bytes) {
    if (!platform::wholefile::Replace(path_, bytes)) throw RuntimeError(vberr::PathFileAccess);
}

void AppendTextLines(const std::string& path, const std::vector<std::string>& lines) {
    LockedTextFile(path, true).Append(lines);
}

}  // namespace tessaly
