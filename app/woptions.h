// woptions.h: WOptions, the window of the player's switches (F3): what new
// games start with, how pieces are drawn and dragged, and the program's
// manners. Every click takes effect at once; the record is saved as the
// window closes.
#pragma once

#include <cstdint>
#include <functional>
#include <span>

#include "app/options.h"
#include "app/settings.h"
#include "ui/win_dlg.h"

namespace cbst {

class GameHandler;

inline constexpr int kOptionsTemplate = 2500;
// The box shown only while new games start in competition.
inline constexpr int kOptionsCompetitionBox = 2500;
inline constexpr int kOptionsHideScoreBox = 2504;
// The boxes whose tip adds that they act on new games only (text 571).
inline constexpr int kOptionsFirstNewGameBox = 2500;
inline constexpr int kOptionsLastNewGameBox = 2504;
inline constexpr int kTextNewGamesOnly = 571;
inline constexpr int kHelpTopicOptions = 155;

// A check box and the option bit it edits; an inverted box is checked
// while its bit is clear.
struct OptionBox {
  int id;
  std::uint32_t bit;
  bool inverted = false;
};
// The boxes of the options window, group by group.
std::span<const OptionBox> OptionBoxes();

class WOptions final : public WinDlg {
 public:
  static const ClassInfo kClass;
  const char* ClassName() const override { return kClass.name; }
  const ClassInfo& Class() const override { return kClass; }

  // `applied` is called after every change of the bits, with the bits as
  // they were before it; help goes to `game` when there is one.
  WOptions(Options& options, const Settings& settings, GameHandler* game,
           std::function<void(std::uint32_t before)> applied);

  void OnEvent(Event& event) override;
  // A changed record is saved as the window goes, however it is closed.
  void Destroy(int result) override;

 private:
  void Prime();
  void Toggle(const OptionBox& box);
  void ShowDependentBoxes();

  Options& options_;
  const Settings& settings_;
  GameHandler* game_;
  std::function<void(std::uint32_t)> applied_;
  bool primed_ = false;
};

// The window's title: a menu text without its key marks and dots.
VString WindowCaption(const char* command_text);

}  // namespace cbst
