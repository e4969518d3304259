#include "platform/script_regexp/pcre2_pattern.h"

namespace lornette::script_regexp::pcre2 {

Code compilePattern(TextView pattern, PatternOptions options) {
    const auto translated = translatePattern(pattern, options);
    if (!translated) {
        return nullptr;
    }
    const CompileContext context(pcre2_compile_context_create(nullptr));
    if (!context || pcre2_set_newline(context.get(), PCRE2_NEWLINE_LF) != 0) {
        return nullptr;
    }
    // A back reference to a group that took no part matches the empty text, as in the script
    // engine; the NEVER options keep a pattern from switching PCRE2's reading of units.
    uint32_t flags =
        PCRE2_MATCH_UNSET_BACKREF | PCRE2_NEVER_UTF | PCRE2_NEVER_UCP | PCRE2_NEVER_BACKSLASH_C;
    if (options.ignoreCase) {
        flags |= PCRE2_CASELESS;
    }
    int error = 0;
    PCRE2_SIZE errorOffset = 0;
    Code code(pcre2_compile(reinterpret_cast<PCRE2_SPTR>(translated->data()), translated->size(),
                            flags, &error, &errorOffset, context.get()));
    // Without the JIT (not built in, or the pattern too large for it) the interpreter runs it.
    if (code) {
        pcre2_jit_compile(code.get(), PCRE2_JIT_COMPLETE);
    }
    return code;
}

}  // namespace lornette::script_regexp::pcre2
