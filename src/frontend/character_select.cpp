#include "frontend/character_select.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "frontend/front_end_drawing.h"
#include "frontend/roster.h"
#include "frontend/shift_jis_text.h"
#include "gfxutil/resources.h"
#include "gfxutil/text_encoding.h"

namespace darts::frontend {

namespace {

constexpr uint32_t kGrey = 0xFF646464;  // RGB(100, 100, 100), the window background
constexpr uint32_t kWhite = 0xFFFFFFFF;
constexpr uint32_t kBlack = 0xFF000000;

constexpr size_t kNameBoxCapacity = sizeof(GameState::nameBoxText) - 1;
// What players[0].name takes of the box: 7 bytes and the terminator.
constexpr size_t kCommittedNameBytes = 7;

struct Box {
    int left, top, width, height;
    bool contains(int x, int y) const {
        return x >= left && x < left + width && y >= top && y < top + height;
    }
};

constexpr Box kNameBox{350, 110, 100, 30};
// The small font is 14 pixels per half-width character and the face is monospaced, so one
// Shift-JIS byte is one column. Six columns and the caret fit inside the border.
constexpr int kColumnWidth = 14;
constexpr size_t kVisibleColumns = 6;
constexpr int kTextLeft = kNameBox.left + 3;
constexpr int kTextTop = kNameBox.top + 9;  // the 12-pixel cell centred in the box

enum class ButtonId { Ok, Left, Right };

struct Button {
    ButtonId id;
    Box box;
    const char* upFace;
    const char* downFace;
};

constexpr Button kButtons[] = {
    {ButtonId::Ok, {600, 500, 80, 25}, "UP", "DOWN"},
    {ButtonId::Left, {148, 500, 40, 35}, "L_UP", "L_DOWN"},
    {ButtonId::Right, {262, 500, 40, 35}, "R_UP", "R_DOWN"},
};

const Button* buttonAt(int x, int y) {
    for (const Button& button : kButtons) {
        if (button.box.contains(x, y)) return &button;
    }
    return nullptr;
}

const Button& button(ButtonId id) {
    for (const Button& b : kButtons) {
        if (b.id == id) return b;
    }
    return kButtons[0];
}

template <size_t N>
std::string_view fieldText(const char (&field)[N]) {
    return {field, strnlen(field, N)};
}

// Typed characters that a one-line box takes: no control characters.
bool isPrintable(std::string_view character) {
    const auto byte = static_cast<unsigned char>(character[0]);
    return character.size() == 2 || (byte >= 0x20 && byte != 0x7F);
}

class Screen final : public CharacterSelectScreen {
  public:
    explicit Screen(GameState& state) : state_(state) {}

    void activate() override {
        state_.okPressed = 0;
        state_.leftPressed = 0;
        state_.rightPressed = 0;
        captured_.reset();
        composition_.clear();
        finished_ = false;
        state_.selectedCharacter = std::clamp(state_.selectedCharacter, 1, kRosterCharacters);
        showSelectedCharacter();
    }

    void handle(const platform::UiEvent& event) override {
        if (finished_) return;
        using Kind = platform::UiEvent::Kind;
        switch (event.kind) {
            case Kind::PointerMove:
                movePointer(event.x, event.y);
                break;
            case Kind::ButtonDown:
                movePointer(event.x, event.y);
                buttonDown();
                break;
            case Kind::ButtonUp:
                movePointer(event.x, event.y);
                buttonUp();
                break;
            case Kind::Text:
                type(event.text);
                break;
            case Kind::Composition:
                composition_ = event.text;
                break;
            case Kind::Backspace:
                backspace();
                break;
            case Kind::Quit:
                // Closing the window ends the game from here too, with nothing committed.
                state_.quitRequested = 1;
                state_.screen = ScreenId::Title;
                finished_ = true;
                break;
        }
    }

