#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "core/OptionsFileLocation.h"
#include "platform/ExecutablePath.h"
#include "support/BlockedReplace.h"
#include "support/TempMediaDir.h"

namespace {

namespace fs = std::filesystem;

// A media folder, and a config folder of the player's that does not exist yet
// (nor its parent), as on the first run after installing.
class OptionsFileLocationTest : public ::testing::Test {
protected:
    TempMediaDir dir;
    std::string config = dir.root() + "/home/.config";
    std::string ownFile = config + PLATFORM_PATH_SEPARATOR + "zorbak-football-2" + PLATFORM_PATH_SEPARATOR + "game.ini";

    static std::string read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    static void write(const std::string& path, const std::string& text) {
        std::ofstream(path, std::ios::binary) << text;
    }
};

}  // namespace

TEST_F(OptionsFileLocationTest, AWritableMediaFolderKeepsTheOptions) {
    dir.write("game.ini", "[Game]\nWidth=800\n");
    EXPECT_EQ(locateOptionsFile("game.ini", true, config), dir.mediaPath("game.ini"));
    EXPECT_FALSE(fs::exists(dir.root() + "/home")) << "nothing is made in the player's folders";
}

TEST_F(OptionsFileLocationTest, AReadOnlyInstallGivesEachPlayerACopyOfItsOptions) {
    const std::string installed = "; installed defaults\n[Game]\nLights=1\nWidth=800\n";
    dir.write("game.ini", installed);
    ASSERT_EQ(locateOptionsFile("game.ini", false, config), ownFile);
    EXPECT_EQ(read(ownFile), installed);
    EXPECT_FALSE(fs::exists(ownFile + ".tmp"));

    // From then on the player's own file stands, whatever the installed one says.
    write(ownFile, "[Game]\nWidth=1024\n");
    dir.write("game.ini", "[Game]\nWidth=640\n");
    EXPECT_EQ(locateOptionsFile("game.ini", false, config), ownFile);
    EXPECT_EQ(read(ownFile), "[Game]\nWidth=1024\n");
    EXPECT_EQ(dir.read("game.ini"), "[Game]\nWidth=640\n");
}

// Windows has no such modes (a player's %APPDATA% is theirs by its access list).
TEST_F(OptionsFileLocationTest, MadeConfigFolderIsOpenToItsOwnerOnly) {
    ASSERT_EQ(locateOptionsFile("game.ini", false, config), ownFile);
    EXPECT_EQ(fs::status(config).permissions() & fs::perms::all, fs::perms::owner_all);
}

TEST_F(OptionsFileLocationTest, WithoutAnInstalledFileThePlayersFileStartsEmpty) {
    EXPECT_EQ(locateOptionsFile("game.ini", false, config), ownFile);
    EXPECT_TRUE(fs::is_directory(config + "/zorbak-football-2"));
    EXPECT_FALSE(fs::exists(ownFile)) << "the first save makes it";
}

// No place to keep the options: they stay at their defaults, and no message.
TEST_F(OptionsFileLocationTest, NoUsableConfigFolderGivesNoFile) {
    dir.write("game.ini", "[Game]\nWidth=800\n");
    EXPECT_EQ(locateOptionsFile("game.ini", false, ""), "");

    write(dir.root() + "/plain-file", "x");
    EXPECT_EQ(locateOptionsFile("game.ini", false, dir.root() + "/plain-file/.config"), "");

    // The folder is there, but the copy cannot be written beside the file.
    blockFileReplace(ownFile);
    EXPECT_EQ(locateOptionsFile("game.ini", false, config), "");
    EXPECT_FALSE(fs::exists(ownFile));
}

// Read only as a plain file: a named pipe would hold the start until a writer came.
TEST_F(OptionsFileLocationTest, APipeAsTheInstalledFileIsNotCopied) {
    ASSERT_EQ(mkfifo(dir.mediaPath("game.ini").c_str(), 0600), 0);
    EXPECT_EQ(locateOptionsFile("game.ini", false, config), ownFile);
    EXPECT_FALSE(fs::exists(ownFile)) << "the player starts from the defaults";
}
