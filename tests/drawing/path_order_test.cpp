#include <gtest/gtest.h>

#include "drawing/path_order.h"

TEST(PathOrder, DocumentOrderKeepsEveryPath) {
    PathSet set;
    set.points = {{0, 0}, {10, 0}, {5, 5}, {6, 6}};
    set.starts = {0, 2};
    const auto steps = DocumentOrder(set);
    ASSERT_EQ(steps.size(), 2u);
    EXPECT_EQ(steps[1].path, 1u);
}
