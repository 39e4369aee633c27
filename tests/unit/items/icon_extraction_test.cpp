#include "items/icon_extraction.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "fakes/fake_platform.h"

namespace dock {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

struct Entry {
    std::uint8_t width, height;
    std::uint16_t bits, id;
    std::uint8_t colors = 0;
};

void putWord(Bytes& out, std::uint16_t v) {
    out.push_back(std::uint8_t(v));
    out.push_back(std::uint8_t(v >> 8));
}

// A GRPICONDIR as a resource compiler writes it; dwBytesInRes holds a wrong
// size on purpose, since the real image length must replace it.
Bytes group(const std::vector<Entry>& entries, std::uint16_t count) {
    Bytes out;
    putWord(out, 0);
    putWord(out, 1);
    putWord(out, count);
    for (const Entry& e : entries) {
        out.insert(out.end(), {e.width, e.height, e.colors, 0});
        putWord(out, 1);
        putWord(out, e.bits);
        out.insert(out.end(), {0x99, 0x99, 0, 0});
        putWord(out, e.id);
    }
    return out;
}
Bytes group(const std::vector<Entry>& entries) {
    return group(entries, std::uint16_t(entries.size()));
}

// Each image is four bytes naming its id, so the chosen one is recognisable.
IconResources module(std::vector<Bytes> groups, std::vector<int> imageIds) {
    IconResources r;
    r.iconGroups = std::move(groups);
    for (int id : imageIds) {
        r.iconImages.push_back({std::uint8_t('I'), std::uint8_t('M'), std::uint8_t(id), 0xEE});
        r.iconIds.push_back(id);
    }
    return r;
}

const std::vector<Entry> kTypicalSizes = {
    {16, 16, 32, 1}, {32, 32, 32, 2}, {48, 48, 32, 3}, {0, 0, 32, 4}};

TEST(ChooseIconEntry, TakesTheLargestEntryThatGrowsInEveryField) {
    EXPECT_EQ(chooseIconEntry(group(kTypicalSizes)), (IconChoice{3, 3}));
}

TEST(ChooseIconEntry, ChoosesTheLaterOfTwoEqualEntries) {
    EXPECT_EQ(chooseIconEntry(group({{32, 32, 32, 7}, {32, 32, 32, 9}})), (IconChoice{2, 9}));
}

TEST(ChooseIconEntry, SkipsALaterEntryThatHasMoreBitsButIsSmaller) {
    EXPECT_EQ(chooseIconEntry(group({{48, 48, 4, 1}, {32, 32, 32, 2}})), (IconChoice{1, 1}));
}

TEST(ChooseIconEntry, SkipsALaterEntryThatIsLargerButHasFewerBits) {
    EXPECT_EQ(chooseIconEntry(group({{32, 32, 32, 1}, {48, 48, 8, 2}})), (IconChoice{1, 1}));
}

TEST(ChooseIconEntry, SkipsAnEntryThatIsWiderButNotTaller) {
    EXPECT_EQ(chooseIconEntry(group({{32, 32, 32, 1}, {48, 16, 32, 2}})), (IconChoice{1, 1}));
}

TEST(ChooseIconEntry, TakesALonely256PixelEntryDespiteItsZeroWidthByte) {
    EXPECT_EQ(chooseIconEntry(group({{0, 0, 32, 5}})), (IconChoice{1, 5}));
}

TEST(ChooseIconEntry, HasNoChoiceForAnEmptyOrNegativeCount) {
    EXPECT_EQ(chooseIconEntry(group({}, 0)), (IconChoice{0, 0}));
    EXPECT_EQ(chooseIconEntry(group({{16, 16, 32, 1}}, 0xFFFF)), (IconChoice{0, 0}));
    EXPECT_EQ(chooseIconEntry(Bytes{}), (IconChoice{0, 0}));
}

TEST(ChooseIconEntry, ReadsZerosPastTheEndOfAShortGroup) {
    // Three entries announced, one present: the zero entries do not beat it.
    EXPECT_EQ(chooseIconEntry(group({{16, 16, 32, 1}}, 3)), (IconChoice{1, 1}));
    // An entry cut after its bit count keeps its sizes but reads id 0.
    Bytes cut = group({{16, 16, 8, 1}, {16, 16, 8, 2}});
    cut.resize(cut.size() - 6);
    EXPECT_EQ(chooseIconEntry(cut), (IconChoice{2, 0}));
    // Announced entries that are all zero win over each other, the last one last.
    EXPECT_EQ(chooseIconEntry(group({{0, 0, 0, 3}}, 0x7FFF)), (IconChoice{0x7FFF, 0}));
}

// 高清图标: the entry that fits a picture drawn `size` pixels wide.
TEST(ChooseIconEntry, ForADrawnSizeTakesTheNarrowestEntryWideEnoughWithTheMostBits) {
    struct Case {
        const char* what;
        std::vector<Entry> entries;
        std::int32_t size;
        IconChoice chosen;
    };
    const Case cases[] = {
        {"only 256 (width byte 0) is wide enough", kTypicalSizes, 62, {4, 4}},
        {"the narrowest wide enough",
         {{0, 0, 32, 1}, {128, 128, 32, 2}, {64, 64, 32, 3}},
         62,
         {3, 3}},
        {"an exact fit", {{48, 48, 32, 1}, {62, 62, 32, 2}, {64, 64, 32, 3}}, 62, {2, 2}},
        {"of that width the most bits, wherever they stand",
         {{64, 64, 32, 1}, {64, 64, 8, 2}, {0, 0, 32, 3}},
         62,
         {1, 1}},
        {"fewer bits do not make a wider entry lose", {{0, 0, 32, 1}, {64, 64, 4, 2}}, 62, {2, 2}},
        {"the later of two equal entries", {{64, 64, 32, 7}, {64, 64, 32, 9}}, 62, {2, 9}},
        {"none wide enough: the widest with the most bits",
         {{16, 16, 32, 1}, {48, 48, 8, 2}, {48, 48, 32, 3}, {32, 32, 32, 4}},
         62,
         {3, 3}},
        {"none wide enough: the widest even with fewer bits",
         {{32, 32, 32, 1}, {48, 48, 4, 2}},
         62,
         {2, 2}},
        {"a larger drawn size",
         {{48, 48, 32, 1}, {64, 64, 32, 2}, {96, 96, 32, 3}, {0, 0, 32, 4}},
         93,
         {3, 3}},
        {"wider than any: 256 is the widest",
         {{48, 48, 32, 1}, {0, 0, 32, 2}, {64, 64, 32, 3}},
         300,
         {2, 2}},
        {"the width counts, not the height", {{64, 16, 32, 1}, {0, 0, 32, 2}}, 62, {1, 1}},
        {"a group without entries", {}, 62, {0, 0}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(chooseIconEntry(group(c.entries), c.size), c.chosen) << c.what;
}

TEST(ChooseIconEntry, ForADrawnSizeReadsZerosPastTheEndAs256PixelEntries) {
    EXPECT_EQ(chooseIconEntry(group({{48, 48, 32, 1}}, 3), 62), (IconChoice{3, 0}));
    EXPECT_EQ(chooseIconEntry(group({{64, 64, 32, 1}}, 0x7FFF), 62), (IconChoice{1, 1}));
    EXPECT_EQ(chooseIconEntry(group({{16, 16, 32, 1}}, 0xFFFF), 62), (IconChoice{0, 0}));
}

TEST(AssembleIcon, WritesTheHeaderTheChosenEntryAndItsImage) {
    const Bytes ico = assembleIcon(module({group(kTypicalSizes)}, {1, 2, 3, 4}));
    EXPECT_THAT(ico, ElementsAreArray<std::uint8_t>(
                         {0,   0,   1, 0,   1, 0,         // reserved, type from the group; count 1
                          48,  48,  0, 0,   1, 0, 32, 0,  // the 48 x 48 entry's first eight bytes
                          4,   0,   0, 0,                 // the real image length
                          22,  0,   0, 0,                 // the image follows the header
                          'I', 'M', 3, 0xEE}));
}

TEST(AssembleIcon, CopiesTheGroupHeaderBytesAndTheEntryColourCount) {
    Bytes g = group({{32, 32, 4, 2, 16}});
    g[0] = 0xAB;
    g[3] = 0xCD;
    const Bytes ico = assembleIcon(module({g}, {2}));
    ASSERT_EQ(ico.size(), 26u);
    EXPECT_THAT(Bytes(ico.begin(), ico.begin() + 14),
                ElementsAre(0xAB, 0, 1, 0xCD, 1, 0, 32, 32, 16, 0, 1, 0, 4, 0));
}

TEST(AssembleIcon, UsesTheFirstImageWithTheChosenId) {
    IconResources r = module({group({{16, 16, 32, 2}})}, {1, 2});
    r.iconImages.push_back({'L', 'A', 'T', 'E', 'R'});
    r.iconIds.push_back(2);
    const Bytes ico = assembleIcon(r);
    EXPECT_THAT(Bytes(ico.begin() + 14, ico.end()),
                ElementsAre(4, 0, 0, 0, 22, 0, 0, 0, 'I', 'M', 2, 0xEE));
}

TEST(AssembleIcon, ConsidersOnlyTheFirstGroup) {
    const Bytes ico =
        assembleIcon(module({group({{16, 16, 32, 1}}), group({{48, 48, 32, 2}})}, {1, 2}));
    ASSERT_EQ(ico.size(), 26u);
    EXPECT_EQ(ico[6], 16);
    EXPECT_EQ(ico[24], 1);
}

TEST(AssembleIcon, GivesTheBareHeaderWhenTheChosenIdHasNoImage) {
    EXPECT_THAT(assembleIcon(module({group({{32, 32, 32, 77}})}, {1, 2})),
                ElementsAre(0, 0, 1, 0, 1, 0));
    EXPECT_THAT(assembleIcon(module({group({}, 0)}, {1})), ElementsAre(0, 0, 1, 0, 1, 0));
}

TEST(AssembleIcon, ReadsAHeaderCutShortAsZeros) {
    EXPECT_THAT(assembleIcon(module({Bytes{0x00, 0x00, 0x01}}, {1})),
                ElementsAre(0, 0, 1, 0, 1, 0));
}

TEST(AssembleIcon, GivesNothingWithoutAGroup) {
    EXPECT_TRUE(assembleIcon(module({}, {1, 2})).empty());
}

TEST(AssembleIcon, PadsAnEntryCutShortWithZeros) {
    Bytes g = group({{16, 16, 0, 1}, {24, 24, 8, 0}});
    g.resize(g.size() - 10);  // entry 2 keeps width, height, colours and reserved only
    const Bytes ico = assembleIcon(module({g}, {0, 1}));
    ASSERT_EQ(ico.size(), 26u);
    EXPECT_THAT(Bytes(ico.begin() + 6, ico.begin() + 14), ElementsAre(24, 24, 0, 0, 0, 0, 0, 0));
    EXPECT_EQ(ico[24], 0);  // the image stored under id 0
}

TEST(ExtractExeIcon, AssemblesWhatTheSourceReadsAndNothingForAnUnloadableModule) {
    testing::FakeIconSource source;
    source.modules["C:\\a.exe"] = module({group(kTypicalSizes)}, {1, 2, 3, 4});
    EXPECT_EQ(extractExeIcon(source, "C:\\a.exe").size(), 26u);
    EXPECT_TRUE(extractExeIcon(source, "C:\\missing.exe").empty());
    EXPECT_THAT(source.log, ElementsAre("icons C:\\a.exe", "icons C:\\missing.exe"));
}

TEST(PngImageOf, IsTheImageOfAnIconWhoseImageIsAPngStreamAndNothingElse) {
    IconResources r = module({group({{0, 0, 32, 1}})}, {});
    r.iconImages.push_back({0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 'I', 'H'});
    r.iconIds.push_back(1);
    const Bytes ico = assembleIcon(r);
    EXPECT_THAT(pngImageOf(ico), ElementsAreArray(r.iconImages[0]));
    EXPECT_TRUE(pngImageOf(assembleIcon(module({group({{48, 48, 32, 1}})}, {1}))).empty());
    EXPECT_TRUE(pngImageOf(Bytes(ico.begin(), ico.end() - 3)).empty());  // a cut signature
}

TEST(ExtractExeIcon, AsksTheSourceForTheImageThatFitsTheDrawnSize) {
    testing::FakeIconSource source;
    source.modules["C:\\a.exe"] = module({group(kTypicalSizes)}, {1, 2, 3, 4});
    const Bytes ico = extractExeIcon(source, "C:\\a.exe", 62);
    ASSERT_EQ(ico.size(), 26u);
    EXPECT_EQ(ico[6], 0);  // the 256-pixel entry
    EXPECT_EQ(ico[24], 4);
    EXPECT_THAT(source.log, ElementsAre("icons C:\\a.exe at 62"));
}

}  // namespace
}  // namespace dock
