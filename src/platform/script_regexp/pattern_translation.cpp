#include "platform/script_regexp/pattern_translation.h"

#include "platform/script_regexp/case_folding.h"
#include "platform/script_regexp/code_unit_set.h"

#include <algorithm>
#include <variant>

namespace lornette::script_regexp {
namespace {

using Unit = char16_t;

// A class atom is one unit or, for "\d" and its kin, a whole set.
using ClassAtom = std::variant<Unit, CodeUnitSet>;

// Counts and group numbers beyond this are read as this; PCRE2 refuses such counts anyway.
constexpr std::size_t largestNumber = 1'000'000;

// Both sides of a word boundary, written out so that they keep their ASCII meaning.
constexpr std::u16string_view wordBoundary =
    u"(?:(?<=[0-9A-Z_a-z])(?![0-9A-Z_a-z])|(?<![0-9A-Z_a-z])(?=[0-9A-Z_a-z]))";
constexpr std::u16string_view notWordBoundary =
    u"(?:(?<=[0-9A-Z_a-z])(?=[0-9A-Z_a-z])|(?<![0-9A-Z_a-z])(?![0-9A-Z_a-z]))";
constexpr std::u16string_view lineStart = u"(?<![^\\x{a}\\x{d}])";
constexpr std::u16string_view lineEnd = u"(?![^\\x{a}\\x{d}])";

// A callout wherever matching can come back to try another way: after each repetition and
// before each further alternative. Counting them bounds the work of a whole run.
constexpr std::u16string_view workPoint = u"(?C)";

bool isDecimalDigit(Unit unit) {
    return unit >= u'0' && unit <= u'9';
}

bool isOctalDigit(Unit unit) {
    return unit >= u'0' && unit <= u'7';
}

bool isAsciiLetter(Unit unit) {
    return (unit >= u'a' && unit <= u'z') || (unit >= u'A' && unit <= u'Z');
}

std::optional<unsigned> hexValue(Unit unit) {
    if (isDecimalDigit(unit)) {
        return unit - u'0';
    }
    if (unit >= u'a' && unit <= u'f') {
        return unit - u'a' + 10;
    }
    if (unit >= u'A' && unit <= u'F') {
        return unit - u'A' + 10;
    }
    return std::nullopt;
}

CodeUnitSet digitUnits() {
    CodeUnitSet units;
    units.addRange(u'0', u'9');
    return units;
}

CodeUnitSet spaceUnits() {
    CodeUnitSet units;
    units.addRange(u'\t', u'\r');  // tab, line feed, vertical tab, form feed, carriage return
    units.add(u' ');
    return units;
}

CodeUnitSet wordUnits() {
    CodeUnitSet units = digitUnits();
    units.addRange(u'A', u'Z');
    units.addRange(u'a', u'z');
    units.add(u'_');
    return units;
}

// The sets of "\d", "\D", "\s", "\S", "\w" and "\W". Each is closed under case folding already.
std::optional<CodeUnitSet> classEscapeSet(Unit letter) {
    switch (letter) {
        case u'd':
            return digitUnits();
        case u'D':
            return digitUnits().complement();
        case u's':
            return spaceUnits();
        case u'S':
            return spaceUnits().complement();
        case u'w':
            return wordUnits();
        case u'W':
            return wordUnits().complement();
        default:
            return std::nullopt;
    }
}

std::u16string hexEscape(Unit unit) {
    constexpr std::u16string_view digits = u"0123456789abcdef";
    std::u16string text = u"\\x{";
    bool leading = true;
    for (int shift = 12; shift >= 0; shift -= 4) {
        const Unit digit = digits[(unit >> shift) & 0xF];
        if (leading && digit == u'0' && shift > 0) {
            continue;
        }
        leading = false;
        text += digit;
    }
    text += u'}';
    return text;
}

std::u16string decimal(std::size_t value) {
    const std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
}

std::u16string unitText(Unit unit) {
    if (isAsciiLetter(unit) || isDecimalDigit(unit)) {
        return std::u16string(1, unit);
    }
    return hexEscape(unit);
}

// A PCRE2 class with exactly these members, in whichever of the plain or the negated form is
// shorter. Its members are closed under case folding, so PCRE2's own folding adds nothing.
std::u16string setText(const CodeUnitSet& units) {
    if (units.empty()) {
        return u"(?!)";
    }
    if (units.full()) {
        return u"[\\x{0}-\\x{ffff}]";
    }
    const auto members = units.ranges();
    const auto nonMembers = units.complement().ranges();
    const bool negate = nonMembers.size() < members.size();
    std::u16string text = negate ? u"[^" : u"[";
    for (const auto& [first, last] : negate ? nonMembers : members) {
        text += hexEscape(first);
        if (last != first) {
            text += u'-';
            text += hexEscape(last);
        }
    }
    text += u']';
    return text;
}

std::size_t countCaptureGroups(std::u16string_view pattern) {
    std::size_t groups = 0;
    bool inClass = false;
    for (std::size_t index = 0; index < pattern.size(); ++index) {
        const Unit unit = pattern[index];
        if (unit == u'\\') {
            ++index;
        } else if (inClass) {
            inClass = unit != u']';
        } else if (unit == u'[') {
            inClass = true;
        } else if (unit == u'(' && (index + 1 == pattern.size() || pattern[index + 1] != u'?')) {
            ++groups;
        }
    }
    return groups;
}

class Translator {
  public:
    Translator(std::u16string_view pattern, PatternOptions options)
        : pattern_(pattern), options_(options), captureGroups_(countCaptureGroups(pattern)) {}

