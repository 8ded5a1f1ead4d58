#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// The line files of the QuickLoad and media subsystem (QuickLoad.txt,
// media_list.txt). Reading takes the whole file as bytes and closes it before
// returning, also after a failure. A line ends at CR LF, at a lone CR or at a
// lone LF; the end is not part of the line, and a last line without an end
// still counts. Each line is taken as UTF-8 when it is valid UTF-8 and as
// Windows-1252 otherwise, so files written by other systems, and files that
// mix both after an append, read correctly; a leading UTF-8 byte-order mark is
// dropped. Writing puts out UTF-8 with CR LF after every line.
//
// Failures are platform::ComError with the runtime's numbers: 53 when the file
// to read is missing, 75 for any other failure to open, read or write.
namespace tessaly {

std::vector<std::string> ReadTextLines(const std::string& path);

// One line as read, and where its bytes lie in the file: [begin, end) holds
// the line and its line end.
struct TextLine {
    std::string text;
    std::size_t begin = 0;
    std::size_t end = 0;
};

// The file's bytes as they are, and its lines as ReadTextLines reads them.
struct TextFileContent {
    std::string bytes;
    std::vector<TextLine> lines;
};
TextFileContent ReadTextFile(const std::string& path);

// The file's bytes without the lines marked in `drop`; every kept line keeps
// its bytes and reads back as the same line. Two joins would read otherwise,
// and get a few bytes more: a kept line ending in a lone CR before one
// starting with LF gets CR LF, or the two ends would read as one; and a line
// that starts with a byte-order mark but now comes first in a file that had
// none gets a mark before it, or its own would be dropped as the file's.
std::string BytesWithoutLines(const TextFileContent& content, const std::vector<bool>& drop);

// A line file opened for writing, under the exclusive lock (flock) that every
// writer of it holds from its read to its write, so that no writer's change is
// lost to another's. The lock is taken on the file the path names once it is
// held: a writer that waited while another replaced the file goes on with the
// new one. A file this user may not write is not opened (75); a missing one
// is 53, unless `create` makes it.
class LockedTextFile {
public:
    LockedTextFile(const std::string& path, bool create);
    ~LockedTextFile();
    LockedTextFile(const LockedTextFile&) = delete;
    LockedTextFile& operator=(const LockedTextFile&) = delete;

    TextFileContent Read() const;
    // Appends the lines. A file whose last line has no end gets a CR LF
    // first, so the new lines start a line of their own. All or nothing: when
    // writing fails, this call's own bytes are taken back (and the file
    // removed, if this writer created it) before the error is raised.
    void Append(const std::vector<std::string>& lines);
    // Replaces the file's content by `bytes`, whole (platform::wholefile::Replace):
    // a failure leaves the file as it was. The lock is held until this object
    // goes, so writers waiting for it then find the new file.
    void Replace(std::string_view bytes);

private:
    std::string path_;
    int fd_ = -1;
    bool created_ = false;
};

// Appends the lines under the lock, creating the file when it is missing
// (LockedTextFile::Append).
void AppendTextLines(const std::string& path, const std::vector<std::string>& lines);

}  // namespace tessaly
