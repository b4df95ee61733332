#include "frontend/character_select.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "frontend/front_end_drawing.h"
#include "frontend/name_box_editor.h"
#include "frontend/roster.h"
#include "frontend/shift_jis_text.h"
#include "frontend/typed_text.h"
#include "gfx/resources.h"
#include "gfx/text_encoding.h"

namespace darts::frontend {

namespace {

constexpr uint32_t kGrey = 0xFF646464;  // RGB(100, 100, 100), the window background
constexpr uint32_t kWhite = 0xFFFFFFFF;
constexpr uint32_t kBlack = 0xFF000000;

// What players[0].name takes of the box: 7 bytes and the terminator.
constexpr size_t kCommittedNameBytes = 7;

struct Box {
    int left, top, width, height;
    bool contains(int x, int y) const {
        return x >= left && x < left + width && y >= top && y < top + height;
    }
};

constexpr Box kNameBox{350, 110, 100, 30};
// This screen is an ordinary dialog and writes in the system's dialog font: cells 16 pixels high,
// 8 wide per half-width character. The face is monospaced, so one Shift-JIS byte is one column;
// eleven columns and the caret fit inside the name box's border.
constexpr int kSystemFontHeight = 16;
constexpr int kColumnWidth = 8;
constexpr size_t kVisibleColumns = 11;
constexpr int kTextLeft = kNameBox.left + 3;
constexpr int kTextTop = kNameBox.top + 7;  // the 16-pixel cell centred in the box
// The experience line, black on an opaque white box of exactly the text's extent.
constexpr int kExperienceLeft = 480, kExperienceTop = 300;
// Colours of the box's text: the selection as the system shows it, and the part of the name the
// match will not show (past the 7 bytes it keeps) in grey.
constexpr uint32_t kSelectionBackground = 0xFF000080;
constexpr uint32_t kCutOffText = 0xFF808080;

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

class Screen final : public CharacterSelectScreen {
  public:
    explicit Screen(GameState& state) : state_(state) {}

    void activate() override {
        state_.okPressed = 0;
        state_.leftPressed = 0;
        state_.rightPressed = 0;
        captured_.reset();
        composition_.clear();
        selecting_ = false;
        finished_ = false;
        state_.selectedCharacter = std::clamp(state_.selectedCharacter, 1, kRosterCharacters);
        showSelectedCharacter();
    }

    void handle(const platform::UiEvent& event) override {
        if (finished_) return;
        syncEditor();
        using Kind = platform::UiEvent::Kind;
        switch (event.kind) {
            case Kind::PointerMove:
                movePointer(event.x, event.y);
                if (selecting_) editor_.placeCaretAtColumn(columnAt(event.x), true);
                break;
            case Kind::ButtonDown:
                movePointer(event.x, event.y);
                buttonDown();
                if (composition_.empty() && kNameBox.contains(event.x, event.y)) {
                    clickNameBox(event.x);
                }
                break;
            case Kind::ButtonUp:
                movePointer(event.x, event.y);
                buttonUp();
                selecting_ = false;
                break;
            case Kind::Edit:
                edit(event.x, event.y != 0);
                break;
            case Kind::Paste:
                shownNameUntouched_ = false;
                insert(event.text);
                break;
            case Kind::Text:
                type(event.text);
                break;
            case Kind::Composition:
                composition_ = typeableText(event.text);
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
            systemFont_ = device.createFont(kSystemFontHeight, kColumnWidth);
        }
        syncEditor();
        device.beginFrame();
        drawRect(device, 0, 0, render::kFrameWidth, render::kFrameHeight, kGrey);
        drawBitmap(device, "IDB_CHSET", {15, 15, 800, 600});
        drawBitmap(device, "NAME_BK", {200, 100, 800, 600});
        const PlayerSlot& shown = state_.players[kComputer];
        drawBitmap(device, fieldText(shown.portraitResource), {100, 200, 250, 300});
        drawExperience(device, gameText(state_.language, TextId::ExperienceLabel) +
                                   std::to_string(experienceYears(shown)) +
                                   gameText(state_.language, TextId::YearsSuffix));
        drawNameBox(device);
        for (const Button& b : kButtons) {
            drawBitmap(device, looksPressed(b.id) ? b.downFace : b.upFace, b.box);
        }
        device.endFrame();
    }

    bool finished() const override { return finished_; }

    std::string takeCopiedText() override { return std::exchange(copied_, {}); }

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
        editor_.reset(nameBox());
        shownNameUntouched_ = true;
    }

    // The box's text lives in the game state; whatever changed it there starts editing afresh.
    void syncEditor() {
        if (editor_.text() != nameBox()) {
            editor_.reset(nameBox());
            shownNameUntouched_ = false;
        }
    }

    // A click on the character's own name, untouched since it was shown, selects all of it, so
    // that typing replaces it; once the player has edited, a click places the caret and a drag
    // from there selects.
    void clickNameBox(int x) {
        if (shownNameUntouched_) {
            editor_.selectAll();
            shownNameUntouched_ = false;
            return;
        }
        editor_.placeCaretAtColumn(columnAt(x), false);
        selecting_ = true;
    }

    // The gap between columns nearest to a pointer x, counted from the first column shown.
    static int columnAt(int x) { return (x - kTextLeft + kColumnWidth / 2) / kColumnWidth; }

