#include <gtest/gtest.h>

#include "platform/com/ComError.h"
#include "platform/forms/PictureRegistry.h"

namespace {

using platform::Bitmap;

Bitmap Solid(int width, int height, std::uint8_t grey) {
    return Bitmap{width, height, std::vector<std::uint8_t>(static_cast<std::size_t>(width * height * 3), grey), {}};
}

TEST(PictureRegistry, ARegisteredPictureIsFoundByItsExactName) {
    platform::RegisterPicture("registry-found", Solid(2, 3, 7));
    const auto picture = platform::FindPicture("registry-found");
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->Pixels().width, 2);
    EXPECT_EQ(picture->Pixels().rgb.front(), 7);
    EXPECT_EQ(platform::BitmapFromHandle(picture->Handle())->height, 3);
    for (const char* other : {"Registry-Found", "registry-found ", "", "registry"}) {
        EXPECT_EQ(platform::FindPicture(other), nullptr) << '"' << other << '"';
    }
}

TEST(PictureRegistry, RegisteringAgainReplacesThePictureButNotWhatHoldersHave) {
    platform::RegisterPicture("registry-again", Solid(1, 1, 1));
    const auto first = platform::FindPicture("registry-again");
    platform::RegisterPicture("registry-again", Solid(1, 1, 2));
    EXPECT_EQ(platform::FindPicture("registry-again")->Pixels().rgb.front(), 2);
    EXPECT_NE(platform::FindPicture("registry-again")->Handle(), first->Handle());
    EXPECT_EQ(first->Pixels().rgb.front(), 1);
}

TEST(PictureRegistry, AnEmptyNameOrMalformedPixelsAreRefused) {
    struct Case {
        const char* what;
        const char* name;
        Bitmap pixels;
    };
    Bitmap shortRgb = Solid(2, 2, 0);
    shortRgb.rgb.pop_back();
    Bitmap badAlpha = Solid(2, 2, 0);
    badAlpha.alpha = {255, 255, 255};
    const Case cases[] = {
        {"empty name", "", Solid(1, 1, 0)},
        {"no pixels", "registry-bad", Bitmap{}},
        {"negative size", "registry-bad", Bitmap{-1, 1, {0, 0, 0}, {}}},
        {"rgb too short", "registry-bad", shortRgb},
        {"alpha not one per pixel", "registry-bad", badAlpha},
    };
    for (const Case& c : cases) {
        try {
            platform::RegisterPicture(c.name, c.pixels);
            ADD_FAILURE() << c.what << " was accepted";
        } catch (const platform::ComError& error) {
            EXPECT_EQ(error.Number(), platform::vberr::InvalidCall) << c.what;
        }
    }
    EXPECT_EQ(platform::FindPicture("registry-bad"), nullptr);
}

}  // namespace

namespace {

// The registry may be asked before any picture exists; the pictures it then
// holds must still be destroyed cleanly when the process ends.
TEST(PictureRegistryDeathTest, AProcessThatLookedUpBeforeAnyPictureExistedEndsCleanly) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            (void)platform::FindPicture("registry-early");
            platform::RegisterPicture("registry-early", Solid(1, 1, 0));
            std::exit(0);
        },
        ::testing::ExitedWithCode(0), "");
}

}  // namespace
