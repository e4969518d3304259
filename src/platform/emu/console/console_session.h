// The state of one console session and the commands it understands.
#pragma once

#include <functional>
#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "platform/emu/console/desktop_console.h"
#include "platform/emu/control.h"

namespace emu::console {

class Session {
  public:
    Session(std::ostream& out, const ProgramSetup& setup);

    // Carries out one line of input; false when the session is over.
    bool execute(const std::string& line);
    // Waits for the desktop to come to rest and prints what happened meanwhile.
    void settle();
    void end();

  private:
    using Arguments = std::vector<std::string>;
    struct Command {
        std::string usage;
        std::string help;
        std::function<void(const std::string& rest)> run;
    };

    void defineCommands();
    void define(const std::string& name, std::string usage, std::string help,
                std::function<void(const std::string& rest)> run);

    // Desktop set-up.
    void registry(const std::string& rest);
    void documents(const std::string& rest);
    void screen(const std::string& rest);
    void files(const std::string& action, const std::string& path);
    void shell(const std::string& rest);

    // The program and its windows.
    void start();
    void tray(const std::string& rest);
    void menu(const std::string& rest);
    void answerBox();
    void closeRequest(const std::string& kind);
    void logOff();
    void showMainWindow();
    void showIcons();
    void wait(const std::string& rest);
    void help();

    bool programRunning() const;
    HWND findMainWindow() const;
    void print(const std::string& line);
    void printEvent(const control::DesktopEvent& event);

    std::ostream& out_;
    ProgramSetup setup_;
    std::map<std::string, Command> commands_;
    std::vector<std::string> commandOrder_;
    DWORD programProcess_ = 0;
    bool over_ = false;
};

}  // namespace emu::console
