#include "records/bents/bent_editor.h"

#include <gtest/gtest.h>

#include "../grid_fixture.h"

namespace kv {
namespace {

TEST(BentLineEditor, TypedComboTextIsKeptButOnlyAPickIsWritten) {
  // Picked with the keyboard, then typed over (nullptr: not); the project's index and text, the code on file.
  const struct { const char* combo; int pick; const char* typed; int index; const char* text; int column; char code; }
  cases[] = {
      {"Combo1", 2, "Pier axis", -1, "Pier axis", 11, ' '}, {"Combo2", 3, "Radial", -1, "Radial", 21, ' '},
      {"Combo1", 5, nullptr, 5, "Normal Offset", 11, '6'},  {"Combo2", 4, nullptr, 4, "Ahead Tangent", 21, '4'}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.combo) + " " + c.text);
    Program prog;
    auto& w = *dynamic_cast<BentLine*>(prog.window->editors().Ensure(Form::Bent));
    Activate(w);
    QTest::keyClicks(w.grid().Cell(0, "Text4"), "PIER 1");
    auto* box = qobject_cast<QComboBox*>(w.grid().Cell(0, c.combo));
    Pick(box, c.pick);
    if (c.typed != nullptr) box->lineEdit()->selectAll(), QTest::keyClicks(box, c.typed);
    const BentRow& r = prog.project().BentLine.rows[0];
    EXPECT_EQ(c.combo[5] == '1' ? r.Combo1 : r.Combo2, c.index);
    EXPECT_EQ(c.combo[5] == '1' ? r.Combo1Text : r.Combo2Text, c.text);
    ASSERT_EQ(Saved(prog.project(), "06").size(), 1u);
    EXPECT_EQ(Saved(prog.project(), "06")[0][c.column - 1], c.code);
    w.AddRecord_Click();  // a row added afterwards shows row 0's text with nothing chosen
    EXPECT_EQ(RowText(w, 20), c.combo[5] == '1' ? "|(" + std::string(c.text) + ")|||(Skew Type)||||||"
                                                 : "|(Distance Type)|||(" + std::string(c.text) + ")||||||");
  }
}

}  // namespace
}  // namespace kv
