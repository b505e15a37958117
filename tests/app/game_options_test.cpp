#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "app/GameOptions.h"
#include "core/IniFile.h"
#include "support/BlockedReplace.h"
#include "support/TempMediaDir.h"

namespace {

class GameOptionsTest : public ::testing::Test {
protected:
    TempMediaDir dir;

    bool optionsFileExists() const { return std::filesystem::exists(dir.mediaPath("game.ini")); }
    // Options kept in the media folder's game.ini, as configure finds it there.
    GameOptions inMedia() const {
        GameOptions options;
        options.filePath = dir.mediaPath("game.ini");
        return options;
    }
    GameOptions sampleOptions() const;
};

GameOptions GameOptionsTest::sampleOptions() const {
    GameOptions options = inMedia();
    options.windowed = 0;
    options.lights = 1;
    options.music = 1;
    options.joystick = 1;
    options.hiQualTex = 1;
    options.width = 1024;
    options.height = 800;
    options.resolutionIndex = RESOLUTION_1024X800;
    return options;
}

void expectSameStoredFields(const GameOptions& a, const GameOptions& b) {
    EXPECT_EQ(a.windowed, b.windowed);
    EXPECT_EQ(a.lights, b.lights);
    EXPECT_EQ(a.music, b.music);
    EXPECT_EQ(a.joystick, b.joystick);
    EXPECT_EQ(a.hiQualTex, b.hiQualTex);
    EXPECT_EQ(a.width, b.width);
    EXPECT_EQ(a.height, b.height);
    EXPECT_EQ(a.resolutionIndex, b.resolutionIndex);
}

}  // namespace

TEST_F(GameOptionsTest, SaveWritesKeysInOrderAndLoadReadsThemBack) {
    GameOptions saved = sampleOptions();
    saved.height = -1;  // "%i" keeps the sign; load repairs it
    ASSERT_TRUE(saved.save());
    EXPECT_EQ(dir.read("game.ini"),
              "[Game]\nWindowed=0\nLights=1\nMusic=1\nJoystick=1\nUseHiQualTex=1\n"
              "Width=1024\nHeight=-1\nUseScreenRes=2\n");

    saved.height = 800;
    ASSERT_TRUE(saved.save());
    GameOptions loaded = inMedia();
    loaded.load();
    expectSameStoredFields(loaded, saved);
    EXPECT_FALSE(loaded.changed);
}

TEST_F(GameOptionsTest, SaveKeepsUnknownLinesAndComments) {
    dir.write("game.ini", "; my settings\n[Game]\nWidth=640\nCheat=1\n\n[Editor]\nZoom=3\n");
    ASSERT_TRUE(sampleOptions().save());
    const std::string content = dir.read("game.ini");
    EXPECT_EQ(content.find("; my settings\n[Game]\nWidth=1024\nCheat=1\n"), 0u) << content;
    EXPECT_NE(content.find("\n\n[Editor]\nZoom=3\n"), std::string::npos) << content;
}

TEST_F(GameOptionsTest, MissingFileSectionOrKeyGivesFileDefaults) {
    GameOptions fromNothing = sampleOptions();
    fromNothing.load();
    EXPECT_EQ(fromNothing.windowed, 1);
    EXPECT_EQ(fromNothing.lights, 0);  // unlike the constructor's default
    EXPECT_EQ(fromNothing.music, 0);
    EXPECT_EQ(fromNothing.joystick, 0);
    EXPECT_EQ(fromNothing.hiQualTex, 0);
    EXPECT_EQ(fromNothing.width, 640);
    EXPECT_EQ(fromNothing.height, 480);
    EXPECT_EQ(fromNothing.resolutionIndex, 0);

    dir.write("game.ini", "[Other]\nLights=1\nWidth=800\n");
    GameOptions otherSection = inMedia();
    otherSection.load();
    EXPECT_EQ(otherSection.lights, 0);
    EXPECT_EQ(otherSection.width, 640);

    dir.write("game.ini", "[Game]\nWindowed=0\nWidth=800\n");
    GameOptions someKeys = inMedia();
    someKeys.load();
    EXPECT_EQ(someKeys.windowed, 0);
    EXPECT_EQ(someKeys.width, 800);
    EXPECT_EQ(someKeys.lights, 0);
    EXPECT_EQ(someKeys.height, 480);
}

