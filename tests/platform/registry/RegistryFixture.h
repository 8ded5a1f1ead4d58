#pragma once
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>

// Sets an environment variable for one test and puts the old value back.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const std::optional<std::string>& value) : name_(name) {
        if (const char* old = std::getenv(name)) {
            old_ = old;
        }
        if (value) {
            setenv(name, value->c_str(), 1);
        } else {
            unsetenv(name);
        }
    }
    ~ScopedEnv() {
        if (old_) {
            setenv(name_, old_->c_str(), 1);
        } else {
            unsetenv(name_);
        }
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    const char* name_;
    std::optional<std::string> old_;
};

// Each test gets its own registry file in its own temporary folder.
class RegistryTest : public ::testing::Test {
protected:
    RegistryTest()
        : folder_(MakeFolder()), file_(folder_ / "registry.json"), env_("TESSALY_REGISTRY", file_.string()) {}
    ~RegistryTest() override { std::filesystem::remove_all(folder_); }

    const std::filesystem::path& Folder() const { return folder_; }
    const std::filesystem::path& File() const { return file_; }

    void WriteFile(const std::string& text) const {
        std::ofstream(file_, std::ios::binary) << text;
    }
    std::string ReadFile() const {
        std::ifstream in(file_, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }

private:
    static std::filesystem::path MakeFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "tessaly-registry-XXXXXX").string();
        return mkdtemp(pattern.data());
    }

    std::filesystem::path folder_;
    std::filesystem::path file_;
    ScopedEnv env_;
};
