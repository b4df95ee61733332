#include "frontend/settings_page.h"

#include <string>

#include "frontend/front_end_drawing.h"
#include "frontend/plate_look.h"

namespace darts::frontend {
namespace {

namespace layout = settings_layout;

using namespace plate_look;
constexpr int kSmallHeight = 14, kSmallWidth = 7;

// A picture, or without one a plain panel of `fallback`, so the screen stays usable.
void picture(render::Device& device, render::TextureHandle texture, int left, int top, int width,
             int height, uint32_t fallback) {
    drawRect(device, static_cast<float>(left), static_cast<float>(top),
             static_cast<float>(left + width), static_cast<float>(top + height),
             texture != 0 ? 0xFFFFFFFFu : fallback, {texture});
}

void centredText(render::Device& device, render::FontHandle font, const std::string& text,
                 int centreX, int y, uint32_t colour) {
    const int width = static_cast<int>(text.size()) * kBodyWidth;
    device.drawText(font, text, centreX - width / 2, y, colour);
}

}  // namespace

SettingsArt loadSettingsArt(render::Device& device) {
    SettingsArt art;
    art.plate = textureFromResource(device, "SET_PLATE");
    art.less = textureFromResource(device, "SET_LESS");
    art.more = textureFromResource(device, "SET_MORE");
    art.button = textureFromResource(device, "SET_BUTTON");
    art.body = device.createFont(kBodyHeight, kBodyWidth);
    art.small = device.createFont(kSmallHeight, kSmallWidth);
    return art;
}

void drawSettingsPage(const GameState& state, render::Device& device, const SettingsArt& art,
                      const SettingsMenu& menu, int x, int y) {
    const Language language = state.language;
    device.beginFrame();
    picture(device, art.plate, layout::kPlateLeft, layout::kPlateTop, layout::kPlateWidth,
            layout::kPlateHeight, 0xFF3A0A12u);
    device.drawText(art.body, gameText(language, TextId::SettingsHeading), layout::kLabelX,
                    layout::kPlateTop + 26, kGold);

    const SettingsHit hover = settingsHitAt(x, y);
    bool anyWaiting = false;
    for (int index = 0; index < kSettingRows; ++index) {
        const auto row = static_cast<SettingRow>(index);
        const int top = layout::kFirstRowTop + index * layout::kRowHeight;
        if (hover.row == row) {
            drawRect(device, layout::kPlateLeft + 20.0f, static_cast<float>(top),
                     layout::kPlateLeft + layout::kPlateWidth - 20.0f,
                     static_cast<float>(top + layout::kRowHeight), kHover);
        }
        const int textY = top + (layout::kRowHeight - kBodyHeight) / 2;
        device.drawText(art.body, settingLabel(row, language), layout::kLabelX, textY, kCream);
        const int arrowTop = top + (layout::kRowHeight - layout::kArrowHeight) / 2;
        picture(device, art.less, layout::kLeftArrowX, arrowTop, layout::kArrowWidth,
                layout::kArrowHeight, 0xFF6A4020u);
        picture(device, art.more, layout::kRightArrowX, arrowTop, layout::kArrowWidth,
                layout::kArrowHeight, 0xFF6A4020u);
        centredText(device, art.body, menu.valueText(row, language), layout::kValueCentreX, textY,
                    kGold);
        if (menu.waitsForRestart(row)) {
            device.drawText(art.body, "*", layout::kMarkX, textY, kGold);
            anyWaiting = true;
        }
    }
    if (anyWaiting) {
        device.drawText(art.small, std::string("* ") + gameText(language, TextId::FromNextStart),
                        layout::kNoteX, layout::kNoteY, kDim);
    }
    picture(device, art.button, layout::kCloseLeft, layout::kCloseTop, layout::kCloseWidth,
            layout::kCloseHeight, 0xFFA82028u);
    centredText(device, art.body, gameText(language, TextId::CloseButton),
                layout::kCloseLeft + layout::kCloseWidth / 2,
                layout::kCloseTop + (layout::kCloseHeight - kBodyHeight) / 2, kCream);
    drawPointer(device, state.cursorTexture, x, y);
    device.endFrame();
}

}  // namespace darts::frontend
