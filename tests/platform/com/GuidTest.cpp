#include "platform/com/Guid.h"

#include <gtest/gtest.h>

#include <string>
#include <unordered_set>
#include <vector>

using platform::GUID;
using platform::ParseGuid;

static_assert(platform::MakeGuid("{8E52B9A5-307B-11D2-94C9-080009EEBECB}").Data1 == 0x8E52B9A5u);
static_assert(platform::MakeGuid("{00000000-0000-0000-0000-000000000000}") == platform::GUID_NULL);

TEST(Guid, ReadsAndWritesTheRegistryForm) {
    struct Case {
        std::string text;
        std::string written;
    };
    const std::vector<Case> cases = {
        {"{8E52B9A5-307B-11D2-94C9-080009EEBECB}", "{8E52B9A5-307B-11D2-94C9-080009EEBECB}"},
        {"{36b06538-4437-11d1-b970-080009ee4e51}", "{36B06538-4437-11D1-B970-080009EE4E51}"},
        {"{00000000-0000-0000-0000-000000000000}", "{00000000-0000-0000-0000-000000000000}"},
        {"{FFFFFFFF-FFFF-FFFF-FFFF-FFFFFFFFFFFF}", "{FFFFFFFF-FFFF-FFFF-FFFF-FFFFFFFFFFFF}"},
    };
    for (const auto& c : cases) {
        const auto guid = ParseGuid(c.text);
        ASSERT_TRUE(guid) << c.text;
        EXPECT_EQ(platform::ToString(*guid), c.written);
        EXPECT_EQ(ParseGuid(platform::ToString(*guid)), guid);
    }
}

TEST(Guid, KeepsTheHostFieldLayout) {
    const GUID guid = *ParseGuid("{8E52B9A5-307B-11D2-94C9-080009EEBECB}");
    EXPECT_EQ(guid.Data1, 0x8E52B9A5u);
    EXPECT_EQ(guid.Data2, 0x307Bu);
    EXPECT_EQ(guid.Data3, 0x11D2u);
    const std::array<std::uint8_t, 8> tail = {0x94, 0xC9, 0x08, 0x00, 0x09, 0xEE, 0xBE, 0xCB};
    EXPECT_EQ(guid.Data4, tail);
}

TEST(Guid, RefusesMalformedText) {
    const std::vector<std::string> bad = {
        "",
        "8E52B9A5-307B-11D2-94C9-080009EEBECB",
        "{8E52B9A5-307B-11D2-94C9-080009EEBECB",
        "{8E52B9A5-307B-11D2-94C9-080009EEBECB}x",
        " {8E52B9A5-307B-11D2-94C9-080009EEBECB}",
        "{8E52B9A5307B-11D2-94C9-080009EEBECB0}",
        "{8E52B9A5-307B-11D2-94C9080009EEBECB-}",
        "{8E52B9AG-307B-11D2-94C9-080009EEBECB}",
        "{8E52B9A5-307B-11D2-94C9-080009EEBECZ}",
        "{+E52B9A5-307B-11D2-94C9-080009EEBECB}",
        "(8E52B9A5-307B-11D2-94C9-080009EEBECB)",
        "TessalyOpenTable.OpenTable",
    };
    for (const auto& text : bad) {
        EXPECT_FALSE(ParseGuid(text)) << text;
    }
}

TEST(Guid, EqualGuidsCompareAndHashAlike) {
    const GUID upper = *ParseGuid("{40A9E885-5533-11D0-98BE-00805F7CED21}");
    const GUID lower = *ParseGuid("{40a9e885-5533-11d0-98be-00805f7ced21}");
    const GUID other = *ParseGuid("{40A9E885-5533-11D0-98BE-00805F7CED22}");
    EXPECT_EQ(upper, lower);
    EXPECT_NE(upper, other);
    EXPECT_LT(upper, other);
    std::unordered_set<GUID> set = {upper, lower, other};
    EXPECT_EQ(set.size(), 2u);
    EXPECT_EQ(set.count(lower), 1u);
}
