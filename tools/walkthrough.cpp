// Walks one complete installation with trelvoset.exe, as a user would, and shows what it did:
//
//     walkthrough.exe --wizard=PATH --lang=en|zh --dir=FOLDER --shots=FOLDER
//
// Run through scripts/wine.sh in a Wine prefix made for it (scripts/run.sh does all of this).
// FOLDER (--dir) receives the placeholder driver package "win2k" and is the wizard's current
// directory. The walk: "Select OS", Next; "Detail Setting", its About box from the system menu,
// OK; Next; "Select Port", "Create Port...", Close; Install; the completion message, OK. Each page
// and dialog is saved as a BMP file in --shots, cropped to its window, once it has finished
// drawing. Then it prints what the spooler and the registry hold.
//
// Before starting the wizard it puts the prefix's spooler in the state of a machine that never had
// this driver (drivers, printers and driver files removed) and creates the user's "Windows"
// registry key, which every Windows has and a fresh Wine prefix lacks.
//
// Output is UTF-8; exit code 0 when the walk went through, 1 when a step failed.

#include "Drive.h"
#include "Screenshot.h"

#include <cstdio>
#include <string>

using namespace drive;

namespace
{

// Control IDs of the wizard's templates.
const int kNext = 1009;                 // "Select OS" and "Detail Setting"
const int kCreatePort = 1008;           // "Select Port"
const int kPortList = 1021;             // "Select Port": list view of the ports
const int kInstall = 1022;              // "Select Port"
const int kCreatePortClose = 1009;      // "Create Port"
const int kMonitorList = 1021;          // "Create Port": list view of the port monitors
const UINT kAboutCommand = 0x0010;      // the About item of the "Detail Setting" system menu
const int kMessageBoxText = 0xFFFF;     // the static text of a MessageBox
const wchar_t kMessageBoxCaption[] = L"trelvoset";

struct Captions
{
    const wchar_t* selectOs;
    const wchar_t* detailSetting;
    const wchar_t* selectPort;
    const wchar_t* createPort;
};
const Captions kEnglish = {L"Select OS", L"Detail Setting", L"Select Port", L"Create Port"};
const Captions kChinese = {L"选择操作系统", L"详细设置", L"选择打印端口", L"创建端口"};

void Say(const std::string& line)
{
    std::fputs((line + "\n").c_str(), stdout);
    std::fflush(stdout);
}

class Walk
{
public:
    Walk(const Captions& captions, const std::string& shots) : m_captions(captions), m_shots(shots) {}

    void Run(Process& wizard)
    {
        HWND os = Expect(wizard.WaitForDialog(m_captions.selectOs), wizard, "the \"Select OS\" page");
        Shot(os, "01-select-os", "Select OS");
        Click(os, kNext);

        HWND detail = Expect(wizard.WaitForDialog(m_captions.detailSetting), wizard, "the \"Detail Setting\" page");
        Shot(detail, "02-detail-setting", "Detail Setting");

        SysCommand(detail, kAboutCommand);
        HWND about = Expect(wizard.WaitForWindow([&](HWND wnd) {
                                return IsDialog(wnd) && wnd != detail && ::GetWindow(wnd, GW_OWNER) == detail;
                            }),
                            wizard, "the About box");
        Shot(about, "03-about", "About box");
        Click(about, IDOK);
        Expect(WaitUntilGone(about), wizard, "the About box to close");

        Click(detail, kNext);
        HWND port = Expect(wizard.WaitForDialog(m_captions.selectPort), wizard, "the \"Select Port\" page");
        Expect(WaitUntil([&] { return ListCount(port, kPortList) > 0; }), wizard, "the port list to fill");
        Shot(port, "04-select-port", "Select Port");

        Click(port, kCreatePort);
        HWND create = Expect(wizard.WaitForDialog(m_captions.createPort), wizard, "the \"Create Port\" dialog");
        Expect(WaitUntil([&] { return ListCount(create, kMonitorList) > 0; }), wizard, "the monitor list to fill");
        Shot(create, "05-create-port", "Create Port");
        Click(create, kCreatePortClose);
        Expect(WaitUntilGone(create), wizard, "the \"Create Port\" dialog to close");
        // Closing "Create Port" rebuilds the port list; Install waits until the page is idle again.
        Expect(WaitUntilIdle(port), wizard, "the \"Select Port\" page to answer");

        Say("Install pressed.");
        Click(port, kInstall);
        // Every message box is answered with OK; the completion message is the last one.
        int boxes = 0;
        while (HWND box = wizard.WaitForWindow([](HWND wnd) {
                   return IsDialog(wnd) && Caption(wnd) == kMessageBoxCaption;
               }))
        {
            ++boxes;
            wchar_t text[512] = L"";
            ::SendMessageTimeoutW(::GetDlgItem(box, kMessageBoxText), WM_GETTEXT, 512,
                                  reinterpret_cast<LPARAM>(text), SMTO_NORMAL, 10000, nullptr);
            m_messages.push_back(text);
            Say("Message box: \"" + Utf8(text) + "\"");
            Shot(box, boxes == 1 ? "06-message" : "06-message-" + std::to_string(boxes), "message box");
            Click(box, IDOK);
            Expect(WaitUntilGone(box), wizard, "the message box to close");
        }
        Expect(wizard.WaitForExit(), wizard, "the wizard to end");
        Say("The wizard ended, exit code " + std::to_string(wizard.ExitCode()) + ".");
    }

