// One regular expression over one subject text, run by the platform's script engine
// ("VBScript.RegExp"), with its match count and 1-based group access. Texts are in the system
// ANSI code page; matching works on their characters.
#pragma once

#include "platform/com_initialisation.h"
#include "platform/script_regexp/script_regexp.h"
#include "text/code_page.h"

#include <memory>
#include <string>

namespace lornette {

class RegexObject {
  public:
    RegexObject() = default;
    RegexObject(const RegexObject&) = delete;
    RegexObject& operator=(const RegexObject&) = delete;

    // Runs the pattern over the subject with a new engine, dropping the previous one and its
    // matches. False when the engine cannot be made, refuses an option or the pattern, or the
    // run fails; true otherwise, whether or not anything matched.
    bool create(const std::string& pattern, const std::string& subject, bool caseSensitive = false,
                bool multiline = true, bool global = true);

    int matchCount() const;

    // Group `group` of match `match`, both from 1; empty when either does not exist or the group
    // took no part in the match.
    std::string subMatchText(int match, int group) const;

  private:
    // Declared in reverse order of release: engine, matches, subject, then COM.
    ComInitialisation com_;
    WideText subject_;
    std::unique_ptr<script_regexp::MatchCollection> matches_;
    std::unique_ptr<script_regexp::Engine> engine_;
};

}  // namespace lornette