TEST_F(GameOptionsTest, DamagedSizesAreTreatedAsMissing) {
    dir.write("game.ini", "[Game]\nUseScreenRes=9\nWidth=-5\nHeight=99999\n");
    GameOptions options = inMedia();
    options.load();
    EXPECT_EQ(options.resolutionIndex, 9);  // the launcher shows no selection for it
    EXPECT_EQ(options.width, 640);
    EXPECT_EQ(options.height, 480);

    dir.write("game.ini", "[Game]\nUseScreenRes=3\nWidth=0\nHeight=0\n");
    options.load();
    EXPECT_EQ(options.resolutionIndex, RESOLUTION_SCREEN);
    EXPECT_EQ(options.width, 0);  // 0 means the desktop's size, not damage
}

TEST_F(GameOptionsTest, ConfigureModesZeroAndOneNeverWrite) {
    dir.write("game.ini", "[Game]\nLights=1\nWidth=800\n");
    GameOptions defaults;
    defaults.width = 1;
    ASSERT_TRUE(defaults.configure(OPTIONS_DEFAULTS, nullptr, "t"));
    EXPECT_EQ(defaults.width, 1);  // mode 0 uses no file at all
    defaults.changed = true;
    defaults.saveIfChanged();
    EXPECT_FALSE(defaults.save());
    EXPECT_EQ(dir.read("game.ini"), "[Game]\nLights=1\nWidth=800\n");

    GameOptions fromFile;
    ASSERT_TRUE(fromFile.configure(OPTIONS_READ_FILE, nullptr, "t"));
    EXPECT_EQ(fromFile.width, 800);
    EXPECT_FALSE(fromFile.changed);
    fromFile.saveIfChanged();
    EXPECT_EQ(dir.read("game.ini"), "[Game]\nLights=1\nWidth=800\n");

    std::filesystem::remove(dir.mediaPath("game.ini"));
    GameOptions noFile;
    ASSERT_TRUE(noFile.configure(OPTIONS_READ_FILE, nullptr, "t"));
    noFile.saveIfChanged();
    EXPECT_FALSE(optionsFileExists());

    noFile.changed = true;
    noFile.saveIfChanged();
    EXPECT_TRUE(optionsFileExists());
}

TEST_F(GameOptionsTest, FailedSaveLosesNothing) {
    const std::string original = "; hand-edited\n[Game]\nWidth=800\nHeight=600\n";
    dir.write("game.ini", original);
    blockFileReplace(dir.mediaPath("game.ini"));
    EXPECT_FALSE(sampleOptions().save());
    EXPECT_EQ(dir.read("game.ini"), original);
}

// A named pipe would hold the start for ever, waiting for a writer; a file past
// the bound is no options file. Each gives the defaults at once and one line
// saying why, and the save at exit leaves it where it stands.
TEST_F(GameOptionsTest, AnOptionsFileThatCannotBeReadGivesTheDefaultsAndOneLine) {
    const std::string path = dir.mediaPath("game.ini");
    std::string tooLarge = "[Game]\nWidth=800\n";
    tooLarge.resize(INI_FILE_MAX_BYTES + 1, ';');
    const struct {
        const char* what;
        const char* told;
    } cases[] = {{"|", "not a plain file"}, {"/", "not a plain file"}, {"large", "larger than 65536 bytes"}};
    for (const auto& c : cases) {
        std::filesystem::remove_all(path);
        if (c.what == std::string("|")) {
            ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
        } else if (c.what == std::string("/")) {
            std::filesystem::create_directory(path);
        } else {
            dir.write("game.ini", tooLarge);
        }
        GameOptions options;
        testing::internal::CaptureStderr();
        ASSERT_TRUE(options.configure(OPTIONS_READ_FILE, nullptr, "t"));
        const std::string told = testing::internal::GetCapturedStderr();
        EXPECT_EQ(options.width, 640) << c.what;
        EXPECT_EQ(told.find('\n'), told.size() - 1) << told;
        EXPECT_NE(told.find(path + ": " + c.told), std::string::npos) << told;

        options.changed = true;
        options.saveIfChanged();
        EXPECT_EQ(std::filesystem::is_fifo(path), c.what == std::string("|")) << c.what;
        EXPECT_EQ(std::filesystem::is_directory(path), c.what == std::string("/")) << c.what;
        if (c.what == std::string("large")) {
            EXPECT_EQ(dir.read("game.ini"), tooLarge);
        }
    }
}
