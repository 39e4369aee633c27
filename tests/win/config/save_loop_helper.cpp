// Saves config.ini in a folder over and over, alternating between two dock
// states, until it is ended from outside. The kill test ends it at random
// moments. Usage: save_loop_helper <folder> <name of an event to set after
// the first save> <A or B, the state saved first>.
#include <windows.h>

#include <string>

#include "config_fixture.h"

int main(int argc, char** argv) {
    if (argc != 4) return 2;
    dock::testing::RealConfigFolder state(argv[1]);
    HANDLE running = ::OpenEventA(EVENT_MODIFY_STATE, FALSE, argv[2]);
    const char first = argv[3][0] == 'B' ? 'B' : 'A';
    const char second = first == 'A' ? 'B' : 'A';
    for (int round = 0;; ++round) {
        state.Fill(round % 2 == 0 ? first : second);
        dock::saveConfiguration(state.dock);
        if (round == 0 && running != nullptr) ::SetEvent(running);
    }
}
