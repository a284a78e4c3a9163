// The benchmark: trelvoset.exe against two yardsticks, side by side in one run, under Wine.
//
//     bench.exe --wizard=PATH --minimal=PATH --bare=PATH --dir=FOLDER
//               [--wizard-zh=PATH] [--minimal-dlls=PATH] [--starts=N] [--installs=N]
//
// Start-up: process start (just before CreateProcess) to the first visible dialog ("#32770") of
//   the new process, for trelvoset.exe and for minimal.exe, which shows one small dialog and
//   nothing else. N runs of each (default 9), taking turns, each round starting with the next
//   program; one unmeasured run of each first. Ratio of the medians. minimal_dlls.exe, when
//   given, takes its turns too and is reported as a diagnostic (no goal): minimal.exe loading
//   the system libraries trelvoset.exe loads.
// Installation: on "Select Port", from the posted click on Install to the page gone (hidden or
//   destroyed), minus the 500 ms pause the installation makes before it closes the page; against
//   bare_install.exe, which makes the same spooler and registry calls in a row and times them
//   itself. N runs of each (default 5), taking turns; before each, the spooler is put back in the
//   state of a machine without the driver. Ratio of the medians. "bare_install.exe --progress"
//   (the same calls, also moving a progress bar as the wizard does) takes its turns too and is
//   reported as a diagnostic.
// Size: each program file against minimal.exe.
//
// FOLDER receives the placeholder driver package "win2k" and is the current directory of every
// program started. Runs in a Wine prefix of its own (scripts/bench.sh), in an English locale, on a
// display without a window manager. Prints a Markdown report on stdout; exit code 0 when every
// run went through (whether or not the goals were met), 1 otherwise.

#include "Drive.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

using namespace drive;

namespace
{

const int kNext = 1009;
const int kPortList = 1021;
const int kInstall = 1022;
const double kClosingPauseMs = 500;
const double kTimeGoal = 1.25;
const double kSizeGoalBytes = 300 * 1024;

double Now()
{
    static const double frequency = [] {
        LARGE_INTEGER f;
        ::QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart);
    }();
    LARGE_INTEGER t;
    ::QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) * 1000.0 / frequency;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

std::string Fixed(double value, int decimals = 0)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

std::string List(const std::vector<double>& values)
{
    std::string text;
    for (double v : values)
        text += (text.empty() ? "" : ", ") + Fixed(v);
    return text;
}

void Say(const std::string& line)
{
    std::fputs((line + "\n").c_str(), stdout);
    std::fflush(stdout);
}

void Progress(const std::string& line)
{
    std::fputs((line + "\n").c_str(), stderr);
    std::fflush(stderr);
}

// A program started and its first dialog: milliseconds from just before CreateProcess until a
// visible "#32770" window of the process exists. Polled every millisecond; the program is then
// ended by the IDCANCEL a press of Esc sends.
double StartUp(const std::wstring& program, const std::wstring& dir)
{
    const double start = Now();
    Process process(program, dir);
    HWND dialog = nullptr;
    for (;;)
    {
        for (HWND wnd : process.Windows())
            if (IsDialog(wnd))
                dialog = wnd;
        if (dialog)
            break;
        if (!process.Running() || Now() - start > kWaitMs)
            throw DriveError("no dialog from " + Utf8(program) + ": " + Utf8(process.DescribeWindows()));
        ::Sleep(1);
    }
    const double elapsed = Now() - start;
    ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    if (!process.WaitForExit())
        throw DriveError(Utf8(program) + " did not end on Esc");
    return elapsed;
}

template <class T>
T Expect(T value, const Process& process, const std::string& what)
{
    if (!value)
        throw DriveError("waited in vain for " + what + "; " + Utf8(process.DescribeWindows()));
    return value;
}

