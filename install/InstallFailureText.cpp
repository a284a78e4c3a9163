#include "install/InstallFailureText.h"

#include "res/ProgramTexts.h"

const char* InstallFailureText(InstallStep failedStep)
{
    switch (failedStep)
    {
    case InstallStep::DriverDirectory:
        return g_pszNoDriverDirectoryText;
    case InstallStep::CopyFiles:
        return g_pszCopyFailedText;
    case InstallStep::RegisterDriver:
        return g_pszDriverRefusedText;
    case InstallStep::CreatePrinter:
        return g_pszPrinterRefusedText;
    case InstallStep::DefaultPrinter:
        return g_pszDefaultPrinterFailedText;
    case InstallStep::SerialSettings:
        return g_pszSerialSettingsFailedText;
    case InstallStep::None:
        break;
    }
    return nullptr;
}
