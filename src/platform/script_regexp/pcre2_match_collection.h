// The match collection of the PCRE2 backend: the subject and the offsets of its matches.
#pragma once

#include "platform/script_regexp/pcre2_search.h"
#include "platform/script_regexp/script_regexp.h"

namespace lornette::script_regexp::pcre2 {

class Pcre2MatchCollection final : public MatchCollection {
  public:
    Pcre2MatchCollection(Text subject, MatchOffsets matches);

    int count() const override;
    std::optional<Text> subMatch(int match, int group) const override;

  private:
    Text subject_;
    MatchOffsets matches_;
};

}  // namespace lornette::script_regexp::pcre2
