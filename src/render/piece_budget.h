#pragma once
// Which cached pieces to let go: the least recently used ones, until the
// pieces kept fit the budget. A piece used by the frame being composed is
// never let go, so a frame may go over the budget until the next one.
#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

namespace dock {

class PieceBudget {
  public:
    explicit PieceBudget(std::size_t bytes) : budget_(bytes) {}
    void NewFrame() { ++frame_; }
    void Add(std::uint64_t piece, std::size_t bytes);
    void Use(std::uint64_t piece);
    // The pieces to drop, oldest use first; they are no longer counted.
    std::vector<std::uint64_t> Overflow();
    void Clear();
    std::size_t Bytes() const { return bytes_; }

  private:
    struct Kept {
        std::size_t bytes = 0;
        std::uint64_t usedIn = 0;  // the frame that last used it
        std::uint64_t order = 0;   // when it was last used, for ties within a frame
    };
    std::size_t budget_;
    std::size_t bytes_ = 0;
    std::uint64_t frame_ = 1;
    std::uint64_t uses_ = 0;
    std::unordered_map<std::uint64_t, Kept> kept_;
};

}  // namespace dock
