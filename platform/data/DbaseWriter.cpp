#include "platform/data/DbaseWriter.h"

#include <fcntl.h>
#include <locale.h>
#include <sys/stat.h>
#include <unistd.h>
#include <wctype.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <ctime>

#include "platform/com/Hresult.h"
#include "platform/data/Field.h"
#include "platform/data/GdalSupport.h"
#include "platform/data/TextCompare.h"

namespace platform {

namespace {

// dBASE keeps a column name in 10 bytes, a numeric field in 255 characters
// and a character field in 254 bytes.
constexpr std::size_t kNameBytes = 10;
constexpr int kMaxWidth = 255;
constexpr int kMaxTextWidth = 254;
constexpr int kSignificant = 15;
constexpr std::size_t kHeaderBytes = 32;
constexpr std::size_t kFieldBytes = 32;
constexpr char kCodePage[] = "UTF-8";

// A number rounded to 15 significant digits: d.ddd times ten to the exponent,
// without trailing zeros ("0" for zero, whatever its sign).
struct Digits {
    bool negative = false;
    std::string digits = "0";
    int exponent = 0;
};

Digits DigitsOf(double value) {
    Digits result;
    if (value == 0) return result;
    char text[40];
    const auto end =
        std::to_chars(text, text + sizeof text, std::abs(value), std::chars_format::scientific, kSignificant - 1).ptr;
    const char* e = std::find(text, end, 'e');
    std::from_chars(e + (e[1] == '+' ? 2 : 1), end, result.exponent);
    result.negative = value < 0;
    result.digits.assign(1, text[0]);
    result.digits.append(static_cast<const char*>(text + 2), e);  // the digits after the point
    while (result.digits.size() > 1 && result.digits.back() == '0') result.digits.pop_back();
    return result;
}

int DecimalDigits(int number) { return number >= 100 ? 3 : number >= 10 ? 2 : 1; }

// The length of the UTF-8 sequence that starts with lead, 0 for a byte that starts none.
std::size_t SequenceLength(unsigned char lead) {
    if (lead < 0x80) return 1;
    if ((lead & 0xE0) == 0xC0) return 2;
    if ((lead & 0xF0) == 0xE0) return 3;
    if ((lead & 0xF8) == 0xF0) return 4;
    return 0;
}

bool IsLetterOrDigit(const std::string& text, std::size_t at, std::size_t length) {
    const auto lead = static_cast<unsigned char>(text[at]);
    if (length == 1) return std::isalnum(lead) != 0 || lead == '_';
    char32_t code = lead & (0xFF >> (length + 1));
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[at + i]);
        if ((next & 0xC0) != 0x80) return false;
        code = (code << 6) | (next & 0x3F);
    }
    // Letters of every script, judged by the C library's Unicode tables.
    static const locale_t unicode = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
    return unicode != static_cast<locale_t>(nullptr) && iswalnum_l(static_cast<wint_t>(code), unicode) != 0;
}

std::string SystemError(const std::string& what, const std::string& file) {
    return what + " " + file + ": " + std::strerror(errno);
}

void PutLittleEndian(std::string& bytes, std::size_t at, std::uint64_t value, int size) {
    for (int i = 0; i < size; ++i) bytes[at + static_cast<std::size_t>(i)] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

std::uint64_t GetLittleEndian(const unsigned char* bytes, int size) {
    std::uint64_t value = 0;
    for (int i = size - 1; i >= 0; --i) value = (value << 8) | bytes[i];
    return value;
}

// Writes all of data at the file's position; what the system refuses or cuts short raises.
void WriteAll(int fd, const char* data, std::size_t size, const std::string& file) {
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) {
            if (written == 0) errno = ENOSPC;
            throw DataError(E_FAIL, SystemError("Unable to write", file));
        }
        data += written;
        size -= static_cast<std::size_t>(written);
    }
}

// A file this run created, known by its identity so that only it is ever removed.
struct OwnFile {
    std::string path;
    int fd = -1;
    dev_t device = 0;
    ino_t inode = 0;
    bool created = false;

