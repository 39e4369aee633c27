// Saves config.ini in a folder over and over, alternating between two dock
// states, until it is ended from outside. Usage: save_loop_helper <folder>
// <event> <A or B, the state saved first> [<profile writes before it halts>].
// The event is set after the first save, or, given the count, once it halts.
#include <windows.h>

#include <string>

#include "config/profile_win32.h"
#include "config_fixture.h"

// The real profile calls, halted for good after a number of writes through
// the profile writer.
class HaltingProfile final : public dock::Win32ProfileStore {
  public:
    HaltingProfile(int writesBeforeHalt, HANDLE halted)
        : writesLeft_(writesBeforeHalt), halted_(halted) {}
    bool WriteProfileText(const std::string& file, const std::string& section,
                          const std::string& key, const std::string& value) override {
        const bool written = Win32ProfileStore::WriteProfileText(file, section, key, value);
        if (--writesLeft_ == 0 && ::SetEvent(halted_)) ::Sleep(INFINITE);
        return written;
    }

  private:
    int writesLeft_;
    HANDLE halted_;
};

int main(int argc, char** argv) {
    if (argc != 4 && argc != 5) return 2;
    HANDLE event = ::OpenEventA(EVENT_MODIFY_STATE, FALSE, argv[2]);
    const bool halts = argc == 5;
    HaltingProfile halting(halts ? std::stoi(argv[4]) : 0, event);
    dock::testing::RealConfigFolder state(argv[1], halts ? &halting : nullptr);
    const char first = argv[3][0] == 'B' ? 'B' : 'A';
    const char second = first == 'A' ? 'B' : 'A';
    for (int round = 0;; ++round) {
        state.Fill(round % 2 == 0 ? first : second);
        dock::saveConfiguration(state.dock);
        if (round == 0 && !halts) ::SetEvent(event);
    }
}
