#pragma once
// The layouts of the main window and the three editors as tables, in pixels at 96 DPI, and the
// code that turns a table into child controls and places them again when the DPI changes.
#include <windows.h>

#include <memory>
#include <span>
#include <type_traits>

namespace xs::win {

enum class Kind {
  Group,       // group box; a frame only, hit-testing passes through it
  Tab,         // tab control; its Page rows become its tabs
  Page,        // a tab page: not a window, only the origin (the tab control's) of its rows
  Button,
  Label,       // one line, no word wrap (explicit line breaks still break)
  TextBlock,   // word-wrapped label
  Edit,
  NumberEdit,  // edit box that takes only digits and '-' from the keyboard
  LogEdit,     // the StatusLog: multi-line, vertical scroll bar
  ComboEdit,   // editable combo box with a drop-down list
  ComboList,   // drop-down list; caption holds its entries separated by '\n'
  List,        // report list view (owner data)
};

// One row of a layout: position relative to the parent row (0 = the window's client area).
struct ControlDef {
  Kind kind;
  int id;
  const wchar_t* caption;
  int x, y, w, h;
  int parent;
  DWORD extraStyle = 0;
};

// Control ids of the main window. They double as the WM_COMMAND ids.
enum MainId : int {
  kStrip = 100,  // 分组框1
  kAddMouse,
  kAddDelay,
  kAddKeys,
  kClearAll,
  kStart,
  kStop,
  kAbout,
  kTabGroup,  // 分组框2
  kTab,       // 高级选择夹1
  kPage0,
  kPage1,
  kList,        // 超级列表框1
  kResetGroup,  // 分组框4
  kProcessLabel,
  kProcessCombo,  // 组合框1
  kPositionXLabel,
  kPositionX,  // 编辑框2
  kPositionYLabel,
  kPositionY,  // 编辑框3
  kShownXLabel,
  kShownX,  // 透明标签5
  kShownYLabel,
  kShownY,  // 透明标签7
  kRefreshProcesses,
  kLoadPosition,
  kSavePosition,
  kShowPosition,
  kResetWindow,
  kClearPosition,
  kIntervalGroup,  // 分组框5
  kIntervalLabel,
  kLoopInterval,  // 编辑框4
  kIntervalHint,
  kSaveInterval,
  kModeGroup,  // 分组框6
  kModeLabel,
  kRunMode,  // 组合框2
  kCountLabel,
  kRunCount,  // 编辑框5
  kCountHint,
  kSaveRunMode,
  kLogGroup,   // 分组框3
  kStatusLog,  // 编辑框1
  kContact,    // 标签1
  kMenuDelete = 900,  // item "删除" of the popup menu "删除项目"
};

// Control ids of the editors (each window has its own).
enum MouseId : int {
  kMouseTypeLabel = 200, kMouseType, kMouseButtonLabel, kMouseButton, kMouseActionLabel, kMouseAction,
  kMouseXLabel, kMouseX, kMouseYLabel, kMouseY, kMouseLiveXLabel, kMouseLiveX, kMouseLiveYLabel,
  kMouseLiveY, kMouseAdd,
};
enum KeyId : int {
  kKey1Label = 300, kKey1, kKey2Label, kKey2, kKey3Label, kKey3, kConvertLabel, kConvertIn, kConvertOut,
  kHintEnter, kHintShift, kHintTab, kHintCtrl, kHintDel, kHintAlt, kKeyHelp, kKeyAdd,
};
enum DelayId : int { kDelayLabel = 400, kDelayValue, kDelayHint, kDelayAdd };

struct ListColumnDef {
  const wchar_t* title;
  int width;
  int format;  // LVCFMT_LEFT or LVCFMT_CENTER
};

std::span<const ControlDef> MainLayout();
std::span<const ControlDef> MouseEditorLayout();
std::span<const ControlDef> KeyEditorLayout();
std::span<const ControlDef> DelayEditorLayout();
std::span<const ListColumnDef> OperationColumns();

// Outer sizes at 96 DPI.
inline constexpr SIZE kMainSize{805, 446};
inline constexpr SIZE kMouseEditorSize{339, 224};
inline constexpr SIZE kKeyEditorSize{280, 295};
inline constexpr SIZE kDelayEditorSize{226, 141};

// A row's rectangle in the window's client area at 96 DPI, and the tab page it sits on (-1: none).
struct Placement {
  RECT rect;
  int page;
};
Placement Place(std::span<const ControlDef> table, const ControlDef& row);

inline int Scale(int v, UINT dpi) { return MulDiv(v, static_cast<int>(dpi), 96); }

struct FontDeleter {
  void operator()(HFONT f) const { DeleteObject(f); }
};
using UniqueFont = std::unique_ptr<std::remove_pointer_t<HFONT>, FontDeleter>;
// The system's message font at the given DPI.
UniqueFont MakeUiFont(UINT dpi);

// Creates every row of the table (except Page rows) as a child of `window`, with the font, and
// puts the frames (group boxes, tab control) beneath the controls they hold. Controls on a page
// other than page 0 start hidden.
void CreateControls(HWND window, std::span<const ControlDef> table, UINT dpi, HFONT font);
// Places the controls again for a new DPI and gives them the new font.
void PlaceControls(HWND window, std::span<const ControlDef> table, UINT dpi, HFONT font);
// Shows the controls of one tab page and hides those of the others.
void ShowPage(HWND window, std::span<const ControlDef> table, int page);

// Gives a top-level window its outer size at its DPI and centres it on its monitor's work area.
void SizeAndCentre(HWND window, SIZE outerAt96);

}  // namespace xs::win
