#include "platform/sdl/sdl_controller.h"

#include <algorithm>
#include <cmath>

#include "platform/sdl/sdl_window.h"

namespace darts::platform {
namespace {

// The character-select screen's arrows on the 800 x 600 picture.
constexpr SDL_Rect kLeftArrow{148, 500, 40, 35};
constexpr SDL_Rect kRightArrow{262, 500, 40, 35};

constexpr uint32_t kDpadFullMs = 800;
constexpr double kDpadFirst = 0.25;
// An update after a long stall (a dragged window, a debugger) moves no further than this.
constexpr uint32_t kLongestStepMs = 100;

ControllerMouse* gActive = nullptr;

double stickDeflection(Sint16 value) { return std::max(-1.0, value / 32767.0); }

}  // namespace

double countsPerSecond(double deflection) {
    const double size = std::min(1.0, std::abs(deflection));
    if (size <= kStickDeadZone) return 0;
    const double beyond = (size - kStickDeadZone) / (1 - kStickDeadZone);
    return std::copysign(kFastestCounts * beyond * beyond, deflection);
}

double dpadDeflection(uint32_t heldMs) {
    const double grown = std::min(1.0, static_cast<double>(heldMs) / kDpadFullMs);
    return kDpadFirst + (1 - kDpadFirst) * grown;
}

struct ControllerMouse::Pad {
    SDL_GameController* controller = nullptr;
    SDL_JoystickID id = -1;
    bool aDown = false;
    bool escapeSent = false;
    bool backDown = false;
    uint32_t backSinceMs = 0;
    bool leftShoulder = false, rightShoulder = false;
    // When each d-pad direction went down: left, right, up, down.
    bool dpad[4] = {};
    uint32_t dpadSinceMs[4] = {};
};

ControllerMouse::ControllerMouse(SDL_Window* window) : window_(window) {
    // The controller must keep working while another window (a launcher's overlay) has focus.
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    started_ = SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0;
    if (started_) gActive = this;
}

ControllerMouse::~ControllerMouse() {
    for (auto& pad : pads_) SDL_GameControllerClose(pad->controller);
    if (gActive == this) gActive = nullptr;
    if (started_) SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

ControllerMouse* activeControllers() { return gActive; }

void ControllerMouse::openNewControllers() {
    const int count = SDL_NumJoysticks();
    for (int index = 0; index < count; ++index) {
        // Known devices first: asking whether a device is a game controller searches SDL's
        // whole table of mappings, far too slow to do for every device twice a frame.
        const SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(index);
        const bool known = std::any_of(pads_.begin(), pads_.end(),
                                       [id](const auto& pad) { return pad->id == id; });
        if (known || std::find(refused_.begin(), refused_.end(), id) != refused_.end()) continue;
        SDL_GameController* controller =
            SDL_IsGameController(index) ? SDL_GameControllerOpen(index) : nullptr;
        if (controller == nullptr) {
            refused_.push_back(id);  // a joystick SDL has no mapping for, or one that failed
            continue;
        }
        auto pad = std::make_unique<Pad>();
        pad->controller = controller;
        pad->id = id;
        pads_.push_back(std::move(pad));
    }
}

void ControllerMouse::closeGoneControllers() {
    for (auto it = pads_.begin(); it != pads_.end();) {
        if (SDL_GameControllerGetAttached((*it)->controller)) {
            ++it;
            continue;
        }
        // A controller pulled out with A or Back held lets go of them, or the game would wait
        // for a release that never comes.
        releaseHeld(**it);
        SDL_GameControllerClose((*it)->controller);
        it = pads_.erase(it);
    }
}

void ControllerMouse::releaseHeld(Pad& pad) {
    if (pad.aDown) pushButton(false, pointerX_, pointerY_);
    if (pad.escapeSent) pushEscape(false);
    if (pad.leftShoulder) pushArrow(false, false);
    if (pad.rightShoulder) pushArrow(true, false);
    pad.aDown = pad.escapeSent = pad.backDown = pad.leftShoulder = pad.rightShoulder = false;
}

void ControllerMouse::update(uint32_t nowMs) {
    if (!started_) return;
    SDL_GameControllerUpdate();
    closeGoneControllers();
    openNewControllers();
    const uint32_t stepMs = haveLast_ ? std::min(nowMs - lastMs_, kLongestStepMs) : 0;
    lastMs_ = nowMs;
    haveLast_ = true;

    int mouseX = 0, mouseY = 0;
    SDL_GetMouseState(&mouseX, &mouseY);
    if (mouseX != seenMouseX_ || mouseY != seenMouseY_) {
        pointerX_ = mouseX;
        pointerY_ = mouseY;
        seenMouseX_ = mouseX;
        seenMouseY_ = mouseY;
    }
    // Only the character-select screen lets the pointer go; the other screens hold it relative.
    const bool pointerFree = !SDL_GetRelativeMouseMode();

    double speedX = 0, speedY = 0;
    for (auto& padPointer : pads_) {
        Pad& pad = *padPointer;
        SDL_GameController* c = pad.controller;
        speedX += countsPerSecond(
            stickDeflection(SDL_GameControllerGetAxis(c, SDL_CONTROLLER_AXIS_LEFTX)));
        speedY += countsPerSecond(
            stickDeflection(SDL_GameControllerGetAxis(c, SDL_CONTROLLER_AXIS_LEFTY)));
        static constexpr SDL_GameControllerButton kDpad[4] = {
            SDL_CONTROLLER_BUTTON_DPAD_LEFT, SDL_CONTROLLER_BUTTON_DPAD_RIGHT,
            SDL_CONTROLLER_BUTTON_DPAD_UP, SDL_CONTROLLER_BUTTON_DPAD_DOWN};
        static constexpr int kSign[4] = {-1, 1, -1, 1};
        for (int d = 0; d < 4; ++d) {
            const bool down = SDL_GameControllerGetButton(c, kDpad[d]) != 0;
            if (down && !pad.dpad[d]) pad.dpadSinceMs[d] = nowMs;
            pad.dpad[d] = down;
            if (!down) continue;
            const double counts =
                kSign[d] * countsPerSecond(dpadDeflection(nowMs - pad.dpadSinceMs[d]));
            (d < 2 ? speedX : speedY) += counts;
        }

        const bool a = SDL_GameControllerGetButton(c, SDL_CONTROLLER_BUTTON_A) != 0;
        if (a != pad.aDown) pushButton(a, pointerX_, pointerY_);
        pad.aDown = a;

        const bool back = SDL_GameControllerGetButton(c, SDL_CONTROLLER_BUTTON_BACK) != 0;
        if (back && !pad.backDown) pad.backSinceMs = nowMs;
        pad.backDown = back;
        if (back && !pad.escapeSent && nowMs - pad.backSinceMs >= kEscapeHoldMs) {
            pushEscape(true);
            pad.escapeSent = true;
        } else if (!back && pad.escapeSent) {
            pushEscape(false);
            pad.escapeSent = false;
        }

        const bool left = SDL_GameControllerGetButton(c, SDL_CONTROLLER_BUTTON_LEFTSHOULDER) != 0;
        const bool right = SDL_GameControllerGetButton(c, SDL_CONTROLLER_BUTTON_RIGHTSHOULDER) != 0;
        // The arrows exist only on the screen with a free pointer; in play the shoulders rest.
        if (left != pad.leftShoulder && (pointerFree || !left)) {
            pushArrow(false, left);
            pad.leftShoulder = left;
        }
        if (right != pad.rightShoulder && (pointerFree || !right)) {
            pushArrow(true, right);
            pad.rightShoulder = right;
        }
    }

    carryX_ += speedX * stepMs / 1000.0;
    carryY_ += speedY * stepMs / 1000.0;
    const int dx = static_cast<int>(std::trunc(carryX_));
    const int dy = static_cast<int>(std::trunc(carryY_));
    carryX_ -= dx;
    carryY_ -= dy;
    if (speedX == 0) carryX_ = 0;
    if (speedY == 0) carryY_ = 0;
    if (dx != 0 || dy != 0) pushMotion(dx, dy);
}

void ControllerMouse::pushMotion(int dx, int dy) {
    if (!SDL_GetRelativeMouseMode()) {
        // The free pointer moves by pixels on the picture; keep it inside the window.
        int width = 0, height = 0;
        SDL_GetWindowSize(window_, &width, &height);
        const int scale = 3;  // the front end's own pixels per count, so both feel alike
        pointerX_ = std::clamp(pointerX_ + dx * scale, 0, std::max(0, width - 1));
        pointerY_ = std::clamp(pointerY_ + dy * scale, 0, std::max(0, height - 1));
        // The system pointer is the only one this screen shows: it goes where A will click.
        SDL_WarpMouseInWindow(window_, pointerX_, pointerY_);
        seenMouseX_ = pointerX_;
        seenMouseY_ = pointerY_;
    }
    SDL_Event event{};
    event.type = SDL_MOUSEMOTION;
    event.motion.windowID = SDL_GetWindowID(window_);
    event.motion.x = pointerX_;
    event.motion.y = pointerY_;
    event.motion.xrel = dx;
    event.motion.yrel = dy;
    SDL_PushEvent(&event);
}

void ControllerMouse::pushButton(bool down, int x, int y) {
    SDL_Event event{};
    event.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    event.button.windowID = SDL_GetWindowID(window_);
    event.button.button = SDL_BUTTON_LEFT;
    event.button.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.button.clicks = 1;
    event.button.x = x;
    event.button.y = y;
    SDL_PushEvent(&event);
}

void ControllerMouse::pushEscape(bool down) {
    SDL_Event event{};
    event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    event.key.windowID = SDL_GetWindowID(window_);
    event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.key.keysym.scancode = SDL_SCANCODE_ESCAPE;
    event.key.keysym.sym = SDLK_ESCAPE;
    SDL_PushEvent(&event);
}

void ControllerMouse::pushArrow(bool right, bool down) {
    // Where the arrow is shown, bars included: the click then reaches the picture as a mouse's
    // click on the arrow would.
    const SDL_Rect box = pictureRectInWindow(window_, right ? kRightArrow : kLeftArrow);
    // Pressed and released in the arrow's middle; the pointer stays where the stick left it.
    pushButton(down, box.x + box.w / 2, box.y + box.h / 2);
}

void ControllerMouse::rumble() {
    if (!rumbleOn_) return;
    for (auto& pad : pads_) SDL_GameControllerRumble(pad->controller, 0x5000, 0xA000, 150);
}

}  // namespace darts::platform
