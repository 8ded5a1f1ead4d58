#include "platform/com/ClassFactory.h"
#include "platform/com/ComObject.h"
#include "platform/com/ComPtr.h"
#include "platform/com/EntryGuard.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

using namespace platform;

namespace {

class IShape : public IUnknown {
public:
    static constexpr IID Iid = MakeGuid("{1F6A2C3B-5D7E-4A81-9B02-C4D5E6F70819}");
    virtual double Area() = 0;
};

class INamed : public IUnknown {
public:
    static constexpr IID Iid = MakeGuid("{2E7B3D4C-6E8F-4B92-8C13-D5E6F708192A}");
    virtual std::string Name() = 0;
};

class INeverImplemented : public IUnknown {
public:
    static constexpr IID Iid = MakeGuid("{3F8C4E5D-7F90-4CA3-9D24-E6F708192A3B}");
};

class Square final : public ComObject<IShape, INamed> {
public:
    double Area() override { return side_ * side_; }
    std::string Name() override { return "square"; }

private:
    friend class ClassFactory<Square>;
    explicit Square(int* destroyed = nullptr, double side = 2) : destroyed_(destroyed), side_(side) {}
    ~Square() override {
        if (destroyed_ != nullptr) ++*destroyed_;
    }

    int* destroyed_;
    double side_;
};

class Broken final : public ComObject<IShape> {
public:
    double Area() override { return 0; }

private:
    friend class ClassFactory<Broken>;
    Broken() { throw RuntimeError(vberr::FileNotFound); }
};

}  // namespace

TEST(ComObject, LastReleaseDestroysTheObject) {
    int destroyed = 0;
    IShape* raw = nullptr;
    {
        ComPtr<Square> square = ClassFactory<Square>::CreateObject(&destroyed);
        raw = square.Get();
        EXPECT_EQ(raw->AddRef(), 2u);
    }
    EXPECT_EQ(destroyed, 0);
    EXPECT_EQ(raw->Release(), 0u);
    EXPECT_EQ(destroyed, 1);
}

TEST(ComObject, AnswersForEveryListedInterfaceAndOnlyThose) {
    int destroyed = 0;
    ComPtr<Square> square = ClassFactory<Square>::CreateObject(&destroyed);

    ComPtr<IShape> shape = square.As<IShape>();
    ComPtr<INamed> named = square.As<INamed>();
    ASSERT_TRUE(shape);
    ASSERT_TRUE(named);
    EXPECT_DOUBLE_EQ(shape->Area(), 4.0);
    EXPECT_EQ(named->Name(), "square");
    EXPECT_TRUE(SameObject(shape, named));
    EXPECT_EQ(shape.As<IUnknown>().Get(), named.As<IUnknown>().Get());

    void* out = reinterpret_cast<void*>(1);
    EXPECT_EQ(square->QueryInterface(INeverImplemented::Iid, &out), E_NOINTERFACE);
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(square->QueryInterface(IShape::Iid, nullptr), E_POINTER);
    EXPECT_FALSE(square.As<INeverImplemented>());

    shape.Reset();
    named.Reset();
    square.Reset();
    EXPECT_EQ(destroyed, 1);
}

TEST(ComObject, DifferentObjectsAreNotTheSame) {
    ComPtr<Square> a = ClassFactory<Square>::CreateObject();
    ComPtr<Square> b = ClassFactory<Square>::CreateObject();
    EXPECT_FALSE(SameObject(a, b));
    EXPECT_TRUE(SameObject(a.As<INamed>(), a.As<IShape>()));
}

TEST(ComPtr, CopiesCountAndMovesDoNot) {
    int destroyed = 0;
    ComPtr<Square> first = ClassFactory<Square>::CreateObject(&destroyed);
    Square* raw = first.Get();
    ComPtr<Square> copy = first;
    EXPECT_EQ(raw->AddRef(), 3u);
    raw->Release();
    ComPtr<Square> moved = std::move(first);
    EXPECT_FALSE(first);
    EXPECT_EQ(raw->AddRef(), 3u);
    raw->Release();
    ComPtr<IShape> widened = moved;
    EXPECT_EQ(raw->AddRef(), 4u);
    raw->Release();
    copy = nullptr;
    moved.Reset();
    EXPECT_EQ(destroyed, 0);
    widened = ComPtr<IShape>();
    EXPECT_EQ(destroyed, 1);
}

