// The registry, read side, and the environment's expansion.
#include <cstring>

#include "platform/emu/desktop.h"

using namespace emu::detail;

namespace {

bool isPredefinedHive(HKEY key) {
    return key == HKEY_CLASSES_ROOT || key == HKEY_CURRENT_USER || key == HKEY_LOCAL_MACHINE;
}

// A key exists when it holds values itself or lies above a key that does.
bool keyExists(Desktop& desktop, const std::string& path) {
    for (const auto& [keyPath, values] : desktop.registry) {
        if (keyPath == path || keyPath.starts_with(path + "\\")) {
            return true;
        }
    }
    return false;
}

}  // namespace

LSTATUS RegOpenKeyExA(HKEY key, LPCSTR subKey, DWORD, REGSAM, PHKEY result) {
    Desktop& desktop = Desktop::instance();
    Lock lock = lockDesktop();
    if (result == nullptr) {
        return ERROR_INVALID_PARAMETER;
    }
    std::string base;
    if (isPredefinedHive(key)) {
        base = registryPath(key, "");
    } else if (const auto open = desktop.openKeys.find(key); open != desktop.openKeys.end()) {
        base = open->second;
    } else {
        return ERROR_INVALID_HANDLE;
    }
    const std::string path =
        subKey == nullptr || *subKey == '\0' ? base : base + "\\" + lowerAscii(subKey);
    if (!keyExists(desktop, path)) {
        return ERROR_FILE_NOT_FOUND;
    }
    const HKEY opened = reinterpret_cast<HKEY>(desktop.newKernelHandle());
    desktop.openKeys[opened] = path;
    *result = opened;
    return ERROR_SUCCESS;
}

LSTATUS RegQueryValueExA(HKEY key, LPCSTR valueName, LPDWORD, LPDWORD type, LPBYTE data,
                         LPDWORD dataSize) {
    Desktop& desktop = Desktop::instance();
    Lock lock = lockDesktop();
    const auto open = desktop.openKeys.find(key);
    if (open == desktop.openKeys.end()) {
        return ERROR_INVALID_HANDLE;
    }
    const auto values = desktop.registry.find(open->second);
    if (values == desktop.registry.end()) {
        return ERROR_FILE_NOT_FOUND;
    }
    const auto value = values->second.find(lowerAscii(valueName != nullptr ? valueName : ""));
    if (value == values->second.end()) {
        return ERROR_FILE_NOT_FOUND;
    }
    const RegistryValue& stored = value->second;
    if (type != nullptr) {
        *type = stored.type;
    }
    const auto size = static_cast<DWORD>(stored.data.size());
    if (data != nullptr) {
        if (dataSize == nullptr) {
            return ERROR_INVALID_PARAMETER;
        }
        if (*dataSize < size) {
            *dataSize = size;
            return ERROR_MORE_DATA;
        }
        std::memcpy(data, stored.data.data(), stored.data.size());
    }
    if (dataSize != nullptr) {
        *dataSize = size;
    }
    return ERROR_SUCCESS;
}

LSTATUS RegCloseKey(HKEY key) {
    Lock lock = lockDesktop();
    if (isPredefinedHive(key)) {
        return ERROR_SUCCESS;
    }
    return Desktop::instance().openKeys.erase(key) > 0 ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

// References to undefined variables stay as they are, percent signs included.
DWORD ExpandEnvironmentStringsA(LPCSTR source, LPSTR destination, DWORD size) {
    Desktop& desktop = Desktop::instance();
    Lock lock = lockDesktop();
    const std::string text = source != nullptr ? source : "";
    std::string expanded;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t open = text.find('%', at);
        const std::size_t close = open == std::string::npos ? open : text.find('%', open + 1);
        if (close == std::string::npos) {
            expanded += text.substr(at);
            break;
        }
        expanded += text.substr(at, open - at);
        const auto variable =
            desktop.environment.find(lowerAscii(text.substr(open + 1, close - open - 1)));
        if (variable != desktop.environment.end()) {
            expanded += variable->second.second;
            at = close + 1;
        } else {
            expanded += text.substr(open, close - open);
            at = close;
        }
    }
    const auto needed = static_cast<DWORD>(expanded.size() + 1);
    if (destination != nullptr && size >= needed) {
        std::memcpy(destination, expanded.c_str(), needed);
    }
    return needed;
}
