#include "platform/com/ServerLoader.h"
#include "platform/com/server/Accumulator.h"
#include "platform/registry/Registry.h"

#include <gtest/gtest.h>

#include <dlfcn.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

using namespace platform;
namespace fs = std::filesystem;

namespace {

const std::string kServerPath = std::string(TESSALY_BIN_DIR) + "/" + kTestServerLibrary;

// Every test registers into a registry file of its own.
class InprocServerTest : public ::testing::Test {
protected:
    InprocServerTest() {
        std::string pattern = (fs::temp_directory_path() / "tessaly-com-XXXXXX").string();
        folder_ = mkdtemp(pattern.data());
        if (const char* old = std::getenv("TESSALY_REGISTRY")) {
            oldRegistry_ = old;
        }
        setenv("TESSALY_REGISTRY", (folder_ / "registry.json").c_str(), 1);
    }
    ~InprocServerTest() override {
        if (oldRegistry_) {
            setenv("TESSALY_REGISTRY", oldRegistry_->c_str(), 1);
        } else {
            unsetenv("TESSALY_REGISTRY");
        }
        fs::remove_all(folder_);
    }

    const fs::path& Folder() const { return folder_; }

    static std::string DefaultText(const std::string& subKey) {
        HKEY key = nullptr;
        if (RegOpenKeyEx(HKEY_CLASSES_ROOT, subKey, KEY_READ, &key) != ERROR_SUCCESS) {
            return "<missing>";
        }
        char buffer[4096] = {};
        std::uint32_t size = sizeof buffer;
        const long status = RegQueryValueEx(key, "", nullptr, buffer, &size);
        RegCloseKey(key);
        return status == ERROR_SUCCESS ? std::string(buffer) : "<missing>";
    }

