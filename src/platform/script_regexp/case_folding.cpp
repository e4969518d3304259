#include "platform/script_regexp/case_folding.h"

#include <unicode/ustring.h>

#include <array>
#include <memory>

namespace lornette::script_regexp {
namespace {

constexpr std::size_t unitCount = 0x10000;

char16_t computeCanonicalCase(char16_t unit) {
    if (U16_IS_SURROGATE(unit)) {
        return unit;
    }
    std::array<UChar, 4> upper{};
    UErrorCode status = U_ZERO_ERROR;
    const int32_t length =
        u_strToUpper(upper.data(), static_cast<int32_t>(upper.size()), &unit, 1, "", &status);
    if (U_FAILURE(status) || length != 1) {
        return unit;
    }
    if (unit >= 0x80 && upper[0] < 0x80) {
        return unit;
    }
    return upper[0];
}

struct CaseTables {
    std::array<char16_t, unitCount> canonical{};
    std::array<unsigned char, unitCount> sharers{};  // units per canonical form, capped at 2
};

const CaseTables& caseTables() {
    static const std::unique_ptr<const CaseTables> tables = [] {
        auto built = std::make_unique<CaseTables>();
        for (std::size_t unit = 0; unit < unitCount; ++unit) {
            const char16_t canonical = computeCanonicalCase(static_cast<char16_t>(unit));
            built->canonical[unit] = canonical;
            if (built->sharers[canonical] < 2) {
                ++built->sharers[canonical];
            }
        }
        return built;
    }();
    return *tables;
}

}  // namespace

char16_t canonicalCase(char16_t unit) {
    return caseTables().canonical[unit];
}

bool hasCaseVariants(char16_t unit) {
    const CaseTables& tables = caseTables();
    return tables.sharers[tables.canonical[unit]] > 1;
}

CodeUnitSet closeOverCase(const CodeUnitSet& units) {
    const CaseTables& tables = caseTables();
    CodeUnitSet canonicalForms;
    for (std::size_t unit = 0; unit < unitCount; ++unit) {
        if (units.contains(static_cast<char16_t>(unit))) {
            canonicalForms.add(tables.canonical[unit]);
        }
    }
    CodeUnitSet closed;
    for (std::size_t unit = 0; unit < unitCount; ++unit) {
        if (canonicalForms.contains(tables.canonical[unit])) {
            closed.add(static_cast<char16_t>(unit));
        }
    }
    return closed;
}

}  // namespace lornette::script_regexp
