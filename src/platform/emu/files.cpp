// Files and folders on the host under the desktop's drive root, the module path and the
// current directory.
#include <cstring>
#include <filesystem>
#include <fstream>

#include "platform/emu/desktop.h"

using namespace emu::detail;

namespace {

struct FileObject final : KernelObject {
    std::string hostPath;
    bool signalled(TimePoint) const override { return true; }
};

DWORD copyOut(const std::string& text, LPSTR buffer, DWORD size) {
    if (buffer == nullptr || size == 0) {
        return 0;
    }
    const auto length = static_cast<DWORD>(std::min<std::size_t>(text.size(), size - 1));
    std::memcpy(buffer, text.data(), length);
    buffer[length] = '\0';
    return length;
}

}  // namespace

HANDLE CreateFileA(LPCSTR path, DWORD, DWORD, LPSECURITY_ATTRIBUTES, DWORD creation, DWORD,
                   HANDLE) {
    Desktop& desktop = Desktop::instance();
    Lock lock = lockDesktop();
    ThreadRecord& self = desktop.currentThread(lock);
    if (path == nullptr) {
        self.lastError = ERROR_INVALID_PARAMETER;
        return INVALID_HANDLE_VALUE;
    }
    const std::string host = toHostPath(desktop, *self.process, path);
    std::error_code error;
    const bool exists = std::filesystem::exists(host, error);
    if (std::filesystem::is_directory(host, error) || (creation == CREATE_NEW && exists) ||
        (creation == OPEN_EXISTING && !exists)) {
        self.lastError = exists ? ERROR_ALREADY_EXISTS : ERROR_FILE_NOT_FOUND;
        return INVALID_HANDLE_VALUE;
    }
    const bool truncate = creation == CREATE_ALWAYS || creation == CREATE_NEW;
    std::ofstream file(
        host, truncate ? std::ios::binary | std::ios::trunc : std::ios::binary | std::ios::app);
    if (!file) {
        self.lastError = ERROR_FILE_NOT_FOUND;
        return INVALID_HANDLE_VALUE;
    }
    auto object = std::make_shared<FileObject>();
    object->hostPath = host;
    return addHandle(desktop, *self.process, object);
}

BOOL WriteFile(HANDLE file, LPCVOID data, DWORD size, LPDWORD written, LPVOID) {
    Desktop& desktop = Desktop::instance();
    Lock lock = lockDesktop();
    ThreadRecord& self = desktop.currentThread(lock);
    auto object = std::dynamic_pointer_cast<FileObject>(findHandle(*self.process, file));
    if (!object) {
        self.lastError = ERROR_INVALID_HANDLE;
        return FALSE;
    }
    std::ofstream out(object->hostPath, std::ios::binary | std::ios::app);
    out.write(static_cast<const char*>(data), size);
    if (written != nullptr) {
        *written = out ? size : 0;
    }
    return out ? TRUE : FALSE;
}

DWORD GetModuleFileNameA(HMODULE, LPSTR path, DWORD size) {
    Lock lock = lockDesktop();
    return copyOut(Desktop::instance().currentThread(lock).process->imagePath, path, size);
}

BOOL SetCurrentDirectoryA(LPCSTR path) {
    Desktop& desktop = Desktop::instance();
    Lock lock = lockDesktop();
    ThreadRecord& self = desktop.currentThread(lock);
    std::error_code error;
    if (path == nullptr ||
        !std::filesystem::is_directory(toHostPath(desktop, *self.process, path), error)) {
        self.lastError = ERROR_FILE_NOT_FOUND;
        return FALSE;
    }
    std::string directory = path;
    if (directory.size() < 2 || directory[1] != ':') {
        directory = self.process->currentDirectory + "\\" + directory;
    }
    while (directory.size() > 3 && directory.back() == '\\') {
        directory.pop_back();
    }
    self.process->currentDirectory = directory;
    return TRUE;
}

DWORD GetCurrentDirectoryA(DWORD size, LPSTR path) {
    Lock lock = lockDesktop();
    const std::string& directory =
        Desktop::instance().currentThread(lock).process->currentDirectory;
    if (path == nullptr || size <= directory.size()) {
        return static_cast<DWORD>(directory.size() + 1);
    }
    return copyOut(directory, path, size);
}

BOOL SHGetSpecialFolderPathA(HWND, LPSTR path, int folder, BOOL) {
    Lock lock = lockDesktop();
    const auto& documents = Desktop::instance().documentsFolder;
    if (folder != CSIDL_PERSONAL || !documents || path == nullptr) {
        return FALSE;
    }
    copyOut(*documents, path, MAX_PATH);
    return TRUE;
}

BOOL PathFileExistsA(LPCSTR path) {
    Desktop& desktop = Desktop::instance();
    Lock lock = lockDesktop();
    if (path == nullptr || *path == '\0') {
        return FALSE;
    }
    std::error_code error;
    return std::filesystem::exists(toHostPath(desktop, *desktop.currentThread(lock).process, path),
                                   error)
               ? TRUE
               : FALSE;
}
