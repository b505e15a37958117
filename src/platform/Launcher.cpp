#include "platform/Launcher.h"

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Check_Button.H>
#include <FL/Fl_Choice.H>
#include <FL/Fl_Image.H>
#include <FL/Fl_Window.H>

#include <clocale>
#include <memory>
#include <utility>

#include "platform/DisplayServer.h"
#include "platform/EndSignals.h"
#include "platform/GamepadDevice.h"
#include "platform/LauncherFont.h"
#include "platform/LauncherToolkitOptions.h"

namespace {

constexpr int LAUNCHER_WIDTH = 640;
constexpr int LAUNCHER_HEIGHT = 480;
// How often the launcher looks at the pad while it waits.
constexpr double PAD_LOOK_SECONDS = 0.1;
// How often the launcher looks for a stop signal while the player makes no move.
constexpr double END_CHECK_SECONDS = 0.1;
const char* const RESOLUTION_NAMES[LAUNCHER_RESOLUTION_COUNT] = {"640x480", "800x600",
                                                                 "1024x800", "ScreenRez"};
// The best score's line shares the Start button's row, left of it.
constexpr int BEST_SCORE_X = 12;
constexpr int START_X = 564;
// Watch follows the best score's line on its row.
constexpr int WATCH_WIDTH = 64;
constexpr int WATCH_GAP = 8;

// The controls' short texts, said in plain words for a newcomer.
const char* const RESOLUTION_TIP =
    "Screen resolution: the size of the game's window, or of the screen in full "
    "screen. ScreenRez uses the desktop's own size.";
const char* const WINDOWED_TIP = "Play in a window on the desktop. Untick it to play in full screen.";
const char* const LIGHTS_TIP = "Light the stadium with a lamp, with shading and highlights on the players.";
const char* const MUSIC_TIP =
    "Play the theme music after each score. Untick it for quiet: the whistle and "
    "the other sounds stay.";
const char* const JOYSTICK_TIP =
    "Play with a game pad or joystick: the left stick or D-pad steers, A (button 5 on a "
    "plain joystick) hikes, B or the right trigger (button 6) kicks, Start pauses.";
const char* const WATCH_TIP = "Plays back the best game as it was played: P pauses, Q or Escape ends.";
const char* const HIQ_TEXTURE_TIP =
    "High-quality textures: pictures on the field and the players in full colour "
    "instead of fewer colours.";
const char* const START_TIP =
    "Start the game with these options. Enter or Alt+S starts it too, and so does A "
    "or Start on a game pad while Joystick is ticked.";

// Paints the splash picture, already scaled to the box's size, behind the controls.
class SplashBox : public Fl_Box {
public:
    SplashBox(int x, int y, int w, int h) : Fl_Box(x, y, w, h) {}
    void setPicture(std::unique_ptr<Fl_Image> picture) { picture_ = std::move(picture); }

protected:
    void draw() override {
        if (picture_) {
            picture_->draw(x(), y());
        }
    }

private:
    std::unique_ptr<Fl_Image> picture_;
};

struct LauncherControls {
    Fl_Window* window = nullptr;
    SplashBox* splash = nullptr;
    Fl_Choice* resolution = nullptr;
    Fl_Check_Button* windowed = nullptr;
    Fl_Check_Button* lights = nullptr;
    Fl_Check_Button* music = nullptr;
    Fl_Check_Button* joystick = nullptr;
    Fl_Check_Button* hiQualTex = nullptr;
    Fl_Button* start = nullptr;
    bool started = false;
    bool watched = false;
};

// The toolkit's image only borrows the caller's pixels; the scaled copy owns its
// own, so nothing refers to the caller's buffer once this returns.
std::unique_ptr<Fl_Image> scaledPicture(const LauncherSplash& splash, int width, int height) {
    if (splash.rgbPixels == nullptr || splash.width <= 0 || splash.height <= 0) {
        return nullptr;
    }
    Fl_RGB_Image borrowed(splash.rgbPixels, splash.width, splash.height, 3);
    return std::unique_ptr<Fl_Image>(borrowed.copy(width, height));
}

Fl_Check_Button* addCheckBox(int x, int width, const char* text, int ticked, const char* tip) {
    auto* box = new Fl_Check_Button(x, 0, width, 24, text);
    box->box(FL_FLAT_BOX);
    box->value(ticked != 0 ? 1 : 0);
    box->tooltip(tip);
    return box;
}

// A line of the bottom row, on a plain box of the window's own colour, as the
// check boxes stand, so that it reads well over any splash picture. Made as wide
// as the whole row for the font's choice; placeBottomRow narrows it.
Fl_Box* addBottomLine(const std::string& text, const std::string& tip) {
    if (text.empty()) {
        return nullptr;
    }
    auto* line = new Fl_Box(BEST_SCORE_X, 416, START_X - 2 * BEST_SCORE_X, 32);
    line->box(FL_FLAT_BOX);
    line->align(FL_ALIGN_LEFT | FL_ALIGN_INSIDE);
    line->copy_label(text.c_str());
    if (!tip.empty()) {
        line->copy_tooltip(tip.c_str());
    }
    return line;
}

// Each line only as wide as its text, so the splash shows around them: the best
// score first with Watch beside it (its room kept whatever the score's length),
// the warning after them, all left of Start.
void placeBottomRow(Fl_Box* bestScore, Fl_Button* watch, Fl_Box* warning) {
    const int rowEnd = START_X - BEST_SCORE_X;
    const int watchRoom = watch != nullptr ? WATCH_WIDTH + WATCH_GAP : 0;
    int x = BEST_SCORE_X;
    if (bestScore != nullptr) {
        fitWidthToText(*bestScore, rowEnd - x - watchRoom);
        x += bestScore->w();
    }
    if (watch != nullptr) {
        x += bestScore != nullptr ? WATCH_GAP : 0;
        watch->position(x, watch->y());
        x += watch->w();
    }
    if (warning != nullptr) {
        x += x > BEST_SCORE_X ? BEST_SCORE_X : 0;
        warning->position(x, warning->y());
        fitWidthToText(*warning, rowEnd - x);
    }
}

void selectResolution(Fl_Choice* resolution, int index) {
    if (index >= 0 && index < LAUNCHER_RESOLUTION_COUNT) {
        resolution->value(index);
    } else {
        resolution->value(static_cast<const Fl_Menu_Item*>(nullptr));
    }
}

void readControls(const LauncherControls& controls, LauncherState& state) {
    state.resolutionIndex = controls.resolution->value();
    state.windowed = controls.windowed->value() != 0 ? 1 : 0;
    state.lights = controls.lights->value() != 0 ? 1 : 0;
    state.music = controls.music->value() != 0 ? 1 : 0;
    state.joystick = controls.joystick->value() != 0 ? 1 : 0;
    state.hiQualTex = controls.hiQualTex->value() != 0 ? 1 : 0;
}

void onStart(Fl_Widget*, void* data) {
    auto* controls = static_cast<LauncherControls*>(data);
    controls->started = true;
    controls->window->hide();
}

void onWatch(Fl_Widget*, void* data) {
    auto* controls = static_cast<LauncherControls*>(data);
    controls->watched = true;
    controls->window->hide();
}

// Only when a replay is kept; placed once the best score's line has its width.
Fl_Button* addWatch(const LauncherState& state, LauncherControls& controls) {
    if (!state.bestReplayThere) {
        return nullptr;
    }
    auto* watch = new Fl_Button(BEST_SCORE_X, 416, WATCH_WIDTH, 32, "&Watch");
    watch->shortcut(FL_ALT | 'w');
    watch->tooltip(WATCH_TIP);
    watch->callback(onWatch, &controls);
    return watch;
}

// The close box ends the launcher, and so does Escape, as in any dialog.
void onWindowClose(Fl_Widget* window, void*) { window->hide(); }

std::function<bool()> gPadPressed;
LauncherControls* gShownControls = nullptr;

// Enter presses Start wherever the keyboard focus is. A plain button takes no
// Enter, so the key comes here once no control has used it.
int pressStartOnEnter(int event) {
    if (event != FL_SHORTCUT || gShownControls == nullptr) {
        return 0;
    }
    if (Fl::event_key() != FL_Enter && Fl::event_key() != FL_KP_Enter) {
        return 0;
    }
    onStart(gShownControls->start, gShownControls);
    return 1;
}

// Waits for the toolkit's next event. With the Joystick box ticked the wait is
// short, and the pad may press Start in between.
void waitWatchingPad(LauncherControls& controls) {
    if (!gPadPressed || controls.joystick->value() == 0) {
        Fl::wait(END_CHECK_SECONDS);
        return;
    }
    Fl::wait(PAD_LOOK_SECONDS);
    if (controls.window->shown() && gPadPressed()) {
        onStart(controls.start, &controls);
    }
}

void buildControls(LauncherControls& controls, const char* title, const LauncherState& state) {
    controls.window = new Fl_Window(LAUNCHER_WIDTH, LAUNCHER_HEIGHT, title);
    controls.window->callback(onWindowClose);
    // A class name of its own lets tools and tests tell it from the game window.
    controls.window->xclass(LAUNCHER_WINDOW_CLASS);
    // Made first, so it is drawn first and the controls stay on top of it.
    controls.splash = new SplashBox(0, 0, LAUNCHER_WIDTH, LAUNCHER_HEIGHT);

    auto* rezLabel = new Fl_Box(0, 0, 32, 24, "Rez");
    rezLabel->box(FL_FLAT_BOX);
    rezLabel->align(FL_ALIGN_LEFT | FL_ALIGN_INSIDE);
    rezLabel->tooltip(RESOLUTION_TIP);

    controls.resolution = new Fl_Choice(32, 0, 96, 24);
    for (const char* name : RESOLUTION_NAMES) {
        controls.resolution->add(name);
    }
    selectResolution(controls.resolution, state.resolutionIndex);
    controls.resolution->tooltip(RESOLUTION_TIP);

    controls.windowed = addCheckBox(128, 96, "Windowed", state.windowed, WINDOWED_TIP);
    controls.lights = addCheckBox(224, 96, "Lights", state.lights, LIGHTS_TIP);
    controls.music = addCheckBox(320, 96, "Music", state.music, MUSIC_TIP);
    controls.joystick = addCheckBox(416, 96, "Joystick", state.joystick, JOYSTICK_TIP);
    controls.hiQualTex = addCheckBox(512, 128, "HiQTexture", state.hiQualTex, HIQ_TEXTURE_TIP);

    controls.start = new Fl_Button(START_X, 416, 64, 32, "&Start");
    // Only Alt+S, as the underlined letter promises; a bare S does nothing.
    controls.start->shortcut(FL_ALT | 's');
    controls.start->callback(onStart, &controls);
    controls.start->tooltip(START_TIP);
    Fl_Box* bestScore = addBottomLine(state.bestScore, "");
    Fl_Button* watch = addWatch(state, controls);
    Fl_Box* warning = addBottomLine(state.warning, state.warningTip);
    controls.window->end();
    fitLauncherFont(*controls.window);
    placeBottomRow(bestScore, watch, warning);
}

// Placed on the desktop's usable area by the game's rule (whole, in its middle):
// left to the window manager, it opened where the game's last window stood (at the
// top of the screen the resolution list then unfolded partly off it), or in a
// corner.
void placeOnDesktop(Fl_Window& window, WindowPlaceRule place) {
    if (place == nullptr) {
        return;
    }
    ScreenRect area;
    Fl::screen_work_area(area.x, area.y, area.width, area.height, 0);
    const ScreenRect placed = place(window.w(), window.h(), FrameBorders(), area);
    window.position(placed.x, placed.y);
}

}  // namespace

