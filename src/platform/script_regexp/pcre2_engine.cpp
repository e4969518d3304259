#include "platform/script_regexp/pcre2_match_collection.h"
#include "platform/script_regexp/pcre2_pattern.h"
#include "platform/script_regexp/pcre2_search.h"
#include "platform/script_regexp/script_regexp.h"

namespace lornette::script_regexp {
namespace {

// Keeps what the properties were set to; the pattern is compiled by "Execute", which is where
// the script engine reports a pattern it rejects.
class Pcre2Engine final : public Engine {
  public:
    bool setIgnoreCase(bool ignoreCase) override {
        options_.ignoreCase = ignoreCase;
        return true;
    }

    bool setMultiline(bool multiline) override {
        options_.multiline = multiline;
        return true;
    }

    bool setGlobal(bool global) override {
        global_ = global;
        return true;
    }

    bool setPattern(TextView pattern) override {
        pattern_.assign(pattern);
        return true;
    }

    std::unique_ptr<MatchCollection> execute(TextView subject) override {
        const pcre2::Code code = pcre2::compilePattern(pattern_, options_);
        if (!code) {
            return nullptr;
        }
        auto matches = pcre2::findMatches(*code, subject, global_);
        if (!matches) {
            return nullptr;
        }
        return std::make_unique<pcre2::Pcre2MatchCollection>(Text(subject), std::move(*matches));
    }

  private:
    Text pattern_;
    PatternOptions options_;
    bool global_ = false;
};

}  // namespace

std::unique_ptr<Engine> createEngine() {
    return std::make_unique<Pcre2Engine>();
}

}  // namespace lornette::script_regexp
