#include <epoxy/gl.h>

#include "render/gl/gl_text.h"

#include <cstddef>

#include "render/device.h"
#include "render/gl/gl_shaders.h"

namespace darts::render::gl {

bool AtlasPacker::place(int width, int height, int& page, int& x, int& y) {
    constexpr int kGap = 1;
    const int paddedWidth = width + kGap, paddedHeight = height + kGap;
    if (width <= 0 || height <= 0 || paddedWidth > pageSize_ || paddedHeight > pageSize_) {
        return false;
    }
    if (pageCount_ == 0) pageCount_ = 1;
    if (shelfX_ + paddedWidth > pageSize_) {  // next shelf
        shelfY_ += shelfHeight_;
        shelfX_ = 0;
        shelfHeight_ = 0;
    }
    if (shelfY_ + paddedHeight > pageSize_) {  // next page
        ++pageCount_;
        shelfX_ = shelfY_ = shelfHeight_ = 0;
    }
    page = pageCount_ - 1;
    x = shelfX_;
    y = shelfY_;
    shelfX_ += paddedWidth;
    if (paddedHeight > shelfHeight_) shelfHeight_ = paddedHeight;
    return true;
}

AtlasFont::AtlasFont(std::unique_ptr<gfx::Font> font) : font_(std::move(font)) {}

AtlasFont::~AtlasFont() {
    if (!pages_.empty()) glDeleteTextures(static_cast<GLsizei>(pages_.size()), pages_.data());
}

const AtlasGlyph& AtlasFont::glyph(char32_t codepoint) {
    if (auto found = glyphs_.find(codepoint); found != glyphs_.end()) return found->second;
    const gfx::GlyphImage& image = font_->glyph(codepoint);
    AtlasGlyph placed;
    placed.left = image.left;
    placed.top = image.top;
    placed.advance = image.advance;
    const bool hasBitmap = image.width > 0 && image.height > 0 &&
                           image.coverage.size() == size_t(image.width) * size_t(image.height);
    if (hasBitmap &&
        packer_.place(image.width, image.height, placed.page, placed.atlasX, placed.atlasY)) {
        while (static_cast<int>(pages_.size()) < packer_.pageCount()) {
            GLuint texture = 0;
            glGenTextures(1, &texture);
            glBindTexture(GL_TEXTURE_2D, texture);
            glTexImage2D(GL_TEXTURE_2D, 0, GL_R8, kPageSize, kPageSize, 0, GL_RED, GL_UNSIGNED_BYTE,
                         nullptr);
            // Start blank: the gaps between glyphs must read as no coverage.
            const std::vector<unsigned char> zeros(size_t(kPageSize) * kPageSize, 0);
            glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
            glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, kPageSize, kPageSize, GL_RED, GL_UNSIGNED_BYTE,
                            zeros.data());
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
            glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
            pages_.push_back(texture);
        }
        placed.width = image.width;
        placed.height = image.height;
        glBindTexture(GL_TEXTURE_2D, pages_[static_cast<size_t>(placed.page)]);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        glTexSubImage2D(GL_TEXTURE_2D, 0, placed.atlasX, placed.atlasY, image.width, image.height,
                        GL_RED, GL_UNSIGNED_BYTE, image.coverage.data());
    } else {
        placed.page = -1;
    }
    return glyphs_.emplace(codepoint, placed).first->second;
}

void AtlasFont::layout(std::u32string_view text, int x, int y,
                       std::vector<std::vector<TextVertex>>& quadsByPage) {
    int penX = x, lineTop = y;
    for (char32_t c : text) {
        if (c == U'\r') continue;
        if (c == U'\n') {
            penX = x;
            lineTop += font_->cellHeight();
            continue;
        }
        const AtlasGlyph& g = glyph(c);
        if (g.page >= 0) {
            if (quadsByPage.size() <= static_cast<size_t>(g.page)) quadsByPage.resize(g.page + 1);
            const float x0 = float(penX + g.left), y0 = float(lineTop + g.top);
            const float x1 = x0 + float(g.width), y1 = y0 + float(g.height);
            const float u0 = float(g.atlasX), v0 = float(g.atlasY);
            const float u1 = u0 + float(g.width), v1 = v0 + float(g.height);
            auto& quads = quadsByPage[static_cast<size_t>(g.page)];
            quads.insert(quads.end(), {{x0, y0, u0, v0},
                                       {x1, y0, u1, v0},
                                       {x1, y1, u1, v1},
                                       {x0, y0, u0, v0},
                                       {x1, y1, u1, v1},
                                       {x0, y1, u0, v1}});
        }
        penX += g.advance;
    }
}

