// ranking_window_test.cpp: the ranking window and the certificate window,
// drawn offscreen and driven by synthetic clicks, and scores pasted from
// the clipboard into the ranking they belong to.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <filesystem>
#include <fstream>
#include <functional>

#include "base/date.h"
#include "platform/platform_window_qt.h"
#include "scores/certificate.h"
#include "scores/ranking_file.h"
#include "scores/ranking_text.h"
#include "scores/show_ranking.h"
#include "scores/wranking.h"
#include "support/control_of.h"
#include "support/test_application.h"
#include "text/text_codes.h"
#include "text/traductor.h"
#include "ui/application.h"

namespace cbst {
namespace {

namespace fs = std::filesystem;
using testing::ControlOf;

RankingEntry Entry(const char* game, const char* player, std::int32_t score) {
  RankingEntry entry;
  entry.game = VString(game);
  entry.player = VString(player);
  entry.score = score;
  entry.time = 61200;
  entry.helps = 1;
  entry.solved = 12;
  entry.moves = 40;
  return entry;
}

CertificateRecord Pasted() {
  CertificateRecord game;
  game.puzzle = VString("tiger");
  game.level = 2;
  game.rows = 3;
  game.columns = 4;
  game.player = VString("Ana");
  game.time = 98700;
  game.solved = 34;
  game.moves = 77;
  game.helps = 0;
  game.score = 5400;
  return game;
}

QString LabelText(QWidget* window, int id) {
  auto* label = qobject_cast<QLabel*>(ControlOf(window, id));
  return label ? label->text() : QString();
}

// Runs `answer` on the next modal window to come up, as soon as it is.
void AnswerModal(std::function<void(QWidget*)> answer) {
  auto* poll = new QTimer;
  QObject::connect(poll, &QTimer::timeout, [poll, answer] {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal) return;
    poll->stop();
    poll->deleteLater();
    answer(modal);
  });
  poll->start(10);
}

// The message box's text, closed with its button.
void AnswerMessage(QString& text) {
  AnswerModal([&text](QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    ASSERT_NE(box, nullptr);
    text = box->text();
    box->escapeButton() ? box->escapeButton()->click() : box->defaultButton()->click();
  });
}

void ClickButton(QWidget* window, int id) {
  auto* button = qobject_cast<QPushButton*>(ControlOf(window, id));
  ASSERT_NE(button, nullptr) << id;
  ASSERT_TRUE(button->isVisible()) << id;
  button->click();
}

class RankingWindows : public ::testing::Test {
 protected:
  void SetUp() override {
    directory_ = fs::temp_directory_path() /
                 ("cbst-ranking-window-" + std::to_string(::getpid()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(directory_);
    fs::create_directories(directory_);
    puzzle_ = (directory_ / "tiger.puz").string();
    dictionary_.set_directory(CBST_PROGRAM_DIR);
    dictionary_.set_accepted_version(kDictionaryVersion);
    ASSERT_TRUE(dictionary_.Load(kEnglishCode, kDictionaryTag, kEnglishCode).ok());
    SetSeparators({'.', ',', '-'});
  }
  void TearDown() override {
    SetSeparators(separators_);
    fs::remove_all(directory_);
  }

  Ranking Tiger() const {
    Ranking ranking;
    ranking.puzzle = VString(puzzle_);
    ranking.level = 2;
    return ranking;
  }
  RankingRequest Request() const {
    RankingRequest request;
    request.puzzle = VString(puzzle_);
    request.puzzle_name = "tiger";
    request.level = 2;
    request.rows = 3;
    request.columns = 4;
    return request;
  }
  RankingWindowPlace Place() {
    return {"", [this](int context) { helps_.push_back(context); }};
  }

  testing::TestApplication application_;
  Traductor dictionary_;
  Separators separators_ = CurrentSeparators();
  fs::path directory_;
  std::string puzzle_;
  std::vector<int> helps_;
};

// How many pixels of a cell are drawn in `colour` (0x00BBGGRR).
int PixelsOf(const QImage& image, const Rect16& cell, std::uint32_t colour) {
  const QRgb wanted = qRgb(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
  int count = 0;
  for (int y = cell.y; y < cell.y + cell.height; ++y)
    for (int x = cell.x; x < cell.x + cell.width; ++x)
      if ((image.pixel(x, y) & 0xFFFFFF) == (wanted & 0xFFFFFF)) ++count;
  return count;
}

TEST_F(RankingWindows, CellsShowTheRelativeScoreAndTheShareOfThePuzzle) {
  Ranking ranking = Tiger();
  ranking.entries = {Entry("a", "Ana", 5000), Entry("b", "Bo", 2500), Entry("c", "Cy", -600000)};
  const auto cells = [&](int row) { return RankingCells(ranking, row, 24); };
  EXPECT_EQ(cells(0)[static_cast<int>(RankingColumn::kRelative)], "100,0");
  EXPECT_EQ(cells(1)[static_cast<int>(RankingColumn::kRelative)], "50,0");
  EXPECT_EQ(cells(2)[static_cast<int>(RankingColumn::kRelative)], "-99,9");
  EXPECT_EQ(cells(0)[static_cast<int>(RankingColumn::kScore)], "5.000");
  EXPECT_EQ(cells(2)[static_cast<int>(RankingColumn::kScore)], "-600.000");
  EXPECT_EQ(cells(0)[static_cast<int>(RankingColumn::kTime)], "00:01:01.2");
  // Joined sides count twice; the share is of all the sides to join.
  EXPECT_EQ(cells(0)[static_cast<int>(RankingColumn::kSolved)], "6 (50%)");
  EXPECT_EQ(RankingCells(ranking, 0, 0)[static_cast<int>(RankingColumn::kSolved)], "6");
  // A row without a game shows its number only.
  const auto empty = cells(14);
  EXPECT_EQ(empty[0], "15");
  for (int column = 1; column < kRankingColumns; ++column)
    EXPECT_TRUE(empty[static_cast<std::size_t>(column)].empty()) << column;
  // No best score to compare with.
  EXPECT_EQ(RelativeScoreText(10, 0), "");
}

TEST_F(RankingWindows, APastedCertificateReachesTheWindowInItsOwnColour) {
  // A game of this installation, then a pasted one that beats it.
  Ranking mine = Tiger();
  mine.entries = {Entry("mine", "Bo", 3000), Entry("older", "Cy", 1000)};
  ASSERT_EQ(SaveRanking(mine).code(), 0);
  const std::optional<CertificateRecord> game = ParseCertificate(MakeCertificate(Pasted()).str());
  ASSERT_TRUE(game.has_value());
  ASSERT_EQ(ImportCertificate(*game, puzzle_.c_str()).code(), 0);

  Ranking ranking = Tiger();
  LoadRanking(ranking);
  ASSERT_EQ(ranking.entries.size(), 3u);
  ranking.current = 1;  // "mine" is the game being played
  RankingShown shown{&ranking, "tiger", "3 x 4 = 12 pieces", 0, 3, 4};
  auto* window = application_.Make<WRanking>(shown, Place());
  ASSERT_TRUE(window->CreateDialog(nullptr));
  QApplication::processEvents();
  QWidget* host = WidgetOf(window->platform_window());
  const QImage image = host->grab().toImage();
  image.save(
      QString::fromStdString((fs::temp_directory_path() / "cbst-ranking-window.png").string()));

  const auto player = [](int row) { return WRanking::CellRect(row, RankingColumn::kPlayer); };
  EXPECT_GT(PixelsOf(image, player(0), kRankingReservedColour), 0);
  EXPECT_EQ(PixelsOf(image, player(0), kRankingCurrentColour), 0);
  EXPECT_GT(PixelsOf(image, player(1), kRankingCurrentColour), 0);
  EXPECT_GT(PixelsOf(image, player(2), kRankingOtherColour), 0);
  EXPECT_EQ(PixelsOf(image, player(2), kRankingCurrentColour), 0);
  const Rect16 relative = WRanking::CellRect(0, RankingColumn::kRelative);
  EXPECT_GT(PixelsOf(image, relative, kRankingReservedColour), 0);
  // Fifteen numbered rows; the rows without games are otherwise empty.
  for (int row = 3; row < kRankingRows; ++row) {
    const Rect16 cell = player(row);
    EXPECT_EQ(PixelsOf(image, cell, kRankingBackground), cell.width * cell.height) << row;
    EXPECT_GT(
        PixelsOf(image, WRanking::CellRect(row, RankingColumn::kPosition), kRankingOtherColour), 0)
        << row;
  }

  // Black rows, when asked.
  auto* black = application_.Make<WRanking>(shown, Place(), true, true);
  ASSERT_TRUE(black->CreateDialog(nullptr));
  QApplication::processEvents();
  const QImage dark = WidgetOf(black->platform_window())->grab().toImage();
  EXPECT_EQ(PixelsOf(dark, player(1), kRankingCurrentColour), 0);
  EXPECT_GT(PixelsOf(dark, player(1), kRankingBlack), 0);
  DestroyWindow(black, 0);
  DestroyWindow(window, 0);
}

TEST_F(RankingWindows, ADoubleClickedRowOpensItsCertificateAndHelpFollowsTheStyle) {
  Ranking ranking = Tiger();
  ranking.entries = {Entry("*R*", "Ana", 5000), Entry("b", "Bo", 2500), Entry("", "Me", 100)};
  ranking.current = 2;
  RankingShown shown{&ranking, "tiger", "3 x 4 = 12 pieces", 0, 3, 4};
  auto* window = application_.Make<WRanking>(shown, Place());
  ASSERT_TRUE(window->CreateDialog(nullptr));
  QApplication::processEvents();
  QWidget* host = WidgetOf(window->platform_window());
  // The caption names the puzzle and level as the line atop the table does.
  EXPECT_EQ(host->window()->windowTitle().toStdString(),
            std::string(Text(kTextRankingTitle)) + " Puzzle: tiger, 3 x 4 = 12 pieces");
  const auto double_click = [&](int row) {
    const Rect16 cell = WRanking::CellRect(row, RankingColumn::kPlayer);
    const QPoint point(cell.x + cell.width / 2, cell.y + cell.height / 2);
    QWidget* under = host->childAt(point);
    QWidget* target = under ? under : host;
    QTest::mouseDClick(target, Qt::LeftButton, {}, target->mapFrom(host, point));
  };

  QString title, player, score;
  bool adding = true;
  AnswerModal([&](QWidget* modal) {
    title = LabelText(modal, kCertificateTitle);
    player = LabelText(modal, kCertificatePlayer);
    score = LabelText(modal, kCertificateScore);
    adding = ControlOf(modal, static_cast<int>(kCommandAddToRanking))->isVisible();
    ClickButton(modal, kCertificateCopy);
    ClickButton(modal, static_cast<int>(kCommandOk));
  });
  double_click(1);
  EXPECT_EQ(title, QString(Text(kTextCertificate)));
  EXPECT_EQ(player, "Bo");
  EXPECT_EQ(score, "2.500");
  EXPECT_FALSE(adding);
  // The row's game, copied as its certificate.
  const std::optional<CertificateRecord> copied =
      ParseCertificate(QApplication::clipboard()->text().toStdString());
  ASSERT_TRUE(copied.has_value());
  EXPECT_EQ(copied->puzzle, "tiger");
  EXPECT_EQ(copied->player, "Bo");
  EXPECT_EQ(copied->score, 2500);
  EXPECT_EQ(copied->rows, 3);

  // Ctrl+C copies the ranking as text, without the game not saved yet.
  KeyPayload copy_key;
  copy_key.virtual_key = 'C';
  copy_key.modifiers = kModControl;
  Event copy = MakeEvent(kEventKey, copy_key);
  window->Dispatch(copy);
  const std::optional<RankingText> text =
      ParseRankingText(QApplication::clipboard()->text().toStdString());
  ASSERT_TRUE(text.has_value());
  EXPECT_EQ(text->puzzle, "tiger");
  EXPECT_EQ(text->level, 2);
  ASSERT_EQ(text->entries.size(), 2u);
  EXPECT_EQ(text->entries[1].player, "Bo");

  // A row without a game opens nothing.
  double_click(6);
  QApplication::processEvents();
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

  Event help = MakeEvent(kEventHelp, HelpPayload{window->help_context(), 0});
  window->Dispatch(help);
  DestroyWindow(window, 0);
  auto* second = application_.Make<WRanking>(shown, Place(), true);
  ASSERT_TRUE(second->CreateDialog(nullptr));
  Event second_help = MakeEvent(kEventHelp, HelpPayload{second->help_context(), 0});
  second->Dispatch(second_help);
  DestroyWindow(second, 0);
  EXPECT_EQ(helps_, (std::vector<int>{kHelpTopicRanking, kHelpTopicRankingSecond}));
}

TEST_F(RankingWindows, TheWindowComesBackWhereItWasLeftAtItsOwnSize) {
  Ranking ranking = Tiger();
  RankingShown shown{&ranking, "tiger", "", 0, 3, 4};
  const RankingWindowPlace place{(directory_ / "cbst.ini").string(), {}};
  auto* first = application_.Make<WRanking>(shown, place);
  ASSERT_TRUE(first->CreateDialog(nullptr));
  QApplication::processEvents();
  const Rect16 made = first->WindowRect();
  first->Move({40, 50, 300, 200});
  Event ok = MakeEvent(kEventCommand, CommandPayload{kCommandOk, 0});
  first->Dispatch(ok);
  ASSERT_FALSE(application_.Holds(first));

  auto* again = application_.Make<WRanking>(shown, place);
  ASSERT_TRUE(again->CreateDialog(nullptr));
  QApplication::processEvents();
  const Rect16 placed = again->WindowRect();
  EXPECT_EQ(placed.x, 40);
  EXPECT_EQ(placed.y, 50);
  EXPECT_EQ(placed.width, made.width);
  EXPECT_EQ(placed.height, made.height);
  DestroyWindow(again, 0);
}

TEST_F(RankingWindows, AnotherPuzzlesRankingIsShownFromItsFileOrToldEmpty) {
  QString told;
  AnswerMessage(told);
  ShowRanking(nullptr, Request(), nullptr, Place());
  EXPECT_TRUE(told.contains("tiger")) << told.toStdString();
  EXPECT_TRUE(told.startsWith("There are no scores")) << told.toStdString();

  Ranking file = Tiger();
  file.entries = {Entry("gone", "Ana", 5000)};
  ASSERT_EQ(SaveRanking(file).code(), 0);
  // Refreshed once, then closed; the game whose saved game is not here
  // stays, as it does for any puzzle not being played.
  int shown = 0;
  std::function<void(QWidget*)> answer = [&](QWidget* modal) {
    ++shown;
    ClickButton(modal, shown == 1 ? static_cast<int>(kCommandRefreshRanking)
                                  : static_cast<int>(kCommandOk));
    if (shown == 1) AnswerModal(answer);
  };
  AnswerModal(answer);
  ShowRanking(nullptr, Request(), nullptr, Place());
  EXPECT_EQ(shown, 2);
  Ranking after = Tiger();
  LoadRanking(after);
  EXPECT_EQ(after.entries, file.entries);
}

TEST_F(RankingWindows, PastedScoresJoinTheRankingOfTheirPuzzleOrAreRefused) {
  // A certificate is offered first; the player adds it.
  int mode_title = 0;
  QString told;
  AnswerModal([&](QWidget* modal) {
    mode_title = LabelText(modal, kCertificateTitle) == QString(Text(kTextCertificateOffered)) &&
                 !ControlOf(modal, static_cast<int>(kCommandOk))->isVisible();
    ClickButton(modal, static_cast<int>(kCommandAddToRanking));
    AnswerMessage(told);
  });
  const std::string text = "Look:\r\n" + MakeCertificate(Pasted()).str();
  EXPECT_EQ(PasteScores(nullptr, text, directory_.string(), Place()), PastedScores::kAdded);
  EXPECT_EQ(mode_title, 1);
  EXPECT_TRUE(told.contains("tiger")) << told.toStdString();
  Ranking ranking = Tiger();
  LoadRanking(ranking);
  ASSERT_EQ(ranking.entries.size(), 1u);
  EXPECT_EQ(ranking.entries[0], CertificateEntry(Pasted()));

  // Declined, nothing changes.
  AnswerModal([&](QWidget* modal) { ClickButton(modal, static_cast<int>(kCommandCancel)); });
  EXPECT_EQ(PasteScores(nullptr, text, directory_.string(), Place()), PastedScores::kDeclined);

  // A ranking's games go in without asking.
  RankingText other;
  other.puzzle = VString("tiger");
  other.level = 2;
  other.rows = 3;
  other.columns = 4;
  other.entries = {Entry("x", "Di", 9000), Entry("y", "Ed", 10)};
  AnswerMessage(told);
  EXPECT_EQ(PasteScores(nullptr, MakeRankingText(other).str(), directory_.string(), Place()),
            PastedScores::kAdded);
  LoadRanking(ranking);
  ASSERT_EQ(ranking.entries.size(), 3u);
  EXPECT_EQ(ranking.entries[0].player, "Di");
  EXPECT_EQ(ranking.entries[2].player, "Ed");

  AnswerMessage(told);
  EXPECT_EQ(PasteScores(nullptr, "just words", directory_.string(), Place()),
            PastedScores::kNotScores);
  EXPECT_EQ(told, QString(Text(kTextNotScores)));

  // A puzzle whose scores folder cannot be made.
  fs::remove_all(directory_ / "scores");
  std::ofstream(directory_ / "scores") << "in the way";
  AnswerModal([&](QWidget* modal) {
    ClickButton(modal, static_cast<int>(kCommandAddToRanking));
    AnswerMessage(told);
  });
  EXPECT_EQ(PasteScores(nullptr, text, directory_.string(), Place()), PastedScores::kNotWritten);
  EXPECT_EQ(told, QString(Text(kTextScoresNotWritten)));
}

}  // namespace
}  // namespace cbst
