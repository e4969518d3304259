#include "app/startup.h"

#include <vector>

#include "app/program_state.h"
#include "app/single_instance.h"
#include "app/visibility.h"
#include "clipboard/clipboard_watcher.h"
#include "download/download_manager.h"

namespace lornette {

namespace {

constexpr const char* kNoticeTitle = "信息：";
constexpr const char* kPathUnreadableNotice = "尚未安装IDM或读取IDM目录失败";
constexpr const char* kPathFoundNotice = "检测到IDM目录为：";
constexpr const char* kNotInstalledNotice = "尚未安装IDM";

// Owns an open registry key.
class RegistryKey {
  public:
    RegistryKey(HKEY hive, const char* path) {
        if (RegOpenKeyExA(hive, path, 0, KEY_READ, &key_) != ERROR_SUCCESS) {
            key_ = nullptr;
        }
    }
    ~RegistryKey() {
        if (key_ != nullptr) {
            RegCloseKey(key_);
        }
    }
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    // The default value's bytes and type; no bytes when it cannot be read.
    std::vector<char> readDefaultValue(DWORD& type) const {
        DWORD size = 0;
        if (key_ == nullptr ||
            RegQueryValueExA(key_, nullptr, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) {
            return {};
        }
        // One zero more than the value holds: a stored string need not end in one.
        std::vector<char> data(size + 1, '\0');
        if (RegQueryValueExA(key_, nullptr, nullptr, &type, reinterpret_cast<LPBYTE>(data.data()),
                             &size) != ERROR_SUCCESS) {
            return {};
        }
        return data;
    }

  private:
    HKEY key_ = nullptr;
};

std::string expandEnvironment(const std::string& text) {
    const DWORD size = ExpandEnvironmentStringsA(text.c_str(), nullptr, 0);
    if (size == 0) {
        return text;
    }
    std::vector<char> expanded(size + 1, '\0');
    ExpandEnvironmentStringsA(text.c_str(), expanded.data(), size);
    return expanded.data();
}

std::string documentsFolder() {
    char path[MAX_PATH + 1] = {};
    if (!SHGetSpecialFolderPathA(nullptr, path, CSIDL_PERSONAL, FALSE)) {
        return {};
    }
    return path;
}

void createEmptyFile(const std::string& path) {
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        CloseHandle(file);
    }
}

}  // namespace

std::string readDownloaderPath() {
    const RegistryKey key(downloadManager::registryHive(), downloadManager::kRegistryKey);
    DWORD type = REG_NONE;
    const std::vector<char> value = key.readDefaultValue(type);
    if (value.empty()) {
        return {};
    }
    const std::string text = value.data();  // up to the first zero
    switch (type) {
        case REG_SZ:
            return text;
        case REG_EXPAND_SZ:
            return expandEnvironment(text);
        default:
            return {};
    }
}

void showNotice(const std::string& text) {
    MessageBoxA(nullptr, text.c_str(), kNoticeTitle, MB_OK | MB_TASKMODAL);
}

std::string markerPath() {
    std::string folder = documentsFolder();
    if (!folder.empty() && folder.back() != '\\') {
        folder += '\\';
    }
    return folder + kMarkerFileName;
}

void showFirstRunNotice() {
    if (PathFileExistsA(markerPath().c_str())) {
        return;
    }
    showNotice(downloaderPath.empty() ? std::string(kNotInstalledNotice)
                                      : kPathFoundNotice + downloaderPath);
    createEmptyFile(markerPath());
}

void onMainWindowCreated() {
    ensureSingleInstance(kSingleInstanceEventName);
    downloaderPath = readDownloaderPath();
    if (downloaderPath.empty()) {
        showNotice(kPathUnreadableNotice);
    }
    showFirstRunNotice();
    clipboardWatcher::install();
    trayIcon->addIcon(mainWindow, nullptr, "");
    trayIcon->setEventHandler(onTrayEvent);
}

}  // namespace lornette
