// Owners for the COM values the backend handles (IDispatch pointers, BSTRs, VARIANTs) and
// member access by name through IDispatch.
#pragma once

#include "platform/win32.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace lornette::script_regexp::com {

class Variant {
  public:
    Variant() { VariantInit(&value_); }
    ~Variant() { VariantClear(&value_); }
    Variant(Variant&& other) noexcept;
    Variant& operator=(Variant&& other) noexcept;
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;

    static Variant fromBool(bool value);
    static Variant fromInt(long value);
    static Variant fromText(std::wstring_view text);

    VARIANT* get() { return &value_; }
    const VARIANT& value() const { return value_; }

  private:
    VARIANT value_;
};

// An owned IDispatch reference.
class Dispatch {
  public:
    Dispatch() = default;
    explicit Dispatch(IDispatch* adopted) : object_(adopted) {}
    ~Dispatch() { reset(); }
    Dispatch(Dispatch&& other) noexcept;
    Dispatch& operator=(Dispatch&& other) noexcept;
    Dispatch(const Dispatch&) = delete;
    Dispatch& operator=(const Dispatch&) = delete;

    // A new instance of the class registered under the ProgID; empty when it cannot be made.
    static Dispatch create(const wchar_t* progId);

    // The object a VARIANT holds, with a reference of its own; empty for any other value.
    static Dispatch fromVariant(const Variant& value);

    explicit operator bool() const { return object_ != nullptr; }

    bool putProperty(const wchar_t* name, Variant& value) const;

    // Reads a property or calls a method, with the arguments in their written order.
    std::optional<Variant> get(const wchar_t* name, std::span<Variant> arguments = {}) const;
    std::optional<Variant> call(const wchar_t* name, std::span<Variant> arguments) const;

  private:
    void reset();
    bool invoke(const wchar_t* name, WORD kind, std::span<Variant> arguments,
                VARIANT* result) const;

    IDispatch* object_ = nullptr;
};

// The text a VARIANT holds, converted to a string where it holds something else; no value when
// it is empty or cannot be converted.
std::optional<std::wstring> textOf(const Variant& value);

// The number a VARIANT holds, converted where needed.
std::optional<long> numberOf(const Variant& value);

}  // namespace lornette::script_regexp::com
