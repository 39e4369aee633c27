#include "render/piece_budget.h"

#include <algorithm>
#include <utility>

namespace dock {

void PieceBudget::Add(std::uint64_t piece, std::size_t bytes) {
    kept_[piece] = {bytes, frame_, ++uses_};
    bytes_ += bytes;
}

void PieceBudget::Use(std::uint64_t piece) {
    const auto it = kept_.find(piece);
    if (it == kept_.end()) return;
    it->second.usedIn = frame_;
    it->second.order = ++uses_;
}

std::vector<std::uint64_t> PieceBudget::Overflow() {
    std::vector<std::uint64_t> out;
    if (bytes_ <= budget_) return out;
    std::vector<std::pair<std::uint64_t, std::uint64_t>> byAge;  // order, piece
    for (const auto& [piece, k] : kept_)
        if (k.usedIn != frame_) byAge.emplace_back(k.order, piece);
    std::sort(byAge.begin(), byAge.end());
    for (const auto& [order, piece] : byAge) {
        if (bytes_ <= budget_) break;
        bytes_ -= kept_[piece].bytes;
        kept_.erase(piece);
        out.push_back(piece);
    }
    return out;
}

void PieceBudget::Clear() {
    kept_.clear();
    bytes_ = 0;
}

}  // namespace dock
