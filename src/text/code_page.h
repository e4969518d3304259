// Conversions between texts in a code page and UTF-16, through the platform's
// MultiByteToWideChar and WideCharToMultiByte with their default substitutions.
#pragma once

#include "platform/win32.h"

#include <string>

namespace lornette {

using WideText = std::basic_string<WCHAR>;

inline constexpr UINT codePage936 = 936;

// The UTF-16 reading of the text (up to its first zero byte); the empty text when the code
// page cannot read it.
WideText toWideText(const std::string& text, UINT codePage = CP_UTF8);

// The UTF-16 text (up to its first zero unit) in the code page. The buffer is sized for the
// system ANSI code page and starts out as spaces, so a conversion that fails gives spaces only.
std::string fromWideText(const WideText& wide, UINT codePage = CP_ACP);

// A UTF-8 text in code page 936.
std::string utf8ToCp936(const std::string& text);

}  // namespace lornette
