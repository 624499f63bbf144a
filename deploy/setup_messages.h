// The installer's own message boxes: fixed Chinese texts, caption "V-软件安装", no icon,
// owned by the setup dialog.
#pragma once

#include <windows.h>

#include <string>

constexpr const wchar_t* kSetupCaption = L"V-软件安装";
constexpr const wchar_t* kMissingPackageMessage =
    L"未找到安装所需的Data文件夹 !\n\n可能安装文件下载后没有解压，\n\n请解压后再执行SetUp.exe !";
// The executable's folder has a name the system's code page cannot spell.
constexpr const wchar_t* kUnspellableFolderMessage =
    L"安装程序所在文件夹的名称含有系统语言不支持的字符，\n\n"
    L"请将安装包移到只含系统语言字符的文件夹后再执行SetUp.exe !";

// Shows one of the installer's messages; returns the button pressed.
int ShowSetupMessage(const std::wstring& text, UINT buttons = MB_OK);
