#include "platform/result.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace orvane::platform {
namespace {

// A result holds its value or its message, never both; a value that can only be moved is moved out.
TEST(Result, HoldsTheValueOrTheMessage)
{
    const Message failure = Message::Exclamation("Save", "The disk is full.");
    const Result<std::string> read("51 lines");
    const Result<std::string> failed(failure);
    EXPECT_TRUE(read.ok());
    EXPECT_EQ(read.value(), "51 lines");
    EXPECT_FALSE(failed.ok());
    EXPECT_EQ(failed.error(), failure);

    Result<std::unique_ptr<int>> owned(std::make_unique<int>(9));
    const std::unique_ptr<int> taken = std::move(owned).value();
    EXPECT_EQ(*taken, 9);

    EXPECT_TRUE(Result<void>().ok());
    EXPECT_FALSE(Result<void>(failure).ok());
    EXPECT_EQ(Result<void>(failure).error(), failure);
}

}  // namespace
}  // namespace orvane::platform
