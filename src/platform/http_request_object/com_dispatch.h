// Late-bound COM automation: a dispatch object driven by member name, and owners for the
// VARIANTs that cross to it. Texts are converted between the ANSI code page and BSTRs.
#pragma once

#include "platform/win32.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace lornette::platform {

// A VARIANT that clears what it holds when it goes.
class Variant {
  public:
    Variant() { VariantInit(&value_); }
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;
    Variant(Variant&& other) noexcept;
    Variant& operator=(Variant&&) = delete;
    ~Variant() { VariantClear(&value_); }

    static Variant fromInteger(std::int32_t number);
    static Variant fromBoolean(bool flag);
    // None when the text cannot be converted or no memory is left.
    static std::optional<Variant> fromText(const std::string& ansiText);
    static std::optional<Variant> fromBytes(const std::vector<std::uint8_t>& bytes);

    // Empty values when the VARIANT holds something else.
    std::string toText() const;
    std::vector<std::uint8_t> toBytes() const;
    double toNumber() const;

    VARIANT& raw() { return value_; }

  private:
    VARIANT value_;
};

struct ComRelease {
    void operator()(IUnknown* object) const { object->Release(); }
};

class DispatchObject {
  public:
    // The object registered under the ProgID, or none when it cannot be created.
    static std::optional<DispatchObject> create(const wchar_t* progId);

    // Each reports whether the member call succeeded. Arguments are in their natural order.
    bool call(const wchar_t* member, std::vector<Variant>& arguments);
    bool writeIndexed(const wchar_t* member, Variant& index, Variant& value);
    // The value of a property, or what a method without arguments returns.
    std::optional<Variant> read(const wchar_t* member);

  private:
    explicit DispatchObject(IDispatch* object) : object_(object) {}

    std::optional<DISPID> memberId(const wchar_t* member);
    bool invoke(const wchar_t* member, WORD flags, DISPPARAMS& parameters, VARIANT* result);

    std::unique_ptr<IDispatch, ComRelease> object_;
};

}  // namespace lornette::platform
