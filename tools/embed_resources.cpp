// Build-time generator: writes a C++ source file that holds the given files as byte arrays and
// a function returning the table of them (darts::gfx::EmbeddedResource, see
// gfx/resources.h).
//
//   embed_resources OUTPUT.cpp FUNCTION_NAME [FILE...]
//
// The output is rewritten only when its content changes, so an unchanged set of resources does
// not trigger a recompile.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::string lower(std::string s) {
    for (char& c : s) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return s;
}

// Printable characters stay as they are; everything else becomes a three-digit octal escape,
// which cannot swallow a following digit the way a hex escape would.
void appendEscaped(std::string& out, unsigned char c) {
    if (c >= 0x20 && c < 0x7F && c != '"' && c != '\\' && c != '?') {
        out += static_cast<char>(c);
    } else {
        char escape[5];
        std::snprintf(escape, sizeof escape, "\\%03o", c);
        out += escape;
    }
}

std::string quoted(const std::string& text) {
    std::string out = "\"";
    for (unsigned char c : text) appendEscaped(out, c);
    return out + "\"";
}

bool readFile(const fs::path& path, std::string& content) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    content.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: embed_resources OUTPUT.cpp FUNCTION_NAME [FILE...]\n");
        return 2;
    }
    const fs::path output = argv[1];
    const std::string function = argv[2];
    std::vector<fs::path> files(argv + 3, argv + argc);
    std::sort(files.begin(), files.end(),
              [](const fs::path& a, const fs::path& b) { return a.filename() < b.filename(); });

    std::ostringstream code;
    code << "// Generated at build time by embed_resources; do not edit.\n"
         << "#include \"gfx/resources.h\"\n\nnamespace {\n\n";
    std::set<std::string> seen;
    std::string entries;
    for (size_t i = 0; i < files.size(); ++i) {
        const std::string name = files[i].stem().string();
        const std::string extension = files[i].extension().string();
        if (!seen.insert(lower(name) + "\n" + lower(extension)).second) {
            std::fprintf(stderr, "embed_resources: %s clashes with another resource name\n",
                         files[i].string().c_str());
            return 1;
        }
        std::string content;
        if (!readFile(files[i], content)) {
            std::fprintf(stderr, "embed_resources: cannot read %s\n", files[i].string().c_str());
            return 1;
        }
        code << "// " << files[i].filename().string() << "\n"
             << "alignas(16) constexpr unsigned char kData" << i << "[] =\n";
        std::string line = "    \"";
        for (size_t b = 0; b < content.size(); ++b) {
            appendEscaped(line, static_cast<unsigned char>(content[b]));
            if (line.size() > 96) {
                code << line << "\"\n";
                line = "    \"";
            }
        }
        code << line << "\";\n\n";
        entries += "    {" + quoted(name) + ", " + quoted(extension) + ", {kData" +
                   std::to_string(i) + ", " + std::to_string(content.size()) + "}},\n";
    }
    if (!files.empty()) {
        code << "constexpr darts::gfx::EmbeddedResource kResources[] = {\n" << entries << "};\n\n";
    }
    code << "}  // namespace\n\nnamespace darts::gfx {\n\n"
         << "std::span<const EmbeddedResource> " << function << "() { return "
         << (files.empty() ? "{}" : "kResources") << "; }\n\n}  // namespace darts::gfx\n";

    std::string previous;
    if (fs::exists(output) && readFile(output, previous) && previous == code.str()) return 0;
    std::ofstream out(output, std::ios::binary | std::ios::trunc);
    out << code.str();
    out.close();
    if (!out) {
        std::fprintf(stderr, "embed_resources: cannot write %s\n", output.string().c_str());
        return 1;
    }
    return 0;
}
