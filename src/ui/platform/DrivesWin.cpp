// Drives on Windows: the drive letters, their types and volume labels.
#ifdef _WIN32

#include "ui/platform/Drives.h"

#include <QString>

#include <windows.h>

#include <cwchar>
#include <vector>

namespace qm::ui {

std::vector<qm::DriveInfo> listDrives()
{
    std::vector<qm::DriveInfo> drives;
    const DWORD needed = GetLogicalDriveStringsW(0, nullptr);
    if (needed == 0)
        return drives;
    std::vector<wchar_t> buffer(static_cast<std::size_t>(needed) + 1, L'\0');
    const DWORD written = GetLogicalDriveStringsW(needed, buffer.data());
    if (written == 0 || written > needed)
        return drives;

    // No "insert a disk" boxes for empty drives: their label just cannot be read.
    const UINT oldMode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    for (const wchar_t* p = buffer.data(); *p != L'\0'; p += wcslen(p) + 1) {
        qm::DriveInfo d;
        d.root = QString::fromWCharArray(p).toStdString();
        d.path = d.root;
        const UINT type = GetDriveTypeW(p);
        d.type = type <= 6 ? static_cast<int>(type) : qm::DriveUnknown;
        wchar_t label[MAX_PATH + 1] = {};
        if (GetVolumeInformationW(p, label, MAX_PATH + 1, nullptr, nullptr, nullptr, nullptr, 0))
            d.label = QString::fromWCharArray(label).toStdString();
        drives.push_back(std::move(d));
    }
    SetErrorMode(oldMode);
    return drives;
}

} // namespace qm::ui

#endif
