#include "desktop/Settings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace tolvane {
namespace {

namespace fs = std::filesystem;

class SettingsTest : public ::testing::Test {
public:
    void SetUp() override
    {
        folder = fs::temp_directory_path()
            / ("tolvane-settings-" + std::to_string(::getpid()) + "-"
                + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
        path = folder / "tolvane" / "settings";
    }
    void TearDown() override
    {
        ::chmod(folder.c_str(), 0700);
        fs::remove_all(folder);
    }

    void write(std::string const& text)
    {
        fs::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << text;
    }

    fs::path folder;
    fs::path path;
};

TEST_F(SettingsTest, AChoiceIsKeptBetweenRuns)
{
    std::ostringstream errors;
    EXPECT_FALSE(read_settings(path, errors).muted);
    write_settings(path, { .muted = true });
    EXPECT_TRUE(read_settings(path, errors).muted);
    write_settings(path, { .muted = false });
    EXPECT_FALSE(read_settings(path, errors).muted);
    EXPECT_EQ(errors.str(), "");
    // Written by a rename: no temporary file stays behind.
    EXPECT_EQ(std::distance(fs::directory_iterator(path.parent_path()), fs::directory_iterator()), 1);
}

// A file that cannot be read as settings means the defaults, reported in one line that names it.
TEST_F(SettingsTest, ADamagedFileMeansTheDefaultsAndOneLine)
{
    struct Case {
        char const* what;
        std::function<void(SettingsTest&)> make;
        char const* reason;
    };
    Case const cases[] = {
        { "garbage", [](SettingsTest& t) { t.write(std::string("mute = yes\n\x01\xff\0zz", 17)); }, "line 2 is not" },
        { "a wrong value", [](SettingsTest& t) { t.write("mute = loud\n"); }, "line 1 is not" },
        { "a directory", [](SettingsTest& t) { fs::create_directories(t.path); }, "it is a directory" },
        { "unreadable (a link to itself)",
            [](SettingsTest& t) {
                fs::create_directories(t.path.parent_path());
                fs::create_symlink(t.path, t.path);
            },
            "cannot read it" },
        { "a named pipe",
            [](SettingsTest& t) {
                fs::create_directories(t.path.parent_path());
                ::mkfifo(t.path.c_str(), 0600);
            },
            "not a plain file" },
        { "too large", [](SettingsTest& t) { t.write(std::string(5000, '#')); }, "too large" },
    };
    for (Case const& c : cases) {
        fs::remove_all(folder / "tolvane");
        c.make(*this);
        std::ostringstream errors;
        EXPECT_FALSE(read_settings(path, errors).muted) << c.what;
        std::string const said = errors.str();
        EXPECT_EQ(said.rfind("tolvane: ignoring the settings file " + path.string() + ": ", 0), 0u) << said;
        EXPECT_NE(said.find(c.reason), std::string::npos) << c.what << ": " << said;
        EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
    }
}

// An empty file, comments and blank lines are not damage.
TEST_F(SettingsTest, AnEmptyFileMeansTheDefaultsSilently)
{
    for (char const* text : { "", "\n\n", "# nothing yet\n", "  mute = yes  \r\n" }) {
        write(text);
        std::ostringstream errors;
        EXPECT_EQ(read_settings(path, errors).muted, std::string(text).find("yes") != std::string::npos) << text;
        EXPECT_EQ(errors.str(), "") << text;
    }
}

// A settings file kept elsewhere (a dotfiles folder) and linked from here is read and written
// through the link, which stays a link; a link to a link is followed too.
TEST_F(SettingsTest, ALinkedFileIsWrittenThroughTheLink)
{
    fs::path const dotfiles = folder / "dotfiles";
    fs::create_directories(dotfiles);
    std::ofstream(dotfiles / "tolvane-settings") << "mute = no\n";
    fs::create_symlink("tolvane-settings", dotfiles / "current");
    fs::create_directories(path.parent_path());
    fs::create_symlink(dotfiles / "current", path);
    write_settings(path, { .muted = true });
    std::ostringstream errors;
    EXPECT_TRUE(read_settings(path, errors).muted);
    EXPECT_TRUE(fs::is_symlink(path));
    EXPECT_TRUE(fs::is_symlink(dotfiles / "current"));
    std::ifstream kept(dotfiles / "tolvane-settings");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), "# Kept by tolvane(6).\nmute = yes\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(dotfiles), fs::directory_iterator()), 2) << "a file left behind";
    EXPECT_EQ(errors.str(), "");
}

// A byte-order mark at the start, as some editors write UTF-8, is no damage.
TEST_F(SettingsTest, AByteOrderMarkIsPassedOver)
{
    write("\xEF\xBB\xBFmute = yes\n");
    std::ostringstream errors;
    EXPECT_TRUE(read_settings(path, errors).muted);
    EXPECT_EQ(errors.str(), "");
}

// The file's name comes from the environment: the message about it shows its control characters
// escaped, never raw on the terminal.
TEST_F(SettingsTest, TheMessageEscapesTheFilesName)
{
    fs::path const odd = folder / "\x1b[2Jodd" / "settings";
    fs::create_directories(odd.parent_path());
    std::ofstream(odd) << "mute = loud\n";
    std::ostringstream errors;
    read_settings(odd, errors);
    EXPECT_EQ(errors.str().find('\x1b'), std::string::npos) << errors.str();
    EXPECT_NE(errors.str().find("\\x1b[2Jodd/settings: line 1"), std::string::npos) << errors.str();
}

// A place that cannot be written is no error: the choice lasts the run only.
TEST_F(SettingsTest, AnUnwritablePlaceIsNoError)
{
    fs::create_directories(path);
    write_settings(path, { .muted = true });
    EXPECT_TRUE(fs::is_directory(path));
    write_settings(folder / "file" / "below" / "settings", { .muted = true });
    std::ofstream(folder / "file") << "";
    write_settings(folder / "file" / "settings", { .muted = true });
    write_settings({}, { .muted = true });
    EXPECT_EQ(std::distance(fs::directory_iterator(path), fs::directory_iterator()), 0);
}

TEST(SettingsPath, FollowsXdgConfigHomeAndFallsBackToTheHomeFolder)
{
    ::setenv("XDG_CONFIG_HOME", "/tmp/config", 1);
    ::setenv("HOME", "/home/player", 1);
    EXPECT_EQ(settings_path(), fs::path("/tmp/config/tolvane/settings"));
    ::setenv("XDG_CONFIG_HOME", "relative", 1);
    EXPECT_EQ(settings_path(), fs::path("/home/player/.config/tolvane/settings"));
    ::unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(settings_path(), fs::path("/home/player/.config/tolvane/settings"));
    ::unsetenv("HOME");
    EXPECT_EQ(settings_path(), fs::path());
}

} // namespace
} // namespace tolvane
