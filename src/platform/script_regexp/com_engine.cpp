#include "platform/script_regexp/com_dispatch.h"
#include "platform/script_regexp/script_regexp.h"

#include <utility>

namespace lornette::script_regexp {
namespace {

using com::Dispatch;
using com::Variant;

class ComMatchCollection final : public MatchCollection {
  public:
    explicit ComMatchCollection(Dispatch matches) : matches_(std::move(matches)) {}

    int count() const override {
        const auto count = matches_.get(L"Count");
        return count ? static_cast<int>(com::numberOf(*count).value_or(0)) : 0;
    }

    std::optional<Text> subMatch(int match, int group) const override {
        if (match < 0 || group < 0) {
            return std::nullopt;
        }
        const Dispatch item = itemObject(matches_, match);
        const auto subMatchesValue = item.get(L"SubMatches");
        if (!subMatchesValue) {
            return std::nullopt;
        }
        const Dispatch subMatches = Dispatch::fromVariant(*subMatchesValue);
        Variant index = Variant::fromInt(group);
        const auto value = subMatches.get(L"Item", std::span<Variant>(&index, 1));
        return value ? com::textOf(*value) : std::nullopt;
    }

  private:
    static Dispatch itemObject(const Dispatch& collection, int index) {
        Variant argument = Variant::fromInt(index);
        const auto item = collection.get(L"Item", std::span<Variant>(&argument, 1));
        return item ? Dispatch::fromVariant(*item) : Dispatch();
    }

    Dispatch matches_;
};

// "VBScript.RegExp" itself, driven by member name.
class ComEngine final : public Engine {
  public:
    explicit ComEngine(Dispatch regExp) : regExp_(std::move(regExp)) {}

    bool setIgnoreCase(bool ignoreCase) override { return putFlag(L"IgnoreCase", ignoreCase); }
    bool setMultiline(bool multiline) override { return putFlag(L"Multiline", multiline); }
    bool setGlobal(bool global) override { return putFlag(L"Global", global); }

    bool setPattern(TextView pattern) override {
        Variant value = Variant::fromText(pattern);
        return value.value().vt == VT_BSTR && regExp_.putProperty(L"Pattern", value);
    }

    std::unique_ptr<MatchCollection> execute(TextView subject) override {
        Variant argument = Variant::fromText(subject);
        if (argument.value().vt != VT_BSTR) {
            return nullptr;
        }
        const auto result = regExp_.call(L"Execute", std::span<Variant>(&argument, 1));
        Dispatch matches = result ? Dispatch::fromVariant(*result) : Dispatch();
        if (!matches) {
            return nullptr;
        }
        return std::make_unique<ComMatchCollection>(std::move(matches));
    }

  private:
    bool putFlag(const wchar_t* name, bool flag) {
        Variant value = Variant::fromBool(flag);
        return regExp_.putProperty(name, value);
    }

    Dispatch regExp_;
};

}  // namespace

std::unique_ptr<Engine> createEngine() {
    Dispatch regExp = Dispatch::create(L"VBScript.RegExp");
    if (!regExp) {
        return nullptr;
    }
    return std::make_unique<ComEngine>(std::move(regExp));
}

}  // namespace lornette::script_regexp
