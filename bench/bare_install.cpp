// The yardstick of the installation benchmark: the spooler and registry calls of one installation
// by trelvoset (model row 1, "RX-1(Cut) Series", on LPT1:, made the default printer), made one
// after the other with nothing around them, and timed with QueryPerformanceCounter:
//
//     GetPrinterDriverDirectoryA, ten CopyFileA from "win2k", AddPrinterDriverA level 3,
//     AddPrinterA level 2, RegOpenKeyExA + RegSetValueExA "Device" + RegCloseKey, ClosePrinter
//
// Run it in a folder that holds the package folder "win2k". Before the clock starts it lists the
// ports (EnumPortsA), as the "Select Port" page has done before its Install is pressed, so that
// in both programs the spooler is loaded when the timed part begins. Prints the time of the timed
// part in microseconds on stdout; exit code 0 when every call succeeded, 1 otherwise.
//
// With --progress it also shows a window with a progress bar of the wizard's size and moves it to
// the positions the installation reports between its calls (10 ... 95, then 100; the wizard's
// 500 ms pause before 100 is not made). The benchmark reports that as a diagnostic: what the
// progress bar alone costs.

#include <windows.h>
#include <commctrl.h>
#include <winspool.h>

#include <cstdio>
#include <cstring>
#include <vector>

namespace
{

char kEnvironment[] = "Windows NT x86";
char kDriverName[] = "RX-1(Cut) Series";
char kPort[] = "LPT1:";
const char kDeviceKey[] = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows";
const char kDevice[] = "RX-1(Cut) Series,winspool,LPT1:";
// The copies in the installation's order, each with the progress position reported after it
// (0: none).
struct Copy
{
    const char* name;
    int position;
};
const Copy kCopies[] = {{"RXRND.DLL", 10},  {"RX1cut.GPD", 20}, {"uniDRVui.DLL", 30}, {"uniDRV.DLL", 0},
                        {"UNIDRV.HLP", 40}, {"UNIRES.DLL", 0},  {"TTFSUB.GPD", 50},   {"STDNAMES.GPD", 0},
                        {"RXUNI.ini", 0},   {"RXUNI.dll", 60}};

HWND g_progress = nullptr;

void Progress(int position)
{
    if (g_progress)
        ::SendMessageA(g_progress, PBM_SETPOS, static_cast<WPARAM>(position), 0);
}

// A shown window holding a progress bar 535 x 20 pixels (the wizard's 306 x 11 dialog units),
// range 0 to 100, drawn before the clock starts.
void ShowProgressWindow()
{
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_PROGRESS_CLASS};
    ::InitCommonControlsEx(&icc);
    HWND frame = ::CreateWindowExA(0, "STATIC", "bare_install", WS_POPUP | WS_VISIBLE | WS_CAPTION, 240, 200, 560,
                                   80, nullptr, nullptr, ::GetModuleHandleA(nullptr), nullptr);
    g_progress = ::CreateWindowExA(0, PROGRESS_CLASSA, "", WS_CHILD | WS_VISIBLE | WS_BORDER, 10, 10, 535, 20, frame,
                                   nullptr, ::GetModuleHandleA(nullptr), nullptr);
    ::SendMessageA(g_progress, PBM_SETRANGE, 0, MAKELPARAM(0, 100));
    ::UpdateWindow(frame);
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        ::DispatchMessageA(&msg);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc > 1 && std::strcmp(argv[1], "--progress") == 0)
        ShowProgressWindow();

    DWORD needed = 0, count = 0;
    ::EnumPortsA(nullptr, 2, nullptr, 0, &needed, &count);
    std::vector<BYTE> ports(needed ? needed : 1);
    ::EnumPortsA(nullptr, 2, ports.data(), static_cast<DWORD>(ports.size()), &needed, &count);

    LARGE_INTEGER frequency, start, end;
    ::QueryPerformanceFrequency(&frequency);
    ::QueryPerformanceCounter(&start);

    bool ok = true;
    char dir[255] = "";
    ok &= ::GetPrinterDriverDirectoryA(nullptr, kEnvironment, 1, reinterpret_cast<BYTE*>(dir), sizeof dir, &needed) != 0;
    for (const Copy& copy : kCopies)
    {
        char source[MAX_PATH], destination[MAX_PATH];
        std::snprintf(source, sizeof source, "win2k\\%s", copy.name);
        std::snprintf(destination, sizeof destination, "%s\\%s", dir, copy.name);
        ok &= ::CopyFileA(source, destination, FALSE) != 0;
        if (copy.position)
            Progress(copy.position);
    }

    // The dependent-files list as trelvoset passes it: a multi-string in a 255-byte buffer.
    static const char kDependent[] = "\\ttfsub.GPD\0\\unires.DLL\0\\stdnames.GPD\0RXRND.DLL\0";
    char dependent[255] = {};
    std::memcpy(dependent, kDependent, sizeof kDependent);
    char driverPath[] = "\\uniDRV.DLL", dataFile[] = "\\RX1cut.GPD", configFile[] = "\\uniDRVui.DLL",
         helpFile[] = "\\uniDRV.HLP", monitor[] = "", dataType[] = "RAW", processor[] = "WinPrint";
    DRIVER_INFO_3A driver = {};
    driver.cVersion = 2;
    driver.pName = kDriverName;
    driver.pEnvironment = kEnvironment;
    driver.pDriverPath = driverPath;
    driver.pDataFile = dataFile;
    driver.pConfigFile = configFile;
    driver.pHelpFile = helpFile;
    driver.pDependentFiles = dependent;
    driver.pMonitorName = monitor;
    driver.pDefaultDataType = dataType;
    ok &= ::AddPrinterDriverA(nullptr, 3, reinterpret_cast<BYTE*>(&driver)) != 0;
    Progress(70);

    PRINTER_INFO_2A printer = {};
    printer.pPrinterName = kDriverName;
    printer.pPortName = kPort;
    printer.pDriverName = kDriverName;
    printer.pPrintProcessor = processor;
    printer.pDatatype = dataType;
    HANDLE hPrinter = ::AddPrinterA(nullptr, 2, reinterpret_cast<BYTE*>(&printer));
    ok &= hPrinter != nullptr;
    Progress(80);

    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, kDeviceKey, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS)
    {
        ok &= ::RegSetValueExA(key, "Device", 0, REG_SZ, reinterpret_cast<const BYTE*>(kDevice), sizeof kDevice) ==
              ERROR_SUCCESS;
        ::RegCloseKey(key);
    }
    else
        ok = false;
    Progress(90);
    Progress(95);

    ::ClosePrinter(hPrinter);
    Progress(100);

    ::QueryPerformanceCounter(&end);
    const double micro = static_cast<double>(end.QuadPart - start.QuadPart) * 1e6 / static_cast<double>(frequency.QuadPart);
    std::printf("%.0f\n", micro);
    return ok ? 0 : 1;
}