// One installation by the wizard: Next, Next, Install. Milliseconds from the posted click on
// Install until "Select Port" is hidden or destroyed, less the installation's closing pause.
double WizardInstall(const std::wstring& wizard, const std::wstring& dir)
{
    ResetSpooler();
    Process process(wizard, dir);
    HWND os = Expect(process.WaitForDialog(L"Select OS"), process, "\"Select OS\"");
    Click(os, kNext);
    HWND detail = Expect(process.WaitForDialog(L"Detail Setting"), process, "\"Detail Setting\"");
    Expect(WaitUntilIdle(detail), process, "\"Detail Setting\" to answer");
    Click(detail, kNext);
    HWND port = Expect(process.WaitForDialog(L"Select Port"), process, "\"Select Port\"");
    Expect(WaitUntil([&] { return ListCount(port, kPortList) > 0; }), process, "the port list");
    Expect(WaitUntilIdle(port), process, "\"Select Port\" to answer");

    const double start = Now();
    Click(port, kInstall);
    while (::IsWindow(port) && ::IsWindowVisible(port))
    {
        if (Now() - start > kWaitMs)
            throw DriveError("\"Select Port\" stayed open after Install");
        ::Sleep(1);
    }
    const double elapsed = Now() - start - kClosingPauseMs;

    // The second run and its completion message; every box is answered with OK.
    int boxes = 0;
    while (HWND box = process.WaitForWindow([](HWND wnd) { return IsDialog(wnd) && Caption(wnd) == L"trelvoset"; }))
    {
        ++boxes;
        Click(box, IDOK);
        Expect(WaitUntilGone(box), process, "the message box to close");
    }
    Expect(process.WaitForExit(), process, "the wizard to end");
    if (boxes != 1 || Printers().size() != 1 || Drivers().size() != 1)
        throw DriveError("the wizard's installation did not go as expected (" + std::to_string(boxes) +
                         " message boxes)");
    return elapsed;
}

// One run of bare_install.exe: the time it reports, in milliseconds.
double BareInstall(const std::wstring& bare, const std::wstring& dir, const std::wstring& arguments)
{
    ResetSpooler();
    SECURITY_ATTRIBUTES sa = {sizeof sa, nullptr, TRUE};
    HANDLE read = nullptr, write = nullptr;
    if (!::CreatePipe(&read, &write, &sa, 0))
        throw DriveError("CreatePipe failed");
    ::SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);
    std::string output;
    DWORD code = 1;
    {
        Process process(bare, dir, write, arguments);
        ::CloseHandle(write);
        char buffer[256];
        DWORD got = 0;
        while (::ReadFile(read, buffer, sizeof buffer, &got, nullptr) && got)
            output.append(buffer, got);
        process.WaitForExit();
        code = process.ExitCode();
    }
    ::CloseHandle(read);
    if (code != 0 || output.empty() || Printers().size() != 1 || Drivers().size() != 1)
        throw DriveError("bare_install.exe failed (exit code " + std::to_string(code) + ", output \"" + output + "\")");
    return std::atof(output.c_str()) / 1000.0;
}

double FileSize(const std::wstring& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data))
        throw DriveError("cannot read the size of " + Utf8(path));
    return static_cast<double>(data.nFileSizeLow);
}

std::string Verdict(bool met, double ratio, double goal)
{
    if (met)
        return "met";
    return "missed by " + Fixed((ratio / goal - 1) * 100, 1) + " %";
}

} // namespace

