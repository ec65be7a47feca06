#pragma once
// Device.ini: where it is, what the window title and the not-found message are made of,
// and which group box the dialog is cut at for each function level.

#include <cstddef>
#include <string>

namespace tamsel {

constexpr std::size_t kPathBufferChars = 256;  // working directory and file path
constexpr std::size_t kNameBufferChars = 32;   // "Name": at most 31 characters are used
constexpr std::size_t kTitleBufferChars = 256;
constexpr std::size_t kMessageBufferChars = 256;

inline const std::wstring kConfigSection = L"Device";
inline const std::wstring kNameKey = L"Name";
inline const std::wstring kFunctionKey = L"Function";
inline const std::wstring kDefaultDeviceName = L"No Device";
constexpr int kDefaultFunctionLevel = 4;

// The working directory joined with "\Device.ini", cut to fit its buffer.
std::wstring ConfigFilePath(const std::wstring& workingDirectory);

// " Tamsel" for exactly the default name, otherwise the name followed by " Tamsel".
std::wstring TitleForDeviceName(const std::wstring& name);

std::wstring NotFoundMessage(const std::wstring& name);

// The group box whose top edge becomes the dialog's bottom edge; 0 for a level that
// shows all four panels.
int CutGroupForFunctionLevel(int level);

}  // namespace tamsel
