#include "pages/DetailSettingDlg.h"

#include <winspool.h>

#include <cstring>

#include "app/SetupApp.h"
#include "install/InstallSequence.h"
#include "pages/SelectPortDlg.h"
#include "res/ProgramTexts.h"
#include "res/resource.h"

namespace
{
// The spooler's structures take char* where they only read: the texts stay the descriptions' own.
LPSTR Text(const CString& str)
{
    return const_cast<LPSTR>(str.GetString());
}

// InstallSequence's operations, each one Win32 call on the local spooler, the registry or the
// progress bar of "Select Port".
class Win32InstallPlatform : public InstallPlatform
{
public:
    bool QueryDriverDirectory(const char* environment, CString& directory) override
    {
        char buffer[255] = {};
        DWORD needed = 0;
        if (!::GetPrinterDriverDirectoryA(nullptr, const_cast<LPSTR>(environment), 1,
                                          reinterpret_cast<LPBYTE>(buffer), sizeof buffer, &needed))
            return false;
        // A text that fills the buffer without its terminating zero was cut.
        if (!std::memchr(buffer, 0, sizeof buffer))
            return false;
        directory = buffer;
        return true;
    }

    bool CopyPackageFile(const CString& source, const CString& destination) override
    {
        return ::CopyFileA(source, destination, FALSE) != FALSE;
    }

    bool RegisterDriver(const DriverDescription& driver) override
    {
        DRIVER_INFO_3A info = {};
        info.cVersion = driver.version;
        info.pName = Text(driver.name);
        info.pEnvironment = Text(driver.environment);
        info.pDriverPath = Text(driver.driverPath);
        info.pDataFile = Text(driver.dataFile);
        info.pConfigFile = Text(driver.configFile);
        info.pHelpFile = Text(driver.helpFile);
        info.pDependentFiles = Text(driver.dependentFiles);  // a multi-string: zero bytes inside
        info.pMonitorName = Text(driver.monitorName);        // "", not NULL
        info.pDefaultDataType = Text(driver.defaultDataType);
        return ::AddPrinterDriverA(nullptr, 3, reinterpret_cast<LPBYTE>(&info)) != FALSE;
    }

    PrinterHandle CreatePrinter(const PrinterDescription& printer, unsigned long* error) override
    {
        PRINTER_INFO_2A info = {};
        info.pPrinterName = Text(printer.printerName);
        info.pPortName = Text(printer.portName);
        info.pDriverName = Text(printer.driverName);
        info.pPrintProcessor = Text(printer.printProcessor);
        info.pDatatype = Text(printer.dataType);
        HANDLE hPrinter = ::AddPrinterA(nullptr, 2, reinterpret_cast<LPBYTE>(&info));
        *error = hPrinter ? 0 : ::GetLastError();
        return hPrinter;
    }

    void ClosePrinterHandle(PrinterHandle printer) override
    {
        ::ClosePrinter(printer);
    }

    long OpenRegistryKey(RegistryRoot root, const char* subKey, RegistryKey* key) override
    {
        HKEY hRoot = root == RegistryRoot::CurrentUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
        HKEY hKey = nullptr;
        const LONG result = ::RegOpenKeyExA(hRoot, subKey, 0, KEY_SET_VALUE, &hKey);
        *key = hKey;
        return result;
    }

    long SetRegistryString(RegistryKey key, const char* name, const CString& text,
                           unsigned long dataSize) override
    {
        return ::RegSetValueExA(static_cast<HKEY>(key), name, 0, REG_SZ,
                                reinterpret_cast<const BYTE*>(text.GetString()), dataSize);
    }

    void CloseRegistryKey(RegistryKey key) override
    {
        ::RegCloseKey(static_cast<HKEY>(key));
    }

    void SetProgressPos(int position) override
    {
        // Once "Select Port" has closed, its progress control has no window and this does nothing.
        if (g_pSelectPortDlg)
            g_pSelectPortDlg->m_progress.SetPos(position);
    }

    void Pause(unsigned milliseconds) override
    {
        ::Sleep(milliseconds);
    }

    void ShowRegistryError() override
    {
        AfxMessageBox(g_pszRegistryErrorText, MB_OK);
    }
};

// The selection of a list on this page, or CB_ERR.
int CurSel(CWnd* pList)
{
    return static_cast<int>(pList->SendMessage(CB_GETCURSEL));
}
} // namespace

InstallOutcome CDetailSettingDlg::InstallDriver()
{
    if (g_pSelectPortDlg)
        g_strPortName = g_pSelectPortDlg->m_strPort;

    m_pDefaultCheck = GetDlgItem(IDC_SET_DEFAULT);

    InstallChoices choices;
    choices.row = CurSel(m_pModelList);
    choices.portName = g_strPortName;
    choices.portIndex = CurSel(m_pPortList);
    // Only BST_CHECKED counts: an indeterminate state does not make the printer the default.
    choices.setDefaultPrinter = m_pDefaultCheck->SendMessage(BM_GETCHECK) == BST_CHECKED;
    choices.baud = CurSel(m_pBaudList);
    choices.dataBits = CurSel(m_pDataBitsList);
    choices.stopBits = CurSel(m_pStopBitsList);
    choices.parity = CurSel(m_pParityList);
    choices.flow = CurSel(m_pFlowList);

    Win32InstallPlatform platform;
    return RunInstallation(choices, platform);
}
