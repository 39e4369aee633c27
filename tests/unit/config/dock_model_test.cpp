#include "config/dock_model.h"

#include <gtest/gtest.h>

namespace dock {
namespace {

DockItem itemTitled(const std::string& title) {
    DockItem item;
    item.title = title;
    return item;
}

TEST(DockItemList, InsertsAtThePositionAndMovesLaterItemsUp) {
    DockItemList list;
    list.Insert(1, itemTitled("b"), 1);
    list.Insert(1, itemTitled("a"), 2);
    list.Insert(3, itemTitled("c"), 3);
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(list[1].item.title, "a");
    EXPECT_EQ(list[2].item.title, "b");
    EXPECT_EQ(list[3].item.title, "c");
    EXPECT_EQ(list[1].imageSlot, 2);
    EXPECT_EQ(list[2].imageSlot, 1);
}

TEST(DockItemList, InsertResetsEveryLiftAndStartsWithZeroRectangles) {
    DockItemList list;
    list.Insert(1, itemTitled("a"), 1);
    list[1].lift = 12.5f;
    list[1].currentRect = {1, 2, 3, 4};
    list.Insert(2, itemTitled("b"), 2);
    EXPECT_EQ(list[1].lift, 0.0f);
    EXPECT_EQ(list[1].currentRect, (RectF{1, 2, 3, 4}));
    EXPECT_EQ(list[2].currentRect, RectF{});
}

TEST(DockItemList, RemoveTakesTheItemWithAllItsEntries) {
    DockItemList list;
    for (int i = 1; i <= 3; ++i) list.Insert(i, itemTitled(std::string(1, char('a' + i - 1))), i);
    list[2].baseRect = {5, 6, 7, 8};
    DockEntry removed = list.Remove(2);
    EXPECT_EQ(removed.item.title, "b");
    EXPECT_EQ(removed.imageSlot, 2);
    EXPECT_EQ(removed.baseRect, (RectF{5, 6, 7, 8}));
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list[2].item.title, "c");
    EXPECT_FALSE(list.Contains(3));
    EXPECT_FALSE(list.Contains(0));
}

TEST(DockItemListDeathTest, AnIndexOutsideTheListIsAnInternalError) {
    DockItemList list;
    EXPECT_DEATH(list[1], "program internal error number is 1");
    EXPECT_DEATH(list.Insert(2, DockItem{}, 1), "program internal error number is 2");
}

}  // namespace
}  // namespace dock
