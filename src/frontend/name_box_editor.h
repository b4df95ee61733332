// The editing of a one-line text box over Shift-JIS text, as any text box edits: a caret and a
// selection between whole characters, typing that replaces the selection, the caret keys, and the
// part of the text the box shows when the text is longer than the box. Kept apart from the
// screen's drawing so that every edit can be checked on its own.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace darts::frontend {

class NameBoxEditor {
  public:
    explicit NameBoxEditor(size_t capacity) : capacity_(capacity) {}

    // New text (cut to whole characters within the capacity); the caret goes to its end, no
    // selection, and the box shows the text from its start.
    void reset(std::string_view text);

    const std::string& text() const { return text_; }
    size_t caret() const { return caret_; }
    size_t selectionStart() const { return caret_ < anchor_ ? caret_ : anchor_; }
    size_t selectionEnd() const { return caret_ < anchor_ ? anchor_ : caret_; }
    bool hasSelection() const { return caret_ != anchor_; }
    std::string selectedText() const;

    // Replaces the selection with the printable characters of `text` that fit; a character that
    // no longer fits ends the insertion, so half of a double-byte character never enters.
    void insert(std::string_view text);
    // The caret keys; with `extend` (Shift held) the selection grows or shrinks instead.
    void left(bool extend);
    void right(bool extend);
    void home(bool extend);
    void end(bool extend);
    // Delete the selection, or else the character before (backspace) or after (remove) the caret.
    void backspace();
    void remove();
    void selectAll();
    // Removes and returns the selection.
    std::string cut();
    // One of the box's editing keys (platform::UiEvent::EditKey): the caret keys, Delete and
    // Select All. False for a key it leaves to the box's owner (copying, Enter).
    bool editKey(int key, bool extend);
    // Places the caret on the character boundary nearest the given column of the box.
    void placeCaretAtColumn(int column, bool extend);

    // The first byte the box shows when it holds `columns` columns and the input method shows
    // `composingColumns` more at the caret: it moves only as far as keeps the caret in view.
    size_t scrollFor(size_t columns, size_t composingColumns);
    size_t scroll() const { return scroll_; }

  private:
    size_t previousBoundary(size_t pos) const;
    size_t nextBoundary(size_t pos) const;
    size_t boundaryAtOrBefore(size_t pos) const;
    void keepScrollOnABoundary();
    void moveTo(size_t pos, bool extend);
    void eraseSelection();

    size_t capacity_;
    std::string text_;
    size_t caret_ = 0;
    size_t anchor_ = 0;  // the other end of the selection; equal to the caret when none
    size_t scroll_ = 0;
};

}  // namespace darts::frontend
