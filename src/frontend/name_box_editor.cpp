#include "frontend/name_box_editor.h"

#include <algorithm>

#include "frontend/shift_jis_text.h"
#include "platform/ui_input.h"

namespace darts::frontend {
namespace {

// Typed characters that a one-line box takes: no control characters.
bool isPrintable(std::string_view character) {
    const auto byte = static_cast<unsigned char>(character[0]);
    return character.size() == 2 || (byte >= 0x20 && byte != 0x7F);
}

}  // namespace

void NameBoxEditor::reset(std::string_view text) {
    text_ = std::string(shiftJisPrefix(text, capacity_));
    caret_ = anchor_ = text_.size();
    scroll_ = 0;
}

std::string NameBoxEditor::selectedText() const {
    return text_.substr(selectionStart(), selectionEnd() - selectionStart());
}

size_t NameBoxEditor::previousBoundary(size_t pos) const {
    // Boundaries are only known from the start: trail bytes look like lead bytes and ASCII.
    size_t previous = 0;
    for (size_t at = 0; at < pos && at < text_.size(); at += shiftJisCharLength(text_, at)) {
        previous = at;
    }
    return previous;
}

size_t NameBoxEditor::nextBoundary(size_t pos) const {
    if (pos >= text_.size()) return text_.size();
    return pos + shiftJisCharLength(text_, pos);
}

void NameBoxEditor::moveTo(size_t pos, bool extend) {
    caret_ = pos;
    if (!extend) anchor_ = pos;
}

void NameBoxEditor::eraseSelection() {
    const size_t start = selectionStart();
    text_.erase(start, selectionEnd() - start);
    caret_ = anchor_ = start;
}

void NameBoxEditor::insert(std::string_view text) {
    eraseSelection();
    std::string accepted;
    for (size_t pos = 0; pos < text.size();) {
        const std::string_view character = text.substr(pos, shiftJisCharLength(text, pos));
        pos += character.size();
        if (!isPrintable(character)) continue;
        if (text_.size() + accepted.size() + character.size() > capacity_) break;
        accepted += character;
    }
    text_.insert(caret_, accepted);
    caret_ = anchor_ = caret_ + accepted.size();
}

void NameBoxEditor::left(bool extend) {
    if (hasSelection() && !extend) {
        moveTo(selectionStart(), false);
        return;
    }
    moveTo(previousBoundary(caret_), extend);
}

void NameBoxEditor::right(bool extend) {
    if (hasSelection() && !extend) {
        moveTo(selectionEnd(), false);
        return;
    }
    moveTo(nextBoundary(caret_), extend);
}

void NameBoxEditor::home(bool extend) { moveTo(0, extend); }

void NameBoxEditor::end(bool extend) { moveTo(text_.size(), extend); }

void NameBoxEditor::backspace() {
    if (!hasSelection()) anchor_ = previousBoundary(caret_);
    eraseSelection();
}

void NameBoxEditor::remove() {
    if (!hasSelection()) anchor_ = nextBoundary(caret_);
    eraseSelection();
}

void NameBoxEditor::selectAll() {
    anchor_ = 0;
    caret_ = text_.size();
}

std::string NameBoxEditor::cut() {
    std::string taken = selectedText();
    eraseSelection();
    return taken;
}

void NameBoxEditor::placeCaretAtColumn(int column, bool extend) {
    // One byte is one column, and `column` counts the gaps between columns from the box's first
    // shown byte; the middle of a double-byte character goes after it.
    // Typing since the box was last drawn may have moved the text under its first shown byte.
    keepScrollOnABoundary();
    const size_t wanted = scroll_ + static_cast<size_t>(std::max(column, 0));
    size_t pos = scroll_;
    while (pos < text_.size()) {
        const size_t next = nextBoundary(pos);
        if (next > wanted) {
            if ((wanted - pos) * 2 >= next - pos) pos = next;
            break;
        }
        pos = next;
    }
    moveTo(pos, extend);
}

size_t NameBoxEditor::boundaryAtOrBefore(size_t pos) const {
    size_t at = 0;
    while (at < text_.size()) {
        const size_t next = nextBoundary(at);
        if (next > pos) break;
        at = next;
    }
    return at;
}

void NameBoxEditor::keepScrollOnABoundary() {
    // The text may have changed under the old start: it is kept on a character boundary.
    scroll_ = boundaryAtOrBefore(std::min(scroll_, text_.size()));
}

size_t NameBoxEditor::scrollFor(size_t columns, size_t composingColumns) {
    keepScrollOnABoundary();
    if (caret_ < scroll_) scroll_ = caret_;
    while (caret_ + composingColumns > scroll_ + columns && scroll_ < caret_) {
        scroll_ = nextBoundary(scroll_);
    }
    return scroll_;
}

bool NameBoxEditor::editKey(int key, bool extend) {
    using platform::UiEvent;
    switch (key) {
        case UiEvent::Left:
            left(extend);
            return true;
        case UiEvent::Right:
            right(extend);
            return true;
        case UiEvent::Home:
            home(extend);
            return true;
        case UiEvent::End:
            end(extend);
            return true;
        case UiEvent::Delete:
            remove();
            return true;
        case UiEvent::SelectAll:
            selectAll();
            return true;
        default:
            return false;
    }
}

}  // namespace darts::frontend
