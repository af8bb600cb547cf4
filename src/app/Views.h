#pragma once
// Port: what the windows show and what the core reads back from them. The Win32 adapter maps each
// Control to a real control (doing nothing for a control whose window is closed); tests use an
// in-memory fake.
#include <string>
#include <string_view>
#include <vector>

namespace xs {

enum class Control {
  // Main window, page 1 "综合设置区域".
  ProcessCombo,    // 组合框1: process list
  PositionX,       // 编辑框2: X (top edge) to save or reset
  PositionY,       // 编辑框3: Y (left edge)
  ShownX,          // 透明标签5: top edge of the found window
  ShownY,          // 透明标签7: left edge of the found window
  LoopInterval,    // 编辑框4
  RunMode,         // 组合框2: 0 "无限循环", 1 "自定义"
  RunCount,        // 编辑框5
  // MouseEditor.
  MouseType,       // 组合框1: 0 "鼠标点击", 1 "鼠标移动"
  MouseButton,     // 组合框2: "左键", "右键", "中键"
  MouseAction,     // 组合框3: "单击", "双击", "按下", "放开"
  MouseX,          // 编辑框1
  MouseY,          // 编辑框2
  MouseLiveX,      // 标签7
  MouseLiveY,      // 标签9
  // KeyEditor.
  Key1,            // 编辑框1
  Key2,            // 编辑框2
  Key3,            // 编辑框3
  KeyConvertIn,    // 编辑框4
  KeyConvertOut,   // 标签2
  // DelayEditor.
  DelayValue,      // 编辑框1
};

enum class MessageIcon { None = 0, Error = 16 };

class Views {
 public:
  virtual ~Views() = default;

  // Edit boxes, labels and the text of a combo box's selected entry.
  virtual std::string Text(Control c) = 0;
  virtual void SetText(Control c, std::string_view text) = 0;
  virtual void SetEnabled(Control c, bool enabled) = 0;

  // Combo boxes: the selected entry (-1 for none), the entries.
  virtual int Selection(Control c) = 0;
  virtual void SetSelection(Control c, int index) = 0;
  virtual void SetItems(Control c, const std::vector<std::string>& items) = 0;
  virtual std::string ItemText(Control c, int index) = 0;

  // Main window.
  virtual std::string Title() = 0;
  virtual void SetTitle(std::string_view title) = 0;
  virtual int CurrentPage() = 0;  // tab control 高级选择夹1, 0-based

  // The OperationList view (超级列表框1) shows the core's rows; it only needs to know how many
  // there are and when they changed. The selection lives in the control.
  virtual void ListRowsChanged(int rowCount) = 0;
  virtual int ListSelectedRow() = 0;  // -1 when none

  // The StatusLog (编辑框1). Lines end in "\r\n"; the caret stays at the end after every change.
  virtual void LogReplaceAll(std::string_view text) = 0;
  virtual void LogAppend(std::string_view text) = 0;
  virtual int LogLineCount() = 0;
  virtual void LogRemoveLeadingLines(int count) = 0;

  // Message box: caption "信息：", one OK button, task-modal, no owner; returns when closed.
  // It runs a message loop, so handlers may run nested inside it.
  virtual void ShowMessage(std::string_view text, MessageIcon icon) = 0;
};

}  // namespace xs
