// message_box.h: message boxes with the old button sets, icons and answers.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/platform_window.h"

namespace cbst {

// Buttons (the low four bits of the style).
inline constexpr std::uint32_t kBoxOk = 0x0000;
inline constexpr std::uint32_t kBoxOkCancel = 0x0001;
inline constexpr std::uint32_t kBoxYesNoCancel = 0x0003;
inline constexpr std::uint32_t kBoxYesNo = 0x0004;
inline constexpr std::uint32_t kBoxButtonMask = 0x000F;
// Icons.
inline constexpr std::uint32_t kBoxIconStop = 0x0010;
inline constexpr std::uint32_t kBoxIconQuestion = 0x0020;
inline constexpr std::uint32_t kBoxIconExclamation = 0x0030;
inline constexpr std::uint32_t kBoxIconInformation = 0x0040;
inline constexpr std::uint32_t kBoxIconMask = 0x00F0;
// The second button is the default one.
inline constexpr std::uint32_t kBoxDefaultSecond = 0x0100;
// Modality: the whole system (brought to the front), or the program's task.
inline constexpr std::uint32_t kBoxSystemModal = 0x1000;
inline constexpr std::uint32_t kBoxTaskModal = 0x2000;

// Answers.
inline constexpr int kAnswerOk = 1;
inline constexpr int kAnswerCancel = 2;
inline constexpr int kAnswerYes = 6;
inline constexpr int kAnswerNo = 7;

inline constexpr char kMessageBoxCaption[] = "Cobblestack";

// Shows `text` (Windows-1252) in a modal box owned by `owner` and returns
// the answer. An empty caption is the program's name. Closing the box
// without a button answers Cancel where there is one, else OK (or No).
int ShowMessageBox(const PlatformWindow* owner, std::string_view text, std::uint32_t style = kBoxOk,
                   std::string_view caption = {});

// Makes every report of the foundation a real message box.
void InstallMessageBoxReports();

}  // namespace cbst
