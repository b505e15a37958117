// Options mode 2: game.ini's options shown in the launcher, the player's choices
// taken at Start, and the splash picture from media/splash.jpg.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "core/ErrorMessages.h"
#include "app/GameOptions.h"
#include "app/LauncherDriver.h"
#include "support/ImageTestFiles.h"
#include "support/TempMediaDir.h"
#include "support/TestSeams.h"

namespace {

const char* const TITLE = "Zorbak Football II";
const std::string START_CLICK = "xdotool mousemove --window $W 596 432 click 1; ";

// Writes a JPEG whose left half is one colour and right half another (RGB).
void writeTwoColourJpeg(const std::string& path, int width, int height, const unsigned char left[3],
                        const unsigned char right[3]) {
    std::vector<std::uint8_t> samples;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const unsigned char* colour = x < width / 2 ? left : right;
            samples.insert(samples.end(), colour, colour + 3);
        }
    }
    ASSERT_TRUE(writeTestJpeg(path, width, height, 3, JCS_RGB, samples));
}

class LauncherOptionsTest : public LauncherTest {
protected:
    TempMediaDir dir;
    std::vector<std::string> errorBoxes;
    ErrorBoxOverride errorBoxCapture{[this](ErrorSeverity, const std::string& caption, const std::string& text) {
        errorBoxes.push_back(caption + ": " + text);
        return true;
    }};

    // Runs options mode 2 while the actions play the launcher.
    bool runLauncher(GameOptions& options, const std::string& actions, bool closeAfterwards = false) {
        LauncherDriver driver(actions, closeAfterwards);
        const bool started = options.configure(OPTIONS_LAUNCHER, nullptr, TITLE);
        driver.launcherReturned();
        EXPECT_FALSE(driver.hadToCloseIt()) << "the actions did not end the launcher";
        return started;
    }

    void writeOptionsFile(int windowed, int lights, int music, int joystick, int hiQualTex, int resolution) {
        std::ostringstream text;
        text << "[Game]\nWindowed=" << windowed << "\nLights=" << lights << "\nMusic=" << music
             << "\nJoystick=" << joystick << "\nUseHiQualTex=" << hiQualTex << "\nWidth=123\nHeight=45\n"
             << "UseScreenRes=" << resolution << "\n";
        dir.write("game.ini", text.str());
    }
};

// Without game.ini the launcher shows the file's defaults: Windowed ticked, the
// other boxes clear (lighting too, unlike the built-in options) and 640x480.
TEST_F(LauncherOptionsTest, WithoutAnOptionsFileStartTakesTheFileDefaults) {
    GameOptions options;
    EXPECT_TRUE(runLauncher(options, START_CLICK));
    EXPECT_TRUE(options.changed);
    EXPECT_EQ(options.windowed, 1);
    EXPECT_EQ(options.lights, 0);
    EXPECT_EQ(options.music, 0);
    EXPECT_EQ(options.joystick, 0);
    EXPECT_EQ(options.hiQualTex, 0);
    EXPECT_EQ(options.resolutionIndex, RESOLUTION_640X480);
    EXPECT_EQ(options.width, 640);
    EXPECT_EQ(options.height, 480);
    EXPECT_FALSE(std::filesystem::exists(dir.mediaPath("game.ini"))) << "Start alone writes nothing";
    EXPECT_TRUE(errorBoxes.empty()) << "a missing splash is no error";
}

TEST_F(LauncherOptionsTest, StartTakesTheFileOptionsAndTheSizeOfTheChoice) {
    struct Case {
        int resolution;
        int storedChoice;
        int width;
        int height;
    };
    const Case cases[] = {{0, 0, 640, 480}, {1, 1, 800, 600}, {2, 2, 1024, 800}, {3, 3, 640, 480},
                          {9, -1, 640, 480}, {-2, -1, 640, 480}};
    for (const Case& c : cases) {
        writeOptionsFile(0, 1, 1, 0, 1, c.resolution);
        GameOptions options;
        EXPECT_TRUE(runLauncher(options, START_CLICK));
        EXPECT_TRUE(options.changed);
        EXPECT_EQ(options.windowed, 0);
        EXPECT_EQ(options.lights, 1);
        EXPECT_EQ(options.music, 1);
        EXPECT_EQ(options.joystick, 0);
        EXPECT_EQ(options.hiQualTex, 1);
        EXPECT_EQ(options.resolutionIndex, c.storedChoice) << "UseScreenRes=" << c.resolution;
        EXPECT_EQ(options.width, c.width) << "UseScreenRes=" << c.resolution;
        EXPECT_EQ(options.height, c.height) << "UseScreenRes=" << c.resolution;
    }
}

TEST_F(LauncherOptionsTest, TheChoicesMadeInTheWindowAreTaken) {
    writeOptionsFile(1, 0, 0, 0, 0, 0);
    GameOptions options;
    const std::string actions = "xdotool mousemove --window $W 140 12 click 1; "  // Windowed off
                                "xdotool mousemove --window $W 428 12 click 1; "  // Joystick on
                                "xdotool mousemove --window $W 80 12 click 1; sleep 0.3; "
                                "xdotool key Down Return; sleep 0.2; " +
                                START_CLICK;
    EXPECT_TRUE(runLauncher(options, actions));
    EXPECT_EQ(options.windowed, 0);
    EXPECT_EQ(options.joystick, 1);
    EXPECT_EQ(options.lights, 0);
    EXPECT_EQ(options.resolutionIndex, RESOLUTION_800X600);
    EXPECT_EQ(options.width, 800);
    EXPECT_EQ(options.height, 600);
}

