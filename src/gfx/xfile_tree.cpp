// Builds the data-object tree from either token stream. Templates are declarations only: their
// bodies are skipped by matching braces, since the loader knows the layouts it needs.
#include "gfx/xfile_tree.h"

namespace darts::gfx::xfile {
namespace {

// Deeper nesting than this is taken as a hostile file rather than a model (frame hierarchies of
// real models are a few levels deep); it also keeps the recursion off the end of the stack.
constexpr int kMaxDepth = 64;

class TreeParser {
  public:
    explicit TreeParser(TokenSource& tokens) : tokens_(tokens) {}

    std::vector<DataObject> parseFile() {
        std::vector<DataObject> objects;
        for (Token token = tokens_.next(); token.kind != TokenKind::End; token = tokens_.next()) {
            switch (token.kind) {
                case TokenKind::Template:
                    skipTemplate();
                    break;
                case TokenKind::Name:
                    objects.push_back(parseObject(std::move(token.text), 1));
                    break;
                case TokenKind::Comma:
                case TokenKind::Semicolon:
                    break;
                default:
                    throw FormatError("expected a template or a data object");
            }
        }
        return objects;
    }

  private:
    void skipTemplate() {
        Token token = tokens_.next();
        if (token.kind != TokenKind::Name) throw FormatError("template without a name");
        expect(TokenKind::OpenBrace, "template");
        int depth = 1;
        while (depth > 0) {
            token = tokens_.next();
            if (token.kind == TokenKind::End) throw FormatError("file ends inside a template");
            if (token.kind == TokenKind::OpenBrace) ++depth;
            if (token.kind == TokenKind::CloseBrace) --depth;
        }
    }

    // Called after the template name of the object has been read.
    DataObject parseObject(std::string type, int depth) {
        if (depth > kMaxDepth) throw FormatError("data objects nested too deeply");
        DataObject object;
        object.type = std::move(type);
        Token token = tokens_.next();
        if (token.kind == TokenKind::Name) {
            object.name = std::move(token.text);
            token = tokens_.next();
        }
        if (token.kind != TokenKind::OpenBrace) {
            throw FormatError("expected { after " + object.type);
        }
        for (token = tokens_.next(); token.kind != TokenKind::CloseBrace; token = tokens_.next()) {
            switch (token.kind) {
                case TokenKind::Integer:
                case TokenKind::Float:
                    object.values.push_back({token.number, token.kind == TokenKind::Integer});
                    break;
                case TokenKind::String:
                    object.strings.push_back(std::move(token.text));
                    break;
                case TokenKind::Comma:
                case TokenKind::Semicolon:
                case TokenKind::Guid:  // the optional class id at the start of the object
                    break;
                case TokenKind::Name:
                    object.children.push_back(parseObject(std::move(token.text), depth + 1));
                    break;
                case TokenKind::OpenBrace:
                    object.children.push_back(parseReference());
                    break;
                case TokenKind::End:
                    throw FormatError("file ends inside " + object.type);
                default:
                    throw FormatError("unexpected token inside " + object.type);
            }
        }
        return object;
    }

    // "{ Name }", "{ Name <GUID> }" or "{ <GUID> }"; called after the opening brace.
    DataObject parseReference() {
        DataObject reference;
        reference.isReference = true;
        Token token = tokens_.next();
        if (token.kind == TokenKind::Name) {
            reference.name = std::move(token.text);
            token = tokens_.next();
        }
        if (token.kind == TokenKind::Guid) token = tokens_.next();
        if (token.kind != TokenKind::CloseBrace) throw FormatError("malformed reference");
        return reference;
    }

    void expect(TokenKind kind, const char* where) {
        if (tokens_.next().kind != kind) throw FormatError(std::string("malformed ") + where);
    }

    TokenSource& tokens_;
};

}  // namespace

std::vector<DataObject> parseDataObjects(TokenSource& tokens) {
    return TreeParser(tokens).parseFile();
}

}  // namespace darts::gfx::xfile
