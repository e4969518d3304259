#include "platform/emu/codepage.h"

#include <unicode/ucnv.h>
#include <unicode/ucnv_cb.h>
#include <unicode/ustring.h>

#include <cstring>
#include <memory>
#include <vector>

namespace {

constexpr UINT ansiCodePage = 936;

struct ConverterCloser {
    void operator()(UConverter* converter) const { ucnv_close(converter); }
};
using Converter = std::unique_ptr<UConverter, ConverterCloser>;

// Windows answers a character a double-byte code page lacks with its default character, once
// per UTF-16 unit, so a surrogate pair becomes two of them.
void substituteDefaultCharacter(const void*, UConverterFromUnicodeArgs* args, const UChar*,
                                int32_t length, UChar32, UConverterCallbackReason reason,
                                UErrorCode* status) {
    if (reason > UCNV_IRREGULAR) {
        return;
    }
    *status = U_ZERO_ERROR;
    const std::vector<char> defaults(static_cast<std::size_t>(length), '?');
    ucnv_cbFromUWriteBytes(args, defaults.data(), length, 0, status);
}

Converter openConverter(const char* name, bool substitutePerUnit) {
    UErrorCode status = U_ZERO_ERROR;
    Converter converter(ucnv_open(name, &status));
    if (U_FAILURE(status)) {
        return nullptr;
    }
    // Windows converts with its best-fit mappings unless told otherwise.
    ucnv_setFallback(converter.get(), true);
    if (substitutePerUnit) {
        ucnv_setFromUCallBack(converter.get(), substituteDefaultCharacter, nullptr, nullptr,
                              nullptr, &status);
    }
    return U_SUCCESS(status) ? std::move(converter) : nullptr;
}

// The thread's converter for a code page the desktop knows; Windows' own table for 936, where
// 0x80 is the euro sign. Every whole-text conversion resets the converter it uses.
UConverter* converterFor(UINT codePage) {
    thread_local const Converter cp936 = openConverter("windows-936-2000", true);
    thread_local const Converter utf8 = openConverter("UTF-8", false);
    switch (codePage == CP_ACP ? ansiCodePage : codePage) {
        case ansiCodePage:
            return cp936.get();
        case CP_UTF8:
            return utf8.get();
        default:
            return nullptr;
    }
}

// Hands the converted units to the caller the way Windows does: the count when the caller asks
// for the size, the units when they fit, nothing (0) when they do not.
template <typename Unit>
int deliver(const std::vector<Unit>& converted, Unit* destination, int capacity) {
    const int count = static_cast<int>(converted.size());
    if (capacity == 0) {
        return count;
    }
    if (count > capacity) {
        return 0;
    }
    std::memcpy(destination, converted.data(), converted.size() * sizeof(Unit));
    return count;
}

}  // namespace

UINT GetACP() {
    return ansiCodePage;
}

int MultiByteToWideChar(UINT codePage, DWORD flags, LPCSTR text, int textLength, LPWSTR wide,
                        int wideLength) {
    if (flags != 0 || text == nullptr || textLength == 0 || textLength < -1 || wideLength < 0 ||
        (wideLength > 0 && wide == nullptr)) {
        return 0;
    }
    UConverter* converter = converterFor(codePage);
    if (converter == nullptr) {
        return 0;
    }
    const int32_t length = textLength == -1 ? static_cast<int32_t>(std::strlen(text)) + 1
                                            : static_cast<int32_t>(textLength);
    UErrorCode status = U_ZERO_ERROR;
    const int32_t needed = ucnv_toUChars(converter, nullptr, 0, text, length, &status);
    std::vector<WCHAR> converted(static_cast<std::size_t>(needed));
    status = U_ZERO_ERROR;
    ucnv_toUChars(converter, converted.data(), needed, text, length, &status);
    if (U_FAILURE(status) && status != U_STRING_NOT_TERMINATED_WARNING) {
        return 0;
    }
    return deliver(converted, wide, wideLength);
}

int WideCharToMultiByte(UINT codePage, DWORD flags, LPCWSTR wide, int wideLength, LPSTR text,
                        int textLength, LPCSTR defaultChar, LPBOOL usedDefaultChar) {
    if (flags != 0 || wide == nullptr || wideLength == 0 || wideLength < -1 || textLength < 0 ||
        (textLength > 0 && text == nullptr) || defaultChar != nullptr ||
        usedDefaultChar != nullptr) {
        return 0;
    }
    UConverter* converter = converterFor(codePage);
    if (converter == nullptr) {
        return 0;
    }
    const int32_t length = wideLength == -1 ? u_strlen(wide) + 1 : static_cast<int32_t>(wideLength);
    UErrorCode status = U_ZERO_ERROR;
    const int32_t needed = ucnv_fromUChars(converter, nullptr, 0, wide, length, &status);
    std::vector<char> converted(static_cast<std::size_t>(needed));
    status = U_ZERO_ERROR;
    ucnv_fromUChars(converter, converted.data(), needed, wide, length, &status);
    if (U_FAILURE(status) && status != U_STRING_NOT_TERMINATED_WARNING) {
        return 0;
    }
    return deliver(converted, text, textLength);
}
