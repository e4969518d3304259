#include "text/regex_object.h"

namespace lornette {

bool RegexObject::create(const std::string& pattern, const std::string& subject, bool caseSensitive,
                         bool multiline, bool global) {
    engine_.reset();
    matches_.reset();
    subject_.clear();

    engine_ = script_regexp::createEngine();
    if (!engine_) {
        return false;
    }
    const bool configured = engine_->setIgnoreCase(!caseSensitive) &&
                            engine_->setMultiline(multiline) && engine_->setGlobal(global) &&
                            engine_->setPattern(toWideText(pattern, CP_ACP));
    if (!configured) {
        return false;
    }
    subject_ = toWideText(subject, CP_ACP);
    matches_ = engine_->execute(subject_);
    return matches_ != nullptr;
}

int RegexObject::matchCount() const {
    return matches_ ? matches_->count() : 0;
}

std::string RegexObject::subMatchText(int match, int group) const {
    if (!matches_ || match < 1 || group < 1) {
        return {};
    }
    const auto value = matches_->subMatch(match - 1, group - 1);
    return value ? fromWideText(*value, CP_ACP) : std::string();
}

}  // namespace lornette
