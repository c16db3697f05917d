#include "core/vocabulary.h"

#include <gtest/gtest.h>

namespace orvane::core {
namespace {

TEST(Vocabulary, NormalizeAngleWrapsIntoOneTurn)
{
    EXPECT_EQ(NormalizeAngle(kTwoPi), 0.0);
    for (const auto& [angle, normal] : {std::pair(-0.1, kTwoPi - 0.1), {3 * kTwoPi + 1.0, 1.0}, {-2 * kTwoPi - 1.0, kTwoPi - 1.0}})
        EXPECT_DOUBLE_EQ(NormalizeAngle(angle), normal) << angle;
}

}  // namespace
}  // namespace orvane::core