    std::optional<std::u16string> run() {
        while (!atEnd()) {
            if (!translateNext()) {
                return std::nullopt;
            }
        }
        if (openGroups_ != 0) {
            return std::nullopt;
        }
        return std::move(output_);
    }

  private:
    bool atEnd() const { return position_ >= pattern_.size(); }

    bool lookingAt(Unit unit, std::size_t ahead = 0) const {
        return position_ + ahead < pattern_.size() && pattern_[position_ + ahead] == unit;
    }

    Unit take() { return pattern_[position_++]; }

    bool skip(Unit unit) {
        if (!lookingAt(unit)) {
            return false;
        }
        ++position_;
        return true;
    }

    bool translateNext() {
        const Unit unit = take();
        switch (unit) {
            case u'^':
                return assertion(options_.multiline ? lineStart : u"\\A");
            case u'$':
                return assertion(options_.multiline ? lineEnd : u"\\z");
            case u'|':
                output_ += u'|';
                return assertion(workPoint);
            case u'.':
                return atom(u".");
            case u'(':
                return openGroup();
            case u')':
                return closeGroup();
            case u'*':
            case u'+':
            case u'?':
                return repetition(std::u16string(1, unit));
            case u'{':
                return countedRepetitionOrBrace();
            case u'[':
                return characterClass();
            case u'\\':
                return escape();
            default:
                return literal(unit);
        }
    }

    bool assertion(std::u16string_view text) {
        output_ += text;
        canRepeat_ = false;
        return true;
    }

    bool atom(std::u16string_view text) {
        output_ += text;
        canRepeat_ = true;
        return true;
    }

    bool literal(Unit unit) {
        if (options_.ignoreCase && unit >= 0x80 && hasCaseVariants(unit)) {
            CodeUnitSet units;
            units.add(unit);
            return atom(setText(closeOverCase(units)));
        }
        return atom(unitText(unit));
    }

    bool openGroup() {
        if (skip(u'?')) {
            if (!(lookingAt(u':') || lookingAt(u'=') || lookingAt(u'!'))) {
                return false;
            }
            output_ += u"(?";
            output_ += take();
        } else {
            output_ += u'(';
        }
        ++openGroups_;
        canRepeat_ = false;
        return true;
    }

    bool closeGroup() {
        if (openGroups_ == 0) {
            return false;
        }
        --openGroups_;
        return atom(u")");
    }

    bool repetition(const std::u16string& quantifier) {
        if (!canRepeat_) {
            return false;
        }
        output_ += quantifier;
        if (skip(u'?')) {
            output_ += u'?';
        }
        return assertion(workPoint);
    }

    std::optional<std::size_t> number() {
        if (atEnd() || !isDecimalDigit(pattern_[position_])) {
            return std::nullopt;
        }
        std::size_t value = 0;
        while (!atEnd() && isDecimalDigit(pattern_[position_])) {
            value = std::min(value * 10 + (take() - u'0'), largestNumber);
        }
        return value;
    }

    // "{n}", "{n,}" or "{n,m}"; any other "{" is a plain brace.
    bool countedRepetitionOrBrace() {
        const std::size_t start = position_;
        const auto least = number();
        std::optional<std::size_t> most = least;
        bool unbounded = false;
        if (least && skip(u',')) {
            most = number();
            unbounded = !most;
        }
        if (!least || !skip(u'}')) {
            position_ = start;
            return literal(u'{');
        }
        if (most && *most < *least) {
            return false;
        }
        std::u16string text(1, u'{');
        text += decimal(*least);
        if (unbounded) {
            text += u',';
        } else if (*most != *least) {
            text += u',';
            text += decimal(*most);
        }
        text += u'}';
        return repetition(text);
    }

    // Up to three octal digits, the first already taken, for a value of at most 0377.
    Unit legacyOctal(Unit first) {
        unsigned value = first - u'0';
        const std::size_t maximumDigits = first <= u'3' ? 3 : 2;
        for (std::size_t digits = 1;
             digits < maximumDigits && !atEnd() && isOctalDigit(pattern_[position_]); ++digits) {
            value = value * 8 + (take() - u'0');
        }
        return static_cast<Unit>(value);
    }