    void edit(int key, bool extend) {
        if (!composition_.empty()) return;  // the input method works its own text
        shownNameUntouched_ = false;
        using platform::UiEvent;
        if (!editor_.editKey(key, extend)) {
            if (key == UiEvent::Copy && editor_.hasSelection()) {
                copied_ = gfx::cp932ToUtf8(editor_.selectedText());
            } else if (key == UiEvent::Cut && editor_.hasSelection()) {
                copied_ = gfx::cp932ToUtf8(editor_.cut());
            }
        }
        setNameBox(editor_.text());
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

    // Whole characters are taken at the caret while they fit; the rest of the text is refused.
    void type(std::string_view utf8) {
        composition_.clear();  // what was being composed has just been committed
        shownNameUntouched_ = false;
        insert(utf8);
    }

    // Cut to what the box can take before the one conversion, however much was pasted.
    void insert(std::string_view utf8) {
        editor_.insert(gfx::utf8ToCp932(typeableText(utf8)));
        setNameBox(editor_.text());
    }

    void backspace() {
        if (!composition_.empty()) return;  // the input method edits its own text
        shownNameUntouched_ = false;
        editor_.backspace();
        setNameBox(editor_.text());
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

    void drawExperience(render::Device& device, const std::string& text) {
        const int right = kExperienceLeft + kColumnWidth * static_cast<int>(text.size());
        drawRect(device, kExperienceLeft, kExperienceTop, static_cast<float>(right),
                 kExperienceTop + kSystemFontHeight, kWhite);
        device.drawText(systemFont_, text, kExperienceLeft, kExperienceTop, kBlack);
    }

    // Draws text[from, to) of the box from column `column`, split where its look changes: the
    // selection white on the system's highlight, the part the match will not keep in grey.
    int drawBoxRun(render::Device& device, size_t from, size_t to, int column) {
        const std::string& text = editor_.text();
        const size_t kept = shiftJisPrefix(text, kCommittedNameBytes).size();
        const size_t cuts[] = {editor_.selectionStart(), editor_.selectionEnd(), kept};
        while (from < to) {
            size_t end = to;
            for (size_t cut : cuts) {
                if (cut > from && cut < end) end = cut;
            }
            const bool selected =
                from >= editor_.selectionStart() && from < editor_.selectionEnd();
            const int x = kTextLeft + kColumnWidth * column;
            const int width = kColumnWidth * static_cast<int>(end - from);
            uint32_t color = from < kept ? kBlack : kCutOffText;
            if (selected) {
                drawRect(device, static_cast<float>(x), static_cast<float>(kTextTop),
                         static_cast<float>(x + width),
                         static_cast<float>(kTextTop + kSystemFontHeight), kSelectionBackground);
                color = kWhite;
            }
            device.drawText(systemFont_, std::string_view(text).substr(from, end - from), x,
                            kTextTop, color);
            column += static_cast<int>(end - from);
            from = end;
        }
        return column;
    }

    // White box, black border; the text from the first shown character, the caret, and what the
    // input method is composing shown in place at the caret, underlined. The box moves along the
    // text only as far as keeps the caret in view.
    void drawNameBox(render::Device& device) {
        const Box& b = kNameBox;
        const auto left = static_cast<float>(b.left), top = static_cast<float>(b.top);
        drawRect(device, left, top, left + b.width, top + b.height, kBlack);
        drawRect(device, left + 1, top + 1, left + b.width - 1, top + b.height - 1, kWhite);

        const std::string& text = editor_.text();
        const std::string composing = gfx::utf8ToCp932(composition_);
        const size_t first = editor_.scrollFor(kVisibleColumns, composing.size());
        const size_t caret = editor_.caret();
        int column = drawBoxRun(device, first, caret, 0);
        const int caretX = kTextLeft + kColumnWidth * column;
        drawRect(device, static_cast<float>(caretX), top + 5, static_cast<float>(caretX + 1),
                 top + b.height - 5, kBlack);
        if (!composing.empty()) {
            const std::string_view shown = shiftJisPrefix(
                composing, kVisibleColumns - std::min<size_t>(kVisibleColumns, column));
            const int x = caretX + 1;
            const int width = kColumnWidth * static_cast<int>(shown.size());
            device.drawText(systemFont_, shown, x, kTextTop, kBlack);
            drawRect(device, static_cast<float>(x), top + 24, static_cast<float>(x + width),
                     top + 25, kBlack);
            column += static_cast<int>(shown.size());
        }
        // What follows the caret, as far as whole characters fit in the box.
        const size_t room = kVisibleColumns - std::min<size_t>(kVisibleColumns, column);
        const size_t rest = shiftJisPrefix(std::string_view(text).substr(caret), room).size();
        drawBoxRun(device, caret, caret + rest, column);
    }

    GameState& state_;
    std::optional<ButtonId> captured_;  // the button the current press began on
    int pointerX_ = 0;
    int pointerY_ = 0;
    std::string composition_;  // UTF-8, as the input method reports it
    NameBoxEditor editor_{kNameBoxCapacity};
    bool selecting_ = false;  // a press in the name box goes on: moving selects
    bool shownNameUntouched_ = false;  // the box holds the shown character's name, unedited
    std::string copied_;      // UTF-8 for the clipboard, until the loop hands it on
    render::FontHandle systemFont_ = 0;
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
