#pragma once
// Texts of the operation list and its editors, exactly as shown and stored.
namespace xs::texts {

inline constexpr char kKindClick[] = "鼠标点击";
inline constexpr char kKindMove[] = "鼠标移动";
inline constexpr char kKindDelay[] = "延迟";
inline constexpr char kKindKeys[] = "键盘操作";

inline constexpr char kButtonLeft[] = "左键";
inline constexpr char kButtonRight[] = "右键";
inline constexpr char kButtonMiddle[] = "中键";
inline constexpr char kActionClick[] = "单击";
inline constexpr char kActionDoubleClick[] = "双击";
inline constexpr char kActionDown[] = "按下";
inline constexpr char kActionUp[] = "放开";

inline constexpr char kCleared[] = "系统提示：清空成功...\r\n";
inline constexpr char kDeleted[] = "系统系统：删除操作成功....\r\n";
inline constexpr char kAddedClick[] = "系统提示：成功添加鼠标按键操作....\r\n";
inline constexpr char kAddedMove[] = "系统提示：成功添加鼠标方位操作....\r\n";
inline constexpr char kAddedKeys[] = "系统提示：成功添加按键操作....\r\n";
inline constexpr char kAddedDelay[] = "系统提示：成功添加延迟操作....\r\n";

inline constexpr char kMoveNeedsXY[] = "坐标X，坐标Y不能为空";
inline constexpr char kKeysNeedFirst[] = "至少有一个按键操作";
inline constexpr char kDelayNeedsValue[] = "延迟添加数不能为空";

// A box that is filled but holds no 32-bit integer (a lone minus, pasted letters, "12a", a blank,
// a value out of range): refused before anything is added.
inline constexpr char kXNotNumber[] = "坐标X必须是整数（可带负号），例如 100";
inline constexpr char kYNotNumber[] = "坐标Y必须是整数（可带负号），例如 100";
inline constexpr char kDelayNotNumber[] = "延迟必须是整数毫秒，例如 500";
inline constexpr char kKey1NotNumber[] = "按键参数一必须是按键代码（整数），例如 86";
inline constexpr char kKey2NotNumber[] = "按键参数二必须是按键代码（整数），例如 86";
inline constexpr char kKey3NotNumber[] = "按键参数三必须是按键代码（整数），例如 86";

// The store refused a write: the list shows only what the store holds.
inline constexpr char kAddRefused[] = "操作保存失败，未添加到列表";
inline constexpr char kClearRefused[] = "清空操作失败，已保存的操作未删除，列表未改变";

}  // namespace xs::texts
