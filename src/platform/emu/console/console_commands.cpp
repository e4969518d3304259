// The commands of the desktop console.
#include <algorithm>
#include <charconv>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <thread>

#include "platform/emu/console/console_session.h"

namespace emu::console {

namespace {

std::vector<std::string> words(const std::string& text) {
    std::istringstream stream(text);
    std::vector<std::string> result;
    for (std::string word; stream >> word;) {
        result.push_back(word);
    }
    return result;
}

// A whole decimal number, or none for anything else, so that a typo gets a usage line.
std::optional<long> number(const std::string& text) {
    long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty()) {
        return std::nullopt;
    }
    return value;
}

std::string ansi(const std::string& utf8) {
    return control::ansiFromUtf8(utf8);
}

std::string utf8(const std::string& ansiText) {
    return control::utf8FromAnsi(ansiText);
}

std::vector<std::uint8_t> stringValue(const std::string& text) {
    std::vector<std::uint8_t> bytes(text.begin(), text.end());
    bytes.push_back(0);
    return bytes;
}

std::string windowTitle(HWND window) {
    char title[256] = {};
    GetWindowTextA(window, title, sizeof(title));
    return utf8(title);
}

std::string checkBox(int stateImage) {
    switch (stateImage) {
        case 1:
            return "[ ]";
        case 2:
            return "[x]";
        default:
            return "[?]";
    }
}

}  // namespace

void Session::defineCommands() {
    define("help", "help", "lists the commands", [this](const std::string&) { help(); });
    define("registry", "registry sz|expand_sz|dword|missing [value]",
           "sets the download manager's registry value before start",
           [this](const std::string& rest) { registry(rest); });
    define("env", "env NAME value", "sets an environment variable of the desktop",
           [this](const std::string& rest) {
               const auto space = rest.find(' ');
               control::setEnvironmentVariable(
                   ansi(rest.substr(0, space)),
                   space == std::string::npos ? "" : ansi(rest.substr(space + 1)));
           });
    define("documents", "documents <folder>|unresolvable", "sets the user's documents folder",
           [this](const std::string& rest) { documents(rest); });
    define("screen", "screen <width> <height>", "sets the screen size",
           [this](const std::string& rest) { screen(rest); });
    for (const char* action : {"mkdir", "touch", "delete", "exists"}) {
        define(action, std::string(action) + " <path>",
               "makes a folder, makes an empty file, deletes, or tells whether a path exists",
               [this, action](const std::string& rest) { files(action, rest); });
    }
    define("shell", "shell off|on|restart", "stops, starts or restarts the notification area",
           [this](const std::string& rest) { shell(rest); });
    define("start", "start", "starts the program", [this](const std::string&) { start(); });
    define("tray", "tray left|right|double", "clicks the program's tray icon",
           [this](const std::string& rest) { tray(rest); });
    define("menu", "menu <item>|dismiss", "chooses an item of the open popup menu, or closes it",
           [this](const std::string& rest) { menu(rest); });
    define("ok", "ok", "presses OK in the open message box",
           [this](const std::string&) { answerBox(); });
    for (const char* kind : {"close-box", "system-close", "alt-f4", "esc"}) {
        define(kind, kind, "asks the main window to close that way",
               [this, kind](const std::string&) { closeRequest(kind); });
    }
    define("logoff", "logoff", "asks every window whether the session may end",
           [this](const std::string&) { logOff(); });
    define("show", "show", "prints the main window and its list",
           [this](const std::string&) { showMainWindow(); });
    define("icons", "icons", "prints the icons of the notification area",
           [this](const std::string&) { showIcons(); });
    define("wait", "wait <milliseconds>", "lets time pass",
           [this](const std::string& rest) { wait(rest); });
    define("quit", "quit", "ends the desktop", [this](const std::string&) { end(); });
}

void Session::help() {
    for (const std::string& name : commandOrder_) {
        const Command& command = commands_.at(name);
        print("  " + command.usage + " - " + command.help);
    }
}