    // The system's own pointer is shown over this screen, so the game's is not drawn.
    void draw(render::Device& device) override {
        if (bitmapDevice_ != &device) {
            bitmaps_.clear();
            bitmapDevice_ = &device;
        }
        device.beginFrame();
        drawRect(device, 0, 0, render::kFrameWidth, render::kFrameHeight, kGrey);
        drawBitmap(device, "IDB_CHSET", {15, 15, 800, 600});
        drawBitmap(device, "NAME_BK", {200, 100, 800, 600});
        const PlayerSlot& shown = state_.players[kComputer];
        drawBitmap(device, fieldText(shown.portraitResource), {100, 200, 250, 300});
        drawBufferedText(state_, device,
                         gameText(state_.language, TextId::ExperienceLabel) +
                             std::to_string(experienceYears(shown)) +
                             gameText(state_.language, TextId::YearsSuffix),
                         kBlack, 480, 300);
        drawNameBox(device);
        for (const Button& b : kButtons) {
            drawBitmap(device, looksPressed(b.id) ? b.downFace : b.upFace, b.box);
        }
        device.endFrame();
    }

    bool finished() const override { return finished_; }

  private:
    struct Bitmap {
        render::TextureHandle texture = 0;
        int width = 0;
        int height = 0;
    };

    std::string_view nameBox() const { return fieldText(state_.nameBoxText); }

    // The text may be a view of the box itself: it is copied out before the box is cleared.
    void setNameBox(std::string_view text) {
        const std::string kept(shiftJisPrefix(text, kNameBoxCapacity));
        std::memset(state_.nameBoxText, 0, sizeof state_.nameBoxText);
        std::memcpy(state_.nameBoxText, kept.data(), kept.size());
    }

    // The selected character into players[1], its name into the box over whatever was typed.
    void showSelectedCharacter() {
        readRosterRecord(state_, state_.selectedCharacter, false);
        setNameBox(fieldText(state_.players[kComputer].name));
    }

    void movePointer(int x, int y) {
        pointerX_ = x;
        pointerY_ = y;
    }

    // A push button shows its pressed face while the press that began on it goes on and the
    // pointer is over it.
    bool looksPressed(ButtonId id) const {
        return captured_ == id && button(id).box.contains(pointerX_, pointerY_);
    }

    void buttonDown() {
        if (captured_) release(*captured_, false);  // its release never came
        const Button* hit = buttonAt(pointerX_, pointerY_);
        if (hit == nullptr) return;
        captured_ = hit->id;
        press(hit->id);
    }

    void buttonUp() {
        if (!captured_) return;
        const ButtonId id = *captured_;
        captured_.reset();
        release(id, button(id).box.contains(pointerX_, pointerY_));
    }

    // The latches make a press act once, however often the button is told about it.
    void press(ButtonId id) {
        switch (id) {
            case ButtonId::Ok:
                state_.okPressed = 1;
                break;
            case ButtonId::Left:
                if (state_.leftPressed != 1) step(-1);
                state_.leftPressed = 1;
                break;
            case ButtonId::Right:
                if (state_.rightPressed != 1) step(+1);
                state_.rightPressed = 1;
                break;
        }
    }

    // OK takes effect when the button comes up over it after a press on this screen; a press
    // dragged off and let go elsewhere is cancelled, as with any push button.
    void release(ButtonId id, bool overButton) {
        switch (id) {
            case ButtonId::Ok:
                if (overButton && state_.okPressed == 1) {
                    commit();
                } else {
                    state_.okPressed = 0;
                }
                break;
            case ButtonId::Left:
                state_.leftPressed = 0;
                break;
            case ButtonId::Right:
                state_.rightPressed = 0;
                break;
        }
    }

    // The arrows stop at the ends of the roster; they do not wrap around.
    void step(int delta) {
        state_.selectedCharacter =
            std::clamp(state_.selectedCharacter + delta, 1, kRosterCharacters);
        showSelectedCharacter();
    }

    void commit() {
        state_.screen = ScreenId::Title;
        state_.okPressed = 0;
        PlayerSlot& human = state_.players[kHuman];
        human = state_.players[kComputer];
        human.gaugeRange = human.gaugeSkill;
        // A cut at 7 bytes never leaves half of a double-byte character behind.
        const std::string_view name = shiftJisPrefix(nameBox(), kCommittedNameBytes);
        std::memset(human.name, 0, sizeof human.name);
        std::memcpy(human.name, name.data(), name.size());
        finished_ = true;
    }

