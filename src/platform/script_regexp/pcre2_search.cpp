#include "platform/script_regexp/pcre2_search.h"

namespace lornette::script_regexp::pcre2 {
namespace {

constexpr PCRE2_SIZE jitStackStartBytes = 32 * 1024;

int spendWorkPoint(pcre2_callout_block*, void* budget) {
    auto& remaining = *static_cast<std::uint64_t*>(budget);
    if (remaining == 0) {
        return PCRE2_ERROR_MATCHLIMIT;
    }
    --remaining;
    return 0;
}

// The search bounds of one run, with the run's work budget.
class BoundedMatchContext {
  public:
    BoundedMatchContext()
        : context_(pcre2_match_context_create(nullptr)),
          jitStack_(pcre2_jit_stack_create(jitStackStartBytes,
                                           PCRE2_SIZE{backtrackMemoryKibibytes} * 1024, nullptr)) {
        if (!context_ || !jitStack_ || pcre2_set_match_limit(context_.get(), matchLimit) != 0 ||
            pcre2_set_heap_limit(context_.get(), backtrackMemoryKibibytes) != 0 ||
            pcre2_set_callout(context_.get(), spendWorkPoint, &workPointsLeft_) != 0) {
            context_.reset();
            return;
        }
        pcre2_jit_stack_assign(context_.get(), nullptr, jitStack_.get());
    }
    BoundedMatchContext(const BoundedMatchContext&) = delete;
    BoundedMatchContext& operator=(const BoundedMatchContext&) = delete;

    pcre2_match_context* get() const { return context_.get(); }

  private:
    std::uint64_t workPointsLeft_ = workPointLimit;
    MatchContext context_;
    JitStack jitStack_;
};

std::size_t captureCount(const pcre2_code& code) {
    uint32_t count = 0;
    pcre2_pattern_info(&code, PCRE2_INFO_CAPTURECOUNT, &count);
    return count;
}

void appendOffsets(MatchOffsets& matches, const PCRE2_SIZE* ovector) {
    for (std::size_t index = 0; index < matches.stride(); ++index) {
        matches.offsets.push_back(ovector[index] == PCRE2_UNSET
                                      ? MatchOffsets::unsetOffset
                                      : static_cast<uint32_t>(ovector[index]));
    }
}

}  // namespace

std::optional<MatchOffsets> findMatches(const pcre2_code& code, TextView subject, bool global) {
    const MatchData data(pcre2_match_data_create_from_pattern(&code, nullptr));
    const BoundedMatchContext context;
    if (!data || !context.get() || subject.size() >= MatchOffsets::unsetOffset) {
        return std::nullopt;
    }
    static constexpr WCHAR emptySubject[1] = {};
    const auto* units =
        reinterpret_cast<PCRE2_SPTR>(subject.empty() ? emptySubject : subject.data());

    MatchOffsets matches{captureCount(code), {}};
    std::size_t start = 0;
    while (start <= subject.size()) {
        const int result =
            pcre2_match(&code, units, subject.size(), start, 0, data.get(), context.get());
        if (result == PCRE2_ERROR_NOMATCH) {
            break;
        }
        if (result < 0 || matches.offsets.size() + matches.stride() > storedOffsetLimit) {
            return std::nullopt;
        }
        const PCRE2_SIZE* ovector = pcre2_get_ovector_pointer(data.get());
        appendOffsets(matches, ovector);
        if (!global) {
            break;
        }
        start = ovector[1] > ovector[0] ? ovector[1] : ovector[1] + 1;
    }
    return matches;
}

}  // namespace lornette::script_regexp::pcre2