void Session::registry(const std::string& rest) {
    const auto space = rest.find(' ');
    const std::string kind = rest.substr(0, space);
    const std::string value = space == std::string::npos ? "" : ansi(rest.substr(space + 1));
    const std::string key = setup_.registryKey;
    if (kind == "missing") {
        control::removeRegistryKey(setup_.registryHive, key);
    } else if (kind == "sz" || kind == "expand_sz") {
        control::setRegistryValue(setup_.registryHive, key, "",
                                  kind == "sz" ? REG_SZ : REG_EXPAND_SZ, stringValue(value));
    } else if (kind == "dword" && number(value)) {
        const auto dword = static_cast<std::uint32_t>(*number(value));
        control::setRegistryValue(
            setup_.registryHive, key, "", REG_DWORD,
            {static_cast<std::uint8_t>(dword), static_cast<std::uint8_t>(dword >> 8),
             static_cast<std::uint8_t>(dword >> 16), static_cast<std::uint8_t>(dword >> 24)});
    } else {
        print("usage: " + commands_.at("registry").usage);
    }
}

void Session::documents(const std::string& rest) {
    if (rest == "unresolvable") {
        control::setDocumentsFolder(std::nullopt);
        return;
    }
    control::setDocumentsFolder(ansi(rest));
    std::error_code ignored;
    std::filesystem::create_directories(control::hostPath(ansi(rest)), ignored);
}

void Session::screen(const std::string& rest) {
    const auto size = words(rest);
    const auto width = size.size() == 2 ? number(size[0]) : std::nullopt;
    const auto height = size.size() == 2 ? number(size[1]) : std::nullopt;
    if (!width || !height || *width <= 0 || *height <= 0) {
        print("usage: " + commands_.at("screen").usage);
        return;
    }
    control::setScreenSize(static_cast<int>(*width), static_cast<int>(*height));
}

void Session::files(const std::string& action, const std::string& path) {
    const std::filesystem::path host = control::hostPath(ansi(path));
    std::error_code error;
    if (action == "mkdir") {
        std::filesystem::create_directories(host, error);
    } else if (action == "touch") {
        std::filesystem::create_directories(host.parent_path(), error);
        std::ofstream(host, std::ios::app).flush();
    } else if (action == "delete") {
        std::filesystem::remove_all(host, error);
    } else if (std::filesystem::is_directory(host, error)) {
        print(path + ": a folder");
    } else if (std::filesystem::exists(host, error)) {
        print(path + ": a file of " + std::to_string(std::filesystem::file_size(host, error)) +
              " bytes");
    } else {
        print(path + ": nothing");
    }
}

void Session::shell(const std::string& rest) {
    if (rest == "off" || rest == "on") {
        control::setShellRunning(rest == "on");
    } else if (rest == "restart") {
        control::restartShell();
    } else {
        print("usage: " + commands_.at("shell").usage);
    }
}

bool Session::programRunning() const {
    return programProcess_ != 0 && !control::exitCode(programProcess_).has_value();
}

HWND Session::findMainWindow() const {
    for (HWND window = FindWindowExA(nullptr, nullptr, setup_.mainWindowClass.c_str(), nullptr);
         window != nullptr;
         window = FindWindowExA(nullptr, window, setup_.mainWindowClass.c_str(), nullptr)) {
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        if (process == programProcess_) {
            return window;
        }
    }
    return nullptr;
}

void Session::start() {
    if (programRunning()) {
        print("the program is running already");
        return;
    }
    programProcess_ = control::launchProcess(setup_.imagePath, setup_.entry);
}

void Session::tray(const std::string& rest) {
    const auto icons = control::trayIcons();
    const HWND main = findMainWindow();
    const auto icon = std::find_if(icons.begin(), icons.end(), [&](const control::TrayIconInfo& i) {
        return i.window == main;
    });
    if (main == nullptr || icon == icons.end()) {
        print("the program has no icon in the notification area");
        return;
    }
    const std::map<std::string, control::TrayClick> clicks{{"left", control::TrayClick::Left},
                                                           {"right", control::TrayClick::Right},
                                                           {"double", control::TrayClick::Double}};
    const auto click = clicks.find(rest);
    if (click == clicks.end()) {
        print("usage: " + commands_.at("tray").usage);
        return;
    }
    control::clickTrayIcon(icon->window, icon->id, click->second);
}

void Session::menu(const std::string& rest) {
    if (!control::openMenu()) {
        print("no menu is open");
    } else if (rest == "dismiss") {
        control::dismissMenu();
    } else if (!control::chooseMenuItem(ansi(rest))) {
        print("the menu has no item \"" + rest + "\"");
    }
}

