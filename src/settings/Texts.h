#pragma once
// Texts of the run settings.
namespace xs::texts {

inline constexpr char kModeInfinite[] = "无限循环";
inline constexpr char kModeCustom[] = "自定义";
inline constexpr char kIntervalEmpty[] = "运行时间不能为空";
inline constexpr char kIntervalSaved[] = "运行时间修改成功";
inline constexpr char kCountEmpty[] = "运行次数不能为空";
inline constexpr char kSettingSaved[] = "系统提示：修改成功！\r\n";
inline constexpr char kSettingFailed[] = "未知原因修改失败，请稍后再试\r\n";
inline constexpr char kCustomReminder[] = "星梭提醒你：自定义运行，请先先设置延迟操作~！避免出错~！\r\n";
inline constexpr char kIntervalInvalid[] = "运行时间必须是大于0的整数（毫秒），例如 1000";
inline constexpr char kCountInvalid[] = "运行次数必须是大于0的整数，例如 5";
inline constexpr char kIntervalStoreFailed[] = "运行时间保存失败，请稍后再试";

}  // namespace xs::texts
