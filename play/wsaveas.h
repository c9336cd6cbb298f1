// wsaveas.h: WSaveAs, the dialog that names a game the first time it is
// saved (and whenever the player saves it under another name).
//
// It asks the saved game's title, the player's name, an optional password
// (never shown as typed) and whether the game saves itself from now on. A
// game in competition can also be saved and entered in the ranking at once.
#pragma once

#include "base/vstring.h"
#include "ui/win_dlg.h"

namespace cbst {

class GameHandler;

// The dialog's template and controls. The labels take their words from the
// entries of the fields they name.
inline constexpr int kSaveAsTemplate = 3100;
inline constexpr int kSaveAsTitle = 3100;
inline constexpr int kSaveAsPlayer = 3101;
inline constexpr int kSaveAsPassword = 3102;
inline constexpr int kSaveAsAutoSave = 3103;
inline constexpr int kSaveAsTitleLabel = 3110;
inline constexpr int kSaveAsPlayerLabel = 3111;
inline constexpr int kSaveAsPasswordLabel = 3112;
// The second confirm button: save and enter the game in the ranking.
inline constexpr int kSaveAsRanked = 104;
// The window's title is the save-as command's menu text.
inline constexpr int kSaveAsCommandText = 103;
inline constexpr int kHelpTopicSaveAs = 110;

// What the dialog shows and, when confirmed, gives back.
struct SaveAsFields {
  VString title;
  VString player;
  VString password;
  bool auto_save = false;
};

class WSaveAs final : public WinDlg {
 public:
  static const ClassInfo kClass;
  const char* ClassName() const override { return kClass.name; }
  const ClassInfo& Class() const override { return kClass; }

  // `ranked` offers the second confirm button (a game in competition).
  // Help goes to `game` when there is one.
  WSaveAs(SaveAsFields& fields, bool ranked, GameHandler* game);

  void OnEvent(Event& event) override;

 private:
  void Prime();
  void TakeFields();

  SaveAsFields& fields_;
  bool ranked_;
  GameHandler* game_;
  bool primed_ = false;
};

// The window's title: the command's menu text without its key marks and dots.
VString SaveAsCaption(const char* command_text);

}  // namespace cbst
