#include "platform/script_regexp/com_dispatch.h"

#include <utility>
#include <vector>

namespace lornette::script_regexp::com {

Variant::Variant(Variant&& other) noexcept : value_(other.value_) {
    VariantInit(&other.value_);
}

Variant& Variant::operator=(Variant&& other) noexcept {
    if (this != &other) {
        VariantClear(&value_);
        value_ = other.value_;
        VariantInit(&other.value_);
    }
    return *this;
}

Variant Variant::fromBool(bool value) {
    Variant variant;
    variant.value_.vt = VT_BOOL;
    variant.value_.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
    return variant;
}

Variant Variant::fromInt(long value) {
    Variant variant;
    variant.value_.vt = VT_I4;
    variant.value_.lVal = value;
    return variant;
}

Variant Variant::fromText(std::wstring_view text) {
    Variant variant;
    variant.value_.bstrVal = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    if (variant.value_.bstrVal != nullptr) {
        variant.value_.vt = VT_BSTR;
    }
    return variant;
}

Dispatch::Dispatch(Dispatch&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}

Dispatch& Dispatch::operator=(Dispatch&& other) noexcept {
    if (this != &other) {
        reset();
        object_ = std::exchange(other.object_, nullptr);
    }
    return *this;
}

void Dispatch::reset() {
    if (object_ != nullptr) {
        std::exchange(object_, nullptr)->Release();
    }
}

Dispatch Dispatch::create(const wchar_t* progId) {
    CLSID classId{};
    if (FAILED(CLSIDFromProgID(progId, &classId))) {
        return {};
    }
    IDispatch* object = nullptr;
    if (FAILED(CoCreateInstance(classId, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                                reinterpret_cast<void**>(&object)))) {
        return {};
    }
    return Dispatch(object);
}

Dispatch Dispatch::fromVariant(const Variant& value) {
    const VARIANT& variant = value.value();
    if (variant.vt != VT_DISPATCH || variant.pdispVal == nullptr) {
        return {};
    }
    variant.pdispVal->AddRef();
    return Dispatch(variant.pdispVal);
}

bool Dispatch::invoke(const wchar_t* name, WORD kind, std::span<Variant> arguments,
                      VARIANT* result) const {
    if (object_ == nullptr) {
        return false;
    }
    DISPID member = DISPID_UNKNOWN;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    if (FAILED(object_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &member))) {
        return false;
    }
    // IDispatch takes the arguments last first.
    std::vector<VARIANT> reversed;
    for (auto argument = arguments.rbegin(); argument != arguments.rend(); ++argument) {
        reversed.push_back(*argument->get());
    }
    DISPID putId = DISPID_PROPERTYPUT;
    DISPPARAMS parameters{};
    parameters.rgvarg = reversed.data();
    parameters.cArgs = static_cast<UINT>(reversed.size());
    if (kind == DISPATCH_PROPERTYPUT) {
        parameters.rgdispidNamedArgs = &putId;
        parameters.cNamedArgs = 1;
    }
    return SUCCEEDED(object_->Invoke(member, IID_NULL, LOCALE_USER_DEFAULT, kind, &parameters,
                                     result, nullptr, nullptr));
}

bool Dispatch::putProperty(const wchar_t* name, Variant& value) const {
    return invoke(name, DISPATCH_PROPERTYPUT, std::span<Variant>(&value, 1), nullptr);
}

std::optional<Variant> Dispatch::get(const wchar_t* name, std::span<Variant> arguments) const {
    std::optional<Variant> result(std::in_place);
    if (!invoke(name, DISPATCH_PROPERTYGET | DISPATCH_METHOD, arguments, result->get())) {
        return std::nullopt;
    }
    return result;
}

std::optional<Variant> Dispatch::call(const wchar_t* name, std::span<Variant> arguments) const {
    std::optional<Variant> result(std::in_place);
    if (!invoke(name, DISPATCH_METHOD, arguments, result->get())) {
        return std::nullopt;
    }
    return result;
}

namespace {

// VariantChangeType only reads its source, though some SDKs declare it writable.
HRESULT changeType(Variant& converted, const Variant& source, VARTYPE type) {
    return VariantChangeType(converted.get(), const_cast<VARIANT*>(&source.value()), 0, type);
}

}  // namespace

std::optional<std::wstring> textOf(const Variant& value) {
    if (value.value().vt == VT_EMPTY || value.value().vt == VT_NULL) {
        return std::nullopt;
    }
    Variant converted;
    if (FAILED(changeType(converted, value, VT_BSTR))) {
        return std::nullopt;
    }
    const BSTR text = converted.value().bstrVal;
    return std::wstring(text, SysStringLen(text));
}

std::optional<long> numberOf(const Variant& value) {
    Variant converted;
    if (FAILED(changeType(converted, value, VT_I4))) {
        return std::nullopt;
    }
    return converted.value().lVal;
}

}  // namespace lornette::script_regexp::com
