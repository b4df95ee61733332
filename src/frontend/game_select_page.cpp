#include "frontend/game_select_page.h"

#include <cstring>
#include <memory>

#include "frontend/front_end_drawing.h"
#include "frontend/plate_look.h"
#include "frontend/typed_text.h"
#include "gfx/text_encoding.h"

namespace darts::frontend {
namespace {

namespace layout = game_select_layout;

using namespace plate_look;
constexpr uint32_t kWell = 0x40000000;
constexpr uint32_t kTypingWell = 0x90000000;
constexpr int kNameInset = 8;  // the name's first column from the box's left edge

void rect(render::Device& device, int left, int top, int width, int height, uint32_t argb,
          render::TextureHandle texture = 0) {
    drawRect(device, static_cast<float>(left), static_cast<float>(top),
             static_cast<float>(left + width), static_cast<float>(top + height), argb, {texture});
}

// A picture, or without one a plain panel of `fallback`, so the screen stays usable.
void picture(render::Device& device, render::TextureHandle texture, int left, int top, int width,
             int height, uint32_t fallback) {
    rect(device, left, top, width, height, texture != 0 ? 0xFFFFFFFFu : fallback, texture);
}

void centredText(render::Device& device, render::FontHandle font, const std::string& text,
                 int centreX, int y, uint32_t colour) {
    const int width = static_cast<int>(text.size()) * kBodyWidth;
    device.drawText(font, text, centreX - width / 2, y, colour);
}

template <size_t N>
std::string fieldText(const char (&field)[N]) {
    return {field, strnlen(field, N)};
}

}  // namespace

GameSelectScreen::GameSelectScreen(GameState& state) : state_(state) {}

void GameSelectScreen::activate(const GameSelectChoice& choice, bool seatsChosen) {
    menu_ = GameSelectMenu(choice, state_.players[kHuman].characterNumber, seatsChosen);
    result_.reset();
    finished_ = false;
    editingSeat_ = -1;
    composition_.clear();
    pointerX_ = state_.cursorX;
    pointerY_ = state_.cursorY;
    // The names come from a scratch state: players[1] is the front end's to show.
    auto scratch = std::make_unique<GameState>();
    scratch->language = state_.language;
    for (int character = 1; character <= kRosterCharacters; ++character) {
        readRosterRecord(*scratch, character, false);
        names_[character - 1] = fieldText(scratch->players[kComputer].name);
    }
}

void GameSelectScreen::handle(const platform::UiEvent& event) {
    if (finished_) return;
    using Kind = platform::UiEvent::Kind;
    switch (event.kind) {
        case Kind::PointerMove:
        case Kind::ButtonUp:
            pointerX_ = event.x;
            pointerY_ = event.y;
            break;
        case Kind::ButtonDown:
            buttonDown(event.x, event.y);
            break;
        case Kind::Text:
        case Kind::Paste:
            if (editingSeat_ >= 0) editor_.insert(gfx::utf8ToCp932(typeableText(event.text)));
            break;
        case Kind::Composition:
            composition_ = gfx::utf8ToCp932(typeableText(event.text));
            break;
        case Kind::Backspace:
            if (editingSeat_ >= 0 && composition_.empty()) editor_.backspace();
            break;
        case Kind::Edit:
            edit(event.x);
            break;
        case Kind::Quit:
            state_.quitRequested = 1;
            finished_ = true;
            break;
    }
}

void GameSelectScreen::buttonDown(int x, int y) {
    pointerX_ = x;
    pointerY_ = y;
    const GameSelectHit hit = menu_.hitAt(x, y);
    const bool sameBox = hit.kind == GameSelectHit::Kind::GuestName && hit.seat == editingSeat_;
    if (sameBox) {
        const int column = (x - layout::kNameBoxLeft - kNameInset + kBodyWidth / 2) / kBodyWidth;
        editor_.placeCaretAtColumn(column, false);
        return;
    }
    // A press anywhere else keeps what was typed, then acts as it always does.
    finishTyping();
    switch (menu_.press(x, y)) {
        case GameSelectMenu::Press::EditName:
            editingSeat_ = hit.seat;
            editor_.reset(menu_.choice().seats[hit.seat].name);
            break;
        case GameSelectMenu::Press::Start:
            result_ = menu_.choice();
            finished_ = true;
            break;
        case GameSelectMenu::Press::Back:
            finished_ = true;
            break;
        default:
            break;
    }
}

void GameSelectScreen::edit(int key) {
    if (editingSeat_ < 0 || !composition_.empty()) return;  // the input method works its own
    if (key == platform::UiEvent::Enter) {
        finishTyping();
    } else {
        editor_.editKey(key, false);
    }
}

void GameSelectScreen::finishTyping() {
    if (editingSeat_ < 0) return;
    menu_.setGuestName(editingSeat_, editor_.text());
    editingSeat_ = -1;
    composition_.clear();
}

std::string GameSelectScreen::seatName(int seat) const {
    const std::vector<SeatChoice>& seats = menu_.choice().seats;
    if (seat < 0 || seat >= static_cast<int>(seats.size())) return {};
    if (seats[seat].kind == SeatChoice::Kind::You) return fieldText(state_.players[kHuman].name);
    const int character = seats[seat].character;
    return character >= 1 && character <= kRosterCharacters ? names_[character - 1] : "";
}

void GameSelectScreen::drawArrows(render::Device& device, int lessX, int moreX, int top,
                                  int height) {
    picture(device, art_.less, lessX, top, layout::kArrowWidth, height, 0xFF6A4020u);
    picture(device, art_.more, moreX, top, layout::kArrowWidth, height, 0xFF6A4020u);
}

void GameSelectScreen::drawButton(render::Device& device, int left, int top, int width, int height,
                                  const std::string& text, bool hovered) {
    picture(device, art_.button, left, top, width, height, 0xFFA82028u);
    if (hovered) rect(device, left, top, width, height, kHover);
    centredText(device, art_.body, text, left + width / 2, top + (height - kBodyHeight) / 2,
                kCream);
}

void GameSelectScreen::drawNameBox(render::Device& device, int seat, int top, int textY) {
    const bool typing = seat == editingSeat_;
    rect(device, layout::kNameBoxLeft, top, layout::kNameBoxWidth, layout::kSeatArrowHeight,
         typing ? kTypingWell : kWell);
    const int textX = layout::kNameBoxLeft + kNameInset;
    if (!typing) {
        const std::string& name = menu_.choice().seats[seat].name;
        if (name.empty()) {
            device.drawText(art_.body, gameSelectText(state_.language, SelectText::TypeName),
                            textX, textY, kDim);
        } else {
            device.drawText(art_.body, name, textX, textY, kCream);
        }
        return;
    }
    // Shift-JIS bytes are columns: the caret stands after as many as lie before it.
    const std::string& text = editor_.text();
    const int caretX = textX + static_cast<int>(editor_.caret()) * kBodyWidth;
    device.drawText(art_.body, text.substr(0, editor_.caret()), textX, textY, kCream);
    device.drawText(art_.body, composition_, caretX, textY, kDim);
    const int afterX = caretX + static_cast<int>(composition_.size()) * kBodyWidth;
    device.drawText(art_.body, text.substr(editor_.caret()), afterX, textY, kCream);
    rect(device, afterX - (composition_.empty() ? 1 : 0), textY, 2, kBodyHeight, kGold);
}

void GameSelectScreen::drawOptionRows(render::Device& device) {
    const Language language = state_.language;
    const GameSelectHit hover = menu_.hitAt(pointerX_, pointerY_);
    const std::vector<GameSelectRow> rows = menu_.rows();
    constexpr SelectText kLabels[kGameSelectRows] = {
        SelectText::Game, SelectText::X01Start, SelectText::In,   SelectText::Out,
        SelectText::Bull, SelectText::Rounds,   SelectText::Legs,
    };
    const int valueLeft = layout::kLessX + layout::kArrowWidth;
    for (size_t index = 0; index < rows.size(); ++index) {
        const GameSelectRow row = rows[index];
        const int top = layout::kFirstRowTop + static_cast<int>(index) * layout::kRowHeight;
        if (hover.row == row) {
            rect(device, layout::kPlateLeft + 20, top, layout::kPlateWidth - 40, layout::kRowHeight,
                 kHover);
        }
        const int textY = top + (layout::kRowHeight - kBodyHeight) / 2;
        device.drawText(art_.body, gameSelectText(language, kLabels[static_cast<int>(row)]),
                        layout::kLabelX, textY, kCream);
        const int arrowTop = top + (layout::kRowHeight - layout::kArrowHeight) / 2;
        rect(device, valueLeft, arrowTop, layout::kMoreX - valueLeft, layout::kArrowHeight, kWell);
        drawArrows(device, layout::kLessX, layout::kMoreX, arrowTop, layout::kArrowHeight);
        centredText(device, art_.body, menu_.rowValue(row, language),
                    (valueLeft + layout::kMoreX) / 2, textY, kGold);
    }
}

void GameSelectScreen::drawSeats(render::Device& device) {
    const Language language = state_.language;
    const GameSelectHit hover = menu_.hitAt(pointerX_, pointerY_);
    const int seats = static_cast<int>(menu_.choice().seats.size());
    const int bandTextY = layout::kPlayersTop + (layout::kPlayersHeight - kBodyHeight) / 2;
    if (!menu_.seatsChosen()) {
        device.drawText(art_.body, gameSelectText(language, SelectText::TournamentSeats),
                        layout::kLabelX, bandTextY, kGold);
        return;
    }
    device.drawText(art_.body, gameSelectText(language, SelectText::Players), layout::kLabelX,
                    bandTextY, kGold);
    if (seats < games::kMaxSides) {
        drawButton(device, layout::kAddLeft, layout::kPlayersTop + 2, layout::kAddWidth,
                   layout::kPlayersHeight - 4, gameSelectText(language, SelectText::Add),
                   hover.kind == GameSelectHit::Kind::AddSeat);
    }
    for (int seat = 0; seat < seats; ++seat) {
        const int top = layout::kFirstSeatTop + seat * layout::kSeatHeight;
        if (hover.seat == seat) {
            rect(device, layout::kPlateLeft + 12, top, layout::kPlateWidth - 24,
                 layout::kSeatHeight, kHover);
        }
        const int textY = top + (layout::kSeatHeight - kBodyHeight) / 2;
        const int arrowTop = top + (layout::kSeatHeight - layout::kSeatArrowHeight) / 2;
        device.drawText(art_.body, std::to_string(seat + 1), layout::kSeatNumberX, textY, kGold);
        const std::string texts[kSeatFields] = {menu_.seatKindText(seat, language), seatName(seat),
                                                menu_.seatLevelText(seat, language)};
        for (int f = 0; f < kSeatFields; ++f) {
            const int less = layout::kSeatLessX[f], more = layout::kSeatMoreX[f];
            const int valueLeft = less + layout::kArrowWidth;
            const bool active = menu_.seatFieldActive(seat, static_cast<SeatField>(f));
            if (active) {
                rect(device, valueLeft, arrowTop, more - valueLeft, layout::kSeatArrowHeight,
                     kWell);
                drawArrows(device, less, more, arrowTop, layout::kSeatArrowHeight);
            }
            // A You seat's name stands without arrows: the character-select screen chose it.
            centredText(device, art_.body, texts[f], (valueLeft + more) / 2, textY,
                        active ? kGold : kDim);
        }
        if (menu_.choice().seats[seat].kind == SeatChoice::Kind::Guest) {
            drawNameBox(device, seat, arrowTop, textY);
        }
        if (seats > 1) {
            drawButton(device, layout::kRemoveLeft, arrowTop, layout::kRemoveWidth,
                       layout::kSeatArrowHeight, gameSelectText(language, SelectText::Remove),
                       hover.kind == GameSelectHit::Kind::RemoveSeat && hover.seat == seat);
        }
    }
}

void GameSelectScreen::draw(render::Device& device) {
    if (artDevice_ != &device) {
        artDevice_ = &device;
        art_.plate = textureFromResource(device, "GS_PLATE");
        art_.less = textureFromResource(device, "SET_LESS");
        art_.more = textureFromResource(device, "SET_MORE");
        art_.button = textureFromResource(device, "SET_BUTTON");
        art_.body = device.createFont(kBodyHeight, kBodyWidth);
    }
    const Language language = state_.language;
    device.beginFrame();
    picture(device, art_.plate, layout::kPlateLeft, layout::kPlateTop, layout::kPlateWidth,
            layout::kPlateHeight, 0xFF3A0A12u);
    device.drawText(art_.body, gameSelectText(language, SelectText::Heading), layout::kLabelX,
                    layout::kHeadingY, kGold);
    drawOptionRows(device);
    drawSeats(device);
    const GameSelectHit hover = menu_.hitAt(pointerX_, pointerY_);
    drawButton(device, layout::kBackLeft, layout::kButtonTop, layout::kButtonWidth,
               layout::kButtonHeight, gameSelectText(language, SelectText::Back),
               hover.kind == GameSelectHit::Kind::Back);
    drawButton(device, layout::kStartLeft, layout::kButtonTop, layout::kButtonWidth,
               layout::kButtonHeight, gameSelectText(language, SelectText::Start),
               hover.kind == GameSelectHit::Kind::Start);
    drawPointer(device, state_.cursorTexture, pointerX_, pointerY_);
    device.endFrame();
}

}  // namespace darts::frontend
