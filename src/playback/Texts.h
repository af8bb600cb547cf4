#pragma once
// Texts of playback and run control.
namespace xs::texts {

inline constexpr char kRunningMark[] = "【正在运行....】";
inline constexpr char kRunStarted[] = "系统提示：软件正在运行....\r\n";
inline constexpr char kRunStopped[] = "系统提示：取消运行成功....\r\n";
inline constexpr char kDidMouse[] = "系统提示：执行鼠标类操作成功....\r\n";
inline constexpr char kDidDelay[] = "系统提示：执行延迟类操作成功....\r\n";
inline constexpr char kDidKeys[] = "系统提示：执行键盘类操作成功....\r\n";
inline constexpr char kPassCountPrefix[] = "系统提示：代码执行次数为：";
inline constexpr char kBadRunCount[] = "运行次数必须是大于0的整数，请在“综合设置区域”修改";
inline constexpr char kBadLoopInterval[] = "运行时间必须是大于0的整数（毫秒），请在“综合设置区域”修改";

}  // namespace xs::texts
