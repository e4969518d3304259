#include "platform/script_regexp/pcre2_match_collection.h"

#include <utility>

namespace lornette::script_regexp::pcre2 {

Pcre2MatchCollection::Pcre2MatchCollection(Text subject, MatchOffsets matches)
    : subject_(std::move(subject)), matches_(std::move(matches)) {}

int Pcre2MatchCollection::count() const {
    return static_cast<int>(matches_.offsets.size() / matches_.stride());
}

std::optional<Text> Pcre2MatchCollection::subMatch(int match, int group) const {
    if (match < 0 || group < 0 || match >= count() ||
        static_cast<std::size_t>(group) >= matches_.groupCount) {
        return std::nullopt;
    }
    const std::size_t index = static_cast<std::size_t>(match) * matches_.stride() +
                              2 * (static_cast<std::size_t>(group) + 1);
    const uint32_t start = matches_.offsets[index];
    const uint32_t end = matches_.offsets[index + 1];
    if (start == MatchOffsets::unsetOffset) {
        return std::nullopt;
    }
    return subject_.substr(start, end - start);
}

}  // namespace lornette::script_regexp::pcre2