int main()
{
    try
    {
        const std::vector<std::wstring> args = Arguments();
        auto path = [&](const wchar_t* name) { return Wide(ToWindowsPath(Utf8(Option(args, name)))); };
        const std::wstring wizard = path(L"wizard"), wizardZh = path(L"wizard-zh"), minimal = path(L"minimal"),
                           bare = path(L"bare"), dir = path(L"dir"), minimalDlls = path(L"minimal-dlls");
        const int starts = std::max(1, _wtoi(Option(args, L"starts", L"9").c_str()));
        const int installs = std::max(1, _wtoi(Option(args, L"installs", L"5").c_str()));
        if (wizard.empty() || minimal.empty() || bare.empty() || dir.empty())
        {
            std::fputs("usage: bench.exe --wizard=PATH --minimal=PATH --bare=PATH --dir=FOLDER "
                       "[--wizard-zh=PATH] [--minimal-dlls=PATH] [--starts=N] [--installs=N]\n",
                       stderr);
            return 2;
        }
        MakePackageDir(Utf8(dir));

        // Start-up. One unmeasured run of each: the first start of a program reads its file from
        // disk and fills Wine's caches.
        std::vector<std::wstring> starters = {wizard, minimal};
        if (!minimalDlls.empty())
            starters.push_back(minimalDlls);
        std::vector<std::vector<double>> startTimes(starters.size());
        Progress("start-up: warming up");
        for (const std::wstring& program : starters)
            StartUp(program, dir);
        for (int i = 0; i < starts; ++i)
        {
            for (size_t k = 0; k < starters.size(); ++k)
            {
                const size_t which = (static_cast<size_t>(i) + k) % starters.size();
                startTimes[which].push_back(StartUp(starters[which], dir));
            }
            std::string line = "start-up " + std::to_string(i + 1) + "/" + std::to_string(starts) + ":";
            for (size_t k = 0; k < starters.size(); ++k)
                line += " " + Utf8(starters[k].substr(starters[k].find_last_of(L"\\") + 1)) + " " +
                        Fixed(startTimes[k].back()) + " ms";
            Progress(line);
        }
        const std::vector<double>& wizardStarts = startTimes[0];
        const std::vector<double>& minimalStarts = startTimes[1];

        // Installation, in turns: the wizard, the bare calls, the bare calls with a progress bar.
        std::vector<double> wizardInstalls, bareInstalls, progressInstalls;
        for (int i = 0; i < installs; ++i)
        {
            for (int k = 0; k < 3; ++k)
            {
                switch ((i + k) % 3)
                {
                case 0: wizardInstalls.push_back(WizardInstall(wizard, dir)); break;
                case 1: bareInstalls.push_back(BareInstall(bare, dir, L"")); break;
                case 2: progressInstalls.push_back(BareInstall(bare, dir, L"--progress")); break;
                }
            }
            Progress("installation " + std::to_string(i + 1) + "/" + std::to_string(installs) + ": trelvoset " +
                     Fixed(wizardInstalls.back()) + " ms (pause taken off), bare " + Fixed(bareInstalls.back()) +
                     " ms, bare with progress bar " + Fixed(progressInstalls.back()) + " ms");
        }
        ResetSpooler();

        const double startWizard = Median(wizardStarts), startMinimal = Median(minimalStarts);
        const double startRatio = startWizard / startMinimal;
        const double installWizard = Median(wizardInstalls), installBare = Median(bareInstalls);
        const double installRatio = installWizard / installBare;
        const double sizeMinimal = FileSize(minimal);

        Say("| Figure | trelvoset.exe | yardstick | ratio | goal | result |");
        Say("|---|---|---|---|---|---|");
        Say("| start-up: process start to first page shown, median of " + std::to_string(starts) + " | " +
            Fixed(startWizard) + " ms | " + Fixed(startMinimal) + " ms (minimal.exe) | " + Fixed(startRatio, 2) +
            " | at most " + Fixed(kTimeGoal, 2) + " | " + Verdict(startRatio <= kTimeGoal, startRatio, kTimeGoal) +
            " |");
        Say("| installation: Install pressed to page closed, less the 500 ms pause, median of " +
            std::to_string(installs) + " | " + Fixed(installWizard) + " ms | " + Fixed(installBare) +
            " ms (bare_install.exe) | " + Fixed(installRatio, 2) + " | at most " + Fixed(kTimeGoal, 2) + " | " +
            Verdict(installRatio <= kTimeGoal, installRatio, kTimeGoal) + " |");
        std::vector<std::pair<std::string, std::wstring>> files = {{"English", wizard}};
        if (!wizardZh.empty())
            files.emplace_back("Chinese", wizardZh);
        for (const auto& file : files)
        {
            const double size = FileSize(file.second);
            Say("| size: " + file.first + " build | " + Fixed(size) + " bytes (" + Fixed(size / 1024, 1) +
                " KiB) | " + Fixed(sizeMinimal) + " bytes (" + Fixed(sizeMinimal / 1024, 1) + " KiB, minimal.exe) | " +
                Fixed(size / sizeMinimal, 1) + " | under 300 KiB | " +
                (size < kSizeGoalBytes ? std::string("met") : "missed by " + Fixed(size - kSizeGoalBytes) + " bytes") +
                " |");
        }
        Say("");
        Say("Diagnostics (no goal): where the differences come from.");
        Say("");
        Say("| Figure | time | trelvoset.exe against it |");
        Say("|---|---|---|");
        if (!minimalDlls.empty())
        {
            const double startDlls = Median(startTimes[2]);
            Say("| start-up of minimal_dlls.exe (minimal.exe also loading winspool, comctl32, advapi32), median | " +
                Fixed(startDlls) + " ms | " + Fixed(startWizard / startDlls, 2) + " |");
        }
        const double installProgress = Median(progressInstalls);
        Say("| installation by bare_install.exe --progress (the same calls, moving a progress bar to the same 11 "
            "positions), median | " +
            Fixed(installProgress) + " ms | " + Fixed(installWizard / installProgress, 2) + " |");
        Say("");
        Say("Single runs, in milliseconds:");
        Say("");
        Say("- start-up, trelvoset.exe: " + List(wizardStarts));
        Say("- start-up, minimal.exe: " + List(minimalStarts));
        if (!minimalDlls.empty())
            Say("- start-up, minimal_dlls.exe: " + List(startTimes[2]));
        Say("- installation, trelvoset.exe (pause taken off): " + List(wizardInstalls));
        Say("- installation, bare_install.exe: " + List(bareInstalls));
        Say("- installation, bare_install.exe --progress: " + List(progressInstalls));
        return 0;
    }
    catch (const std::exception& e)
    {
        std::fprintf(stderr, "bench: %s\n", e.what());
        return 1;
    }
}
