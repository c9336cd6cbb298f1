// setup_codes.h: the names, keys and numbers of installation and removal.
#pragma once

#include <string_view>

#include "app/setup_hooks.h"

namespace cbst {

// Keys of section Main (the welcome and program-group keys are with the
// setup hooks, which start-up and the options window read too).
inline constexpr std::string_view kKeyDesktopLink = "InstallDeskLink";

// Section of the user settings file that the installation shares with the
// outside installer.
inline constexpr std::string_view kSetupSection = "CobblestackSetup";
inline constexpr std::string_view kKeyDonePack = "DonePack";
inline constexpr std::string_view kDonePackStarted = "1";
inline constexpr std::string_view kDonePackFinished = "2";
inline constexpr std::string_view kKeyRun = "Run";
inline constexpr std::string_view kKeyDirectory = "Dir";

// The program group and its items.
inline constexpr std::string_view kGroupName = "Cobblestack";
inline constexpr std::string_view kProgramItemSuffix = " 32bit";
inline constexpr std::string_view kHelpItemSuffix = " Help";
inline constexpr std::string_view kSiteItemTitle = "WWW The Cobblestack Site";
inline constexpr std::string_view kSiteFileName = "cssite.url";
// The uninstaller beside the program; with it the uninstall entry is made.
inline constexpr std::string_view kUninstallerName = "remove";
inline constexpr std::string_view kRemoveWord = "@remove";

// The desktop shortcut.
inline constexpr std::string_view kDesktopLinkName = "Cobblestack";
inline constexpr std::string_view kDesktopLinkDescription = "Cobblestack 32";

// The uninstall entry, kept in the registry file.
inline constexpr std::string_view kUninstallKey =
    "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Cobblestack";
inline constexpr std::string_view kKeyDisplayName = "DisplayName";
inline constexpr std::string_view kKeyUninstallString = "UninstallString";

// Files of the program directory that removal deletes by name.
inline constexpr std::string_view kSetupLogName = "cssetup.log";
inline constexpr std::string_view kSetupLogHeader = "[Cobblestack Setup]";
inline constexpr std::string_view kFolderCacheName = "dircache.tmp";
inline constexpr std::string_view kScoresDirectory = "scores";
inline constexpr std::string_view kSettingsName = "cbst.ini";
// Names of the program file itself that the log may list; never deleted by
// the list, since the program is running from it.
inline constexpr std::string_view kProgramFileNames[] = {"cbst", "cbst.exe", "cbst32.exe"};

// Dictionary texts.
inline constexpr int kTextProgramGroupOffer = 560;
inline constexpr int kTextLeaveUnfinished = 813;
inline constexpr int kTextChooseFolder = 814;
inline constexpr int kTextRemovalWarning = 954;
inline constexpr int kTextRemoveNow = 955;
inline constexpr int kTextWelcomeFirstRun = 956;
inline constexpr int kTextWelcomeFullSetup = 957;
inline constexpr int kTextWelcomeProgramGroup = 958;
inline constexpr int kTextWelcomePack = 959;

// English texts of setup that the dictionary does not carry.
inline constexpr char kSetupTitle[] = "Cobblestack Setup";
inline constexpr char kUnableToRemove[] = "Unable to remove the file %s";
inline constexpr char kCopyingFiles[] = "Copying files";
inline constexpr char kProgramNeedsSpace[] =
    "The program needs %lli bytes on your disk, but seems that on this drive there aren't enough";
inline constexpr char kPuzzlesNeedSpace[] =
    "The puzzles need %lli bytes on your disk, but seems that on that drive there aren't enough";
// Room left over on the target beside the files of a full setup.
inline constexpr long long kSetupSpareBytes = 500000;

// Help context of the welcome window.
inline constexpr int kHelpTopicWelcome = 114;

}  // namespace cbst
