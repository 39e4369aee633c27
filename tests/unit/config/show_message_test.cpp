#include "config/show_message.h"

#include <gtest/gtest.h>

#include "fakes/fake_platform.h"
#include "support/texts.h"

namespace dock {
namespace {

TEST(ShowMessage, ReturnsTheButtonIdMinusOne) {
    testing::FakeMessages messages;
    messages.answers = {6, 7};
    EXPECT_EQ(ShowMessage(messages, "q", 0x24, "c"), 5);
    EXPECT_EQ(ShowMessage(messages, "q", 0x24, "c"), 6);
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[0].text, "q");
    EXPECT_EQ(messages.shown[0].caption, "c");
    EXPECT_EQ(messages.shown[0].style, 0x24u);
}

TEST(ShowMessage, UsesTheInformationCaptionWhenNoneIsGiven) {
    testing::FakeMessages messages;
    EXPECT_EQ(ShowMessage(messages, "x", 0), 0);
    EXPECT_EQ(messages.shown.at(0).caption, "\xD0\xC5\xCF\xA2");  // 信息
}

}  // namespace
}  // namespace dock
