#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "gfx/image.h"
#include "gfx/png_writer.h"

namespace darts::gfx {
namespace {

Image gradient(int width, int height) {
    Image image{width, height, std::vector<uint8_t>(size_t(width) * height * 4)};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            uint8_t* p = &image.rgba[(size_t(y) * width + x) * 4];
            p[0] = uint8_t(x * 7);
            p[1] = uint8_t(y * 13);
            p[2] = uint8_t(x ^ y);
            p[3] = uint8_t(255 - x);
        }
    }
    return image;
}

TEST(ScreenshotPng, EncodedImageDecodesToTheSamePixels) {
    const Image image = gradient(37, 5);  // odd width: no row padding may creep in
    const auto bytes = encodePng(image);
    ASSERT_TRUE(bytes.has_value());
    const auto decoded = decodePng(*bytes);
    ASSERT_TRUE(decoded.has_value());
    EXPECT_EQ(decoded->width, 37);
    EXPECT_EQ(decoded->height, 5);
    EXPECT_EQ(decoded->rgba, image.rgba);
}

TEST(ScreenshotPng, InconsistentImagesAreRefused) {
    EXPECT_FALSE(encodePng(Image{}).has_value());
    Image shortData = gradient(4, 4);
    shortData.rgba.pop_back();
    EXPECT_FALSE(encodePng(shortData).has_value());
    Image negative = gradient(2, 2);
    negative.width = -2;
    EXPECT_FALSE(encodePng(negative).has_value());
}

TEST(ScreenshotPng, WritesAFileAndReportsFailures) {
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("darts-png-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    const std::filesystem::path file = dir / "shot.png";
    ASSERT_TRUE(writePng(file, gradient(8, 3)));
    std::ifstream in(file, std::ios::binary);
    const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
    const auto decoded = decodePng(bytes);
    ASSERT_TRUE(decoded.has_value());
    EXPECT_EQ(decoded->rgba, gradient(8, 3).rgba);

    EXPECT_FALSE(writePng(dir / "missing-folder" / "shot.png", gradient(8, 3)));
    EXPECT_FALSE(writePng(dir / "empty.png", Image{}));
    EXPECT_FALSE(std::filesystem::exists(dir / "empty.png"));
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace darts::gfx
