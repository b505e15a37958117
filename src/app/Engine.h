#pragma once

#include <cstdint>
#include <functional>
#include <mutex>
#include <vector>

#include "app/BestScores.h"
#include "app/GameOptions.h"
#include "input/Gamepad.h"
#include "input/Joystick.h"
#include "input/TickInput.h"
#include "platform/WindowMessage.h"
#include "math/Matrix4.h"
#include "math/Vec.h"

struct PlatformWindow;     // the game window (platform layer)
struct PlatformGlContext;  // its OpenGL context (platform layer)

// One OpenGL light slot; position is (x, y, z, w) as OpenGL takes it.
struct Light {
    Color4 ambient;
    Color4 diffuse;
    Color4 specular;
    Color4 position;
};

constexpr int LIGHT_SLOTS = 8;

// What the P key did at the last tick that toggled the pause.
enum PauseChange {
    PAUSE_UNCHANGED = 0,
    PAUSE_BEGAN,
    PAUSE_ENDED,
};

// What the input path keeps between messages and ticks (EngineControls.cpp).
struct ControlState {
    bool hasFocus = true;           // the window has the keyboard focus, as its messages said
    bool playBegun = false;         // beginPlay ran: from now on a lost focus pauses
    bool focusPauseAsked = false;   // the focus went during play, not yet taken by a tick
    bool pausedByFocus = false;     // the pause running began with a lost focus
    bool startHeld = false;         // the pad's Start, at the last read
    bool startPressed = false;      // Start went down since the last tick took it
    bool hikeHeldOver = false;      // the hike press that resumed: no hike until released
    bool focusClickDue = false;     // the focus just came: a click now only gave it
    double focusGainedAt = 0.0;     // when it came, by the game's clock
    bool downInPlay = false;        // the game plays a down (hike to tackle, score or miss)
    bool pointerConfined = false;   // what the window was last told
};

// The application object: window and context, frame timer, input state, camera,
// lights and options. One instance lives in static storage for the whole run.
class Engine {
public:
    PlatformGlContext* hglrc = nullptr;
    void* hInstance = nullptr;
    PlatformWindow* hwnd = nullptr;
    bool fullScreenModeSet = false;  // a display-mode change is in force (restore at release)
    // The size the window's drawable area has now, in pixels: the viewport, the
    // projection's aspect and the pointer mapping all follow it. 0 until a window
    // exists.
    int drawableWidth = 0;
    int drawableHeight = 0;
    // Nobody can see the window (minimised, unmapped or fully covered): frames
    // are not drawn, though the game goes on.
    bool windowHidden = false;
    // Between beginDrawing and endFrame: the projection stack holds the frame's copy.
    bool frameInProgress = false;
    // The planes init was given; the projection is made again at every resize.
    float nearPlane = 1.0f;
    float farPlane = 500.0f;
    bool paused = false;
    PauseChange pauseChange = PAUSE_UNCHANGED;  // set by the tick that toggles, until taken
    bool running = false;
    // The window was uncovered, resized or shown again: its picture is due again
    // even where no frame loop draws one (the pause, the wait after a score). Set
    // by the window's messages, cleared when the game is next drawn.
    bool repaintDue = false;
    // A frame was begun and its picture is cleared once its drawing starts.
    bool clearDue = false;
    Matrix4* cameraMatrix = nullptr;
    Color4 clearColor;
    std::uint8_t keyDown[256] = {};
    float stickX = 0.0f;
    float stickY = 0.0f;
    float frameTime = 0.0f;
    float lastTime = 0.0f;
    Matrix4 camera;
    int lightCount = 0;
    Light lights[LIGHT_SLOTS];
    Joystick joystick;
    Gamepad pad;  // device 0 by its layout, or the joystick above read raw
    ControlState controls;
    GameOptions options;
    // Kept from options mode 1 on; the defaults of mode 0 keep no table either.
    BestScores scores;

    Engine();
    ~Engine();
    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;

    bool init(const char* title, void* instance, Color4 clear, float nearPlane, float farPlane,
              OptionsMode optionsMode);
    void resetTimer();
    bool pumpMessages();
    // While the game holds its pause after a score, with no frames: keeps the
    // window answering for up to timeoutMs (the desktop's pings, a repaint when
    // uncovered, the close box, Q and Escape) and lets no game input through.
    // Returns false once the run has stopped.
    bool pumpMessagesWhileWaiting(int timeoutMs);
    float beginFrame();
    // The one place that puts the player's input together: keyboard and mouse
    // (keyDown, stickX, stickY), then a pad that answers, which decides the
    // steering and both keys over them (and leaves its buttons in keyDown, as a
    // joystick always did), and the asks to pause. The game reads nothing else.
    TickInput readTickInput();
    // Its hike and kick as they stand, without reading the pad again.
    bool hikeAsked() const;
    bool kickAsked() const;
    // The game's loading is over: messages it left waiting are taken now, and a
    // focus lost from here on pauses the game.
    void beginPlay();
    // The game tells whether a down is being played: only then is the pointer
    // kept in the window.
    void setDownInPlay(bool inPlay);
    // The pause's last change, once: the frame loop shows it (PAUSE_UNCHANGED
    // when nothing changed since the last call).
    PauseChange takePauseChange();
    // Saves the pure projection for a frame's drawing; the picture is cleared when
    // the drawing starts (applyCamera), so a frame that is not drawn after all
    // costs no clear. beginFrame does it at every tick that draws; a frame that
    // shows the game without advancing it (the one that shows a pause) calls it itself.
    void beginDrawing();
    void applyCamera();
    void endFrame();
    // Ends a begun frame without clearing, drawing or showing anything: the
    // picture on screen stays as it is.
    void skipFrame();
    void setLightPosition(std::uint8_t slot, Vec3 position);
    void registerWindowClass();
    bool createWindow(const char* title);
    // Every change of the drawable area's size comes through here, in pixels: the
    // viewport and the projection follow it at once (a frame in progress included).
    // The options keep the resolution the player chose: a resize, full screen or a
    // desktop too small for the window leave game.ini as it was.
    void adoptWindowSize(int width, int height);
    // Alt+Enter and F11: full screen at the desktop's resolution and back.
    void toggleFullScreen();
    void releaseWindow();
    void handleMessage(const WindowMessage& message);
    void handleMessageWhileWaiting(const WindowMessage& message);
    // Size, visibility and full screen: the window's own messages.
    void handleWindowChange(const WindowMessage& message);

    // The end-of-run saving, in one place: the options when the launcher's Start
    // was pressed, then every save added below, in order. Runs once per Engine,
    // whichever end comes first: the end of the main loop (Q, Escape, the close
    // box, a stop signal), the Engine's destructor, a lost display or a stop
    // signal the run did not act on in time (those two from the platform layer,
    // possibly on another thread; nothing here may touch the display).
    void saveAtEndOfRun();
    // Adds a save to the end of the run (for what the game keeps beyond options).
    void addEndOfRunSave(std::function<void()> save);

private:
    void stopIfEndRequested();
    bool readPad(PadRoles& roles);
    void followPad();
    void followPauseAsk(const TickInput& input);
    void setPaused(bool nowPaused, bool byFocus);
    void followFocus(bool focused, bool pausePlay);
    // Keeps the pointer in the window exactly while a down is played in a
    // focused window that is not paused.
    void followPointerRule();
    std::once_flag endOfRunSaved_;
    std::vector<std::function<void()>> endOfRunSaves_;
};

// Multiplies the current matrix by a perspective frustum (vertical field of view
// in degrees).
void setPerspective(float fieldOfViewDegrees, float aspect, float nearPlane, float farPlane);