    void Create() {
        fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0) {
            if (errno == EEXIST) throw DataError(E_FAIL, "Table already exists: " + path);
            throw DataError(E_FAIL, SystemError("Unable to create", path));
        }
        created = true;
        struct stat status {};
        if (::fstat(fd, &status) != 0) throw DataError(E_FAIL, SystemError("Unable to create", path));
        device = status.st_dev;
        inode = status.st_ino;
    }
    // Flushes to the disk and closes, so that a full disk shows here.
    void Finish() {
        const int closing = fd;
        fd = -1;
        const bool synced = ::fsync(closing) == 0 || errno == EINVAL;
        const int saved = errno;
        if (::close(closing) != 0 || !synced) {
            if (!synced) errno = saved;
            throw DataError(E_FAIL, SystemError("Unable to write", path));
        }
    }
    void Remove() {
        if (fd >= 0) ::close(fd);
        fd = -1;
        struct stat status {};
        if (created && ::lstat(path.c_str(), &status) == 0 && status.st_dev == device && status.st_ino == inode)
            ::unlink(path.c_str());
        created = false;
    }
};

}  // namespace

void FitNumber(DbaseColumn& column, double value) {
    if (!std::isfinite(value))
        throw DataError(E_FAIL, "The column " + column.name + " cannot hold the value " + Variant(value).ToText());
    const Digits d = DigitsOf(value);
    const int significant = static_cast<int>(d.digits.size());
    column.decimals = std::max(column.decimals, significant - 1 - d.exponent);
    column.integerDigits = std::max(column.integerDigits, std::max(d.exponent + 1, 1) + (d.negative ? 1 : 0));
    column.negative = column.negative || d.negative;
    column.mantissaDecimals = std::max(column.mantissaDecimals, significant - 1);
    column.exponentDigits = std::max(column.exponentDigits, DecimalDigits(std::abs(d.exponent)));
}

bool UsesExponentForm(const DbaseColumn& column) {
    return column.type == fieldtype::Double && column.integerDigits + 1 + column.decimals > kMaxWidth;
}

int WidthOf(const DbaseColumn& column) {
    if (column.type != fieldtype::Double) return column.width;
    if (!UsesExponentForm(column)) return column.integerDigits + 1 + column.decimals;
    return (column.negative ? 1 : 0) + 2 + column.mantissaDecimals + 2 + column.exponentDigits;
}

std::string NumberText(const DbaseColumn& column, double value) {
    const Digits d = DigitsOf(value);
    std::string text = d.negative ? "-" : "";
    auto digitAt = [&d](int position) {  // the digit of 10^position
        const int index = d.exponent - position;
        return index >= 0 && index < static_cast<int>(d.digits.size()) ? d.digits[static_cast<std::size_t>(index)] : '0';
    };
    if (UsesExponentForm(column)) {
        text += d.digits[0];
        text += '.';
        for (int i = 1; i <= column.mantissaDecimals; ++i) text += digitAt(d.exponent - i);
        text += d.exponent < 0 ? "E-" : "E+";
        text += std::to_string(std::abs(d.exponent));
    } else {
        for (int position = std::max(d.exponent, 0); position >= -column.decimals; --position) {
            if (position == -1) text += '.';
            text += digitAt(position);
        }
    }
    const auto width = static_cast<std::size_t>(WidthOf(column));
    if (text.size() > width)
        throw DataError(E_FAIL, "The column " + column.name + " cannot hold the value " + Variant(value).ToText());
    return std::string(width - text.size(), ' ') + text;
}

std::string DbaseColumnName(const std::string& candidate, std::size_t maxBytes) {
    std::string name;
    for (std::size_t at = 0; at < candidate.size();) {
        std::size_t length = SequenceLength(static_cast<unsigned char>(candidate[at]));
        if (length == 0 || at + length > candidate.size()) length = 1;
        const bool kept = IsLetterOrDigit(candidate, at, length);
        const std::size_t bytes = kept ? length : 1;
        if (name.size() + bytes > std::min(maxBytes, kNameBytes)) break;
        name += kept ? candidate.substr(at, length) : std::string("_");
        at += length;
    }
    return name;
}

