#include "platform/http_request_object/com_dispatch.h"

#include <algorithm>
#include <cstring>
#include <iterator>

namespace lornette::platform {
namespace {

struct BstrFree {
    void operator()(wchar_t* text) const { SysFreeString(text); }
};
using OwnedBstr = std::unique_ptr<wchar_t, BstrFree>;

OwnedBstr ansiToBstr(const std::string& text) {
    if (text.empty()) {
        return OwnedBstr(SysAllocStringLen(L"", 0));
    }
    const int textLength = static_cast<int>(text.size());
    const int wideLength = MultiByteToWideChar(CP_ACP, 0, text.data(), textLength, nullptr, 0);
    if (wideLength <= 0) {
        return nullptr;
    }
    OwnedBstr wide(SysAllocStringLen(nullptr, static_cast<UINT>(wideLength)));
    if (!wide || MultiByteToWideChar(CP_ACP, 0, text.data(), textLength, wide.get(), wideLength) !=
                     wideLength) {
        return nullptr;
    }
    return wide;
}

std::string bstrToAnsi(BSTR wide) {
    const int wideLength = static_cast<int>(SysStringLen(wide));
    if (wideLength == 0) {
        return {};
    }
    const int textLength =
        WideCharToMultiByte(CP_ACP, 0, wide, wideLength, nullptr, 0, nullptr, nullptr);
    if (textLength <= 0) {
        return {};
    }
    std::string text(static_cast<std::size_t>(textLength), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide, wideLength, text.data(), textLength, nullptr, nullptr);
    return text;
}

// Gives access to the bytes of a SAFEARRAY for as long as it lives.
class SafeArrayData {
  public:
    explicit SafeArrayData(SAFEARRAY* array) : array_(array) {
        if (SafeArrayAccessData(array_, &data_) < 0) {
            data_ = nullptr;
        }
    }
    SafeArrayData(const SafeArrayData&) = delete;
    SafeArrayData& operator=(const SafeArrayData&) = delete;
    ~SafeArrayData() {
        if (data_ != nullptr) {
            SafeArrayUnaccessData(array_);
        }
    }

    std::uint8_t* bytes() const { return static_cast<std::uint8_t*>(data_); }

  private:
    SAFEARRAY* array_;
    void* data_ = nullptr;
};

std::size_t byteCount(SAFEARRAY* array) {
    LONG lower = 0;
    LONG upper = -1;
    if (SafeArrayGetDim(array) != 1 || SafeArrayGetLBound(array, 1, &lower) < 0 ||
        SafeArrayGetUBound(array, 1, &upper) < 0 || upper < lower) {
        return 0;
    }
    return static_cast<std::size_t>(upper - lower) + 1;
}

constexpr VARTYPE byteArrayType = VT_ARRAY | VT_UI1;

}  // namespace

Variant::Variant(Variant&& other) noexcept : value_(other.value_) {
    VariantInit(&other.value_);
}

Variant Variant::fromInteger(std::int32_t number) {
    Variant variant;
    variant.value_.vt = VT_I4;
    variant.value_.lVal = number;
    return variant;
}

Variant Variant::fromBoolean(bool flag) {
    Variant variant;
    variant.value_.vt = VT_BOOL;
    variant.value_.boolVal = flag ? VARIANT_TRUE : VARIANT_FALSE;
    return variant;
}

std::optional<Variant> Variant::fromText(const std::string& ansiText) {
    OwnedBstr text = ansiToBstr(ansiText);
    if (!text) {
        return std::nullopt;
    }
    Variant variant;
    variant.value_.vt = VT_BSTR;
    variant.value_.bstrVal = text.release();
    return variant;
}

std::optional<Variant> Variant::fromBytes(const std::vector<std::uint8_t>& bytes) {
    SAFEARRAY* array = SafeArrayCreateVector(VT_UI1, 0, static_cast<ULONG>(bytes.size()));
    if (array == nullptr) {
        return std::nullopt;
    }
    Variant variant;
    variant.value_.vt = byteArrayType;
    variant.value_.parray = array;
    const SafeArrayData data(array);
    if (data.bytes() == nullptr) {
        return std::nullopt;
    }
    std::copy(bytes.begin(), bytes.end(), data.bytes());
    return variant;
}

std::string Variant::toText() const {
    return value_.vt == VT_BSTR ? bstrToAnsi(value_.bstrVal) : std::string();
}

std::vector<std::uint8_t> Variant::toBytes() const {
    if (value_.vt != byteArrayType || value_.parray == nullptr) {
        return {};
    }
    const std::size_t count = byteCount(value_.parray);
    const SafeArrayData data(value_.parray);
    if (count == 0 || data.bytes() == nullptr) {
        return {};
    }
    return std::vector<std::uint8_t>(data.bytes(), data.bytes() + count);
}

double Variant::toNumber() const {
    Variant number;
    // The source is only read, whatever the declaration says.
    VARIANT* source = const_cast<VARIANT*>(&value_);
    if (VariantChangeType(&number.value_, source, 0, VT_R8) < 0) {
        return 0;
    }
    return number.value_.dblVal;
}

std::optional<DispatchObject> DispatchObject::create(const wchar_t* progId) {
    CLSID classId{};
    if (CLSIDFromProgID(progId, &classId) < 0) {
        return std::nullopt;
    }
    void* object = nullptr;
    if (CoCreateInstance(classId, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, &object) < 0 ||
        object == nullptr) {
        return std::nullopt;
    }
    return DispatchObject(static_cast<IDispatch*>(object));
}

bool DispatchObject::call(const wchar_t* member, std::vector<Variant>& arguments) {
    // Automation takes the arguments last first.
    std::vector<VARIANT> reversed;
    std::transform(arguments.rbegin(), arguments.rend(), std::back_inserter(reversed),
                   [](Variant& argument) { return argument.raw(); });
    DISPPARAMS parameters{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
    Variant result;
    return invoke(member, DISPATCH_METHOD, parameters, &result.raw());
}

bool DispatchObject::writeIndexed(const wchar_t* member, Variant& index, Variant& value) {
    VARIANT arguments[] = {value.raw(), index.raw()};
    DISPID namedArgument = DISPID_PROPERTYPUT;
    DISPPARAMS parameters{arguments, &namedArgument, 2, 1};
    return invoke(member, DISPATCH_PROPERTYPUT, parameters, nullptr);
}

std::optional<Variant> DispatchObject::read(const wchar_t* member) {
    DISPPARAMS noArguments{nullptr, nullptr, 0, 0};
    Variant result;
    if (!invoke(member, DISPATCH_PROPERTYGET | DISPATCH_METHOD, noArguments, &result.raw())) {
        return std::nullopt;
    }
    return result;
}

std::optional<DISPID> DispatchObject::memberId(const wchar_t* member) {
    std::wstring name(member);
    LPOLESTR names[] = {name.data()};
    DISPID id = 0;
    if (object_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id) < 0) {
        return std::nullopt;
    }
    return id;
}

bool DispatchObject::invoke(const wchar_t* member, WORD flags, DISPPARAMS& parameters,
                            VARIANT* result) {
    const std::optional<DISPID> id = memberId(member);
    return id && object_->Invoke(*id, IID_NULL, LOCALE_USER_DEFAULT, flags, &parameters, result,
                                 nullptr, nullptr) >= 0;
}

}  // namespace lornette::platform
