// A set of UTF-16 code units, the unit a character class of the engine matches.
#pragma once

#include <bitset>
#include <cstddef>
#include <utility>
#include <vector>

namespace lornette::script_regexp {

class CodeUnitSet {
  public:
    using Range = std::pair<char16_t, char16_t>;

    void add(char16_t unit) { units_.set(unit); }
    void addRange(char16_t first, char16_t last);
    void addAll(const CodeUnitSet& other) { units_ |= other.units_; }

    bool contains(char16_t unit) const { return units_.test(unit); }
    bool empty() const { return units_.none(); }
    bool full() const { return units_.all(); }
    std::size_t size() const { return units_.count(); }

    CodeUnitSet complement() const;

    // The members as runs of consecutive units, in ascending order.
    std::vector<Range> ranges() const;

  private:
    std::bitset<0x10000> units_;
};

}  // namespace lornette::script_regexp