std::vector<std::string> DbaseFilesOf(const std::string& path) {
    std::string stem = path;
    if (stem.size() >= 4 && EqualsIgnoringCase(stem.substr(stem.size() - 4), ".dbf")) stem.resize(stem.size() - 4);
    return {stem + ".dbf", stem + ".cpg"};
}

struct DbaseWriter::Impl {
    std::vector<std::string> files;
    std::vector<DbaseColumn> columns;
    OwnFile table, codePage;
    std::string header;  // header and column descriptions
    std::string buffer;  // records not yet written
    std::size_t recordBytes = 1;
    std::uint32_t records = 0;
    bool kept = false;

    void Flush() {
        WriteAll(table.fd, buffer.data(), buffer.size(), table.path);
        buffer.clear();
    }
    void Field(const DbaseColumn& column, const Variant& value);
    void CheckReadBack() const;
};

void DbaseWriter::Impl::Field(const DbaseColumn& column, const Variant& value) {
    const auto width = static_cast<std::size_t>(WidthOf(column));
    if (value.IsNull() || value.IsEmpty()) {
        buffer.append(width, ' ');
        return;
    }
    std::string text;
    switch (column.type) {
    case fieldtype::Integer:
        text = value.IsInteger() ? std::to_string(value.AsInteger())
               : value.IsLongLong() ? std::to_string(value.AsLongLong())
                                    : std::to_string(std::llround(value.ToDouble()));
        text.insert(0, width > text.size() ? width - text.size() : 0, ' ');
        break;
    case fieldtype::String:
        text = value.ToText();
        text.append(width > text.size() ? width - text.size() : 0, ' ');
        break;
    case fieldtype::Date: {
        const DateParts p = PartsFromOleDate(value.ToDouble());
        char date[16];
        if (p.year >= 0 && p.year <= 9999) std::snprintf(date, sizeof date, "%04d%02d%02d", p.year, p.month, p.day);
        text = p.year >= 0 && p.year <= 9999 ? date : "";
        break;
    }
    default: text = NumberText(column, value.ToDouble()); break;
    }
    if (text.size() != width)
        throw DataError(E_FAIL, "The column " + column.name + " cannot hold the value " + value.ToText());
    buffer += text;
}

// The closed table as the disk holds it: its header as written and as long as its records need.
void DbaseWriter::Impl::CheckReadBack() const {
    const std::string& file = table.path;
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) throw DataError(E_FAIL, SystemError("Unable to read back", file));
    unsigned char read[kHeaderBytes];
    struct stat status {};
    const bool ok = ::fstat(fd, &status) == 0 && ::pread(fd, read, sizeof read, 0) == static_cast<ssize_t>(sizeof read);
    ::close(fd);
    const std::uint64_t expected = header.size() + records * static_cast<std::uint64_t>(recordBytes) + 1;
    if (!ok || static_cast<std::uint64_t>(status.st_size) != expected || GetLittleEndian(read + 4, 4) != records ||
        GetLittleEndian(read + 8, 2) != header.size() || GetLittleEndian(read + 10, 2) != recordBytes)
        throw DataError(E_FAIL, "The table " + file + " did not read back whole");
    char page[sizeof kCodePage] = {};
    const int cpg = ::open(codePage.path.c_str(), O_RDONLY | O_CLOEXEC);
    const ssize_t got = cpg < 0 ? -1 : ::read(cpg, page, sizeof page);
    if (cpg >= 0) ::close(cpg);
    if (got != static_cast<ssize_t>(sizeof kCodePage - 1) || std::strcmp(page, kCodePage) != 0)
        throw DataError(E_FAIL, "The table " + codePage.path + " did not read back whole");
}

