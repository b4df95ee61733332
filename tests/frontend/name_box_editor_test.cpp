#include "frontend/name_box_editor.h"

#include <gtest/gtest.h>

#include <string>

#include "gfx/text_encoding.h"

namespace darts::frontend {
namespace {

std::string sj(const char* utf8) { return gfx::utf8ToCp932(utf8); }

class NameBox : public ::testing::Test {
  protected:
    NameBoxEditor box{16};
};

TEST_F(NameBox, TypingGoesInAtTheCaretAndReplacesTheSelection) {
    box.reset(sj("マスター"));
    EXPECT_EQ(box.caret(), 8u);
    box.home(false);
    box.insert(sj("ザ"));
    EXPECT_EQ(box.text(), sj("ザマスター"));
    EXPECT_EQ(box.caret(), 2u);
    box.right(true);
    box.right(true);  // "マス" selected
    EXPECT_EQ(box.selectedText(), sj("マス"));
    box.insert("AB");
    EXPECT_EQ(box.text(), sj("ザABター"));
    EXPECT_FALSE(box.hasSelection());
    box.selectAll();
    box.insert(sj("カ"));
    EXPECT_EQ(box.text(), sj("カ"));
}

TEST_F(NameBox, TheCaretNeverStopsInsideADoubleByteCharacter) {
    // 亜 is 88 9F: its trail byte is itself a lead byte, so boundaries count from the start.
    box.reset(sj("A亜亜B"));
    std::vector<size_t> stops;
    box.home(false);
    for (int i = 0; i < 6; ++i) {
        stops.push_back(box.caret());
        box.right(false);
    }
    EXPECT_EQ(stops, (std::vector<size_t>{0, 1, 3, 5, 6, 6}));
    box.left(false);
    box.left(false);
    EXPECT_EQ(box.caret(), 3u);
    box.backspace();
    EXPECT_EQ(box.text(), sj("A亜B"));
    box.remove();
    EXPECT_EQ(box.text(), "A" + std::string("B"));
    box.end(false);
    box.remove();  // nothing after the end
    EXPECT_EQ(box.text(), "AB");
}

TEST_F(NameBox, ShiftExtendsAndAPlainKeyCollapsesTheSelection) {
    box.reset("ABCDEF");
    box.home(false);
    box.right(false);
    box.end(true);
    EXPECT_EQ(box.selectedText(), "BCDEF");
    box.left(true);
    EXPECT_EQ(box.selectedText(), "BCDE");
    box.left(false);  // to the selection's start
    EXPECT_EQ(box.caret(), 1u);
    EXPECT_FALSE(box.hasSelection());
    box.home(true);
    box.backspace();  // removes the selection only
    EXPECT_EQ(box.text(), "BCDEF");
    box.selectAll();
    EXPECT_EQ(box.cut(), "BCDEF");
    EXPECT_EQ(box.text(), "");
}

TEST_F(NameBox, AFullBoxRefusesWhatDoesNotFitWholly) {
    box.reset("ABCDEFGHIJKLMNO");  // 15 of 16 bytes
    box.home(false);
    box.insert(sj("あ"));
    EXPECT_EQ(box.text(), "ABCDEFGHIJKLMNO");
    box.insert("z\t");
    EXPECT_EQ(box.text(), "zABCDEFGHIJKLMNO");
    box.selectAll();
    box.insert(sj("あいうえおかきくけ"));  // 18 bytes: eight characters fit
    EXPECT_EQ(box.text(), sj("あいうえおかきく"));
}

TEST_F(NameBox, AClickPlacesTheCaretAtTheNearestBoundary) {
    box.reset(sj("AあB"));
    box.placeCaretAtColumn(0, false);
    EXPECT_EQ(box.caret(), 0u);
    box.placeCaretAtColumn(2, false);  // the middle of あ: after it
    EXPECT_EQ(box.caret(), 3u);
    box.placeCaretAtColumn(1, false);
    EXPECT_EQ(box.caret(), 1u);
    box.placeCaretAtColumn(40, true);
    EXPECT_EQ(box.caret(), 4u);
    EXPECT_EQ(box.selectedText(), sj("あB"));
    box.placeCaretAtColumn(-3, false);
    EXPECT_EQ(box.caret(), 0u);
}

TEST_F(NameBox, TheBoxShowsTheStartAndFollowsTheCaretPastItsEnd) {
    box.reset(sj("ABCDEFGHIJKLMNOP"));
    box.home(false);
    EXPECT_EQ(box.scrollFor(11, 0), 0u);
    box.end(false);
    EXPECT_EQ(box.scrollFor(11, 0), 5u);  // the caret at 16 is the 11th column's end
    box.left(false);
    EXPECT_EQ(box.scrollFor(11, 0), 5u);  // moving back inside the view keeps it
    box.home(false);
    EXPECT_EQ(box.scrollFor(11, 0), 0u);

    // Double-byte text scrolls by whole characters, and a composition at the caret counts too.
    box.reset(sj("あいうえおか"));
    EXPECT_EQ(box.scrollFor(11, 0), 2u);
    box.home(false);
    box.scrollFor(11, 0);
    box.right(false);
    box.right(false);
    box.right(false);  // caret at 6
    EXPECT_EQ(box.scrollFor(11, 6), 2u);
}

TEST_F(NameBox, ResetCutsLongTextAtAWholeCharacter) {
    NameBoxEditor small{5};
    small.reset(sj("あいう"));
    EXPECT_EQ(small.text(), sj("あい"));
    EXPECT_EQ(small.caret(), 4u);
    EXPECT_EQ(small.scroll(), 0u);
}

}  // namespace
}  // namespace darts::frontend
