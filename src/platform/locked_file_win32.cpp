// SPDX-License-Identifier: MIT
// The Win32 file layer: CreateFileW without sharing, GetFileType and ReadFile.
//
// Opening the file with share mode 0 is the lock: while the handle is open, every other attempt
// to open the file (a second measurement, an editor, a writer) fails with a sharing violation,
// and an open that finds another handle already there fails the same way.
#include "platform/locked_file.h"

#include <cwchar>
#include <string>

#include <windows.h>

namespace tavrisk {
namespace platform {

namespace {

// The caller's path, text in the ANSI code page, as UTF-16; empty when it does not convert.
// The buffer is as long as the conversion needs: a path has no fixed length limit here.
std::wstring widened(char const* path) {
    int const needed = ::MultiByteToWideChar(CP_ACP, 0, path, -1, nullptr, 0);
    if (needed <= 1) {
        return std::wstring();
    }
    std::wstring wide(static_cast<std::size_t>(needed), L'\0');
    if (::MultiByteToWideChar(CP_ACP, 0, path, -1, &wide[0], needed) != needed) {
        return std::wstring();
    }
    wide.resize(static_cast<std::size_t>(needed - 1));  // the terminator the conversion wrote
    return wide;
}

bool startsWith(std::wstring const& text, wchar_t const* prefix) {
    return text.compare(0, std::wcslen(prefix), prefix) == 0;
}

// The absolute form of path in the \\?\ notation, which the file functions take at any length
// where the plain notation stops at 260 characters. The \\?\ notation skips the usual clean-up
// of the name (relative parts, "." and "..", / for \), so GetFullPathNameW does it first.
std::wstring extendedLengthPath(std::wstring const& path) {
    std::wstring full;
    DWORD size = ::GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    while (size > 0) {
        full.assign(size, L'\0');
        DWORD const written = ::GetFullPathNameW(path.c_str(), size, &full[0], nullptr);
        if (written < size) {
            full.resize(written);
            break;
        }
        size = written;  // the current directory grew between the two calls: ask again
    }
    if (full.empty()) {
        return full;
    }
    // Device names (\\.\pipe\..., NUL) and names already in the extended form stay as they are.
    if (startsWith(full, L"\\\\?\\") || startsWith(full, L"\\\\.\\")) {
        return full;
    }
    if (startsWith(full, L"\\\\")) {
        return L"\\\\?\\UNC\\" + full.substr(2);  // \\server\share\... is a network path
    }
    return L"\\\\?\\" + full;
}

LockedFile::Opening whyNotOpened(DWORD error, std::wstring const& path) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_NAME:
        case ERROR_INVALID_DRIVE:
        case ERROR_BAD_NETPATH:
        case ERROR_BAD_NET_NAME:
            return LockedFile::Opening::missing;
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
            return LockedFile::Opening::locked;
        case ERROR_ACCESS_DENIED: {
            // A directory cannot be opened as a file at all; it is refused for what it is.
            DWORD const attributes = ::GetFileAttributesW(path.c_str());
            bool const directory = attributes != INVALID_FILE_ATTRIBUTES &&
                                   (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
            return directory ? LockedFile::Opening::notRegular : LockedFile::Opening::cannotOpen;
        }
        default:
            return LockedFile::Opening::cannotOpen;
    }
}

}  // namespace

LockedFile::~LockedFile() {
    if (handle_ != nullptr) {
        ::CloseHandle(handle_);
    }
}

LockedFile::Opening LockedFile::open(char const* path) {
    if (path == nullptr) {
        return Opening::missing;
    }
    if (handle_ != nullptr) {
        return Opening::cannotOpen;
    }
    std::wstring const wide = widened(path);
    std::wstring const extended = wide.empty() ? wide : extendedLengthPath(wide);
    if (extended.empty()) {
        return Opening::missing;
    }
    // Read access only, no sharing, existing files only; a pipe or device opens here too and is
    // refused below without ever being read from.
    HANDLE const handle = ::CreateFileW(extended.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return whyNotOpened(::GetLastError(), extended);
    }
    handle_ = handle;

    if (::GetFileType(handle) != FILE_TYPE_DISK) {
        return Opening::notRegular;
    }
    // No other handle can write to the file from here on, so its size holds for the whole call.
    LARGE_INTEGER size;
    if (!::GetFileSizeEx(handle, &size)) {
        return Opening::cannotOpen;
    }
    if (size.QuadPart <= 0) {
        return Opening::empty;
    }
    sizeAtOpen_ = static_cast<std::uint64_t>(size.QuadPart);
    return Opening::opened;
}

long LockedFile::read(char* buffer, std::size_t capacity) {
    if (handle_ == nullptr || buffer == nullptr) {
        return -1;
    }
    // ReadFile counts in 32 bits, and the result must fit a long, which is 32 bits on Windows.
    DWORD const wanted = static_cast<DWORD>(capacity < (1u << 30) ? capacity : (1u << 30));
    DWORD got = 0;
    if (!::ReadFile(handle_, buffer, wanted, &got, nullptr)) {
        return -1;
    }
    return static_cast<long>(got);
}

}  // namespace platform
}  // namespace tavrisk
