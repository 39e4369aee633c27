#include "support/text.h"

#include <gtest/gtest.h>

#include <climits>

#include "fakes/fake_platform.h"

namespace dock {
namespace {

// 表 is B1 ED; 乗 ("\x81\x5C" here) has the backslash's code as its second
// byte; 丂 ("\x81\x41") has the code of the letter A as its second byte.
constexpr std::string_view kTrailBackslash = "\x81\x5C";
constexpr std::string_view kTrailLetterA = "\x81\x41";

// The two code pages the program is tested at: 936 and the single-byte 1252.
const LeadBytes kGbk = testing::gbkLeadBytes();
const LeadBytes kCp1252;

TEST(Concat, JoinsAnyNumberOfPartsAndEmptyPartsAddNothing) {
    EXPECT_EQ(Concat("C:\\Dock", "\\config.ini"), "C:\\Dock\\config.ini");
    EXPECT_EQ(Concat("a", "", std::string("b"), std::string_view("c")), "abc");
    EXPECT_EQ(Concat(""), "");
}

TEST(CompareText, IsZeroOnlyForTheSameBytes) {
    EXPECT_EQ(CompareText("0", "0"), 0);
    EXPECT_EQ(CompareText("", std::string()), 0);
    EXPECT_NE(CompareText("0", "00"), 0);
    EXPECT_NE(CompareText("abc", "ABC"), 0);
    EXPECT_NE(CompareText("", "0"), 0);
}

TEST(FindLastCharacter, NeverFindsTheSecondByteOfATwoByteCharacter) {
    const std::string path = Concat("C:\\", kTrailBackslash, "x");
    EXPECT_EQ(FindLastCharacter(path, '\\', kGbk), 2u);
    EXPECT_EQ(FindLastCharacter(path, '\\', kCp1252), 4u);    // 0x81 is a character of its own
    EXPECT_EQ(FindLastCharacter("a\\\x81", '\\', kGbk), 1u);  // a lead byte ending the text
    EXPECT_EQ(FindLastCharacter("abc", '\\', kGbk), std::string_view::npos);
    EXPECT_EQ(FindLastCharacter("", '\\', kCp1252), std::string_view::npos);
}

TEST(LowerAscii, LowersLettersButLeavesDoubleByteCharactersAlone) {
    EXPECT_EQ(LowerAscii("ABC.EXE", kGbk), "abc.exe");
    EXPECT_EQ(LowerAscii(Concat(kTrailLetterA, "B"), kGbk), Concat(kTrailLetterA, "b"));
    EXPECT_EQ(LowerAscii("\xB1\xED"
                         "Z",
                         kGbk),
              "\xB1\xED"
              "z");
    EXPECT_EQ(LowerAscii("", kGbk), "");
    EXPECT_EQ(LowerAscii("a1_[@", kGbk), "a1_[@");
}

TEST(LowerAscii, OnASingleByteCodePageLowersEveryAsciiLetter) {
    EXPECT_EQ(LowerAscii(Concat(kTrailLetterA, "B"), kCp1252),
              "\x81"
              "ab");
    EXPECT_EQ(LowerAscii("CAF\xC9.EXE", kCp1252), "caf\xC9.exe");
}

TEST(IntToText, FormatsAsPercentD) {
    EXPECT_EQ(IntToText(0), "0");
    EXPECT_EQ(IntToText(-1), "-1");
    EXPECT_EQ(IntToText(1601), "1601");
    EXPECT_EQ(IntToText(INT32_MIN), "-2147483648");
    EXPECT_EQ(IntToText(INT32_MAX), "2147483647");
}

TEST(IntToText, SignExtendsASixteenBitValue) {
    EXPECT_EQ(IntToText(static_cast<std::int16_t>(0xFFFF)), "-1");
    EXPECT_EQ(IntToText(static_cast<std::int16_t>(0x8641)), "-31167");
    EXPECT_EQ(IntToText(static_cast<std::int16_t>(0x0641)), "1601");
}

TEST(TextToInt, ReadsTheLeadingDecimalNumber) {
    EXPECT_EQ(TextToInt("48"), 48);
    EXPECT_EQ(TextToInt(""), 0);
    EXPECT_EQ(TextToInt("12abc"), 12);
    EXPECT_EQ(TextToInt("-5"), -5);
    EXPECT_EQ(TextToInt("+7"), 7);
    EXPECT_EQ(TextToInt("  \t 9 1"), 9);
    EXPECT_EQ(TextToInt("abc"), 0);
    EXPECT_EQ(TextToInt("-"), 0);
    EXPECT_EQ(TextToInt("- 5"), 0);
    EXPECT_EQ(TextToInt("--5"), 0);
    EXPECT_EQ(TextToInt("007"), 7);
}

TEST(TextToInt, ReadsFullWidthDigitsSignsAndSpacesLikeTheirAsciiForms) {
    EXPECT_EQ(TextToInt("\xA3\xB1\xA3\xB2"), 12);  // １２
    EXPECT_EQ(TextToInt("\xA3\xAD\xA3\xB3"), -3);  // －３
    EXPECT_EQ(TextToInt("\xA3\xAB"
                        "4"),
              4);                                          // ＋4
    EXPECT_EQ(TextToInt("\xA1\xA1\xA3\xB9\xA3\xB0"), 90);  // 　９０
    EXPECT_EQ(TextToInt("1\xA3\xB0"
                        "0\xA3\xAF"
                        "2"),
              100);  // 1０0／2
    EXPECT_EQ(TextToInt("\xB1\xED"
                        "5"),
              0);  // 表5
    EXPECT_EQ(TextToInt(Concat("7", kTrailBackslash, "8")), 7);
}

TEST(TextToInt, SaturatesAtTheInt32Range) {
    EXPECT_EQ(TextToInt("2147483647"), INT32_MAX);
    EXPECT_EQ(TextToInt("2147483648"), INT32_MAX);
    EXPECT_EQ(TextToInt("99999999999999999999999"), INT32_MAX);
    EXPECT_EQ(TextToInt("-2147483648"), INT32_MIN);
    EXPECT_EQ(TextToInt("-2147483649"), INT32_MIN);
}

TEST(TextToInt16, KeepsTheLowSixteenBits) {
    EXPECT_EQ(TextToInt16("70000"), 4464);
    EXPECT_EQ(TextToInt16("1601"), 1601);
    EXPECT_EQ(TextToInt16("65535"), -1);
    EXPECT_EQ(TextToInt16("-1"), -1);
    EXPECT_EQ(TextToInt16("32768"), -32768);
}

TEST(HalfWidthGbk, MapsRowA3ToAsciiAndTheIdeographicSpaceToABlank) {
    EXPECT_EQ(HalfWidthGbk("\xA3\xA1"), "!");
    EXPECT_EQ(HalfWidthGbk("\xA3\xFE"), "~");
    EXPECT_EQ(HalfWidthGbk("\xA3\xDC\xA3\xAF"), "\\/");
    EXPECT_EQ(HalfWidthGbk("\xA1\xA1"), " ");
    EXPECT_EQ(HalfWidthGbk("\xA3\xA0\xA1\xA2"), "\xA3\xA0\xA1\xA2");  // outside the forms
    EXPECT_EQ(HalfWidthGbk("\xB1\xA3\xB1"), "\xB1\xA3\xB1");          // A3 here is a second byte
    EXPECT_EQ(HalfWidthGbk("x\xA3"), "x\xA3");                        // a cut-off character is kept
}

}  // namespace
}  // namespace dock
