#pragma once

#include "platform/FileSystem.h"

namespace quorix::platform {

inline OpResult opDone()
{
    return OpResult{true, 0, {}};
}

// A failed operation: the errno and the Windows text for it (or for windowsCode).
inline OpResult opFailed(int error, int windowsCode = -1)
{
    return OpResult{false, error,
                    systemErrorText(windowsCode < 0 ? windowsErrorFromErrno(error) : windowsCode)};
}

} // namespace quorix::platform

// The Windows-style codes the platform layer itself produces (systemErrorText() and
// windowsErrorFromErrno() are declared in FileSystem.h).
namespace quorix::platform::winerror {

inline constexpr int FileNotFound = 2;
inline constexpr int PathNotFound = 3;
inline constexpr int TooManyOpenFiles = 4;
inline constexpr int AccessDenied = 5;
inline constexpr int NotEnoughMemory = 8;
inline constexpr int NotSameDevice = 17;
inline constexpr int WriteProtect = 19;
inline constexpr int NotReady = 21;
inline constexpr int GenFailure = 31;
inline constexpr int SharingViolation = 32;
inline constexpr int NotSupported = 50;
inline constexpr int BadNetPath = 53;
inline constexpr int FileExists = 80;
inline constexpr int InvalidParameter = 87;
inline constexpr int DiskFull = 112;
inline constexpr int InvalidName = 123;
inline constexpr int DirNotEmpty = 145;
inline constexpr int AlreadyExists = 183;
inline constexpr int FilenameTooLong = 206;
inline constexpr int IoDevice = 1117;
inline constexpr int CantResolveFilename = 1921;

} // namespace quorix::platform::winerror
