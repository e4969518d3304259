// The script engine's pattern language, rewritten into PCRE2's so that PCRE2 matches by the
// script engine's rules: "." stops only at a line feed, multi-line anchors also stand at a
// carriage return, "\s", "\w", "\d" and "\b" keep their ASCII meanings, case-insensitive
// comparison folds case the way the script engine does, and escapes PCRE2 would read otherwise
// (such as "\v", "\A" or "\Q") mean what they mean to the script engine. Every place where
// matching can backtrack carries a callout, so that a run can count its work.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace lornette::script_regexp {

struct PatternOptions {
    bool ignoreCase = false;
    bool multiline = false;
};

// The PCRE2 pattern, for compiling without PCRE2_UTF and PCRE2_UCP, with PCRE2_CASELESS when
// ignoring case, and with line feed as the only newline. No value when the script engine would
// reject the pattern.
std::optional<std::u16string> translatePattern(std::u16string_view pattern, PatternOptions options);

}  // namespace lornette::script_regexp
