// Runs a pattern through a fresh engine instance for the engine's tests.
#pragma once

#include "platform/script_regexp/script_regexp.h"

#include <optional>
#include <string>
#include <vector>

namespace test_support {

struct EngineOptions {
    bool ignoreCase = true;
    bool multiline = true;
    bool global = true;
};

inline const std::u16string unsetGroup = u"<unset>";

// Group 1 of every match, unsetGroup where it took no part; no value when "Execute" fails.
inline std::optional<std::vector<std::u16string>> firstGroups(const std::u16string& pattern,
                                                              const std::u16string& subject,
                                                              EngineOptions options = {}) {
    using namespace lornette::script_regexp;
    const auto engine = createEngine();
    if (!engine || !engine->setIgnoreCase(options.ignoreCase) ||
        !engine->setMultiline(options.multiline) || !engine->setGlobal(options.global) ||
        !engine->setPattern(pattern)) {
        return std::nullopt;
    }
    const auto matches = engine->execute(subject);
    if (!matches) {
        return std::nullopt;
    }
    std::vector<std::u16string> groups;
    for (int match = 0; match < matches->count(); ++match) {
        groups.push_back(matches->subMatch(match, 0).value_or(unsetGroup));
    }
    return groups;
}

}  // namespace test_support
