// Settings of the desktop outside the window manager: the drives on the host, the documents
// folder, the environment, the registry, and the text conversion of the control side.
#include <unicode/ucnv.h>

#include <cstdlib>
#include <filesystem>
#include <vector>

#include "platform/emu/desktop.h"

using namespace emu::detail;

namespace emu::detail {

namespace {

constexpr const char* kDefaultDocuments = "C:\\Users\\User\\Documents";

// The drive root made by the desktop itself, removed again when it is replaced.
std::string& ownedDriveRoot() {
    static std::string root;
    return root;
}

std::string makeTemporaryDriveRoot() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "lornette-desktop-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        return std::filesystem::temp_directory_path().string();
    }
    return pattern;
}

void removeOwnedDriveRoot() {
    std::string& owned = ownedDriveRoot();
    if (!owned.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(owned, ignored);
        owned.clear();
    }
}

void defineDefaultEnvironment(Desktop& desktop) {
    desktop.environment.clear();
    const std::pair<const char*, const char*> defaults[] = {
        {"SystemDrive", "C:"},
        {"SystemRoot", "C:\\Windows"},
        {"windir", "C:\\Windows"},
        {"ProgramFiles", "C:\\Program Files"},
        {"ProgramFiles(x86)", "C:\\Program Files (x86)"},
        {"USERPROFILE", "C:\\Users\\User"},
        {"APPDATA", "C:\\Users\\User\\AppData\\Roaming"},
    };
    for (const auto& [name, value] : defaults) {
        desktop.environment[lowerAscii(name)] = {name, value};
    }
}

}  // namespace

void resetDesktopSettings(Desktop& desktop) {
    removeOwnedDriveRoot();
    desktop.driveRoot = makeTemporaryDriveRoot();
    ownedDriveRoot() = desktop.driveRoot;
    desktop.documentsFolder = kDefaultDocuments;
    std::filesystem::create_directories(
        toHostPath(desktop, *desktop.defaultProcess, kDefaultDocuments));
    defineDefaultEnvironment(desktop);
    desktop.registry.clear();
    desktop.openKeys.clear();
    desktop.shellRunning = true;
    desktop.trayIcons.clear();
    desktop.menus.clear();
    desktop.trackedMenu.reset();
    desktop.messageBoxes.clear();
}

void removeDesktopFiles() {
    removeOwnedDriveRoot();
}

std::string toHostPath(Desktop& desktop, const ProcessRecord& process, std::string_view path) {
    std::string full(path);
    const bool hasDrive = full.size() >= 2 && full[1] == ':';
    if (!hasDrive) {
        const std::string base =
            process.currentDirectory.empty() ? "C:\\" : process.currentDirectory;
        if (!full.empty() && (full[0] == '\\' || full[0] == '/')) {
            full = base.substr(0, 2) + full;
        } else {
            full = base + "\\" + full;
        }
    }
    std::vector<std::string> parts{std::string(1, static_cast<char>(std::toupper(full[0])))};
    std::string part;
    const auto flush = [&] {
        if (part == "..") {
            if (parts.size() > 1) {
                parts.pop_back();
            }
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        part.clear();
    };
    for (std::size_t i = 2; i < full.size(); ++i) {
        if (full[i] == '\\' || full[i] == '/') {
            flush();
        } else {
            part += full[i];
        }
    }
    flush();
    std::filesystem::path host(desktop.driveRoot);
    for (const std::string& each : parts) {
        host /= each;
    }
    return host.string();
}

std::string registryPath(HKEY hive, std::string_view key) {
    std::string path = std::to_string(reinterpret_cast<std::uintptr_t>(hive));
    std::string normal;
    for (char c : key) {
        normal += c == '/' ? '\\' : c;
    }
    while (!normal.empty() && normal.front() == '\\') {
        normal.erase(normal.begin());
    }
    while (!normal.empty() && normal.back() == '\\') {
        normal.pop_back();
    }
    return lowerAscii(normal.empty() ? path : path + "\\" + normal);
}

}  // namespace emu::detail

namespace emu::control {

namespace {

std::string convert(const char* to, const char* from, std::string_view text) {
    if (text.empty()) {
        return {};
    }
    UErrorCode status = U_ZERO_ERROR;
    std::vector<char> out(text.size() * 4 + 4);
    const int32_t written = ucnv_convert(to, from, out.data(), static_cast<int32_t>(out.size()),
                                         text.data(), static_cast<int32_t>(text.size()), &status);
    return U_FAILURE(status) ? std::string()
                             : std::string(out.data(), static_cast<std::size_t>(written));
}

}  // namespace

std::string utf8FromAnsi(std::string_view ansi) {
    return convert("UTF-8", "windows-936-2000", ansi);
}

std::string ansiFromUtf8(std::string_view utf8) {
    return convert("windows-936-2000", "UTF-8", utf8);
}

void setDriveRoot(const std::string& hostFolder) {
    Lock lock = lockDesktop();
    Desktop& desktop = Desktop::instance();
    removeOwnedDriveRoot();
    desktop.driveRoot = hostFolder;
    if (desktop.documentsFolder) {
        std::error_code ignored;
        std::filesystem::create_directories(
            toHostPath(desktop, *desktop.defaultProcess, *desktop.documentsFolder), ignored);
    }
}

std::string hostPath(const std::string& windowsPath) {
    Lock lock = lockDesktop();
    Desktop& desktop = Desktop::instance();
    return toHostPath(desktop, *desktop.defaultProcess, windowsPath);
}

void setDocumentsFolder(std::optional<std::string> windowsPath) {
    Lock lock = lockDesktop();
    Desktop::instance().documentsFolder = std::move(windowsPath);
}

void setRegistryValue(HKEY hive, const std::string& key, const std::string& valueName, DWORD type,
                      const std::vector<std::uint8_t>& data) {
    Lock lock = lockDesktop();
    Desktop::instance().registry[registryPath(hive, key)][lowerAscii(valueName)] = {type, data};
}

void removeRegistryKey(HKEY hive, const std::string& key) {
    Lock lock = lockDesktop();
    Desktop::instance().registry.erase(registryPath(hive, key));
}

void setEnvironmentVariable(const std::string& name, const std::string& value) {
    Lock lock = lockDesktop();
    Desktop::instance().environment[lowerAscii(name)] = {name, value};
}

}  // namespace emu::control
