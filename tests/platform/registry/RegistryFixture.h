#pragma once
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>

#include "tests/support/ScopedEnv.h"

using testsupport::ScopedEnv;

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
    testsupport::ScopedEnv env_;
};
