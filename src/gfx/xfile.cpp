#include "gfx/xfile.h"

#include <exception>
#include <fstream>
#include <new>

#include "gfx/xfile_mesh_builder.h"
#include "gfx/xfile_tokens.h"
#include "gfx/xfile_tree.h"

namespace darts::gfx {
namespace {

// Game models are a few hundred kilobytes; anything this large is not one of ours, and refusing
// it bounds what a hostile file can make the parser allocate.
constexpr std::streamoff kMaxFileBytes = 64 * 1024 * 1024;

// "xof " + version + encoding + float size, 16 bytes in all; e.g. "xof 0303txt 0032".
constexpr size_t kHeaderBytes = 16;

std::unique_ptr<xfile::TokenSource> tokensForHeader(std::string_view file) {
    if (file.size() < kHeaderBytes || file.substr(0, 4) != "xof ") {
        throw xfile::FormatError("not a .x file");
    }
    std::string_view encoding = file.substr(8, 4);
    std::string_view floatSize = file.substr(12, 4);
    int floatBits = 0;
    if (floatSize == "0032") floatBits = 32;
    if (floatSize == "0064") floatBits = 64;
    if (floatBits == 0) throw xfile::FormatError("unknown float size in the header");

    std::string_view body = file.substr(kHeaderBytes);
    if (encoding == "txt ") return xfile::makeTextTokenSource(body);
    if (encoding == "bin ") return xfile::makeBinaryTokenSource(body, floatBits);
    if (encoding == "tzip" || encoding == "bzip") {
        throw xfile::FormatError("compressed .x files are not supported");
    }
    throw xfile::FormatError("unknown encoding in the header");
}

XFileResult failure(std::string error) { return {std::nullopt, std::move(error)}; }

}  // namespace

XFileResult parseXFile(std::string_view fileBytes) {
    try {
        std::unique_ptr<xfile::TokenSource> tokens = tokensForHeader(fileBytes);
        std::vector<xfile::DataObject> objects = xfile::parseDataObjects(*tokens);
        return {xfile::buildMesh(objects), {}};
    } catch (const xfile::FormatError& e) {
        return failure(e.what());
    } catch (const std::bad_alloc&) {
        return failure("out of memory");
    } catch (const std::exception& e) {
        return failure(std::string("cannot load: ") + e.what());
    }
}

XFileResult loadXFile(const std::string& hostPath) {
    std::ifstream in(hostPath, std::ios::binary | std::ios::ate);
    if (!in) return failure(hostPath + ": cannot open the file");
    std::streamoff size = in.tellg();
    if (size < 0 || size > kMaxFileBytes) return failure(hostPath + ": unusable file size");
    std::string bytes;
    try {
        bytes.resize(static_cast<size_t>(size));
    } catch (const std::bad_alloc&) {
        return failure(hostPath + ": out of memory");
    }
    in.seekg(0);
    if (!in.read(bytes.data(), size)) return failure(hostPath + ": cannot read the file");
    XFileResult result = parseXFile(bytes);
    if (!result.mesh) result.error = hostPath + ": " + result.error;
    return result;
}

}  // namespace darts::gfx
