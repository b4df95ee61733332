// Paints every bitmap of the game, its cursor and its icon, and writes them into the resources
// folder that the build embeds into the executable:
//
//   make-bitmaps RESOURCES_FOLDER [--preview FOLDER]
//
// (or `cmake --build build --target bitmaps`). --preview also writes a contact sheet of all the
// pictures and mock-ups of the screens that show them, for checking the artwork by eye.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bitmaps_art.h"
#include "bitmaps_preview.h"
#include "bitmaps_raster.h"

namespace {

using namespace darts::content::bitmaps;
namespace fs = std::filesystem;

void writeFile(const fs::path& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path.string());
    std::printf("%s (%zu bytes)\n", path.filename().string().c_str(), bytes.size());
}

// The pixels an 8-bit picture really shows, for the proofs.
Raster expand(const IndexedImage& indexed) {
    Raster out(indexed.width, indexed.height);
    for (size_t i = 0; i < indexed.indices.size(); ++i) {
        out.argb[i] = indexed.palette[indexed.indices[i]];
    }
    return out;
}

PictureSet writeAll(const fs::path& folder) {
    PictureSet written;
    auto bmp24 = [&](const std::string& name, const Raster& picture) {
        writeFile(folder / (name + ".bmp"), encodeBmp24(picture));
        written[name] = picture;
    };
    bmp24("POINTTABLE", paintScoreTable());
    bmp24("GAGE", paintGauge());
    bmp24("compare_board", paintBoardPicture());
    bmp24("IDB_CHSET", paintBarCounter());
    bmp24("IDB_BK", paintNoticePanel());
    bmp24("SHOT", paintShotLabels());
    bmp24("SHOT_en", paintShotLabels(Words::English));
    bmp24("NAME_BK", paintNamePlate());
    bmp24("UP", paintOkButton(false));
    bmp24("DOWN", paintOkButton(true));
    bmp24("L_UP", paintArrowButton(false, false));
    bmp24("L_DOWN", paintArrowButton(false, true));
    bmp24("R_UP", paintArrowButton(true, false));
    bmp24("R_DOWN", paintArrowButton(true, true));
    for (int character = 1; character <= 8; ++character) {
        bmp24("C" + std::to_string(character), paintPortrait(character));
    }

    const char* const awards[] = {"TON 80",         "THREE IN THE BLACK", "HAT TRICK",
                                  "THREE IN A BED", "HIGH TON",           "LOW TON"};
    for (int rank = 1; rank <= 6; ++rank) {
        bmp24("AW_" + std::to_string(rank), paintAwardTitle(awards[rank - 1], rank));
    }
    bmp24("AW_CARD", paintStatisticsCard());
    bmp24("SET_PLATE", paintSettingsPlate());
    bmp24("SET_LESS", paintSettingsArrow(false));
    bmp24("SET_MORE", paintSettingsArrow(true));
    bmp24("SET_BUTTON", paintSettingsButton());
    bmp24("GS_PLATE", paintGameSelectPlate());

    // The title is the one 8-bit bitmap: a palette of 256 with gentle dithering.
    const IndexedImage title = quantize(paintTitle(), 256, 0.75);
    writeFile(folder / "start.bmp", encodeBmp8(title));
    written["start"] = expand(title);
    // The English title the same way: its own palette, the same size and depth.
    const IndexedImage titleEnglish = quantize(paintTitle(Words::English), 256, 0.75);
    writeFile(folder / "start_en.bmp", encodeBmp8(titleEnglish));
    written["start_en"] = expand(titleEnglish);

    const IconImage cursor{paintCursor(), 0, 0};
    writeFile(folder / "IDC_CURSOR1.cur", encodeIconFile(IconKind::Cursor, {&cursor, 1}));
    written["IDC_CURSOR1"] = cursor.picture;

    const std::vector<IconImage> icons{{paintIcon(32), 0, 0}, {paintIcon(16), 0, 0}};
    writeFile(folder / "IDI_ICON1.ico", encodeIconFile(IconKind::Icon, icons));
    written["IDI_ICON1"] = icons[0].picture;
    written["IDI_ICON1_16"] = icons[1].picture;
    return written;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() != 1 && !(args.size() == 3 && args[1] == "--preview")) {
        std::fprintf(stderr, "usage: make-bitmaps RESOURCES_FOLDER [--preview FOLDER]\n");
        return 2;
    }
    try {
        fs::create_directories(args[0]);
        const PictureSet written = writeAll(args[0]);
        if (args.size() == 3) {
            fs::create_directories(args[2]);
            writeContactSheet(written, args[2] + "/contact_sheet.png");
            writeScreenMockups(written, args[2]);
            std::printf("proofs in %s\n", args[2].c_str());
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "make-bitmaps: %s\n", error.what());
        return 1;
    }
    return 0;
}
