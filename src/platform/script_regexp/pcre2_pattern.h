// Compiles a script-engine pattern with PCRE2.
#pragma once

#include "platform/script_regexp/pattern_translation.h"
#include "platform/script_regexp/pcre2_handles.h"
#include "platform/script_regexp/script_regexp.h"

namespace lornette::script_regexp::pcre2 {

// Null when the script engine would reject the pattern or PCRE2 cannot compile it.
Code compilePattern(TextView pattern, PatternOptions options);

}  // namespace lornette::script_regexp::pcre2
