#pragma once
// Texts of the application shell, shown exactly as they stand.
namespace xs::texts {

inline constexpr char kTitle[] = "星梭2.5.2";
inline constexpr char kRunDatePrefix[] = "运行日期： ";
inline constexpr char kInitialising[] = "系统提示：软件正在初始化...\r\n";
inline constexpr char kInitialised[] = "系统提示：软件初始化成功...\r\n";
inline constexpr char kStoreMissing[] = "数据库丢失，请用户重新下载";
inline constexpr char kHotKeyF3Taken[] = "系统提示：热键F3已被其他程序占用，请用按钮启动....\r\n";
inline constexpr char kHotKeyF4Taken[] = "系统提示：热键F4已被其他程序占用，请用按钮取消....\r\n";
inline constexpr char kStoreFileName[] = "NBDA.rdb";

// The about box: four blocks separated by a blank line. Contact, initials and site are the
// project's own neutral values.
inline constexpr char kContactLine[] = "作者QQ：未公开";
inline constexpr char kAbout[] =
    "作者QQ：未公开\r\n\r\n"
    "解放双手，让生活成为一种态度\r\n\r\n"
    "BY XS 2017.2.28\r\n\r\n"
    "官网地址：未公开";

}  // namespace xs::texts
