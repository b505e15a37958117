// The launcher window itself, played through xdotool: what its controls show,
// what Start and the close box give back, and what it paints.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "app/LauncherDriver.h"
#include "core/WindowFit.h"
#include "platform/Launcher.h"

#include <X11/Xlib.h>

namespace {

std::string gSavedDisplay;
bool gHadDisplay = false;

// Starts Xvfb on a free display number and holds a connection to it: with
// -terminate the server ends when its last client goes, which is this process
// at the latest, however it ends.
std::string startPrivateServer() {
    FILE* output = popen("Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -terminate "
                         "3>&1 1>/dev/null 2>&1 &",
                         "r");
    if (output == nullptr) {
        return "";
    }
    char line[64] = {0};
    const bool gotNumber = std::fgets(line, sizeof line, output) != nullptr;
    pclose(output);
    if (!gotNumber) {
        return "";
    }
    const std::string name = ":" + std::to_string(std::atoi(line));
    if (XOpenDisplay(name.c_str()) == nullptr) {
        return "";
    }
    return name;
}

}  // namespace

bool usePrivateDisplay() {
    static const std::string privateDisplay = startPrivateServer();
    if (privateDisplay.empty()) {
        return false;
    }
    const char* current = std::getenv("DISPLAY");
    gHadDisplay = current != nullptr;
    gSavedDisplay = gHadDisplay ? current : "";
    setenv("DISPLAY", privateDisplay.c_str(), 1);
    return true;
}

void restoreDisplay() {
    if (gHadDisplay) {
        setenv("DISPLAY", gSavedDisplay.c_str(), 1);
    } else {
        unsetenv("DISPLAY");
    }
}

// There is no window manager under Xvfb, so the test plays its part: the close
// box of a managed window sends the client this message.
void sendCloseRequest(unsigned long window) {
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr || window == 0) {
        return;
    }
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &event);
    XCloseDisplay(display);
}

