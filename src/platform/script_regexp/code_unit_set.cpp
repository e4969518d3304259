#include "platform/script_regexp/code_unit_set.h"

namespace lornette::script_regexp {

void CodeUnitSet::addRange(char16_t first, char16_t last) {
    for (std::size_t unit = first; unit <= last; ++unit) {
        units_.set(unit);
    }
}

CodeUnitSet CodeUnitSet::complement() const {
    CodeUnitSet result;
    result.units_ = ~units_;
    return result;
}

std::vector<CodeUnitSet::Range> CodeUnitSet::ranges() const {
    std::vector<Range> result;
    std::size_t unit = 0;
    while (unit < units_.size()) {
        if (!units_.test(unit)) {
            ++unit;
            continue;
        }
        const std::size_t first = unit;
        while (unit + 1 < units_.size() && units_.test(unit + 1)) {
            ++unit;
        }
        result.emplace_back(static_cast<char16_t>(first), static_cast<char16_t>(unit));
        ++unit;
    }
    return result;
}

}  // namespace lornette::script_regexp