void Session::answerBox() {
    const auto boxes = control::openMessageBoxes();
    if (boxes.empty()) {
        print("no message box is open");
        return;
    }
    control::answerMessageBox(boxes.front().window, IDOK);
}

void Session::closeRequest(const std::string& kind) {
    const HWND main = findMainWindow();
    if (main == nullptr) {
        print("the program has no main window");
        return;
    }
    if (kind == "close-box") {
        control::userClick(control::closeBoxPoint(main));
    } else if (kind == "system-close") {
        control::chooseSystemMenuClose(main);
    } else if (GetForegroundWindow() != main) {
        print("the main window is not in the foreground; keys go elsewhere");
    } else {
        control::pressKey(kind == "esc" ? VK_ESCAPE : VK_F4, kind == "alt-f4");
    }
}

void Session::logOff() {
    print(control::queryEndSession() ? "log-off allowed" : "log-off refused");
}

void Session::showMainWindow() {
    const HWND main = findMainWindow();
    if (main == nullptr) {
        print("the program has no main window");
        return;
    }
    RECT rect{};
    GetWindowRect(main, &rect);
    std::string state = IsWindowVisible(main) ? "shown" : "hidden";
    if (IsIconic(main)) {
        state += ", minimised";
    }
    print("main window \"" + windowTitle(main) + "\": " + state + ", at " +
          std::to_string(rect.left) + "," + std::to_string(rect.top) + ", " +
          std::to_string(rect.right - rect.left) + "x" + std::to_string(rect.bottom - rect.top));
    const HWND list = FindWindowExA(main, nullptr, WC_LISTVIEWA, nullptr);
    const auto info = control::listView(list);
    if (!info) {
        print("  no result list");
        return;
    }
    std::string columns;
    for (const control::ListColumn& column : info->columns) {
        columns += (columns.empty() ? "" : " | ") + utf8(column.title);
    }
    print("  list columns: " + columns + "; " + std::to_string(info->rows.size()) + " rows");
    for (std::size_t row = 0; row < info->rows.size(); ++row) {
        std::string cells;
        for (const std::string& text : info->rows[row].texts) {
            cells += (cells.empty() ? "" : " | ") + utf8(text);
        }
        print("  row " + std::to_string(row) + " " + checkBox(info->rows[row].stateImage) + " " +
              cells);
    }
}

void Session::showIcons() {
    const auto icons = control::trayIcons();
    if (icons.empty()) {
        print("no icons in the notification area");
    }
    for (const control::TrayIconInfo& icon : icons) {
        print("icon " + std::to_string(icon.id) + " of \"" + windowTitle(icon.window) +
              "\", tip \"" + utf8(icon.tip) + "\", at " + std::to_string(icon.at.x) + "," +
              std::to_string(icon.at.y));
    }
}

void Session::wait(const std::string& rest) {
    const auto milliseconds = number(rest);
    if (!milliseconds || *milliseconds < 0) {
        print("usage: " + commands_.at("wait").usage);
        return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(*milliseconds));
}

void Session::printEvent(const control::DesktopEvent& event) {
    using Kind = control::DesktopEvent::Kind;
    const bool mainWindow = event.window != nullptr && event.window == findMainWindow();
    switch (event.kind) {
        case Kind::MessageBoxShown:
            print("message box \"" + utf8(event.title) + "\": " + utf8(event.text));
            break;
        case Kind::WindowShown:
        case Kind::WindowHidden:
            if (mainWindow) {
                print(std::string("main window ") +
                      (event.kind == Kind::WindowShown ? "shown" : "hidden"));
            }
            break;
        case Kind::MenuOpened:
            if (const auto open = control::openMenu()) {
                std::string items;
                for (const std::string& item : open->items) {
                    items += (items.empty() ? "" : " | ") + utf8(item);
                }
                print("menu at " + std::to_string(open->at.x) + "," + std::to_string(open->at.y) +
                      ": " + items);
            }
            break;
        case Kind::IconAdded:
            print("tray icon added");
            break;
        case Kind::IconRemoved:
            print("tray icon removed");
            break;
        case Kind::ProcessEnded:
            if (event.processId == programProcess_) {
                print("program exited with code " + std::to_string(event.exitCode));
            }
            break;
        case Kind::MessageBoxClosed:
        case Kind::MenuClosed:
            break;
    }
}

}  // namespace emu::console
