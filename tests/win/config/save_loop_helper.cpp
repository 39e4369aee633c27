// Saves config.ini in a folder over and over, alternating between two dock
// states, until it is ended from outside. The kill test ends it at random
// moments, or halts it part-way through filling the temp file and ends it
// there. Usage: save_loop_helper <folder> <event> <A or B, the state saved
// first> [<writes into the temp file before it halts>]. The event is set
// after the first save, or, with the fourth argument, once it has halted.
#include <windows.h>

#include <cstdlib>
#include <string>

#include "config/profile_win32.h"
#include "config_fixture.h"

namespace {

// The real profile calls, halted for good after a number of writes into the
// temp file.
class HaltingProfile final : public dock::ProfileStore {
  public:
    HaltingProfile(int writesBeforeHalt, HANDLE halted)
        : writesLeft_(writesBeforeHalt), halted_(halted) {}

    std::string ReadProfileText(const std::string& file, const std::string& section,
                                const std::string& key, const std::string& defaultText) override {
        return real_.ReadProfileText(file, section, key, defaultText);
    }
    bool HasSection(const std::string& file, const std::string& section) override {
        return real_.HasSection(file, section);
    }
    bool WriteProfileText(const std::string& file, const std::string& section,
                          const std::string& key, const std::string& value) override {
        const bool written = real_.WriteProfileText(file, section, key, value);
        haltWhenDue(file);
        return written;
    }
    bool WriteProfileTexts(
        const std::string& file, const std::string& section,
        const std::vector<std::pair<std::string, std::string>>& entries) override {
        const bool written = real_.WriteProfileTexts(file, section, entries);
        haltWhenDue(file);
        return written;
    }

  private:
    void haltWhenDue(const std::string& file) {
        if (!file.ends_with(".tmp") || --writesLeft_ != 0) return;
        ::SetEvent(halted_);
        ::Sleep(INFINITE);
    }

    dock::Win32ProfileStore real_;
    int writesLeft_;
    HANDLE halted_;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4 && argc != 5) return 2;
    HANDLE event = ::OpenEventA(EVENT_MODIFY_STATE, FALSE, argv[2]);
    const int writesBeforeHalt = argc == 5 ? std::atoi(argv[4]) : 0;
    HaltingProfile halting(writesBeforeHalt, event);
    dock::testing::RealConfigFolder state(argv[1], argc == 5 ? &halting : nullptr);
    const char first = argv[3][0] == 'B' ? 'B' : 'A';
    const char second = first == 'A' ? 'B' : 'A';
    for (int round = 0;; ++round) {
        state.Fill(round % 2 == 0 ? first : second);
        dock::saveConfiguration(state.dock);
        if (round == 0 && argc == 4 && event != nullptr) ::SetEvent(event);
    }
}
