#include "dock/start_with_windows.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "fakes/fake_platform.h"

namespace dock {
namespace {

class FakeRunKey : public RunKeyPort {
  public:
    std::map<std::string, std::string> values;

    std::optional<std::string> RunValue(const std::string& name) override {
        auto it = values.find(name);
        if (it == values.end()) return std::nullopt;
        return it->second;
    }
    void SetRunValue(const std::string& name, const std::string& text) override {
        values[name] = text;
    }
    void DeleteRunValue(const std::string& name) override { values.erase(name); }
};

const LeadBytes kGbk = testing::gbkLeadBytes();

TEST(StartWithWindows, TheValueIsNamedAfterTheProgramWithoutItsExtension) {
    EXPECT_EQ(runValueName("C:\\Tools\\dock.exe", kGbk), "dock");
    EXPECT_EQ(runValueName("C:\\a.b\\My.Dock.exe", kGbk), "My.Dock");
    EXPECT_EQ(runValueName("C:\\a.b\\dock", kGbk), "dock");
    // A two-byte character whose second byte looks like a backslash is part
    // of the name.
    EXPECT_EQ(runValueName("C:\\Tools\\\xC5\\.exe", kGbk), "\xC5\\");
}

TEST(StartWithWindows, TheToggleWritesTheQuotedPathAndRemovesItAgain) {
    FakeRunKey runKey;
    const std::string path = "C:\\Tools\\dock.exe";
    EXPECT_FALSE(startsWithWindows(runKey, path, kGbk));
    toggleStartWithWindows(runKey, path, kGbk);
    EXPECT_EQ(runKey.values,
              (std::map<std::string, std::string>{{"dock", "\"C:\\Tools\\dock.exe\""}}));
    EXPECT_TRUE(startsWithWindows(runKey, path, kGbk));
    toggleStartWithWindows(runKey, path, kGbk);
    EXPECT_TRUE(runKey.values.empty());
}

TEST(StartWithWindows, TheMarkShowsOnlyAValueThatStartsThisVeryProgram) {
    FakeRunKey runKey;
    const std::string path = "C:\\Tools\\dock.exe";
    runKey.values["dock"] = "c:\\TOOLS\\Dock.EXE";  // unquoted, other case: still this one
    EXPECT_TRUE(startsWithWindows(runKey, path, kGbk));
    runKey.values["dock"] = "\"D:\\Other\\dock.exe\"";
    EXPECT_FALSE(startsWithWindows(runKey, path, kGbk));
    // A value that starts another copy is taken over, not removed.
    toggleStartWithWindows(runKey, path, kGbk);
    EXPECT_EQ(runKey.values["dock"], "\"C:\\Tools\\dock.exe\"");
    // A second byte that looks like a capital is no letter: C5 41 and C5 61
    // are two different characters.
    runKey.values["\xC5\x41"] = "\"C:\\\xC5\x61.exe\"";
    EXPECT_FALSE(startsWithWindows(runKey, "C:\\\xC5\x41.exe", kGbk));
}

TEST(StartWithWindows, AProgramWithoutAPathTouchesNothing) {
    FakeRunKey runKey;
    toggleStartWithWindows(runKey, "", kGbk);
    EXPECT_TRUE(runKey.values.empty());
    EXPECT_FALSE(startsWithWindows(runKey, "", kGbk));
}

}  // namespace
}  // namespace dock
