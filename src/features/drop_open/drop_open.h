#pragma once
// 拖放打开: files dropped onto a program's picture open with that program
// instead of becoming items.
#include <cstddef>
#include <string>
#include <vector>

#include "config/dock.h"

namespace dock {

// The longest command line the dock hands the shell: the quoted program, a
// blank and the parameters. Kept well below CreateProcess's 32767
// characters, conservatively, since shells and launchers between the dock and
// the program may copy it into smaller buffers.
inline constexpr std::size_t kLongestCommandLine = 2047;

// The item on whose picture, as it is shown now (magnified or at rest), the
// pointer lies within the middle half; 0 between pictures and on a picture's
// outer quarters, which insert before or after it as any drop does.
int dropOntoItem(const DockState& state);
// The program an item with this target starts: the target when it is an
// .exe, a shortcut's target when that is one; empty otherwise (a document, a
// folder, a shortcut to either).
std::string programOfTarget(const std::string& target, IconSource& icons,
                            const LeadBytes& leadBytes);
// The path as one parameter in double quotes. Backslashes before the closing
// quote would escape it for the program's parser: a trailing one is doubled
// (only a backslash of its own, never the second byte of a GBK character).
// Windows paths hold no double quote.
std::string quotedParameter(const std::string& path, const LeadBytes& leadBytes);
// The parameter texts of one start each: the quoted paths in order, joined by
// blanks, each text at most `limit` bytes and cut only between paths. A path
// too long for any text goes alone rather than being dropped.
std::vector<std::string> parameterGroups(const std::vector<std::string>& paths, std::size_t limit,
                                         const LeadBytes& leadBytes);

// What a drop at the pointer would do with 拖放打开 on: the item to open the
// files with and its program; item 0 when the drop adds items.
struct DropOpening {
    int item = 0;
    std::string program;
};
DropOpening dropOpening(Dock& dock);
// On the tick, after the hover: while another program drags (the primary
// button held while no item of the dock's own is held, `itemHeld`), the tray
// shows only under an item a drop would open with. True when that changed.
bool followFileDrag(Dock& dock, bool itemHeld);

}  // namespace dock