namespace {

using LauncherControls = LauncherTest;

const char* const TITLE = "Zorbak Football II";
const std::string START_CLICK = "xdotool mousemove --window $W 596 432 click 1; ";
const std::string ALT_S = "xdotool windowfocus --sync $W key alt+s; ";

LauncherState makeState(int windowed, int lights, int music, int joystick, int hiQualTex, int resolution) {
    LauncherState state;
    state.windowed = windowed;
    state.lights = lights;
    state.music = music;
    state.joystick = joystick;
    state.hiQualTex = hiQualTex;
    state.resolutionIndex = resolution;
    return state;
}

void expectSameState(const LauncherState& actual, const LauncherState& expected) {
    EXPECT_EQ(actual.windowed, expected.windowed);
    EXPECT_EQ(actual.lights, expected.lights);
    EXPECT_EQ(actual.music, expected.music);
    EXPECT_EQ(actual.joystick, expected.joystick);
    EXPECT_EQ(actual.hiQualTex, expected.hiQualTex);
    EXPECT_EQ(actual.resolutionIndex, expected.resolutionIndex);
}

// Runs the launcher with the given state while the actions play it.
LauncherOutcome playLauncher(LauncherState& state, const std::string& actions,
                             const LauncherSplash& splash = LauncherSplash(), bool closeAfterwards = false) {
    LauncherDriver driver(actions, closeAfterwards);
    const LauncherOutcome outcome = platformRunLauncher(TITLE, state, splash, centreInArea);
    driver.launcherReturned();
    EXPECT_FALSE(driver.hadToCloseIt()) << "the actions did not end the launcher";
    return outcome;
}

std::string scratchFile(const char* name) {
    return (std::filesystem::temp_directory_path() /
            (std::string("zf-launcher-") + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "-" + name))
        .string();
}

std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

// Start hands back what the controls show. Each box gets a different pattern of
// ticks across the runs, so boxes wired to the wrong state cannot pass.
TEST_F(LauncherControls, StartReturnsTheStatesTheControlsWereGiven) {
    const LauncherState patterns[] = {makeState(1, 0, 1, 0, 1, 0), makeState(0, 1, 1, 0, 0, 2),
                                      makeState(0, 0, 0, 1, 1, 3)};
    for (const LauncherState& pattern : patterns) {
        LauncherState state = pattern;
        EXPECT_EQ(playLauncher(state, ALT_S), LAUNCHER_STARTED);
        expectSameState(state, pattern);
    }
}

TEST_F(LauncherControls, ClickedBoxesToggleAndTheListChoosesAnEntry) {
    LauncherState state = makeState(0, 1, 0, 0, 0, 0);
    const std::string actions =
        "xdotool mousemove --window $W 140 12 click 1; "   // Windowed on
        "xdotool mousemove --window $W 236 12 click 1; "   // Lights off
        "xdotool mousemove --window $W 332 12 click 1 click 1; "  // Music on and off again
        "xdotool mousemove --window $W 524 12 click 1; "   // HiQTexture on
        "xdotool mousemove --window $W 80 12 click 1; sleep 0.3; "
        "xdotool key Down Down Return; sleep 0.2; " +
        START_CLICK;
    EXPECT_EQ(playLauncher(state, actions), LAUNCHER_STARTED);
    expectSameState(state, makeState(1, 0, 0, 0, 1, 2));
}

TEST_F(LauncherControls, ASelectionOutsideTheListShowsNoneAndStartGivesNone) {
    for (int outside : {-1, 4, 77}) {
        LauncherState state = makeState(1, 0, 0, 0, 0, outside);
        EXPECT_EQ(playLauncher(state, START_CLICK), LAUNCHER_STARTED);
        EXPECT_EQ(state.resolutionIndex, LAUNCHER_NO_SELECTION) << "given " << outside;
    }
}

TEST_F(LauncherControls, TheCloseBoxEndsWithoutTakingTheControls) {
    const LauncherState given = makeState(1, 0, 1, 0, 0, 1);
    LauncherState state = given;
    const std::string actions =
        "xdotool mousemove --window $W 140 12 click 1; "
        "xdotool mousemove --window $W 236 12 click 1; sleep 0.2; ";
    EXPECT_EQ(playLauncher(state, actions, LauncherSplash(), true), LAUNCHER_CLOSED);
    expectSameState(state, given);
}

// A bare S (the Start button's letter without Alt) leaves it open; Enter
// presses Start wherever the focus is, and Escape closes it like its close box.
TEST_F(LauncherControls, EnterStartsEscapeClosesABareSDoesNothing) {
    const std::string marks = scratchFile("open.txt");
    LauncherState state = makeState(1, 0, 0, 0, 0, 0);
    const std::string actions = "xdotool windowfocus --sync $W key s; sleep 0.3; "
                                "xdotool search --onlyvisible --class " +
                                std::string(LAUNCHER_WINDOW_CLASS) + " > /dev/null && echo open > " + marks +
                                "; xdotool mousemove --window $W 140 12 click 1 key Return; ";
    EXPECT_EQ(playLauncher(state, actions), LAUNCHER_STARTED);
    EXPECT_EQ(readSamples(marks), "open\n");
    EXPECT_EQ(state.windowed, 0);  // the box that had the focus was taken as it stood

    const LauncherState given = makeState(1, 0, 1, 0, 0, 1);
    state = given;
    EXPECT_EQ(playLauncher(state, "xdotool mousemove --window $W 140 12 click 1 key Escape; "), LAUNCHER_CLOSED);
    expectSameState(state, given);
}

// The toolkit reads no pad: with the Joystick box ticked the launcher asks the
// pad's watcher while it waits, and a press is Start. Unticked, it never asks.
TEST_F(LauncherControls, APadPressIsStartWhileTheJoystickBoxIsTicked) {
    int asked = 0;
    platformLauncherWatchesPad([&asked] { return ++asked >= 3; });
    LauncherState state = makeState(1, 0, 0, 1, 0, 0);
    EXPECT_EQ(playLauncher(state, ""), LAUNCHER_STARTED);
    EXPECT_EQ(asked, 3);

    asked = 0;
    state = makeState(1, 0, 0, 0, 0, 0);
    EXPECT_EQ(playLauncher(state, "sleep 0.5; " + ALT_S), LAUNCHER_STARTED);
    EXPECT_EQ(asked, 0);
    platformLauncherWatchesPad(nullptr);
}

// A 2 x 2 picture fills the whole 640 x 480 window, top row at the top and each
// pixel in its own colour; the window stands in the middle of the 1024 x 768 screen.
TEST_F(LauncherControls, TheSplashIsStretchedOverTheWindow) {
    const std::vector<std::uint8_t> rgb = {255, 0, 0, 0, 255, 0,  // red, green
                                           0, 0, 255, 255, 255, 255};  // blue, white
    LauncherSplash splash;
    splash.rgbPixels = rgb.data();
    splash.width = 2;
    splash.height = 2;
    const std::string samples = scratchFile("splash.txt");
    const std::string size = scratchFile("size.txt");
    LauncherState state = makeState(1, 0, 0, 0, 0, 0);
    const std::string actions = "xwininfo -id $W | grep -E 'Absolute|Width|Height' > " + size + "; " +
                                samplePixelCommand(160, 120, samples) + samplePixelCommand(480, 120, samples) +
                                samplePixelCommand(160, 360, samples) + samplePixelCommand(480, 360, samples) +
                                samplePixelCommand(2, 470, samples) + samplePixelCommand(637, 470, samples) +
                                ALT_S;
    EXPECT_EQ(playLauncher(state, actions, splash), LAUNCHER_STARTED);
    EXPECT_EQ(splitLines(readSamples(samples)),
              (std::vector<std::string>{"#FF0000", "#00FF00", "#0000FF", "#FFFFFF", "#0000FF", "#FFFFFF"}));
    EXPECT_EQ(readSamples(size), "  Absolute upper-left X:  192\n  Absolute upper-left Y:  144\n"
                                 "  Width: 640\n  Height: 480\n");
}

// At the font the launcher chose, every text shows whole in its control (the
// toolkit's own measure), and every control says in a tooltip what it does.
// Watch is there only when a replay is.
TEST_F(LauncherControls, EveryTextFitsItsControlWholeAndEveryControlHasATip) {
    LauncherState state = makeState(1, 0, 0, 0, 0, 0);
    state.bestScore = "Best score: 999999999 (2024-12-31 23:59)";
    EXPECT_EQ(platformLauncherTextFits(state).back().text, state.bestScore);
    state.bestReplayThere = true;
    state.warning = "No sound device";  // beside them in the bottom row
    state.warningTip = "What the warning means and what to do about it.";
    std::vector<std::string> texts;
    for (const LauncherTextFit& fit : platformLauncherTextFits(state)) {
        texts.push_back(fit.text);
        EXPECT_EQ(fit.visible, fit.text);
        const bool isControl = fit.text != state.bestScore;
        EXPECT_EQ(fit.tip.size() > 20, isControl) << fit.text << ": " << fit.tip;
    }
    EXPECT_EQ(texts, (std::vector<std::string>{"Rez", "640x480", "800x600", "1024x800", "ScreenRez", "Windowed",
                                               "Lights", "Music", "Joystick", "HiQTexture", "Start",
                                               state.bestScore, "Watch", state.warning}));
}

TEST_F(LauncherControls, TheWindowIsOffTheScreenWhenItReturns) {
    LauncherState state = makeState(1, 0, 0, 0, 0, 0);
    EXPECT_EQ(playLauncher(state, ALT_S), LAUNCHER_STARTED);
    const std::string search = std::string("xdotool search --onlyvisible --class ") + LAUNCHER_WINDOW_CLASS +
                               " > /dev/null";
    EXPECT_NE(std::system(search.c_str()), 0) << "the launcher is still on the screen";
}

// The toolkit may switch the process to the user's locale; the game reads its
// numbers with C's rules afterwards whatever happened meanwhile.
TEST_F(LauncherControls, NumbersAreReadTheCWayAfterwards) {
    ASSERT_NE(std::setlocale(LC_NUMERIC, "C.UTF-8"), nullptr);
    LauncherState state = makeState(1, 0, 0, 0, 0, 0);
    EXPECT_EQ(playLauncher(state, ALT_S), LAUNCHER_STARTED);
    EXPECT_STREQ(std::setlocale(LC_NUMERIC, nullptr), "C");
    EXPECT_EQ(std::strtod("1.5", nullptr), 1.5);
}

// The toolkit keeps preference files of its own, which an uninstall would leave
// behind: a launcher shown, its tooltips and list used, writes none in the
// player's home or configuration folder.
TEST_F(LauncherControls, TheToolkitWritesNoFilesOfItsOwn) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");  // a fresh process: the toolkit has read nothing yet
    // The same folder in the test and in the fresh copy of the program the death test runs.
    const std::filesystem::path home = ::testing::TempDir() + "zf-launcher-home";
    std::filesystem::remove_all(home);
    std::filesystem::create_directories(home / "config");
    EXPECT_EXIT(
        {
            setenv("HOME", home.c_str(), 1);
            setenv("XDG_CONFIG_HOME", (home / "config").c_str(), 1);
            LauncherState state = makeState(1, 0, 0, 0, 0, 0);
            const std::string actions = "xdotool mousemove --window $W 80 12 sleep 1 click 1 sleep 0.3 key Escape; " +
                                        ALT_S;
            std::exit(playLauncher(state, actions) == LAUNCHER_STARTED ? 7 : 1);
        },
        ::testing::ExitedWithCode(7), "");
    std::vector<std::string> written;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(home)) {
        written.push_back(entry.path().string());
    }
    EXPECT_EQ(written, (std::vector<std::string>{(home / "config").string()}));
    std::filesystem::remove_all(home);
}

TEST(LauncherControlsDeathTest, NoDisplayIsReportedInsteadOfEndingTheProcess) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            unsetenv("DISPLAY");
            LauncherState state = makeState(1, 0, 0, 0, 0, 0);
            std::exit(platformRunLauncher(TITLE, state, LauncherSplash(), centreInArea) == LAUNCHER_NO_DISPLAY ? 7 : 1);
        },
        ::testing::ExitedWithCode(7), "");
}

}  // namespace
