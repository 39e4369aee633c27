#include "features/autostart/start_with_windows.h"

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

TEST(StartWithWindows, TheValueIsNamedAfterTheProgramAndItsFullPath) {
    EXPECT_EQ(runValueName("C:\\Tools\\dock.exe", kGbk), "dock (C:\\Tools\\dock.exe)");
    EXPECT_EQ(plainRunValueName("C:\\a.b\\My.Dock.exe", kGbk), "My.Dock");
    EXPECT_EQ(plainRunValueName("C:\\a.b\\dock", kGbk), "dock");
    // A two-byte character whose second byte looks like a backslash is part
    // of the name.
    EXPECT_EQ(plainRunValueName("C:\\Tools\\\xC5\\.exe", kGbk), "\xC5\\");
}

TEST(StartWithWindows, TheToggleWritesTheQuotedPathUnderItsOwnNameAndRemovesItAgain) {
    FakeRunKey runKey;
    const std::string path = "C:\\Tools\\dock.exe";
    const std::string own = "dock (C:\\Tools\\dock.exe)";
    EXPECT_FALSE(startsWithWindows(runKey, path, kGbk));
    toggleStartWithWindows(runKey, path, kGbk);
    EXPECT_EQ(runKey.values,
              (std::map<std::string, std::string>{{own, "\"C:\\Tools\\dock.exe\""}}));
    EXPECT_TRUE(startsWithWindows(runKey, path, kGbk));
    toggleStartWithWindows(runKey, path, kGbk);
    EXPECT_TRUE(runKey.values.empty());
}

// A value under the plain name is this program's only when it starts it.
TEST(StartWithWindows, APlainlyNamedValueCountsAndGoesOnlyWhenItStartsThisVeryProgram) {
    const std::string path = "C:\\Tools\\dock.exe";
    const std::string own = "dock (C:\\Tools\\dock.exe)";
    struct Case {
        const char* plainValue;
        bool starts;
        std::map<std::string, std::string> afterToggle;
    };
    const Case cases[] = {
        {"c:\\TOOLS\\Dock.EXE", true, {}},  // unquoted, other case: still this one
        {"\"C:\\Tools\\dock.exe\"", true, {}},
        {"\"D:\\Other\\dock.exe\"",
         false,
         {{"dock", "\"D:\\Other\\dock.exe\""}, {own, "\"C:\\Tools\\dock.exe\""}}},
    };
    for (const Case& c : cases) {
        FakeRunKey runKey;
        runKey.values["dock"] = c.plainValue;
        EXPECT_EQ(startsWithWindows(runKey, path, kGbk), c.starts) << c.plainValue;
        toggleStartWithWindows(runKey, path, kGbk);
        EXPECT_EQ(runKey.values, c.afterToggle) << c.plainValue;
    }
    // A second byte that looks like a capital is no letter: C5 41 and C5 61
    // are two different characters.
    FakeRunKey runKey;
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
