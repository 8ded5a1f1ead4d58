#include "platform/com/ComError.h"

#include <gtest/gtest.h>

using platform::ComError;

TEST(RuntimeError, CarriesTheRuntimeTextForItsNumber) {
    ComError e = platform::RuntimeError(platform::vberr::SubscriptOutOfRange, "aml_func_mod");
    EXPECT_EQ(e.Number(), 9);
    EXPECT_EQ(e.Source(), "aml_func_mod");
    EXPECT_EQ(e.Description(), "Subscript out of range");
}
