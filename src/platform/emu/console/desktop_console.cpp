#include "platform/emu/console/desktop_console.h"

#include <chrono>
#include <istream>

#include "platform/emu/console/console_session.h"
#include "platform/emu/control.h"

namespace emu::console {

namespace {

// How long the console waits for the desktop to come to rest after each action.
constexpr std::chrono::milliseconds kSettleTimeout{5000};

std::string trimmed(const std::string& line) {
    const auto first = line.find_first_not_of(" \t\r");
    if (first == std::string::npos) {
        return {};
    }
    const auto last = line.find_last_not_of(" \t\r");
    return line.substr(first, last - first + 1);
}

}  // namespace

Session::Session(std::ostream& out, const ProgramSetup& setup) : out_(out), setup_(setup) {
    defineCommands();
}

void Session::define(const std::string& name, std::string usage, std::string help,
                     std::function<void(const std::string& rest)> run) {
    commands_[name] = Command{std::move(usage), std::move(help), std::move(run)};
    commandOrder_.push_back(name);
}

bool Session::execute(const std::string& rawLine) {
    const std::string line = trimmed(rawLine);
    if (line.empty() || line.front() == '#') {
        return !over_;
    }
    print("> " + line);
    const auto space = line.find(' ');
    const std::string name = line.substr(0, space);
    const std::string rest = space == std::string::npos ? "" : trimmed(line.substr(space + 1));
    const auto command = commands_.find(name);
    if (command == commands_.end()) {
        print("unknown command \"" + name + "\"; \"help\" lists the commands");
        return !over_;
    }
    command->second.run(rest);
    settle();
    return !over_;
}

void Session::settle() {
    control::waitUntilIdle(kSettleTimeout);
    for (const control::DesktopEvent& event : control::takeEvents()) {
        printEvent(event);
    }
}

void Session::end() {
    over_ = true;
}

void Session::print(const std::string& line) {
    out_ << line << '\n' << std::flush;
}

int runConsole(std::istream& in, std::ostream& out, const ProgramSetup& setup) {
    control::reset();
    Session session(out, setup);
    std::string line;
    while (std::getline(in, line)) {
        if (!session.execute(line)) {
            break;
        }
    }
    control::reset();
    return 0;
}

}  // namespace emu::console