    std::optional<Unit> hexDigits(std::size_t count) {
        if (position_ + count > pattern_.size()) {
            return std::nullopt;
        }
        unsigned value = 0;
        for (std::size_t index = 0; index < count; ++index) {
            const auto digit = hexValue(pattern_[position_ + index]);
            if (!digit) {
                return std::nullopt;
            }
            value = value * 16 + *digit;
        }
        position_ += count;
        return static_cast<Unit>(value);
    }

    // The unit a character escape stands for, the backslash already taken; an escape without a
    // meaning of its own stands for its letter.
    Unit escapedUnit(Unit letter) {
        switch (letter) {
            case u'f':
                return u'\f';
            case u'n':
                return u'\n';
            case u'r':
                return u'\r';
            case u't':
                return u'\t';
            case u'v':
                return u'\v';
            case u'0':
                return legacyOctal(letter);
            case u'x':
                return hexDigits(2).value_or(letter);
            case u'u':
                return hexDigits(4).value_or(letter);
            case u'c':
                if (!atEnd() && isAsciiLetter(pattern_[position_])) {
                    return static_cast<Unit>(take() % 32);
                }
                --position_;  // a plain backslash, then the "c" on its own
                return u'\\';
            default:
                return letter;
        }
    }

    bool escape() {
        if (atEnd()) {
            return false;
        }
        const Unit letter = take();
        if (letter == u'b') {
            return assertion(wordBoundary);
        }
        if (letter == u'B') {
            return assertion(notWordBoundary);
        }
        if (letter >= u'1' && letter <= u'9') {
            return backReferenceOrOctal(letter);
        }
        if (const auto units = classEscapeSet(letter)) {
            return atom(setText(*units));
        }
        return literal(escapedUnit(letter));
    }

    // "\n" names group n when the pattern has that many groups; otherwise it is an octal escape
    // (or, for 8 and 9, the digit itself).
    bool backReferenceOrOctal(Unit first) {
        const std::size_t afterFirst = position_;
        --position_;
        const std::size_t group = *number();
        if (group <= captureGroups_) {
            std::u16string text = u"\\g{";
            text += decimal(group);
            text += u'}';
            return atom(text);
        }
        position_ = afterFirst;
        return literal(first >= u'8' ? first : legacyOctal(first));
    }

    std::optional<ClassAtom> classAtom() {
        const Unit unit = take();
        if (unit != u'\\') {
            return unit;
        }
        if (atEnd()) {
            return std::nullopt;
        }
        const Unit letter = take();
        if (letter == u'b') {
            return Unit{u'\b'};
        }
        if (auto units = classEscapeSet(letter)) {
            return std::move(*units);
        }
        if (letter >= u'1' && letter <= u'7') {
            return legacyOctal(letter);
        }
        return escapedUnit(letter);
    }

    static void addAtom(CodeUnitSet& members, const ClassAtom& classAtom) {
        if (const Unit* unit = std::get_if<Unit>(&classAtom)) {
            members.add(*unit);
        } else {
            members.addAll(std::get<CodeUnitSet>(classAtom));
        }
    }

    // A range between two units; next to a set such as "\d" the hyphen is a member itself.
    static bool addRange(CodeUnitSet& members, const ClassAtom& first, const ClassAtom& last) {
        const Unit* firstUnit = std::get_if<Unit>(&first);
        const Unit* lastUnit = std::get_if<Unit>(&last);
        if (firstUnit && lastUnit) {
            if (*firstUnit > *lastUnit) {
                return false;
            }
            members.addRange(*firstUnit, *lastUnit);
            return true;
        }
        addAtom(members, first);
        members.add(u'-');
        addAtom(members, last);
        return true;
    }

    bool characterClass() {
        const bool negated = skip(u'^');
        CodeUnitSet members;
        while (!skip(u']')) {
            if (atEnd()) {
                return false;
            }
            const auto first = classAtom();
            if (!first) {
                return false;
            }
            if (lookingAt(u'-') && position_ + 1 < pattern_.size() && !lookingAt(u']', 1)) {
                ++position_;
                const auto last = classAtom();
                if (!last || !addRange(members, *first, *last)) {
                    return false;
                }
            } else {
                addAtom(members, *first);
            }
        }
        if (options_.ignoreCase) {
            members = closeOverCase(members);
        }
        return atom(setText(negated ? members.complement() : members));
    }

    std::u16string_view pattern_;
    PatternOptions options_;
    std::size_t captureGroups_;
    std::size_t position_ = 0;
    std::size_t openGroups_ = 0;
    bool canRepeat_ = false;
    std::u16string output_;
};

}  // namespace

std::optional<std::u16string> translatePattern(std::u16string_view pattern,
                                               PatternOptions options) {
    return Translator(pattern, options).run();
}

}  // namespace lornette::script_regexp