// Closing throws the window's choices away: the options keep the file's values,
// nothing is marked for saving and game.ini stays as it was.
TEST_F(LauncherOptionsTest, ClosingTakesNothingAndLeavesTheFileAlone) {
    writeOptionsFile(1, 0, 0, 0, 0, 2);
    const std::string before = dir.read("game.ini");
    GameOptions options;
    const std::string actions = "xdotool mousemove --window $W 140 12 click 1; "
                                "xdotool mousemove --window $W 236 12 click 1; sleep 0.2; ";
    EXPECT_FALSE(runLauncher(options, actions, true));
    EXPECT_FALSE(options.changed);
    EXPECT_EQ(options.windowed, 1);
    EXPECT_EQ(options.lights, 0);
    EXPECT_EQ(options.resolutionIndex, RESOLUTION_1024X800);
    options.saveIfChanged();
    EXPECT_EQ(dir.read("game.ini"), before);
}

// The decoder's pixels are blue-green-red; the window must show red as red.
// An odd width also shows whether rows are read as packed (no shear).
TEST_F(LauncherOptionsTest, TheSplashShowsInItsOwnColours) {
    const unsigned char red[3] = {255, 0, 0};
    const unsigned char blue[3] = {0, 0, 255};
    writeTwoColourJpeg(dir.mediaPath("splash.jpg"), 30, 20, red, blue);
    const std::string samples = (std::filesystem::path(dir.root()) / "samples.txt").string();
    GameOptions options;
    const std::string actions = samplePixelCommand(100, 100, samples) + samplePixelCommand(100, 470, samples) +
                                samplePixelCommand(540, 100, samples) + samplePixelCommand(540, 400, samples) +
                                START_CLICK;
    EXPECT_TRUE(runLauncher(options, actions));
    std::istringstream lines(readSamples(samples));
    for (int sample = 0; sample < 4; ++sample) {
        std::string text;
        std::getline(lines, text);
        int r = 0;
        int g = 0;
        int b = 0;
        ASSERT_TRUE(parseColour(text, r, g, b)) << "sample " << sample << ": '" << text << "'";
        const bool leftHalf = sample < 2;
        EXPECT_GT(leftHalf ? r : b, 200) << "sample " << sample << " " << text;
        EXPECT_LT(leftHalf ? b : r, 60) << "sample " << sample << " " << text;
        EXPECT_LT(g, 60) << "sample " << sample << " " << text;
    }
    EXPECT_TRUE(errorBoxes.empty());
}

// Watch (here Alt+W) takes the window's choices as Start does and asks for the
// best game's replay; Start asks for none.
TEST_F(LauncherOptionsTest, WatchTakesTheChoicesAndAsksForTheReplay) {
    writeOptionsFile(1, 0, 0, 0, 0, 0);
    GameOptions options;
    options.bestReplayThere = true;
    const std::string toggleLights = "xdotool mousemove --window $W 236 12 click 1; ";
    EXPECT_TRUE(runLauncher(options, toggleLights + "xdotool windowfocus --sync $W key alt+w; "));
    EXPECT_TRUE(options.watchBestReplay);
    EXPECT_TRUE(options.changed);
    EXPECT_EQ(options.lights, 1);
    EXPECT_TRUE(runLauncher(options, START_CLICK));
    EXPECT_FALSE(options.watchBestReplay);
}

// Without a sound output the bottom row says so, on a box of its own over the
// splash; with one, the splash shows there.
TEST_F(LauncherOptionsTest, TheBottomRowWarnsOfAMissingSoundDevice) {
    const unsigned char red[3] = {255, 0, 0};
    writeTwoColourJpeg(dir.mediaPath("splash.jpg"), 16, 16, red, red);
    const std::string samples = (std::filesystem::path(dir.root()) / "samples.txt").string();
    const char* const previousDriver = std::getenv("SDL_AUDIODRIVER");
    const std::string restoredDriver = previousDriver != nullptr ? previousDriver : "dummy";
    for (const auto& [driver, warned] : {std::pair<const char*, bool>{"no-such-driver", true}, {"dummy", false}}) {
        setenv("SDL_AUDIODRIVER", driver, 1);
        GameOptions options;
        EXPECT_TRUE(runLauncher(options, samplePixelCommand(20, 420, samples) + START_CLICK));
        int r = 0;
        int g = 0;
        int b = 0;
        const std::string sample = readSamples(samples);
        ASSERT_TRUE(parseColour(sample.substr(0, 7), r, g, b)) << driver << ": '" << sample << "'";
        const bool splashShows = r > 200 && g < 60 && b < 60;
        EXPECT_EQ(splashShows, !warned) << driver << ": " << sample;
    }
    setenv("SDL_AUDIODRIVER", restoredDriver.c_str(), 1);
}

TEST_F(LauncherOptionsTest, AnUnreadableSplashLeavesAWorkingWindowAndNoMessage) {
    dir.write("splash.jpg", "this is not a picture");
    GameOptions options;
    EXPECT_TRUE(runLauncher(options, START_CLICK));
    EXPECT_TRUE(options.changed);
    EXPECT_TRUE(errorBoxes.empty());
}

}  // namespace
