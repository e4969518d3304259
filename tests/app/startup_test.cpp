// Start-up: the download manager's path from the registry, the notices and the first-run marker.
#include <filesystem>

#include "program_fixture.h"

namespace {

using test_support::cp936;
using test_support::ProgramTest;
namespace fs = std::filesystem;

enum class Registration { Missing, Path, ExpandablePath, Number, Empty, Unterminated };
enum class Marker { None, File, Folder };

struct StartupCase {
    const char* name;
    Registration registration;
    Marker marker;
    std::vector<std::string> notices;  // UTF-8
};

void PrintTo(const StartupCase& c, std::ostream* out) {
    *out << c.name;
}

class StartupTest : public ProgramTest, public ::testing::WithParamInterface<StartupCase> {
  protected:
    void registerAs(Registration registration) {
        switch (registration) {
            case Registration::Missing:
                break;
            case Registration::Path:
                registerDownloader(REG_SZ, kDownloaderPath);
                break;
            case Registration::ExpandablePath:
                registerDownloader(REG_EXPAND_SZ, "%ProgramFiles%\\IDM\\IDMan.exe");
                break;
            case Registration::Number:
                registerDownloaderBytes(REG_DWORD, {1, 0, 0, 0});
                break;
            case Registration::Empty:
                registerDownloader(REG_SZ, "");
                break;
            case Registration::Unterminated:
                registerDownloaderBytes(REG_SZ, {'C', ':', '\\', 'x', '.', 'e', 'x', 'e'});
                break;
        }
    }
};

constexpr const char* kUnreadable = "尚未安装IDM或读取IDM目录失败";
constexpr const char* kFound = "检测到IDM目录为：C:\\Program Files\\IDM\\IDMan.exe";
constexpr const char* kNotInstalled = "尚未安装IDM";

TEST_P(StartupTest, ShowsTheNoticesInOrderAndLeavesTheMarker) {
    const StartupCase& c = GetParam();
    registerAs(c.registration);
    const fs::path marker = emu::control::hostPath(documentsMarker());
    if (c.marker == Marker::File) {
        touch(documentsMarker());
    } else if (c.marker == Marker::Folder) {
        fs::create_directory(marker);
    }

    startProgram();
    if (!c.notices.empty()) {
        EXPECT_TRUE(emu::control::trayIcons().empty()) << "the icon comes after the last notice";
    }
    EXPECT_EQ(dismissNotices(), c.notices);

    EXPECT_EQ(emu::control::trayIcons().size(), 1u);
    EXPECT_TRUE(running());
    if (c.marker == Marker::Folder) {
        EXPECT_TRUE(fs::is_directory(marker));
    } else {
        ASSERT_TRUE(fs::is_regular_file(marker));
        EXPECT_EQ(fs::file_size(marker), 0u);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Starts, StartupTest,
    ::testing::Values(
        StartupCase{"FirstStartWithTheDownloadManager", Registration::Path, Marker::None, {kFound}},
        StartupCase{"FirstStartWithoutIt",
                    Registration::Missing,
                    Marker::None,
                    {kUnreadable, kNotInstalled}},
        StartupCase{"LaterStartWithIt", Registration::Path, Marker::File, {}},
        StartupCase{"LaterStartWithoutIt", Registration::Missing, Marker::File, {kUnreadable}},
        StartupCase{"AFolderNamedLikeTheMarker", Registration::Path, Marker::Folder, {}},
        StartupCase{
            "ExpandableValueIsExpanded", Registration::ExpandablePath, Marker::None, {kFound}},
        StartupCase{
            "ValueOfAnotherTypeCountsAsMissing", Registration::Number, Marker::File, {kUnreadable}},
        StartupCase{"EmptyValueCountsAsMissing", Registration::Empty, Marker::File, {kUnreadable}},
        StartupCase{"ValueWithoutTerminatingZeroIsReadWhole",
                    Registration::Unterminated,
                    Marker::None,
                    {"检测到IDM目录为：C:\\x.exe"}}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

TEST_F(ProgramTest, WithoutADocumentsFolderTheMarkerLiesBesideTheExecutable) {
    registerDownloader(REG_SZ, kDownloaderPath);
    emu::control::setDocumentsFolder(std::nullopt);
    startProgram();
    EXPECT_EQ(dismissNotices(), std::vector<std::string>{kFound});
    EXPECT_TRUE(
        fs::is_regular_file(emu::control::hostPath("C:\\Program Files\\Lornette\\ECX.CBA")));
}

TEST_F(ProgramTest, DeletingTheMarkerBringsTheFirstRunNoticeBack) {
    registerDownloader(REG_SZ, kDownloaderPath);
    startProgram();
    EXPECT_EQ(dismissNotices(), std::vector<std::string>{kFound});
    emu::control::terminateProcess(process, 0);

    fs::remove(emu::control::hostPath(documentsMarker()));
    startProgram();
    EXPECT_EQ(dismissNotices(), std::vector<std::string>{kFound});
}

TEST_F(ProgramTest, AnUnwritableMarkerIsNotReportedAndTheNoticeComesAgain) {
    registerDownloader(REG_SZ, kDownloaderPath);
    emu::control::setDocumentsFolder("C:\\Nowhere\\Documents");  // does not exist
    for (int start = 0; start < 2; ++start) {
        startProgram();
        EXPECT_EQ(dismissNotices(), std::vector<std::string>{kFound});
        EXPECT_TRUE(running());
        emu::control::terminateProcess(process, 0);
    }
}

}  // namespace
