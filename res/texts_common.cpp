// The program's own texts shared by both language builds. See ProgramTexts.h.
// This file is UTF-8; the build compiles it with -fexec-charset=CP936, so the text below ends
// up in the program as code page 936 (GBK) bytes, in the English build as well.
#include "ProgramTexts.h"

const char* const g_pszRegistryErrorText = "错误：无法设置有关的注册表信息";
