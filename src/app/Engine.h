#pragma once

#include <cstdint>

#include "app/GameOptions.h"
#include "input/Joystick.h"
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
    // The window was uncovered: its picture is due again, even where the game
    // would otherwise not draw the same frame twice (the game clears it on drawing).
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
    GameOptions options;

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
    // Every change of the window's size comes through here: the drawable size
    // takes it, and so do the options, so that game.ini records what the window
    // got rather than what was asked for.
    void adoptWindowSize(int width, int height);
    void releaseWindow();
    void handleMessage(const WindowMessage& message);
    void handleMessageWhileWaiting(const WindowMessage& message);

private:
    void stopIfShutdownRequested();
};

// Multiplies the current matrix by a perspective frustum (vertical field of view
// in degrees).
void setPerspective(float fieldOfViewDegrees, float aspect, float nearPlane, float farPlane);