TextRenderer::TextRenderer(std::string& error) {
    program_ = buildProgram(kTextVertexShader, kTextFragmentShader, error);
    if (program_ == 0) return;
    glUseProgram(program_);
    glUniform2f(glGetUniformLocation(program_, "uFrameSize"), float(kFrameWidth),
                float(kFrameHeight));
    glUniform1i(glGetUniformLocation(program_, "uAtlas"), 0);
    colorLocation_ = glGetUniformLocation(program_, "uColor");
    atlasSizeLocation_ = glGetUniformLocation(program_, "uAtlasSize");

    glGenVertexArrays(1, &vertexArray_);
    glGenBuffers(1, &vertexBuffer_);
    glBindVertexArray(vertexArray_);
    glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer_);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 2, GL_FLOAT, GL_FALSE, sizeof(TextVertex),
                          reinterpret_cast<void*>(offsetof(TextVertex, x)));
    glEnableVertexAttribArray(1);
    glVertexAttribPointer(1, 2, GL_FLOAT, GL_FALSE, sizeof(TextVertex),
                          reinterpret_cast<void*>(offsetof(TextVertex, u)));
    glBindVertexArray(0);
}

TextRenderer::~TextRenderer() {
    fonts_.clear();
    if (vertexBuffer_) glDeleteBuffers(1, &vertexBuffer_);
    if (vertexArray_) glDeleteVertexArrays(1, &vertexArray_);
    if (program_) glDeleteProgram(program_);
}

uint32_t TextRenderer::addFont(std::unique_ptr<gfx::Font> font) {
    if (!font || font->cellHeight() <= 0) return 0;
    fonts_.push_back(std::make_unique<AtlasFont>(std::move(font)));
    return static_cast<uint32_t>(fonts_.size());
}

uint32_t TextRenderer::replaceFont(uint32_t handle, std::unique_ptr<gfx::Font> font) {
    if (handle == 0 || handle > fonts_.size() || !font || font->cellHeight() <= 0) return 0;
    fonts_[handle - 1] = std::make_unique<AtlasFont>(std::move(font));
    return handle;
}

void TextRenderer::draw(uint32_t font, std::string_view shiftJisText, int x, int y, uint32_t argb,
                        FrameScale scale) {
    if (font == 0 || font > fonts_.size() || shiftJisText.empty()) return;
    AtlasFont& atlas = *fonts_[font - 1];
    for (auto& batch : batches_) batch.clear();
    if (scale.isOne()) {
        atlas.layout(gfx::decodeShiftJis(shiftJisText), x, y, batches_);
    } else {
        atlas.layout(gfx::decodeShiftJis(shiftJisText), scaledEdge(x, scale.x),
                     scaledEdge(y, scale.y), batches_);
        for (auto& batch : batches_) {
            for (TextVertex& vertex : batch) {
                vertex.x = shaderCoordinateOf(vertex.x, scale.x);
                vertex.y = shaderCoordinateOf(vertex.y, scale.y);
            }
        }
    }

    glUseProgram(program_);
    glUniform4f(colorLocation_, float((argb >> 16) & 0xFF) / 255.0f,
                float((argb >> 8) & 0xFF) / 255.0f, float(argb & 0xFF) / 255.0f,
                float(argb >> 24) / 255.0f);
    glUniform2f(atlasSizeLocation_, float(AtlasFont::kPageSize), float(AtlasFont::kPageSize));
    glActiveTexture(GL_TEXTURE0);
    glBindVertexArray(vertexArray_);
    glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer_);
    glDisable(GL_DEPTH_TEST);
    glDepthMask(GL_FALSE);
    for (size_t page = 0; page < batches_.size(); ++page) {
        const auto& quads = batches_[page];
        if (quads.empty()) continue;
        glBindTexture(GL_TEXTURE_2D, atlas.pageTexture(static_cast<int>(page)));
        glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(quads.size() * sizeof(TextVertex)),
                     quads.data(), GL_STREAM_DRAW);
        glDrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(quads.size()));
    }
    glEnable(GL_DEPTH_TEST);
    glDepthMask(GL_TRUE);
    glBindVertexArray(0);
}

}  // namespace darts::render::gl