    // Whole characters are taken while they fit; the rest of the text is refused.
    void type(std::string_view utf8) {
        composition_.clear();  // what was being composed has just been committed
        const std::string typed = gfx::utf8ToCp932(utf8);
        std::string text(nameBox());
        for (size_t pos = 0; pos < typed.size();) {
            const std::string_view character(typed.data() + pos, shiftJisCharLength(typed, pos));
            pos += character.size();
            if (!isPrintable(character)) continue;
            if (text.size() + character.size() > kNameBoxCapacity) break;
            text += character;
        }
        setNameBox(text);
    }

    void backspace() {
        if (!composition_.empty()) return;  // the input method edits its own text
        const std::string_view text = nameBox();
        setNameBox(text.substr(0, shiftJisLastCharStart(text)));
    }

    const Bitmap& bitmap(render::Device& device, std::string_view name) {
        auto found = bitmaps_.find(name);
        if (found != bitmaps_.end()) return found->second;
        Bitmap loaded;
        if (std::optional<gfx::Image> image = gfx::loadBitmapResource(name)) {
            loaded = {device.createTexture(*image), image->width, image->height};
        }
        return bitmaps_.emplace(std::string(name), loaded).first->second;
    }

    // The bitmap unscaled with its top-left at the box's, cut to the box; a missing one draws
    // nothing.
    void drawBitmap(render::Device& device, std::string_view name, Box box) {
        const Bitmap& b = bitmap(device, name);
        if (b.texture == 0) return;
        const int width = std::min(b.width, box.width), height = std::min(b.height, box.height);
        const TextureArea area{b.texture, static_cast<float>(width) / static_cast<float>(b.width),
                               static_cast<float>(height) / static_cast<float>(b.height)};
        drawRect(device, static_cast<float>(box.left), static_cast<float>(box.top),
                 static_cast<float>(box.left + width), static_cast<float>(box.top + height), kWhite,
                 area);
    }

    // White box, black border, the text with the caret after it and any text the input method
    // is composing after the caret, underlined. When it all does not fit, the end stays in view.
    void drawNameBox(render::Device& device) {
        const Box& b = kNameBox;
        const auto left = static_cast<float>(b.left), top = static_cast<float>(b.top);
        drawRect(device, left, top, left + b.width, top + b.height, kBlack);
        drawRect(device, left + 1, top + 1, left + b.width - 1, top + b.height - 1, kWhite);

        const std::string_view text = nameBox();
        const std::string line = std::string(text) + gfx::utf8ToCp932(composition_);
        const size_t start = shiftJisTailStart(line, kVisibleColumns);
        const size_t textEnd = std::max(start, text.size());
        const std::string_view shownText = std::string_view(line).substr(start, textEnd - start);
        const std::string_view shownComposition = std::string_view(line).substr(textEnd);

        const int caretX = kTextLeft + kColumnWidth * static_cast<int>(shownText.size());
        drawBufferedText(state_, device, shownText, kBlack, kTextLeft, kTextTop);
        drawRect(device, static_cast<float>(caretX), top + 5, static_cast<float>(caretX + 1),
                 top + b.height - 5, kBlack);
        if (!shownComposition.empty()) {
            const int compositionX = caretX + 1;
            const int width = kColumnWidth * static_cast<int>(shownComposition.size());
            drawBufferedText(state_, device, shownComposition, kBlack, compositionX, kTextTop);
            drawRect(device, static_cast<float>(compositionX), top + 23,
                     static_cast<float>(compositionX + width), top + 24, kBlack);
        }
    }

    GameState& state_;
    std::optional<ButtonId> captured_;  // the button the current press began on
    int pointerX_ = 0;
    int pointerY_ = 0;
    std::string composition_;  // UTF-8, as the input method reports it
    bool finished_ = false;
    // Textures are made once per device, on first use.
    render::Device* bitmapDevice_ = nullptr;
    std::map<std::string, Bitmap, std::less<>> bitmaps_;
};

}  // namespace

std::unique_ptr<CharacterSelectScreen> createCharacterSelectScreen(GameState& state) {
    return std::make_unique<Screen>(state);
}

}  // namespace darts::frontend
