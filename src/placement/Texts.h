#pragma once
// Texts of the saved window positions.
namespace xs::texts {

inline constexpr char kNoSavedPosition[] = "对不起，系统没有该进程信息的位置信息";
inline constexpr char kPositionSaved[] = "位置保存成功";
inline constexpr char kPositionSaveFailed[] = "未知原因，位置保存失败";
inline constexpr char kPositionCleared[] = "操作数据已清空";

}  // namespace xs::texts
