// wranking.h: WRanking, the modal window that shows one ranking as a table
// of fifteen rows, and WCert, the window of one ranked game.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "gfx/drawing_tools.h"
#include "scores/certificate.h"
#include "scores/ranking.h"
#include "scores/ranking_view.h"
#include "ui/win_dlg.h"

namespace cbst {

inline constexpr int kRankingTemplate = 4200;
inline constexpr int kCertificateTemplate = 4210;
// The ranking window's refresh button: it closes, and the ranking is shown
// again as it is now.
inline constexpr std::uint32_t kCommandRefreshRanking = 5001;
inline constexpr std::uint32_t kCommandAddToRanking = 4500;
inline constexpr int kHelpTopicRanking = 108;
inline constexpr int kHelpTopicRankingSecond = 109;
inline constexpr int kHelpTopicCertificateAdded = 104;
inline constexpr int kHelpTopicCertificateOffered = 105;

// The ranking window's geometry: the table is drawn over the top of the
// window, above its buttons.
inline constexpr int kRankingMargin = 8;
inline constexpr int kRankingTitleHeight = 28;
inline constexpr int kRankingHeadingHeight = 22;
inline constexpr int kRankingRowHeight = 18;
inline constexpr int kRankingTableWidth = 660;
inline constexpr int kRankingTableHeight = kRankingMargin + kRankingTitleHeight +
                                           kRankingHeadingHeight +
                                           kRankingRows * kRankingRowHeight + kRankingMargin;
inline constexpr std::uint32_t kRankingBackground = 0xC0C0C0;
inline constexpr std::uint32_t kRankingFrame = 0xFFFFFF;

// What both windows need of the game: the settings file their places are
// kept in (none: not kept), and the help they open.
struct RankingWindowPlace {
  std::string settings_file;
  std::function<void(int context)> help;
};

// The games a ranking window shows, with its title.
struct RankingShown {
  const Ranking* ranking = nullptr;
  std::string puzzle_name;  // Windows-1252
  std::string level_title;
  // The open puzzle's sides to join, for the share of the solved column;
  // 0 for another puzzle or a custom level.
  int sides = 0;
  // What a row's certificate says of its puzzle.
  std::int32_t rows = 0;
  std::int32_t columns = 0;
};

class WRanking final : public WinDlg {
 public:
  static const ClassInfo kClass;
  const char* ClassName() const override { return kClass.name; }
  const ClassInfo& Class() const override { return kClass; }

  // `second_style` selects the second help topic; `black` draws every row
  // in black.
  WRanking(const RankingShown& shown, RankingWindowPlace place, bool second_style = false,
           bool black = false);

  void OnEvent(Event& event) override;
  void Paint(DC& dc) override;

  // The rectangle of a cell; the row -1 is the headings'.
  static Rect16 CellRect(int row, RankingColumn column);
  // The row (0-14) at a point of the client area, or -1.
  static int RowAt(int x, int y);

 private:
  void Prime();
  void RememberPlace();
  // "Ranking - Puzzle: name, level", the window's caption and the line atop
  // its table.
  std::string Title() const;
  void OpenCertificate(int row);
  void CopyRanking() const;

  RankingShown shown_;
  RankingWindowPlace place_;
  bool second_style_;
  bool black_;
  bool primed_ = false;
  Font title_font_;
  Font table_font_;
};

// WCert's modes.
inline constexpr int kCertificateOffered = 1;  // offered for adding, with button 4500
inline constexpr int kCertificateAdded = 2;    // shown after adding
inline constexpr int kCertificateFromRow = 4;  // opened from a ranking row
inline constexpr int kTextCertificateOffered = 544;
inline constexpr int kTextCertificateAdded = 545;
inline constexpr int kTextCertificate = 556;
// WCert's controls.
inline constexpr int kCertificateTitle = 4211;
inline constexpr int kCertificatePuzzleLabel = 4212;
inline constexpr int kCertificatePuzzle = 4213;
inline constexpr int kCertificateLevel = 4214;
inline constexpr int kCertificatePlayerLabel = 4215;
inline constexpr int kCertificatePlayer = 4216;
inline constexpr int kCertificateScoreLabel = 4217;
inline constexpr int kCertificateScore = 4218;
// Puts the game's certificate on the clipboard (the game settings window's
// button of the same id).
inline constexpr int kCertificateCopy = 1171;

class WCert final : public WinDlg {
 public:
  static const ClassInfo kClass;
  const char* ClassName() const override { return kClass.name; }
  const ClassInfo& Class() const override { return kClass; }

  WCert(const CertificateRecord& game, int mode, RankingWindowPlace place);

  void OnEvent(Event& event) override;

  int mode() const { return mode_; }
  int title_text() const;

 private:
  void Prime();

  CertificateRecord game_;
  int mode_;
  RankingWindowPlace place_;
  bool primed_ = false;
};

}  // namespace cbst