std::vector<LauncherTextFit> platformLauncherTextFits(const LauncherState& state) {
    std::string failure;
    if (!launcherOpenDisplay(failure)) {
        return {};
    }
    LauncherControls controls;
    buildControls(controls, "", state);
    std::unique_ptr<Fl_Window> window(controls.window);
    return launcherTextFits(*window);
}

LauncherOutcome platformRunLauncher(const char* title, LauncherState& state,
                                    const LauncherSplash& splash, WindowPlaceRule place,
                                    std::string* noDisplayReason) {
    std::string failure;
    if (!launcherOpenDisplay(failure)) {
        if (noDisplayReason != nullptr) {
            *noDisplayReason = failure;
        }
        return LAUNCHER_NO_DISPLAY;
    }
    keepToolkitOptionsInProgram();
    LauncherControls controls;
    buildControls(controls, title, state);
    std::unique_ptr<Fl_Window> window(controls.window);
    controls.splash->setPicture(scaledPicture(splash, LAUNCHER_WIDTH, LAUNCHER_HEIGHT));

    placeOnDesktop(*window, place);
    window->show();
    gShownControls = &controls;
    Fl::add_handler(pressStartOnEnter);
    // A stop signal closes the launcher as its close box does.
    while (window->shown() && platformEndSignal() == 0) {
        waitWatchingPad(controls);
        // Reading the pad let the library catch the signals that end a program:
        // one of them ends the launcher as its close box would.
        if (platformPadsSawQuitSignal()) {
            window->hide();
        }
    }
    Fl::remove_handler(pressStartOnEnter);
    gShownControls = nullptr;
    if (controls.started || controls.watched) {
        readControls(controls, state);
    }
    window.reset();
    // The hidden window only leaves the screen once the request reaches the server.
    Fl::flush();
    // The toolkit adopts the user's locale; the game's number parsing must not.
    std::setlocale(LC_NUMERIC, "C");
    if (controls.watched) {
        return LAUNCHER_WATCH;
    }
    return controls.started ? LAUNCHER_STARTED : LAUNCHER_CLOSED;
}

void platformLauncherWatchesPad(std::function<bool()> pressed) { gPadPressed = std::move(pressed); }
