#include "operations/Editors.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "operations/OperationsTestRig.h"
#include "operations/Texts.h"

namespace xs {
namespace {

using Cells = std::vector<std::string>;
using ::xs::testing::OperationsRig;

// ---- Opening and the live controls ----

using MouseEditorTest = OperationsRig;

TEST_F(MouseEditorTest, OpeningStartsInClickModeWhateverWasLeftBefore) {
  views.Pick(Control::MouseType, "鼠标移动");
  views.Pick(Control::MouseButton, "中键");
  views.Pick(Control::MouseAction, "放开");
  views.SetText(Control::MouseX, "12");
  views.SetText(Control::MouseY, "34");
  views.SetEnabled(Control::MouseButton, false);
  views.SetEnabled(Control::MouseAction, false);
  views.SetEnabled(Control::MouseX, true);
  views.SetEnabled(Control::MouseY, true);
  views.SetText(Control::MouseLiveX, "5");
  views.SetText(Control::MouseLiveY, "6");

  mouse.OnOpened();

  EXPECT_EQ(views.Text(Control::MouseType), "鼠标点击");
  EXPECT_EQ(views.Text(Control::MouseButton), "左键");
  EXPECT_EQ(views.Text(Control::MouseAction), "单击");
  EXPECT_EQ(views.Text(Control::MouseX), "");
  EXPECT_EQ(views.Text(Control::MouseY), "");
  EXPECT_FALSE(views.Enabled(Control::MouseX));
  EXPECT_FALSE(views.Enabled(Control::MouseY));
  EXPECT_TRUE(views.Enabled(Control::MouseButton));
  EXPECT_TRUE(views.Enabled(Control::MouseAction));
  EXPECT_EQ(views.Text(Control::MouseLiveX), "");
  EXPECT_EQ(views.Text(Control::MouseLiveY), "");
}

TEST_F(MouseEditorTest, TypeChangeSwitchesWhichBoxesAreEnabledAndKeepsTheirTexts) {
  views.Pick(Control::MouseButton, "右键");
  views.Pick(Control::MouseType, "鼠标移动");
  mouse.OnTypeChanged();
  EXPECT_TRUE(views.Enabled(Control::MouseX));
  EXPECT_TRUE(views.Enabled(Control::MouseY));
  EXPECT_FALSE(views.Enabled(Control::MouseButton));
  EXPECT_FALSE(views.Enabled(Control::MouseAction));
  views.SetText(Control::MouseX, "100");

  views.Pick(Control::MouseType, "鼠标点击");
  mouse.OnTypeChanged();
  EXPECT_FALSE(views.Enabled(Control::MouseX));
  EXPECT_FALSE(views.Enabled(Control::MouseY));
  EXPECT_TRUE(views.Enabled(Control::MouseButton));
  EXPECT_TRUE(views.Enabled(Control::MouseAction));
  EXPECT_EQ(views.Text(Control::MouseX), "100");
  EXPECT_EQ(views.Text(Control::MouseButton), "右键");
}

TEST_F(MouseEditorTest, PointerTickShowsTheCursorInScreenCoordinates) {
  input.cursor = {-1280, 1079};  // a screen left of the primary one
  mouse.OnPointerTick();
  EXPECT_EQ(views.Text(Control::MouseLiveX), "-1280");
  EXPECT_EQ(views.Text(Control::MouseLiveY), "1079");
  input.cursor = {0, 5};
  mouse.OnPointerTick();
  EXPECT_EQ(views.Text(Control::MouseLiveX), "0");
  EXPECT_EQ(views.Text(Control::MouseLiveY), "5");
  // Reopening empties the labels, and the next tick fills them again even at the same spot.
  mouse.OnOpened();
  EXPECT_EQ(views.Text(Control::MouseLiveX), "");
  mouse.OnPointerTick();
  EXPECT_EQ(views.Text(Control::MouseLiveX), "0");
  EXPECT_EQ(views.Text(Control::MouseLiveY), "5");
}

TEST_F(MouseEditorTest, AddResetsToClickModeButKeepsButtonAndAction) {
  views.Pick(Control::MouseButton, "右键");
  views.Pick(Control::MouseAction, "双击");
  AddMove("1920", "0");
  ASSERT_EQ(list.RowCount(), 1);
  EXPECT_EQ(views.Text(Control::MouseType), "鼠标点击");
  EXPECT_EQ(views.Text(Control::MouseX), "");
  EXPECT_EQ(views.Text(Control::MouseY), "");
  EXPECT_FALSE(views.Enabled(Control::MouseX));
  EXPECT_FALSE(views.Enabled(Control::MouseY));
  EXPECT_TRUE(views.Enabled(Control::MouseButton));
  EXPECT_TRUE(views.Enabled(Control::MouseAction));
  EXPECT_EQ(views.Text(Control::MouseButton), "右键");
  EXPECT_EQ(views.Text(Control::MouseAction), "双击");

  // Pressing "添加" again at once adds a click with the kept choice.
  mouse.OnAdd();
  ASSERT_EQ(list.RowCount(), 2);
  EXPECT_EQ(Fields(1), (Cells{"鼠标点击", "0", "0", "右键", "双击", "0", "0"}));
}

using KeyEditorTest = OperationsRig;

TEST_F(KeyEditorTest, OpeningEmptiesTheBoxesAndShowsZero) {
  views.SetText(Control::Key1, "17");
  views.SetText(Control::Key2, "86");
  views.SetText(Control::Key3, "9");
  views.SetText(Control::KeyConvertIn, "v");
  views.SetText(Control::KeyConvertOut, "86");
  keys.OnOpened();
  for (Control c : {Control::Key1, Control::Key2, Control::Key3, Control::KeyConvertIn})
    EXPECT_EQ(views.Text(c), "") << static_cast<int>(c);
  EXPECT_EQ(views.Text(Control::KeyConvertOut), "0");
}

struct ConverterCase {
  const char* typed;
  int code;
  friend void PrintTo(const ConverterCase& c, std::ostream* os) { *os << '"' << c.typed << '"'; }
};

class KeyEditorConverter : public OperationsRig, public ::testing::WithParamInterface<ConverterCase> {};

TEST_P(KeyEditorConverter, ShowsTheKeyCodeOfTheFirstCharacter) {
  views.SetText(Control::KeyConvertOut, "junk");
  views.SetText(Control::KeyConvertIn, GetParam().typed);
  keys.OnConverterChanged();
  EXPECT_EQ(views.Text(Control::KeyConvertOut), std::to_string(GetParam().code));
  EXPECT_EQ(KeyCodeOfText(GetParam().typed), GetParam().code);
}

INSTANTIATE_TEST_SUITE_P(Texts, KeyEditorConverter,
                         ::testing::Values(ConverterCase{"v", 86}, ConverterCase{"V", 86}, ConverterCase{"a", 65},
                                           ConverterCase{"z", 90}, ConverterCase{"1", 49}, ConverterCase{"", 0},
                                           ConverterCase{" ", 32}, ConverterCase{"ab", 65},
                                           ConverterCase{"{", 123}, ConverterCase{"`", 96},
                                           ConverterCase{"\x7f", 127},
                                           // Outside ASCII: the first UTF-8 byte names no key.
                                           ConverterCase{"中", 0}, ConverterCase{"é", 0}));

TEST_F(KeyEditorTest, AddEmptiesTheThreeBoxesAndLeavesTheConverter) {
  views.SetText(Control::KeyConvertIn, "v");
  keys.OnConverterChanged();
  AddKeys("17", "86", "");
  ASSERT_EQ(list.RowCount(), 1);
  EXPECT_EQ(views.Text(Control::Key1), "");
  EXPECT_EQ(views.Text(Control::Key2), "");
  EXPECT_EQ(views.Text(Control::Key3), "");
  EXPECT_EQ(views.Text(Control::KeyConvertIn), "v");
  EXPECT_EQ(views.Text(Control::KeyConvertOut), "86");
  // The empty third box is stored as an empty text, not "0".
  const auto stored = store.ReadOperations();
  ASSERT_EQ(stored.size(), 1u);
  EXPECT_EQ(stored[0].param1, "17");
  EXPECT_EQ(stored[0].param2, "86");
  EXPECT_EQ(stored[0].param3, "");
  sqlite3_stmt* s = nullptr;
  ASSERT_EQ(sqlite3_prepare_v2(store.RawHandle(), "SELECT typeof(参数三) FROM 数据存放", -1, &s, nullptr), SQLITE_OK);
  ASSERT_EQ(sqlite3_step(s), SQLITE_ROW);
  EXPECT_STREQ(reinterpret_cast<const char*>(sqlite3_column_text(s, 0)), "text");
  sqlite3_finalize(s);
}

using DelayEditorTest = OperationsRig;

TEST_F(DelayEditorTest, OpeningEmptiesTheBox) {
  views.SetText(Control::DelayValue, "500");
  delay.OnOpened();
  EXPECT_EQ(views.Text(Control::DelayValue), "");
}

TEST_F(DelayEditorTest, BoxKeepsItsTextSoRepeatedPressesAddNumberedRows) {
  views.SetText(Control::DelayValue, "500");
  delay.OnAdd();
  delay.OnAdd();
  delay.OnAdd();
  EXPECT_EQ(views.Text(Control::DelayValue), "500");
  EXPECT_EQ(Column(kColRowNumber), (Cells{"1", "2", "3"}));
  EXPECT_EQ(Column(kColRecordId), (Cells{"1", "2", "3"}));
  EXPECT_EQ(Column(kColDelay), (Cells{"500", "500", "500"}));
  EXPECT_EQ(StoredIds(), (std::vector<int64_t>{1, 2, 3}));
}

// ---- Accepted adds: what the row shows, what the store holds, what a restart shows ----

enum class Editor { Click, Move, Keys, Delay };

struct AcceptedCase {
  const char* name;
  Editor editor;
  std::vector<std::string> input;  // click: button, action; move: x, y; keys: k1..k3; delay: ms
  Cells shown;                     // columns 2..8 right after the add
  Cells reloaded;                  // columns 2..8 after a restart
  const char* logLine;
  friend void PrintTo(const AcceptedCase& c, std::ostream* os) { *os << c.name; }
};

// Drives one editor's add with the inputs of a table row.
class EditorRig : public OperationsRig {
 protected:
  void Add(Editor editor, const std::vector<std::string>& in) {
    switch (editor) {
      case Editor::Click: AddClick(in[0], in[1]); break;
      case Editor::Move: AddMove(in[0], in[1]); break;
      case Editor::Keys: AddKeys(in[0], in[1], in[2]); break;
      case Editor::Delay: AddDelay(in[0]); break;
    }
  }
};

class EditorAccepts : public EditorRig, public ::testing::WithParamInterface<AcceptedCase> {};

TEST_P(EditorAccepts, RowShowsTheTypedTextsAndTheStoreTheValues) {
  const AcceptedCase& c = GetParam();
  Add(c.editor, c.input);

  EXPECT_TRUE(views.messages.empty()) << (views.messages.empty() ? "" : views.messages[0].text);
  ASSERT_EQ(list.RowCount(), 1);
  EXPECT_EQ(views.listRowCount, 1);
  EXPECT_EQ(list.CellText(0, kColRowNumber), "1");
  EXPECT_EQ(list.CellText(0, kColRecordId), "1");
  EXPECT_EQ(Fields(0), c.shown);
  EXPECT_EQ(views.LogLines(), (Cells{c.logLine}));
  EXPECT_EQ(StoredIds(), (std::vector<int64_t>{1}));

  Restart();
  ASSERT_EQ(list.RowCount(), 1);
  EXPECT_EQ(list.CellText(0, kColRowNumber), "1");
  EXPECT_EQ(list.CellText(0, kColRecordId), "1");
  EXPECT_EQ(Fields(0), c.reloaded);
}

const char kClickLog[] = "系统提示：成功添加鼠标按键操作....";
const char kMoveLog[] = "系统提示：成功添加鼠标方位操作....";
const char kKeysLog[] = "系统提示：成功添加按键操作....";
const char kDelayLog[] = "系统提示：成功添加延迟操作....";

INSTANTIATE_TEST_SUITE_P(
    Kinds, EditorAccepts,
    ::testing::Values(
        AcceptedCase{"ClickAtOnce", Editor::Click, {"左键", "单击"},
                     {"鼠标点击", "0", "0", "左键", "单击", "0", "0"},
                     {"鼠标点击", "0", "0", "左键", "单击", "0", "0"}, kClickLog},
        AcceptedCase{"ClickMiddleRelease", Editor::Click, {"中键", "放开"},
                     {"鼠标点击", "0", "0", "中键", "放开", "0", "0"},
                     {"鼠标点击", "0", "0", "中键", "放开", "0", "0"}, kClickLog},
        AcceptedCase{"Move", Editor::Move, {"1920", "0"},
                     {"鼠标移动", "1920", "0", "0", "0", "0", "0"},
                     {"鼠标移动", "1920", "0", "0", "0", "0", "0"}, kMoveLog},
        AcceptedCase{"MoveLeadingZerosComeBackAsTheStoreWritesThem", Editor::Move, {"007", "-0012"},
                     {"鼠标移动", "007", "-0012", "0", "0", "0", "0"},
                     {"鼠标移动", "7", "-12", "0", "0", "0", "0"}, kMoveLog},
        AcceptedCase{"MoveAtTheEdgesOf32Bits", Editor::Move, {"-2147483648", "2147483647"},
                     {"鼠标移动", "-2147483648", "2147483647", "0", "0", "0", "0"},
                     {"鼠标移动", "-2147483648", "2147483647", "0", "0", "0", "0"}, kMoveLog},
        AcceptedCase{"MoveFullWidthDigits", Editor::Move, {"１００", "+5"},
                     {"鼠标移动", "１００", "+5", "0", "0", "0", "0"},
                     {"鼠标移动", "100", "5", "0", "0", "0", "0"}, kMoveLog},
        AcceptedCase{"KeysCombination", Editor::Keys, {"17", "86", ""},
                     {"键盘操作", "0", "0", "17", "86", "0", "0"},
                     {"键盘操作", "0", "0", "17", "86", "0", "0"}, kKeysLog},
        AcceptedCase{"KeysThree", Editor::Keys, {"17", "16", "9"},
                     {"键盘操作", "0", "0", "17", "16", "9", "0"},
                     {"键盘操作", "0", "0", "17", "16", "9", "0"}, kKeysLog},
        // Key codes are texts in the store: they come back exactly as typed.
        AcceptedCase{"KeysStayAsTyped", Editor::Keys, {"086", "", "+9"},
                     {"键盘操作", "0", "0", "086", "0", "+9", "0"},
                     {"键盘操作", "0", "0", "086", "0", "+9", "0"}, kKeysLog},
        AcceptedCase{"Delay", Editor::Delay, {"4000"},
                     {"延迟", "0", "0", "0", "0", "0", "4000"},
                     {"延迟", "0", "0", "0", "0", "0", "4000"}, kDelayLog},
        AcceptedCase{"DelayLeadingZero", Editor::Delay, {"0500"},
                     {"延迟", "0", "0", "0", "0", "0", "0500"},
                     {"延迟", "0", "0", "0", "0", "0", "500"}, kDelayLog}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- Refused input: the message says which box, and nothing is added ----

struct RefusedCase {
  const char* name;
  Editor editor;
  std::vector<std::string> input;
  const char* message;
  friend void PrintTo(const RefusedCase& c, std::ostream* os) { *os << c.name; }
};

class EditorRefusesInput : public EditorRig, public ::testing::WithParamInterface<RefusedCase> {};

TEST_P(EditorRefusesInput, ShowsWhichBoxIsWrongAndAddsNothing) {
  const RefusedCase& c = GetParam();
  const int listChanges = views.listChanges;
  Add(c.editor, c.input);

  ASSERT_EQ(views.messages.size(), 1u);
  EXPECT_EQ(views.messages[0].text, c.message);
  EXPECT_EQ(views.messages[0].icon, MessageIcon::Error);
  EXPECT_EQ(list.RowCount(), 0);
  EXPECT_EQ(views.listChanges, listChanges);
  EXPECT_TRUE(views.log.empty()) << views.log;
  EXPECT_TRUE(StoredIds().empty());
  // The boxes keep what the user typed, so it can be corrected.
  switch (c.editor) {
    case Editor::Move:
      EXPECT_EQ(views.Text(Control::MouseType), "鼠标移动");
      EXPECT_EQ(views.Text(Control::MouseX), c.input[0]);
      EXPECT_EQ(views.Text(Control::MouseY), c.input[1]);
      EXPECT_TRUE(views.Enabled(Control::MouseX));
      break;
    case Editor::Keys:
      EXPECT_EQ(views.Text(Control::Key1), c.input[0]);
      EXPECT_EQ(views.Text(Control::Key2), c.input[1]);
      EXPECT_EQ(views.Text(Control::Key3), c.input[2]);
      break;
    case Editor::Delay: EXPECT_EQ(views.Text(Control::DelayValue), c.input[0]); break;
    case Editor::Click: break;
  }
}

const char kX[] = "坐标X必须是整数（可带负号），例如 100";
const char kY[] = "坐标Y必须是整数（可带负号），例如 100";
const char kK1[] = "按键参数一必须是按键代码（整数），例如 86";
const char kK2[] = "按键参数二必须是按键代码（整数），例如 86";
const char kK3[] = "按键参数三必须是按键代码（整数），例如 86";
const char kMs[] = "延迟必须是整数毫秒，例如 500";

INSTANTIATE_TEST_SUITE_P(
    Boxes, EditorRefusesInput,
    ::testing::Values(
        // Empty boxes first, with the messages the program always had.
        RefusedCase{"MoveXOnly", Editor::Move, {"100", ""}, "坐标X，坐标Y不能为空"},
        RefusedCase{"MoveYOnly", Editor::Move, {"", "5"}, "坐标X，坐标Y不能为空"},
        RefusedCase{"MoveLoneMinusAndEmpty", Editor::Move, {"-", ""}, "坐标X，坐标Y不能为空"},
        RefusedCase{"MoveLoneMinus", Editor::Move, {"-", "5"}, kX},
        RefusedCase{"MoveMinusBetweenDigits", Editor::Move, {"1-2", "5"}, kX},
        RefusedCase{"MovePastedLetters", Editor::Move, {"abc", "5"}, kX},
        RefusedCase{"MoveXTooLarge", Editor::Move, {"2147483648", "5"}, kX},
        RefusedCase{"MoveBothBadSaysX", Editor::Move, {"x", "y"}, kX},
        RefusedCase{"MoveYBlank", Editor::Move, {"100", " "}, kY},
        RefusedCase{"MoveYTrailingLetters", Editor::Move, {"100", "12a"}, kY},
        RefusedCase{"MoveYTooSmall", Editor::Move, {"100", "-2147483649"}, kY},
        RefusedCase{"KeysNone", Editor::Keys, {"", "", ""}, "至少有一个按键操作"},
        RefusedCase{"KeysOnlySecond", Editor::Keys, {"", "86", ""}, "至少有一个按键操作"},
        RefusedCase{"KeysEmptyFirstBeforeBadSecond", Editor::Keys, {"", "x", ""}, "至少有一个按键操作"},
        RefusedCase{"KeysFirstLoneMinus", Editor::Keys, {"-", "", ""}, kK1},
        RefusedCase{"KeysFirstLetter", Editor::Keys, {"V", "", ""}, kK1},
        RefusedCase{"KeysSecondWithBlank", Editor::Keys, {"17", "8 6", ""}, kK2},
        RefusedCase{"KeysSecondTooLarge", Editor::Keys, {"17", "99999999999", ""}, kK2},
        RefusedCase{"KeysThirdTrailingLetters", Editor::Keys, {"17", "86", "12a"}, kK3},
        RefusedCase{"KeysThirdBlank", Editor::Keys, {"17", "", " "}, kK3},
        RefusedCase{"DelayEmpty", Editor::Delay, {""}, "延迟添加数不能为空"},
        RefusedCase{"DelayBlank", Editor::Delay, {" "}, kMs},
        RefusedCase{"DelayTrailingLetters", Editor::Delay, {"12a"}, kMs},
        RefusedCase{"DelayFraction", Editor::Delay, {"1.5"}, kMs},
        RefusedCase{"DelayLoneMinus", Editor::Delay, {"-"}, kMs},
        RefusedCase{"DelayTooLarge", Editor::Delay, {"2147483648"}, kMs}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- The store refuses: no row, no success line, the window keeps its state ----

struct StoreRefusalCase {
  const char* name;
  Editor editor;
  std::vector<std::string> input;
  friend void PrintTo(const StoreRefusalCase& c, std::ostream* os) { *os << c.name; }
};

class EditorStoreRefusal : public EditorRig, public ::testing::WithParamInterface<StoreRefusalCase> {};

TEST_P(EditorStoreRefusal, NothingIsAddedAndTheUserIsTold) {
  const StoreRefusalCase& c = GetParam();
  AddDelay("100");  // one row that was stored
  ASSERT_EQ(list.RowCount(), 1);
  views.log.clear();
  RefuseInserts();

  Add(c.editor, c.input);

  ASSERT_EQ(views.messages.size(), 1u);
  EXPECT_EQ(views.messages[0].text, "操作保存失败，未添加到列表");
  EXPECT_EQ(views.messages[0].icon, MessageIcon::Error);
  EXPECT_EQ(list.RowCount(), 1);
  EXPECT_TRUE(views.log.empty()) << views.log;
  EXPECT_EQ(StoredIds(), (std::vector<int64_t>{1}));
  if (c.editor == Editor::Move) {  // not reset: the user can press again
    EXPECT_EQ(views.Text(Control::MouseType), "鼠标移动");
    EXPECT_EQ(views.Text(Control::MouseX), c.input[0]);
  }
  if (c.editor == Editor::Keys) EXPECT_EQ(views.Text(Control::Key1), c.input[0]);
}

INSTANTIATE_TEST_SUITE_P(Kinds, EditorStoreRefusal,
                         ::testing::Values(StoreRefusalCase{"Click", Editor::Click, {"右键", "按下"}},
                                           StoreRefusalCase{"Move", Editor::Move, {"10", "20"}},
                                           StoreRefusalCase{"Keys", Editor::Keys, {"17", "86", ""}},
                                           StoreRefusalCase{"Delay", Editor::Delay, {"500"}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(KeyEditorTest, CodeLongerThanTheStoreColumnIsRefusedByTheStore) {
  // Leading zeros keep it a valid number, but 51 characters do not fit the 50-character column.
  const std::string fits = std::string(48, '0') + "86";
  const std::string tooLong = "0" + fits;
  AddKeys("17", tooLong);
  ASSERT_EQ(views.messages.size(), 1u);
  EXPECT_EQ(views.messages[0].text, "操作保存失败，未添加到列表");
  EXPECT_EQ(list.RowCount(), 0);
  EXPECT_TRUE(views.log.empty());
  EXPECT_EQ(views.Text(Control::Key2), tooLong);

  AddKeys("17", fits);
  EXPECT_EQ(views.messages.size(), 1u);
  ASSERT_EQ(list.RowCount(), 1);
  EXPECT_EQ(list.CellText(0, kColParam2), fits);
  // The refused insert used no ID: the stored record is the first.
  EXPECT_EQ(StoredIds(), (std::vector<int64_t>{1}));
}

// ---- Through the whole app: an add, then a new start of the program ----

TEST(OperationEditorsInApp, TypedRowAndReloadAfterRestart) {
  ::xs::testing::AppFixture f;
  ASSERT_TRUE(f.Start());
  f.app->Mouse().OnOpened();
  f.views.Pick(Control::MouseType, "鼠标移动");
  f.app->Mouse().OnTypeChanged();
  f.views.SetText(Control::MouseX, "007");
  f.views.SetText(Control::MouseY, "20");
  f.app->Mouse().OnAdd();
  f.app->Delay().OnOpened();
  f.views.SetText(Control::DelayValue, "0500");
  f.app->Delay().OnAdd();
  ASSERT_EQ(f.app->List().RowCount(), 2);
  EXPECT_EQ(f.app->List().CellText(0, kColX), "007");
  EXPECT_EQ(f.app->List().CellText(1, kColDelay), "0500");
  EXPECT_EQ(f.views.listRowCount, 2);

  ASSERT_TRUE(f.Restart());
  ASSERT_EQ(f.app->List().RowCount(), 2);
  EXPECT_EQ(f.views.listRowCount, 2);
  EXPECT_EQ(f.app->List().CellText(0, kColX), "7");
  EXPECT_EQ(f.app->List().CellText(0, kColY), "20");
  EXPECT_EQ(f.app->List().CellText(1, kColDelay), "500");
}

}  // namespace
}  // namespace xs