    const std::vector<std::wstring>& Messages() const { return m_messages; }

private:
    template <class T>
    T Expect(T value, const Process& wizard, const std::string& what)
    {
        if (!value)
            throw DriveError("waited in vain for " + what + "; wizard " + Utf8(wizard.DescribeWindows()));
        return value;
    }

    // Brings the window to the front as the active one, as a user looking at it would have it.
    // Without a window manager Wine activates the first page of a new process but leaves its
    // caption drawn inactive; WM_NCACTIVATE, which the activation should have sent, makes the
    // window draw its caption as it is.
    static void Activate(HWND wnd)
    {
        ::SetForegroundWindow(wnd);
        WaitUntil([&] { return ::GetForegroundWindow() == wnd; }, 5000);
        GUITHREADINFO info = {};
        info.cbSize = sizeof info;
        if (::GetGUIThreadInfo(::GetWindowThreadProcessId(wnd, nullptr), &info) && info.hwndActive == wnd)
            ::SendMessageTimeoutW(wnd, WM_NCACTIVATE, TRUE, 0, SMTO_NORMAL, 10000, nullptr);
    }

    void Shot(HWND wnd, const std::string& file, const std::string& what)
    {
        const std::string path = m_shots + "\\" + file + ".bmp";
        Activate(wnd);
        const Picture picture = CaptureWindow(wnd);
        SaveBmp(picture, path);
        Say("Page: " + what + " \"" + Utf8(Caption(wnd)) + "\" (" + std::to_string(picture.width) + "x" +
            std::to_string(picture.height) + ") -> " + file + ".bmp");
    }

    const Captions& m_captions;
    std::string m_shots;
    std::vector<std::wstring> m_messages;
};

std::string Join(const std::vector<std::string>& items, const char* separator)
{
    std::string text;
    for (const std::string& item : items)
        text += (text.empty() ? "" : separator) + item;
    return text;
}

void Report()
{
    Say("");
    Say("What the spooler and the registry hold now:");
    const std::vector<DriverRecord> drivers = Drivers();
    if (drivers.empty())
        Say("  driver:          (none)");
    for (const DriverRecord& d : drivers)
    {
        Say("  driver:          \"" + d.name + "\" for \"" + d.environment + "\", version " + std::to_string(d.version));
        Say("    driver file    " + d.driverPath);
        Say("    data file      " + d.dataFile);
        Say("    config file    " + d.configFile);
        Say("    help file      " + d.helpFile);
        Say("    dependent      " + Join(d.dependentFiles, ", "));
        Say("    data type      " + d.defaultDataType);
    }
    const std::vector<PrinterRecord> printers = Printers();
    if (printers.empty())
        Say("  printer:         (none)");
    for (const PrinterRecord& p : printers)
        Say("  printer:         \"" + p.name + "\" on port " + p.port + ", driver \"" + p.driver +
            "\", print processor " + p.printProcessor + ", data type " + p.dataType);
    for (const PrinterRecord& p : printers)
        for (const PortRecord& port : Ports())
            if (port.name == p.port)
                Say("  port:            " + port.name + " (" + port.description + ", monitor \"" + port.monitor +
                    "\")");
    const std::string defaultPrinter = DefaultPrinter();
    Say("  default printer: " + (defaultPrinter.empty() ? std::string("(none)") : "\"" + defaultPrinter + "\""));
    Say(std::string("  registry:        HKCU\\") + kUserWindowsKey + " \"Device\" = \"" + DeviceValue() + "\"");
    const std::string dir = DriverDirectory();
    Say("  driver folder:   " + dir);
    Say("    " + Join(FilesIn(dir), " "));
    Say("  " + dir + "\\3:");
    Say("    " + Join(FilesIn(dir + "\\3"), " "));
}

} // namespace

int main()
{
    try
    {
        const std::vector<std::wstring> args = Arguments();
        const std::wstring wizardPath = Wide(ToWindowsPath(Utf8(Option(args, L"wizard"))));
        const std::wstring lang = Option(args, L"lang", L"en");
        const std::string dir = ToWindowsPath(Utf8(Option(args, L"dir")));
        const std::string shots = ToWindowsPath(Utf8(Option(args, L"shots")));
        if (wizardPath.empty() || dir.empty() || shots.empty() || (lang != L"en" && lang != L"zh"))
        {
            std::fputs("usage: walkthrough.exe --wizard=PATH --lang=en|zh --dir=FOLDER --shots=FOLDER\n", stderr);
            return 2;
        }
        ::CreateDirectoryA(shots.c_str(), nullptr);

        ResetSpooler();
        MakePackageDir(dir);
        Say("Placeholder driver package: " + dir + "\\win2k (" + std::to_string(PackageFiles().size()) +
            " text files named like the package's)");
        Say("Starting " + Utf8(wizardPath) + " in " + dir);

        Process wizard(wizardPath, Wide(dir));
        Walk walk(lang == L"zh" ? kChinese : kEnglish, shots);
        walk.Run(wizard);
        Report();
        return 0;
    }
    catch (const std::exception& e)
    {
        std::fprintf(stderr, "walkthrough: %s\n", e.what());
        return 1;
    }
}
