#include "platform/data/DbaseWriter.h"

#include <locale.h>
#include <wctype.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <filesystem>

#include <cpl_error.h>
#include <gdal_priv.h>
#include <ogrsf_frmts.h>

#include "platform/com/Hresult.h"
#include "platform/data/Field.h"
#include "platform/data/GdalSupport.h"
#include "platform/data/TextCompare.h"

namespace platform {

namespace {

// dBASE keeps a column name in 10 bytes and a numeric field in 255 characters.
constexpr std::size_t kNameBytes = 10;
constexpr int kMaxWidth = 255;

// dBASE integers up to 9 characters wide fit 32 bits; wider ones need 64.
constexpr int kWidestInteger32 = 9;

OGRFieldType GdalTypeOf(const DbaseColumn& column) {
    switch (column.type) {
    case fieldtype::Integer: return column.width > kWidestInteger32 ? OFTInteger64 : OFTInteger;
    case fieldtype::String: return OFTString;
    case fieldtype::Date: return OFTDate;
    default: return OFTReal;
    }
}

int WidthOf(const DbaseColumn& column) {
    return column.type == fieldtype::Double ? column.integerDigits + 1 + column.decimals : column.width;
}

void SetValue(OGRFeature& feature, int index, int type, const Variant& value) {
    if (value.IsNull() || value.IsEmpty()) {
        feature.SetFieldNull(index);
        return;
    }
    switch (type) {
    case fieldtype::Integer:
        if (value.IsLongLong())
            feature.SetField(index, static_cast<GIntBig>(value.AsLongLong()));
        else
            feature.SetField(index, static_cast<int>(value.ToDouble()));
        break;
    case fieldtype::String: feature.SetField(index, value.ToText().c_str()); break;
    case fieldtype::Date: {
        const DateParts p = PartsFromOleDate(value.ToDouble());
        feature.SetField(index, p.year, p.month, p.day);
        break;
    }
    default: feature.SetField(index, value.ToDouble()); break;
    }
}

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

// Collects GDAL's failures and warnings while a table is written: a warning
// there means a value was not written as given.
class WriteProblems {
public:
    WriteProblems() { CPLPushErrorHandlerEx(&WriteProblems::Handler, this); }
    ~WriteProblems() { CPLPopErrorHandler(); }
    WriteProblems(const WriteProblems&) = delete;
    WriteProblems& operator=(const WriteProblems&) = delete;

    bool Any() const { return !message_.empty() || failed_; }
    ComError Error(const std::string& fallback) const {
        return DataError(E_FAIL, message_.empty() ? fallback : fallback + ": " + message_);
    }

private:
    static void CPL_STDCALL Handler(CPLErr errorClass, CPLErrorNum, const char* message) {
        auto* self = static_cast<WriteProblems*>(CPLGetErrorHandlerUserData());
        if (self == nullptr || errorClass < CE_Warning) return;
        self->failed_ = true;
        const std::string text = message ? message : "";
        if (!text.empty() && self->message_.find(text) == std::string::npos)
            self->message_ += (self->message_.empty() ? "" : "\n") + text;
    }
    bool failed_ = false;
    std::string message_;
};

}  // namespace

void FitNumber(DbaseColumn& column, double value) {
    if (!std::isfinite(value))
        throw DataError(E_FAIL, "The column " + column.name + " cannot hold the value " + Variant(value).ToText());
    // d.dddddddddddddde±x: the value rounded to 15 significant digits.
    char text[40];
    const auto end = std::to_chars(text, text + sizeof text, std::abs(value), std::chars_format::scientific, 14).ptr;
    const char* e = std::find(text, end, 'e');
    int exponent = 0;
    std::from_chars(e + (e[1] == '+' ? 2 : 1), end, exponent);
    int significant = 15;
    while (significant > 1 && e[-(15 - significant) - 1] == '0') --significant;
    column.decimals = std::max(column.decimals, significant - 1 - exponent);
    column.integerDigits = std::max(column.integerDigits, std::max(exponent + 1, 1) + (value < 0 ? 1 : 0));
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
    GDALDatasetUniquePtr dataset;
    OGRLayer* layer = nullptr;
    std::unique_ptr<OGRFeature> feature;
    bool complete = false;

    void RemoveFiles() {
        feature.reset();
        dataset.reset();
        std::error_code ec;
        for (const auto& file : files) std::filesystem::remove(file, ec);
    }
};

DbaseWriter::DbaseWriter(const std::string& path, const std::vector<DbaseColumn>& columns)
    : impl_(std::make_unique<Impl>()) {
    impl_->files = DbaseFilesOf(path);
    impl_->columns = columns;
    const std::string& file = impl_->files[0];
    for (const auto& column : columns) {
        if (WidthOf(column) > kMaxWidth)
            throw DataError(E_FAIL, "The values of " + column.name + " need more than " + std::to_string(kMaxWidth) +
                                        " characters");
    }
    EnsureGdalRegistered();
    WriteProblems problems;
    GDALDriver* driver = GetGDALDriverManager()->GetDriverByName("ESRI Shapefile");
    if (driver == nullptr) throw DataError(E_FAIL, "GDAL has no shapefile driver");
    try {
        impl_->dataset.reset(driver->Create(file.c_str(), 0, 0, 0, GDT_Unknown, nullptr));
        if (!impl_->dataset) throw problems.Error("Unable to create " + file);
        const std::string layerName = std::filesystem::path(file).stem().string();
        const char* options[] = {"ENCODING=UTF-8", nullptr};
        impl_->layer =
            impl_->dataset->CreateLayer(layerName.c_str(), nullptr, wkbNone, const_cast<char**>(options));
        if (impl_->layer == nullptr || problems.Any()) throw problems.Error("Unable to create " + file);
        for (const auto& column : columns) {
            OGRFieldDefn definition(column.name.c_str(), GdalTypeOf(column));
            definition.SetWidth(WidthOf(column));
            // At least one decimal, so that readers take the column as real numbers.
            if (column.type == fieldtype::Double) definition.SetPrecision(column.decimals);
            if (impl_->layer->CreateField(&definition, FALSE) != OGRERR_NONE || problems.Any())
                throw problems.Error("Unable to add the column " + column.name + " to " + file);
        }
        impl_->feature = std::make_unique<OGRFeature>(impl_->layer->GetLayerDefn());
    } catch (...) {
        impl_->RemoveFiles();
        throw;
    }
}

DbaseWriter::~DbaseWriter() {
    if (!impl_->complete) impl_->RemoveFiles();
}

const std::string& DbaseWriter::Path() const { return impl_->files[0]; }

void DbaseWriter::Write(const std::vector<Variant>& record) {
    WriteProblems problems;
    OGRFeature& feature = *impl_->feature;
    feature.SetFID(OGRNullFID);
    for (std::size_t i = 0; i < impl_->columns.size(); ++i)
        SetValue(feature, static_cast<int>(i), impl_->columns[i].type, record.at(i));
    if (impl_->layer->CreateFeature(&feature) != OGRERR_NONE || problems.Any())
        throw problems.Error("Unable to write to " + impl_->files[0]);
}

void DbaseWriter::Close() {
    WriteProblems problems;
    impl_->feature.reset();
    impl_->dataset.reset();  // closing writes the header and the record count
    if (problems.Any()) throw problems.Error("Unable to write " + impl_->files[0]);
    impl_->complete = true;
}

}  // namespace platform