TEST(ComPtr, PutVoidReleasesWhatItHeld) {
    int destroyed = 0;
    ComPtr<IShape> shape = ClassFactory<Square>::CreateObject(&destroyed);
    ComPtr<Square> other = ClassFactory<Square>::CreateObject();
    ASSERT_EQ(other->QueryInterface(IShape::Iid, shape.PutVoid()), S_OK);
    EXPECT_EQ(destroyed, 1);
    EXPECT_TRUE(SameObject(shape, other));
}

TEST(ClassFactory, CreatesThroughTheInterfaceAskedFor) {
    const long before = module::liveObjects.load();
    ComPtr<IClassFactory> factory = ClassFactory<Square>::Instance();
    ComPtr<INamed> named;
    ASSERT_EQ(factory->CreateInstance(nullptr, INamed::Iid, named.PutVoid()), S_OK);
    EXPECT_EQ(named->Name(), "square");
    EXPECT_EQ(module::liveObjects.load(), before + 2);  // the factory and the square
    named.Reset();
    factory.Reset();
    EXPECT_EQ(module::liveObjects.load(), before);
}

TEST(ClassFactory, RefusesAggregationAndUnknownInterfaces) {
    const long before = module::liveObjects.load();
    ComPtr<IClassFactory> factory = ClassFactory<Square>::Instance();
    ComPtr<Square> outer = ClassFactory<Square>::CreateObject();
    void* out = reinterpret_cast<void*>(1);
    EXPECT_EQ(factory->CreateInstance(outer.As<IUnknown>().Get(), IShape::Iid, &out), CLASS_E_NOAGGREGATION);
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(factory->CreateInstance(nullptr, INeverImplemented::Iid, &out), E_NOINTERFACE);
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(factory->CreateInstance(nullptr, IShape::Iid, nullptr), E_POINTER);
    outer.Reset();
    factory.Reset();
    // The object made for the refused interface did not outlive the call.
    EXPECT_EQ(module::liveObjects.load(), before);
}

TEST(ClassFactory, ConstructorFailureComesBackAsAFailureCode) {
    ComPtr<IClassFactory> factory = ClassFactory<Broken>::Instance();
    void* out = reinterpret_cast<void*>(1);
    EXPECT_EQ(factory->CreateInstance(nullptr, IShape::Iid, &out), E_FAIL);
    EXPECT_EQ(out, nullptr);
}

TEST(ClassFactory, LockKeepsTheModuleLoaded) {
    ASSERT_EQ(module::CanUnloadNow(), S_OK);
    ComPtr<IClassFactory> factory = ClassFactory<Square>::Instance();
    EXPECT_EQ(module::CanUnloadNow(), S_FALSE);
    factory->LockServer(true);
    factory.Reset();
    EXPECT_EQ(module::CanUnloadNow(), S_FALSE);
    ClassFactory<Square>::Instance()->LockServer(false);
    EXPECT_EQ(module::CanUnloadNow(), S_OK);
}

TEST(GuardedCall, TurnsExceptionsIntoFailureCodes) {
    struct Case {
        const char* name;
        std::function<HRESULT()> body;
        HRESULT expected;
    };
    const std::vector<Case> cases = {
        {"success passes", [] { return S_FALSE; }, S_FALSE},
        {"failure passes", [] { return E_NOINTERFACE; }, E_NOINTERFACE},
        {"host error", []() -> HRESULT { throw ComError(REGDB_E_CLASSNOTREG, "x", "y"); }, REGDB_E_CLASSNOTREG},
        {"runtime error", []() -> HRESULT { throw RuntimeError(vberr::SubscriptOutOfRange); }, E_FAIL},
        {"out of memory", []() -> HRESULT { throw std::bad_alloc(); }, E_OUTOFMEMORY},
        {"anything else", []() -> HRESULT { throw std::logic_error("x"); }, E_FAIL},
        {"not even an exception", []() -> HRESULT { throw 42; }, E_FAIL},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(GuardedCall(c.body), c.expected) << c.name;
    }
}
