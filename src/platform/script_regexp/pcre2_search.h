// Runs a compiled pattern over a subject the way "Execute" does, within fixed bounds.
#pragma once

#include "platform/script_regexp/pcre2_handles.h"
#include "platform/script_regexp/script_regexp.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace lornette::script_regexp::pcre2 {

// Time: PCRE2's match limit counts afresh at every start position, so it cannot stop a run that
// retries a long scan from every position of a long subject. The whole run therefore shares one
// budget of work points (the callouts the translated pattern carries wherever it can backtrack).
// Legitimate runs spend about one point per subject unit; 50 million leave room for subjects of
// tens of megabytes and stop a run that backtracks without end within about a second.
inline constexpr std::uint64_t workPointLimit = 50'000'000;

// PCRE2's own limit for the attempt at one start position (its default value).
inline constexpr uint32_t matchLimit = 10'000'000;

// Memory: what one search may hold for backtracking, in the interpreter's heap frames or on the
// JIT's stack; a deeper search fails instead of growing.
inline constexpr uint32_t backtrackMemoryKibibytes = 64 * 1024;

// Memory: start and end offsets, all matches together, that one run may keep (64 MiB).
inline constexpr std::size_t storedOffsetLimit = std::size_t{16} * 1024 * 1024;

// The offsets of every match: per match the whole match, then each group, as start and end;
// unsetOffset for a group that took no part.
struct MatchOffsets {
    static constexpr uint32_t unsetOffset = UINT32_MAX;

    std::size_t groupCount = 0;
    std::vector<uint32_t> offsets;

    std::size_t stride() const { return 2 * (groupCount + 1); }
};

// Every match from the left, each search resuming where the previous match ended (one unit
// further after an empty match), or only the first unless global. No value when a search
// fails or passes a bound.
std::optional<MatchOffsets> findMatches(const pcre2_code& code, TextView subject, bool global);

}  // namespace lornette::script_regexp::pcre2
