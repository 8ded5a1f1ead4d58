#pragma once
// Temporary folders and registry files, and reading a command's members, for the
// tests of the in-process server and its commands.
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "platform/com/ComPtr.h"
#include "platform/com/Hresult.h"
#include "platform/com/IClassFactory.h"
#include "platform/com/InprocServer.h"
#include "src/core/ClassInfo.h"

namespace servertest {

// A fresh folder under the temporary folder, removed with everything in it.
class TempFolder {
public:
    TempFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "tessaly-server-XXXXXX").string();
        path_ = mkdtemp(pattern.data());
    }
    ~TempFolder() { std::filesystem::remove_all(path_); }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
};

// Points the registry at a file of this folder for the object's life.
class ScopedRegistry {
public:
    explicit ScopedRegistry(const std::filesystem::path& file) {
        if (const char* old = std::getenv("TESSALY_REGISTRY")) old_ = old;
        setenv("TESSALY_REGISTRY", file.c_str(), 1);
    }
    ~ScopedRegistry() {
        if (old_) {
            setenv("TESSALY_REGISTRY", old_->c_str(), 1);
        } else {
            unsetenv("TESSALY_REGISTRY");
        }
    }
    ScopedRegistry(const ScopedRegistry&) = delete;
    ScopedRegistry& operator=(const ScopedRegistry&) = delete;

private:
    std::optional<std::string> old_;
};

// One member's answer, read through its out parameter; the call must succeed.
template <class T, class Object, class Interface>
T Read(Object& object, platform::HRESULT (Interface::*member)(T*) noexcept) {
    T value{};
    EXPECT_EQ((object.*member)(&value), platform::S_OK);
    return value;
}

// A new object of one of the library's classes, made by the library's own class
// factory. Tests never construct the classes themselves: an object built in the
// test program would count in the wrong module's live objects.
template <class Interface>
platform::ComPtr<Interface> Create(const tessaly::ClassInfo& info) {
    platform::ComPtr<platform::IClassFactory> factory;
    EXPECT_EQ(DllGetClassObject(info.clsid, platform::IClassFactory::Iid, factory.PutVoid()), platform::S_OK);
    platform::ComPtr<Interface> object;
    if (factory) {
        EXPECT_EQ(factory->CreateInstance(nullptr, Interface::Iid, object.PutVoid()), platform::S_OK);
    }
    return object;
}

}  // namespace servertest