    static void SetDefaultText(const std::string& subKey, const std::string& text) {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyEx(HKEY_CLASSES_ROOT, subKey, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
        ASSERT_EQ(RegSetValueEx(key, "", REG_SZ, text.c_str(), static_cast<std::uint32_t>(text.size() + 1)),
                  ERROR_SUCCESS);
        RegCloseKey(key);
    }

    // The server's own DllCanUnloadNow, from the copy the loader keeps loaded.
    static HRESULT ServerCanUnloadNow() {
        void* library = dlopen(fs::canonical(kServerPath).c_str(), RTLD_NOW | RTLD_NOLOAD);
        EXPECT_NE(library, nullptr);
        auto entry = reinterpret_cast<HRESULT (*)()>(dlsym(library, "DllCanUnloadNow"));
        const HRESULT result = entry();
        dlclose(library);
        return result;
    }

private:
    fs::path folder_;
    std::optional<std::string> oldRegistry_;
};

}  // namespace

TEST_F(InprocServerTest, RegistrationEntersProgIdClsidAndLibraryPath) {
    ASSERT_EQ(RegisterServer(kServerPath), S_OK);
    const std::string clsid = ToString(kAccumulatorClsid);
    EXPECT_EQ(DefaultText(std::string(kAccumulatorProgId) + "\\CLSID"), clsid);
    EXPECT_EQ(DefaultText("CLSID\\" + clsid + "\\InprocServer32"), fs::canonical(kServerPath).string());
    EXPECT_EQ(DefaultText("CLSID\\" + clsid + "\\ProgID"), kAccumulatorProgId);
}

TEST_F(InprocServerTest, RegistrationThroughALinkRecordsTheRealLibrary) {
    const fs::path link = Folder() / "server-link.so";
    fs::create_symlink(fs::canonical(kServerPath), link);
    ASSERT_EQ(RegisterServer(link.string()), S_OK);
    EXPECT_EQ(DefaultText("CLSID\\" + ToString(kAccumulatorClsid) + "\\InprocServer32"),
              fs::canonical(kServerPath).string());
}

TEST_F(InprocServerTest, CreatesARegisteredClassByProgId) {
    ASSERT_EQ(RegisterServer(kServerPath), S_OK);
    ComPtr<IAccumulator> accumulator;
    ASSERT_EQ(CreateInstanceByProgID(kAccumulatorProgId, IAccumulator::Iid, accumulator.PutVoid()), S_OK);
    accumulator->Add(40);
    accumulator->Add(2);
    EXPECT_EQ(accumulator->Total(), 42);

    // A second object is a fresh one from the same, already loaded library.
    ComPtr<IAccumulator> second = CreateInstanceByProgID<IAccumulator>(kAccumulatorProgId);
    EXPECT_EQ(second->Total(), 0);
    EXPECT_FALSE(SameObject(accumulator, second));
    ComPtr<IAccumulator> byClsid = CreateInstance<IAccumulator>(kAccumulatorClsid);
    EXPECT_EQ(byClsid->Total(), 0);
}

TEST_F(InprocServerTest, ServerMayUnloadOnlyWhenItsObjectsAreGone) {
    ASSERT_EQ(RegisterServer(kServerPath), S_OK);
    ComPtr<IAccumulator> accumulator = CreateInstanceByProgID<IAccumulator>(kAccumulatorProgId);
    EXPECT_EQ(ServerCanUnloadNow(), S_FALSE);
    accumulator.Reset();
    EXPECT_EQ(ServerCanUnloadNow(), S_OK);

    ComPtr<IClassFactory> factory;
    ASSERT_EQ(GetClassObject(kAccumulatorClsid, IClassFactory::Iid, factory.PutVoid()), S_OK);
    factory->LockServer(true);
    factory.Reset();
    EXPECT_EQ(ServerCanUnloadNow(), S_FALSE);
    ASSERT_EQ(GetClassObject(kAccumulatorClsid, IClassFactory::Iid, factory.PutVoid()), S_OK);
    factory->LockServer(false);
    factory.Reset();
    EXPECT_EQ(ServerCanUnloadNow(), S_OK);
}

TEST_F(InprocServerTest, UnregisteredClassIsNoLongerCreated) {
    ASSERT_EQ(RegisterServer(kServerPath), S_OK);
    ASSERT_TRUE(CreateInstanceByProgID<IAccumulator>(kAccumulatorProgId));
    ASSERT_EQ(UnregisterServer(kServerPath), S_OK);

    void* out = reinterpret_cast<void*>(1);
    EXPECT_EQ(CreateInstanceByProgID(kAccumulatorProgId, IAccumulator::Iid, &out), REGDB_E_CLASSNOTREG);
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(CreateInstanceByCLSID(kAccumulatorClsid, IAccumulator::Iid, &out), REGDB_E_CLASSNOTREG);
    EXPECT_EQ(DefaultText(kAccumulatorProgId), "<missing>");
    EXPECT_EQ(DefaultText("CLSID\\" + ToString(kAccumulatorClsid)), "<missing>");
    // Unregistering what is not registered is no failure.
    EXPECT_EQ(UnregisterServer(kServerPath), S_OK);
}

TEST_F(InprocServerTest, FailedCreationThrowsWithTheHostText) {
    try {
        CreateInstanceByProgID<IAccumulator>("TessalyTest.Nothing");
        FAIL() << "no error";
    } catch (const ComError& error) {
        EXPECT_EQ(error.Number(), REGDB_E_CLASSNOTREG);
        EXPECT_EQ(error.Source(), "TessalyTest.Nothing");
        EXPECT_EQ(error.Description(), "Class not registered");
    }
}

TEST_F(InprocServerTest, BrokenRegistrationsGiveTheirOwnFailures) {
    const std::string clsid = ToString(kAccumulatorClsid);
    const std::string notALibrary = (Folder() / "notes.txt").string();
    std::ofstream(notALibrary) << "not a library";
    // A library that loads but is no server: the registry library itself.
    const std::string noEntryPoint = std::string(TESSALY_BIN_DIR) + "/libtessaly_platform_registry.so";
    const CLSID unknownToServer = MakeGuid("{B4D6F80A-2C3E-4071-9F5B-7DAC1E2F3048}");

    struct Case {
        const char* name;
        std::string progIdClsid;
        std::string library;
        HRESULT expected;
    };
    const std::vector<Case> cases = {
        {"ProgID without CLSID text", "not a guid", kServerPath, REGDB_E_CLASSNOTREG},
        {"no library path", clsid, "", REGDB_E_CLASSNOTREG},
        {"library missing", clsid, (Folder() / "gone.so").string(), CO_E_DLLNOTFOUND},
        {"not a library", clsid, notALibrary, CO_E_ERRORINDLL},
        {"no entry point", clsid, noEntryPoint, CO_E_ERRORINDLL},
        {"class not in library", ToString(unknownToServer), kServerPath, CLASS_E_CLASSNOTAVAILABLE},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(RegDeleteTree(HKEY_CLASSES_ROOT, ""), ERROR_SUCCESS);
        SetDefaultText("TessalyTest.Broken\\CLSID", c.progIdClsid);
        if (const auto guid = ParseGuid(c.progIdClsid)) {
            SetDefaultText("CLSID\\" + ToString(*guid) + "\\InprocServer32", c.library);
        }
        void* out = reinterpret_cast<void*>(1);
        EXPECT_EQ(CreateInstanceByProgID("TessalyTest.Broken", IAccumulator::Iid, &out), c.expected) << c.name;
        EXPECT_EQ(out, nullptr) << c.name;
    }
}

TEST_F(InprocServerTest, InterfaceTheClassLacksIsRefused) {
    ASSERT_EQ(RegisterServer(kServerPath), S_OK);
    const IID lacking = MakeGuid("{C5E7091B-3D4F-4182-A06C-8EBD2F304159}");
    void* out = reinterpret_cast<void*>(1);
    EXPECT_EQ(CreateInstanceByProgID(kAccumulatorProgId, lacking, &out), E_NOINTERFACE);
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(ServerCanUnloadNow(), S_OK);
}

TEST_F(InprocServerTest, SelfRegistrationFailures) {
    EXPECT_EQ(RegisterServer((Folder() / "gone.so").string()), CO_E_DLLNOTFOUND);
    EXPECT_EQ(RegisterServer(std::string(TESSALY_BIN_DIR) + "/libtessaly_platform_registry.so"), CO_E_ERRORINDLL);

    // A registry whose class root may not be written.
    std::ofstream(Folder() / "registry.json") << R"({"HKEY_CLASSES_ROOT": {"writable": false}})";
    EXPECT_EQ(RegisterServer(kServerPath), SELFREG_E_CLASS);
    void* out = nullptr;
    EXPECT_EQ(CreateInstanceByProgID(kAccumulatorProgId, IAccumulator::Iid, &out), REGDB_E_CLASSNOTREG);
}