DbaseWriter::DbaseWriter(const std::string& path, const std::vector<DbaseColumn>& columns)
    : impl_(std::make_unique<Impl>()) {
    impl_->files = DbaseFilesOf(path);
    impl_->columns = columns;
    const std::string& file = impl_->files[0];
    std::string& header = impl_->header;
    header.assign(kHeaderBytes + kFieldBytes * columns.size() + 1, '\0');
    for (std::size_t i = 0; i < columns.size(); ++i) {
        const DbaseColumn& column = columns[i];
        const int width = WidthOf(column);
        const int limit = column.type == fieldtype::String ? kMaxTextWidth : kMaxWidth;
        if (width > limit)
            throw DataError(E_FAIL, "The values of " + column.name + " need more than " + std::to_string(limit) +
                                        " characters");
        if (column.name.empty() || column.name.size() > kNameBytes)
            throw DataError(E_FAIL, "Not a dBASE column name: " + column.name);
        const std::size_t at = kHeaderBytes + kFieldBytes * i;
        header.replace(at, column.name.size(), column.name);
        header[at + 11] = column.type == fieldtype::String ? 'C' : column.type == fieldtype::Date ? 'D' : 'N';
        header[at + 16] = static_cast<char>(width);
        // At least one decimal, so that readers take the column as real numbers.
        if (column.type == fieldtype::Double)
            header[at + 17] = static_cast<char>(UsesExponentForm(column) ? column.mantissaDecimals : column.decimals);
        impl_->recordBytes += static_cast<std::size_t>(width);
    }
    if (impl_->recordBytes > 0xFFFF) throw DataError(E_FAIL, "The records of " + file + " would be too long");
    header[0] = 0x03;  // dBASE III, no memo
    const std::time_t now = std::time(nullptr);
    std::tm today{};
    localtime_r(&now, &today);
    header[1] = static_cast<char>(today.tm_year % 256);
    header[2] = static_cast<char>(today.tm_mon + 1);
    header[3] = static_cast<char>(today.tm_mday);
    PutLittleEndian(header, 8, header.size(), 2);
    PutLittleEndian(header, 10, impl_->recordBytes, 2);
    header.back() = 0x0D;

    impl_->table.path = file;
    impl_->codePage.path = impl_->files[1];
    try {
        impl_->table.Create();
        impl_->codePage.Create();
        WriteAll(impl_->codePage.fd, kCodePage, sizeof kCodePage - 1, impl_->codePage.path);
        WriteAll(impl_->table.fd, header.data(), header.size(), file);  // the count follows at Close
    } catch (...) {
        impl_->codePage.Remove();
        impl_->table.Remove();
        throw;
    }
}

DbaseWriter::~DbaseWriter() {
    if (impl_->kept) return;
    impl_->codePage.Remove();
    impl_->table.Remove();
}

const std::string& DbaseWriter::Path() const { return impl_->files[0]; }

void DbaseWriter::Write(const std::vector<Variant>& record) {
    if (impl_->table.fd < 0) throw DataError(E_FAIL, "The table " + impl_->files[0] + " is closed");
    if (impl_->records == 0xFFFFFFFFu) throw DataError(E_FAIL, "Too many records for " + impl_->files[0]);
    impl_->buffer += ' ';  // not deleted
    for (std::size_t i = 0; i < impl_->columns.size(); ++i) impl_->Field(impl_->columns[i], record.at(i));
    ++impl_->records;
    if (impl_->buffer.size() >= (1u << 16)) impl_->Flush();
}

void DbaseWriter::Close() {
    if (impl_->table.fd < 0) throw DataError(E_FAIL, "The table " + impl_->files[0] + " is closed");
    impl_->buffer += '\x1A';  // end of file
    impl_->Flush();
    PutLittleEndian(impl_->header, 4, impl_->records, 4);
    if (::pwrite(impl_->table.fd, impl_->header.data(), 8, 0) != 8)
        throw DataError(E_FAIL, SystemError("Unable to write", impl_->files[0]));
    impl_->table.Finish();
    impl_->codePage.Finish();
    impl_->CheckReadBack();
}

void DbaseWriter::Keep() { impl_->kept = true; }

}  // namespace platform
