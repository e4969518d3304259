// The script engine's regular-expression object ("VBScript.RegExp") as the program drives it:
// create an instance, write its options and pattern, run "Execute" over a subject and read the
// match collection. On Windows the instance is the COM object itself; elsewhere a PCRE2 backend
// matches by the same rules.
#pragma once

#include "platform/win32.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace lornette::script_regexp {

// The engine's string form: UTF-16 units.
using Text = std::basic_string<WCHAR>;
using TextView = std::basic_string_view<WCHAR>;

// What one "Execute" found, in subject order.
class MatchCollection {
  public:
    MatchCollection() = default;
    MatchCollection(const MatchCollection&) = delete;
    MatchCollection& operator=(const MatchCollection&) = delete;
    virtual ~MatchCollection() = default;

    // "Count".
    virtual int count() const = 0;

    // "Item"(match)."SubMatches"(group), both counted from 0. No value when the match or the
    // group does not exist or the group took no part in the match.
    virtual std::optional<Text> subMatch(int match, int group) const = 0;
};

// One instance of the regular-expression object. Each write returns false when the instance
// refused it.
class Engine {
  public:
    Engine() = default;
    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;
    virtual ~Engine() = default;

    virtual bool setIgnoreCase(bool ignoreCase) = 0;
    virtual bool setMultiline(bool multiline) = 0;
    virtual bool setGlobal(bool global) = 0;
    virtual bool setPattern(TextView pattern) = 0;

    // "Execute": null when the engine rejects the pattern or the run fails.
    virtual std::unique_ptr<MatchCollection> execute(TextView subject) = 0;
};

// A new instance; null when none can be created.
std::unique_ptr<Engine> createEngine();

}  // namespace lornette::script_regexp
