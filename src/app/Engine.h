#pragma once

#include <cstdint>

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
    // The size the window's drawable area got, in pixels: the viewport and the
    // pointer mapping both read it. 0 until a window exists.
    int drawableWidth = 0;
    int drawableHeight = 0;
    bool paused = false;
    PauseChange pauseChange = PAUSE_UNCHANGED;  // set by the tick that toggles, until taken
    bool running = false;
    // The window was uncovered while the game waited and held no frame loop:
    // its picture is due again (pumpMessagesWhileWaiting sets it, the game clears it).
    bool repaintDue = false;
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
    // Clears the picture and saves the pure projection for a frame's drawing.
    // beginFrame does it at every tick that draws; a frame that shows the game
    // without advancing it (the one that shows a pause) calls it itself.
    void beginDrawing();
    void applyCamera();
    void endFrame();
    void setLightPosition(std::uint8_t slot, Vec3 position);
    void registerWindowClass();
    bool createWindow(const char* title);
    // Every change of the window's size comes through here: the drawable size
    // takes it, and so do the options, so that game.ini records what the window
    // got rather than what was asked for.
    void adoptWindowSize(int width, int height);
    void releaseWindow();
    void handleMessage(const WindowMessage& message);
    void handleMessageWhileWaiting(const WindowMessage& message);

private:
    void stopIfShutdownRequested();
    bool readPad(PadRoles& roles);
    void followPad();
    void followPauseAsk(const TickInput& input);
    void setPaused(bool nowPaused, bool byFocus);
    void followFocus(bool focused, bool pausePlay);
    // Keeps the pointer in the window exactly while a down is played in a
    // focused window that is not paused.
    void followPointerRule();
};

// Multiplies the current matrix by a perspective frustum (vertical field of view
// in degrees).
void setPerspective(float fieldOfViewDegrees, float aspect, float nearPlane, float farPlane);
