#include "entry/usage_text.h"

namespace entry {

namespace {
constexpr const wchar_t* kUsage =
    L"用法：\n"
    L"  SetUp.exe                        显示安装对话框\n"
    L"  SetUp.exe /S [/R=年份,...] [/LOG=日志文件] [/D=安装文件夹]\n"
    L"                                   静默安装，不显示任何窗口\n"
    L"  SetUp.exe /UNINSTALL [/S] [/LOG=日志文件]\n"
    L"                                   卸载\n"
    L"  SetUp.exe /?                     显示本说明\n"
    L"\n"
    L"  /S        静默安装：不显示窗口和提示框，结果见退出码和日志\n"
    L"  /R=       要安装的AutoCAD版本年份（2007-2027），以逗号分隔，如 /R=2010,2014；\n"
    L"            默认为找到的、本版本支持的全部AutoCAD\n"
    L"  /LOG=     日志文件（UTF-8），每项操作一行；无法创建时不做任何操作\n"
    L"  /D=       安装文件夹（程序装入其下的 V-ZiruzOrav），缺少的各级文件夹自动创建；\n"
    L"            默认为当前安装所在的文件夹，尚未安装时为 C:\\Vornik；\n"
    L"            须放在最后，可含空格，不加引号\n"
    L"  /USERPART 每个用户登录时由Windows自动运行（Active Setup），无需手动使用\n"
    L"\n"
    L"退出码：\n"
    L"  0  安装完成\n"
    L"  1  已安装，但有AutoCAD注册信息或支持文件未能写入（数目见日志）\n"
    L"  2  AutoCAD正在运行，未做任何操作，请稍后重试\n"
    L"  3  未找到安装包（Data文件夹）\n"
    L"  4  安装包文件拷贝失败，已拷贝的文件保留，未注册\n"
    L"  5  命令行或日志文件无效，未做任何操作\n"
    L"  6  没有可安装的AutoCAD版本（/R= 中的年份未找到或本版本不支持），未做任何操作\n"
    L"  7  安装文件夹或其上级文件夹属于其他用户，或无法设置其访问权限，未做任何操作\n"
    L"  8  程序内部错误，操作中断（详见日志）\n";
} // namespace

std::wstring UsageText(const std::wstring& problem) {
    if (problem.empty())
        return kUsage;
    return L"无法识别的参数：" + problem + L"\n\n" + kUsage;
}

} // namespace entry
