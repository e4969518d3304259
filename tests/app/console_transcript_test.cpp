// The console walk-through in tests/app/console: its transcript must stay as recorded.
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "app/emulated_setup.h"

namespace {

std::string readFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream content;
    content << file.rdbuf();
    return content.str();
}

TEST(ConsoleTranscript, TheWalkThroughPrintsWhatWasRecorded) {
    const std::string folder = LORNETTE_CONSOLE_SCRIPTS;
    std::istringstream script(readFile(folder + "/walkthrough.txt"));
    std::ostringstream transcript;
    EXPECT_EQ(emu::console::runConsole(script, transcript, lornette::emulatedProgramSetup()), 0);
    EXPECT_EQ(transcript.str(), readFile(folder + "/walkthrough.expected"));
}

}  // namespace
