#include "install/InstallSequence.h"

#include <vector>

namespace
{
// RegOpenKeyEx and RegSetValueEx return ERROR_SUCCESS, 0, when they did their work.
const long kRegistrySuccess = 0;

// One REG_SZ value under an existing key; false when it did not reach the registry. A key that
// does not open gets the same message as a value that cannot be set.
bool WriteRegistryString(InstallPlatform& platform, RegistryRoot root, const char* subKey,
                         const char* name, const CString& text)
{
    RegistryKey key = nullptr;
    if (platform.OpenRegistryKey(root, subKey, &key) != kRegistrySuccess)
    {
        platform.ShowRegistryError();
        return false;
    }
    const bool written =
        platform.SetRegistryString(key, name, text, RegSzDataSize(text)) == kRegistrySuccess;
    if (!written)
        platform.ShowRegistryError();
    platform.CloseRegistryKey(key);
    return written;
}
} // namespace

InstallOutcome RunInstallation(const InstallChoices& choices, InstallPlatform& platform)
{
    InstallOutcome outcome;

    CString driverDir;
    // An empty answer would put the package in the root of the current drive.
    outcome.driverDirectoryFound =
        platform.QueryDriverDirectory(kEnvironment, driverDir) && !driverDir.IsEmpty();

    // Without the directory nothing is copied, but the progress goes on as if it had been.
    for (const CopyStep& step : MakeCopyPlan(choices.row, driverDir))
    {
        if (outcome.driverDirectoryFound && !platform.CopyPackageFile(step.source, step.destination))
            ++outcome.copiesFailed;
        if (step.position != 0)
            platform.SetProgressPos(step.position);
    }

    outcome.driverRegistered = platform.RegisterDriver(MakeDriverDescription(choices.row));
    platform.SetProgressPos(70);

    unsigned long printerError = 0;
    const PrinterHandle printer =
        platform.CreatePrinter(MakePrinterDescription(choices.row, choices.portName), &printerError);
    outcome.printerAdded = printer != nullptr;
    outcome.printerError = outcome.printerAdded ? 0 : printerError;
    platform.SetProgressPos(80);

    // Naming a printer that does not exist as the default would leave the user without one.
    if (choices.setDefaultPrinter && PrinterExists(outcome))
        outcome.defaultPrinterFailed =
            !WriteRegistryString(platform, RegistryRoot::CurrentUser, kDeviceKeyPath,
                                 kDeviceValueName, DeviceValueText(choices.row, choices.portName));
    platform.SetProgressPos(90);

    if (WritesSerialValue(choices.portIndex))
        outcome.serialSettingsFailed =
            !WriteRegistryString(platform, RegistryRoot::LocalMachine, kPortsKeyPath,
                                 SerialValueName(choices.portIndex),
                                 SerialValueText(choices.baud, choices.parity, choices.dataBits,
                                                 choices.stopBits, choices.flow));
    platform.SetProgressPos(95);

    // ClosePrinter also gets a NULL handle: the spooler answers ERROR_INVALID_HANDLE, no harm.
    platform.ClosePrinterHandle(printer);
    platform.Pause(kClosingPauseMs);
    platform.SetProgressPos(100);
    return outcome;
}
