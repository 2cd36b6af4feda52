#include <gtest/gtest.h>
#include <kit/OwnedView.h>

#include <algorithm>

namespace {

TEST(OwnedView, ShowsTheOwnedObjectsInOrderAndFollowsTheArray) {
    kit::OwnedView<int>::Owned owned;
    kit::OwnedView<int> view(owned);
    EXPECT_TRUE(view.empty());
    EXPECT_EQ(view.begin(), view.end());

    for (int value : {3, 1, 2}) {
        owned.push_back(std::make_unique<int>(value));
    }
    ASSERT_EQ(view.size(), 3u);
    EXPECT_EQ(view.front(), owned[0].get());
    EXPECT_EQ(view.back(), owned[2].get());
    EXPECT_EQ(view[1], owned[1].get());
    kit::Array<int> seen;
    for (int* value : view) {
        seen.push_back(*value);
    }
    EXPECT_EQ(seen, (kit::Array<int>{3, 1, 2}));
    EXPECT_EQ(std::find(view.begin(), view.end(), owned[2].get()), std::next(view.begin(), 2));
    EXPECT_EQ(std::count(view.begin(), view.end(), nullptr), 0);

    kit::Array<int*> copy = view.toArray();
    owned.erase(owned.begin());
    EXPECT_EQ(view.size(), 2u) << "the view follows the array";
    EXPECT_EQ(copy.size(), 3u) << "a copy does not";
    EXPECT_EQ(*view.front(), 1);
}

}  // namespace
