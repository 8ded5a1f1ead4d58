#pragma once
#include <memory>
#include <string>
#include <vector>

#include "platform/map/HostObject.h"

namespace platform {

class Layer;

// An object of the host's catalog: a file, named by its full path.
class CatalogObject : public HostObject {
public:
    virtual std::string FullName() const = 0;
    // The last part of the full name.
    std::string Name() const;
};

// A file of the catalog (also a folder, as a dialog's final location).
class CatalogFile : public CatalogObject {
public:
    CatalogFile() = default;
    explicit CatalogFile(std::string path) : path_(std::move(path)) {}

    const std::string& Path() const { return path_; }
    virtual void Path(std::string path) { path_ = std::move(path); }
    std::string FullName() const override { return path_; }

private:
    std::string path_;
};

// A layer file of the catalog. Layer() reads the layer the file holds, once;
// setting Path again lets the next call read afresh. A file that does not
// exist raises ComError E_FAIL; a file that is not a readable layer file gives
// an invalid layer named after the file, as does a layer whose data are missing.
class CatalogLayer : public CatalogFile {
public:
    using CatalogFile::CatalogFile;

    void Path(std::string path) override;
    using CatalogFile::Path;
    std::shared_ptr<platform::Layer> Layer();

private:
    std::shared_ptr<platform::Layer> layer_;
};

// Picked catalog objects handed out one by one.
class EnumCatalogObject : public HostObject {
public:
    explicit EnumCatalogObject(std::vector<std::shared_ptr<CatalogObject>> objects) : objects_(std::move(objects)) {}
    void Reset() { next_ = 0; }
    // The next object, or null after the last.
    std::shared_ptr<CatalogObject> Next() { return next_ < objects_.size() ? objects_[next_++] : nullptr; }

private:
    std::vector<std::shared_ptr<CatalogObject>> objects_;
    std::size_t next_ = 0;
};

// Which files a catalog dialog offers.
class CatalogObjectFilter : public HostObject {
public:
    // As a file dialog names it, such as "Layer files (*.tlyr)".
    virtual std::string Description() const = 0;
    // The file-name endings admitted, lower case with the dot.
    virtual std::vector<std::string> Extensions() const = 0;
    // True for a path with one of the endings (in any letter case).
    bool CanDisplayObject(const std::string& path) const;
};

// Layer files (.tlyr).
class LayerFileFilter : public CatalogObjectFilter {
public:
    std::string Description() const override { return "Layer files (*.tlyr)"; }
    std::vector<std::string> Extensions() const override { return {".tlyr"}; }
};

// Text files (.txt).
class TextFileFilter : public CatalogObjectFilter {
public:
    std::string Description() const override { return "Text files (*.txt)"; }
    std::vector<std::string> Extensions() const override { return {".txt"}; }
};

// Tables a summary can be written to: dBASE tables (.dbf).
class OutputTableFilter : public CatalogObjectFilter {
public:
    std::string Description() const override { return "dBASE tables (*.dbf)"; }
    std::vector<std::string> Extensions() const override { return {".dbf"}; }
};

}  // namespace platform
