// Case-insensitive comparison as the script engine does it: two units are equal when their
// canonical forms are. A unit's canonical form is its upper case when that is one unit, except
// that a non-ASCII unit never folds onto an ASCII one (so the Kelvin sign is not a "k").
#pragma once

#include "platform/script_regexp/code_unit_set.h"

namespace lornette::script_regexp {

char16_t canonicalCase(char16_t unit);

// Whether some other unit has the same canonical form.
bool hasCaseVariants(char16_t unit);

// Every unit whose canonical form is that of a member.
CodeUnitSet closeOverCase(const CodeUnitSet& units);

}  // namespace lornette::script_regexp
