// Owners of the PCRE2 (16-bit library) objects the backend creates.
#pragma once

#ifndef PCRE2_CODE_UNIT_WIDTH
#define PCRE2_CODE_UNIT_WIDTH 16
#endif
#include <pcre2.h>

#include <memory>

namespace lornette::script_regexp::pcre2 {

struct Release {
    void operator()(pcre2_code* code) const { pcre2_code_free(code); }
    void operator()(pcre2_compile_context* context) const { pcre2_compile_context_free(context); }
    void operator()(pcre2_match_context* context) const { pcre2_match_context_free(context); }
    void operator()(pcre2_match_data* data) const { pcre2_match_data_free(data); }
    void operator()(pcre2_jit_stack* stack) const { pcre2_jit_stack_free(stack); }
};

using Code = std::unique_ptr<pcre2_code, Release>;
using CompileContext = std::unique_ptr<pcre2_compile_context, Release>;
using MatchContext = std::unique_ptr<pcre2_match_context, Release>;
using MatchData = std::unique_ptr<pcre2_match_data, Release>;
using JitStack = std::unique_ptr<pcre2_jit_stack, Release>;

}  // namespace lornette::script_regexp::pcre2
