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

#include "platform/LauncherDisplay.h"

namespace {

constexpr int LAUNCHER_WIDTH = 640;
constexpr int LAUNCHER_HEIGHT = 480;
const char* const RESOLUTION_NAMES[LAUNCHER_RESOLUTION_COUNT] = {"640x480", "800x600",
                                                                 "1024x800", "ScreenRez"};

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

Fl_Check_Button* addCheckBox(int x, int width, const char* text, int ticked) {
    auto* box = new Fl_Check_Button(x, 0, width, 24, text);
    box->box(FL_FLAT_BOX);
    box->value(ticked != 0 ? 1 : 0);
    return box;
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

// The close box ends the launcher. The toolkit would also close a window on
// Escape; the launcher has no such key, so a stray Escape does not quit the game.
void onWindowClose(Fl_Widget* window, void*) {
    if (Fl::event() == FL_SHORTCUT && Fl::event_key() == FL_Escape) {
        return;
    }
    window->hide();
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

    controls.resolution = new Fl_Choice(32, 0, 96, 24);
    for (const char* name : RESOLUTION_NAMES) {
        controls.resolution->add(name);
    }
    selectResolution(controls.resolution, state.resolutionIndex);

    controls.windowed = addCheckBox(128, 96, "Windowed", state.windowed);
    controls.lights = addCheckBox(224, 96, "Lights", state.lights);
    controls.music = addCheckBox(320, 96, "Music", state.music);
    controls.joystick = addCheckBox(416, 96, "Joystick", state.joystick);
    controls.hiQualTex = addCheckBox(512, 128, "HiQTexture", state.hiQualTex);

    controls.start = new Fl_Button(564, 416, 64, 32, "&Start");
    // Only Alt+S, as the underlined letter promises; a bare S does nothing.
    controls.start->shortcut(FL_ALT | 's');
    controls.start->callback(onStart, &controls);
    controls.window->end();
}

}  // namespace

LauncherOutcome platformRunLauncher(const char* title, LauncherState& state,
                                    const LauncherSplash& splash, std::string* noDisplayReason) {
    std::string failure;
    if (!launcherOpenDisplay(failure)) {
        if (noDisplayReason != nullptr) {
            *noDisplayReason = failure;
        }
        return LAUNCHER_NO_DISPLAY;
    }
    LauncherControls controls;
    buildControls(controls, title, state);
    std::unique_ptr<Fl_Window> window(controls.window);
    controls.splash->setPicture(scaledPicture(splash, LAUNCHER_WIDTH, LAUNCHER_HEIGHT));

    window->show();
    while (window->shown()) {
        Fl::wait();
    }
    if (controls.started) {
        readControls(controls, state);
    }
    window.reset();
    // The hidden window only leaves the screen once the request reaches the server.
    Fl::flush();
    // The toolkit adopts the user's locale; the game's number parsing must not.
    std::setlocale(LC_NUMERIC, "C");
    return controls.started ? LAUNCHER_STARTED : LAUNCHER_CLOSED;
}
