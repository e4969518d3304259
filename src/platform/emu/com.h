// COM initialisation of the emulated desktop. The two COM objects themselves are C++ interfaces
// with native backends (platform/script_regexp, platform/http_request_object); what remains here
// is the per-thread initialisation count that the program balances.
#pragma once

#include "platform/emu/types.h"

#define S_OK 0
#define S_FALSE 1

HRESULT CoInitialize(LPVOID reserved);
void CoUninitialize();
