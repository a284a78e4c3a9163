// The program's own texts, Chinese build. See ProgramTexts.h.
// This file is UTF-8; the build compiles it with -fexec-charset=CP936, so the strings below
// end up in the program as code page 936 (GBK) bytes.
#include "ProgramTexts.h"

const char* const g_pszCompletedText = "驱动安装完成";
const char* const g_pszMonitorColumn = "可用端口类型";
const int g_nMonitorColumnWidth = 350;
const char* const g_pszPortColumn = "端口";
const char* const g_pszTypeColumn = "类型";
const char* const g_pszNoDriverDirectoryText = "驱动安装失败：找不到打印机驱动程序目录。";
const char* const g_pszCopyFailedText = "驱动安装失败：无法复制驱动文件。";
const char* const g_pszDriverRefusedText = "驱动安装失败：打印后台程序不接受该打印机驱动程序。";
const char* const g_pszPrinterRefusedText = "驱动安装失败：无法创建打印机。";
const char* const g_pszDefaultPrinterFailedText = "驱动安装失败：无法将打印机设为默认打印机。";
const char* const g_pszSerialSettingsFailedText = "驱动安装失败：无法保存串口设置。";
