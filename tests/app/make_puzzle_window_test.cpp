// make_puzzle_window_test.cpp: making a puzzle in the running program as a
// player does: Ctrl+C, a picture picked in the file dialog, a title and two
// levels typed, the cut looked at, OK; and the ways out that leave nothing.
#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>

#include "app/help_files.h"
#include "app/make_from_picture.h"
#include "app/program.h"
#include "app/wedpuz.h"
#include "platform/platform_window_qt.h"
#include "play/board_codes.h"
#include "play/wpuz.h"
#include "puzzle/puz_options.h"
#include "puzzle/thumb.h"
#include "support/control_of.h"
#include "support/desktop_home.h"
#include "support/help_pages_asked.h"
#include "support/program_launcher.h"
#include "support/recording_sink.h"
#include "ui/application.h"

namespace cbst {
namespace {

namespace fs = std::filesystem;
using testing::ControlOf;

constexpr char kSample[] = "Two Good Dogs.puz";
// The photograph: one flat colour, so that the cut's lines can be told.
constexpr QRgb kPhotoColour = 0x2080C0;
constexpr int kPhotoWidth = 400;
constexpr int kPhotoHeight = 300;

// The picture window while it is up: the top-level window with the level
// edits in its pane.
QWidget* PictureWindow() {
  for (QWidget* widget : QApplication::allWidgets()) {
    if (widget->property("id").toInt() == kMakeFirstLevel && widget->isVisible())
      return widget->window();
  }
  return nullptr;
}

void Type(QWidget* window, int id, const char* text) {
  auto* edit = qobject_cast<QLineEdit*>(ControlOf(window, id));
  ASSERT_NE(edit, nullptr) << id;
  edit->setFocus();
  QTest::keyClicks(edit, text);
}

// Clicked once the driver has returned: what the click opens (a question,
// a progress window) gets the driver's next turns.
void Press(QWidget* window, int id) {
  auto* button = qobject_cast<QPushButton*>(ControlOf(window, id));
  ASSERT_NE(button, nullptr) << id;
  QMetaObject::invokeMethod(button, "click", Qt::QueuedConnection);
}

QString Said(QWidget* window, int id) {
  auto* label = qobject_cast<QLabel*>(ControlOf(window, id));
  return label ? label->text() : QString("(no label %1)").arg(id);
}

bool Near(QRgb one, QRgb other) {
  return std::abs(qRed(one) - qRed(other)) < 24 && std::abs(qGreen(one) - qGreen(other)) < 24 &&
         std::abs(qBlue(one) - qBlue(other)) < 24;
}

// The bar's arrows step to the next quarter; pages and the thumb land on
// the nearest one; nothing leaves 25..300.
TEST(MakePuzzle, ScaleBarMovesInQuarters) {
  EXPECT_EQ(ScrolledScale(100, kScrollLineDown, 0), 125);
  EXPECT_EQ(ScrolledScale(100, kScrollLineUp, 0), 75);
  EXPECT_EQ(ScrolledScale(25, kScrollLineUp, 0), 25);
  EXPECT_EQ(ScrolledScale(300, kScrollLineDown, 0), 300);
  EXPECT_EQ(ScrolledScale(100, kScrollThumbTrack, 137), 125);
  EXPECT_EQ(ScrolledScale(100, kScrollThumbPosition, 138), 150);
  EXPECT_EQ(ScrolledScale(100, kScrollPageDown, 160), 150);
  EXPECT_EQ(ScrolledScale(100, kScrollPageUp, 3), 25);
  EXPECT_EQ(ScrolledScale(100, kScrollThumbTrack, 999), 300);
  EXPECT_EQ(ScrolledScale(100, kScrollTop, 0), 25);
  EXPECT_EQ(ScrolledScale(100, kScrollBottom, 0), 300);
}

class MakePuzzleWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    home_ = std::make_unique<testing::DesktopHome>("make_" + name);
    directory_ = home_->root() / "program";
    testing::CopyFromBuiltProgram(directory_, {"CS21eng.dix", kSample});
    photo_ = home_->root() / "photos" / "Harbour.JPG";
    fs::create_directories(photo_.parent_path());
    QImage photo(kPhotoWidth, kPhotoHeight, QImage::Format_RGB32);
    photo.fill(kPhotoColour);
    ASSERT_TRUE(photo.save(QString::fromStdString(photo_.string()), "JPG", 95));
    setenv("LANG", "en_GB.UTF-8", 1);
  }
  // The program comes up (and with it the toolkit, which the driver's
  // timer needs); Start then runs its start-up with `command_line`.
  // The browser that starting may bring up is answered as a player would.
  void Make() { program_ = launcher_.Make(directory_); }
  void Start(const std::string& command_line) {
    if (!program_) Make();
    ASSERT_TRUE(program_->Start(command_line));
  }
  void TearDown() override {
    if (!program_) return;
    // No picture is left for the next program to offer.
    QApplication::clipboard()->clear();
    program_->puzzle()->state &= ~kGameChanged;
    testing::ProgramLauncher::CloseAndFinish(*program_);
    program_.reset();
  }

  // Runs `step` every few milliseconds while the program waits in its
  // dialogs; message boxes are answered with `answer` and counted.
  void Drive(std::function<void()> step, QMessageBox::StandardButton answer) {
    driver_ = std::make_unique<QTimer>();
    QObject::connect(driver_.get(), &QTimer::timeout, [this, step, answer] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        boxes_.push_back(box->text().toStdString());
        if (QAbstractButton* button = box->button(answer)) {
          button->click();
        } else {
          box->escapeButton()->click();
        }
        return;
      }
      step();
    });
    driver_->start(20);
  }
  // Cancels the picture window once it is up, and says that it was.
  void DriveToCancel(bool& seen) {
    Drive(
        [&seen] {
          QWidget* window = PictureWindow();
          if (!window || seen) return;
          seen = true;
          Press(window, kCommandCancel);
        },
        QMessageBox::Yes);
  }
  // The photo's path typed into the dialog's file name field, and Enter.
  void PickPhotoInTheFileDialog() {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    if (!dialog) return;
    dialog_title_ = dialog->windowTitle().toStdString();
    auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
    ASSERT_NE(name, nullptr);
    name->setText(QString::fromStdString(photo_.string()));
    QMetaObject::invokeMethod(dialog, "accept");
  }
  void PressCtrlC() {
    QWidget* table = WidgetOf(program_->table()->platform_window());
    QTest::keyClick(table, Qt::Key_C, Qt::ControlModifier);
  }

  testing::ProgramLauncher launcher_;
  std::unique_ptr<testing::DesktopHome> home_;
  fs::path directory_;
  fs::path photo_;
  std::unique_ptr<Program> program_;
  std::unique_ptr<QTimer> driver_;
  std::vector<std::string> boxes_;
  // What the program reports (its refusals) is kept here.
  testing::RecordingSink reports_;
  std::string dialog_title_;
};

TEST_F(MakePuzzleWindowTest, CtrlCMakesAPuzzleOfAPickedPhotoAndOpensIt) {
  Start("\"" + (directory_ / kSample).string() + "\"");
  int turn = 0;
  QImage at_full, at_half;
  QString size_at_half, counts;
  Drive(
      [&] {
        PickPhotoInTheFileDialog();
        QWidget* window = PictureWindow();
        if (!window) return;
        // One thing a turn: the window takes its new size between turns.
        auto* bar = qobject_cast<QScrollBar*>(ControlOf(window, kMakeScaleBar));
        switch (turn++) {
          case 0:
            Type(window, kMakeTitle, "Harbour");
            Type(window, kMakeFirstLevel + 1, "100");
            Type(window, kMakeFirstLevel, "12x9");
            counts = Said(window, kMakeFirstCount) + Said(window, kMakeFirstCount + 1);
            break;
          case 1:
            at_full = window->grab().toImage();
            bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
            bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
            break;
          case 2:
            size_at_half = Said(window, kMakeSizeText);
            at_half = window->grab().toImage();
            // Back to the picture's own size for the puzzle.
            bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
            bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
            break;
          case 3:
            Press(window, kCommandOk);
            break;
          default:
            break;
        }
      },
      QMessageBox::No);
  PressCtrlC();
  driver_.reset();
  EXPECT_EQ(dialog_title_, kPickPictureTitle);
  EXPECT_TRUE(boxes_.empty()) << boxes_.front();
  EXPECT_TRUE(reports_.reports.empty()) << reports_.texts().front();
  EXPECT_EQ(counts.toStdString(), "(108)(108)");
  EXPECT_EQ(size_at_half.toStdString(), "200x150");
  ASSERT_FALSE(at_full.isNull());
  ASSERT_FALSE(at_half.isNull());
  // For looking at: CBST_SHOTS names a folder to keep the two pictures in.
  if (const char* shots = std::getenv("CBST_SHOTS")) {
    at_full.save(QString::fromUtf8(shots) + "/make_puzzle_100.png");
    at_half.save(QString::fromUtf8(shots) + "/make_puzzle_50.png");
  }
  // The picture shrank with the scale; the pane kept its width.
  EXPECT_EQ(at_full.width() - at_half.width(), kPhotoWidth / 2);

  // The cut of 12 rows of 9 columns over the picture: its lines invert
  // the picture, the pieces between them show it.
  const int column_line = kMakeMargin + kPhotoWidth / 9;
  const int row_line = kMakeMargin + kPhotoHeight / 12;
  const QRgb inverted = kPhotoColour ^ 0xFFFFFF;
  EXPECT_TRUE(Near(at_full.pixel(column_line, kMakeMargin + 5), inverted));
  EXPECT_TRUE(Near(at_full.pixel(kMakeMargin + 5, row_line), inverted));
  EXPECT_TRUE(Near(at_full.pixel(column_line + 5, row_line + 5), kPhotoColour));
  // At half the scale the lines are half as far apart.
  EXPECT_TRUE(Near(at_half.pixel(kMakeMargin + (kPhotoWidth / 2) / 9, kMakeMargin + 5), inverted));

  const fs::path made = directory_ / "Harbour.puz";
  ASSERT_TRUE(fs::exists(made));
  Thumb header;
  ASSERT_TRUE(header.Open(made.c_str(), false).ok());
  EXPECT_EQ(header.title.view(), "Harbour");
  EXPECT_EQ(header.level_count, 2);
  EXPECT_EQ(header.level_rows[0], 12);
  // The photo went in as it was.
  EXPECT_EQ(header.picture_size, fs::file_size(photo_));
  // Nothing was left beside it.
  int files = 0;
  for (const auto& entry : fs::directory_iterator(directory_))
    files += entry.path().extension() == ".puz" ? 1 : 0;
  EXPECT_EQ(files, 2);

  // The new puzzle is the last one played, and the table opens it.
  EXPECT_EQ(program_->settings().Read("LastPuz").view(), made.string());
  EXPECT_EQ(program_->settings().Read(kKeyLastImage, kHistorySection).view(), photo_.string());
  // The table hears of it through the program's own queue.
  Application::Instance()->ProcessPending(true);
  EXPECT_EQ(program_->puzzle()->file_path.view(), made.string());
  EXPECT_EQ(program_->puzzle()->cut.rows, 12);
}

TEST_F(MakePuzzleWindowTest, CancelledMakesLeaveNoFile) {
  Start("\"" + (directory_ / kSample).string() + "\"");
  const VString last = program_->settings().Read("LastPuz");
  // No level: OK refuses and the window stays; then Cancel, confirmed.
  int step = 0;
  Drive(
      [&] {
        PickPhotoInTheFileDialog();
        QWidget* window = PictureWindow();
        // Each press waits for the answer to the one before.
        if (!window || static_cast<int>(reports_.reports.size()) < step || step > 2) return;
        if (step == 0) {
          Type(window, kMakeTitle, "Nothing");
          Press(window, kCommandOk);
        } else if (step == 1) {
          Type(window, kMakeFirstLevel, "3");
          Press(window, kCommandOk);
        } else {
          Press(window, kCommandCancel);
        }
        ++step;
      },
      QMessageBox::Yes);
  PressCtrlC();
  driver_.reset();
  const std::vector<std::string> refused = reports_.texts();
  ASSERT_EQ(refused.size(), 2u);
  EXPECT_NE(refused[0].find("at least 4"), std::string::npos) << refused[0];  // no level at all
  EXPECT_NE(refused[1].find("at least 4"), std::string::npos) << refused[1];  // "3"
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_NE(boxes_[0].find("stop"), std::string::npos) << boxes_[0];
  EXPECT_FALSE(fs::exists(directory_ / "Nothing.puz"));
  EXPECT_EQ(program_->settings().Read("LastPuz").view(), last.view());
  EXPECT_EQ(program_->puzzle()->file_path.view(), (directory_ / kSample).string());
}

// A picture named on the command line, its extension in capitals, opens the
// picture window; cancelled, the program goes on with no puzzle from it.
TEST_F(MakePuzzleWindowTest, APictureOnTheCommandLineOpensThePictureWindow) {
  Make();
  bool seen = false;
  DriveToCancel(seen);
  Start("\"" + photo_.string() + "\"");
  driver_.reset();
  EXPECT_TRUE(seen);
  EXPECT_TRUE(reports_.reports.empty()) << reports_.texts().front();
  ASSERT_EQ(boxes_.size(), 1u);  // only the question whether to stop
  EXPECT_NE(boxes_[0].find("stop"), std::string::npos) << boxes_[0];
  EXPECT_TRUE(IsPictureFile("a/b.JfIf"));
  EXPECT_FALSE(IsPictureFile("a/b.puz"));
}

// F1 in the pane and over the picture opens the help at its topic on
// making a puzzle.
TEST_F(MakePuzzleWindowTest, F1OpensTheTopicOnMakingAPuzzle) {
  testing::CopyFromBuiltProgram(directory_, {"cbsteng.html"});
  Make();
  testing::HelpPagesAsked asked;
  std::string in_pane, over_picture;
  bool seen = false;
  Drive(
      [&] {
        QWidget* window = PictureWindow();
        if (!window || seen) return;
        seen = true;
        QTest::keyClick(ControlOf(window, kMakeFirstLevel), Qt::Key_F1);
        in_pane = asked.last();
        asked.Forget();
        QTest::keyClick(window, Qt::Key_F1);
        over_picture = asked.last();
        Press(window, kCommandCancel);
      },
      QMessageBox::Yes);
  Start("\"" + photo_.string() + "\"");
  driver_.reset();
  EXPECT_TRUE(seen);
  EXPECT_TRUE(reports_.reports.empty()) << reports_.texts().front();
  const std::string topic = "cbsteng.html#ctx" + std::to_string(kHelpTopicMakePuzzle);
  EXPECT_EQ(in_pane, topic);
  EXPECT_EQ(over_picture, topic);
}

// On a screen that scales (the suite runs again with QT_SCALE_FACTOR=2) the
// picture is shown at the screen's own pixels: the cut's lines are one
// device pixel wide, and the pane of controls keeps its size beside it.
TEST_F(MakePuzzleWindowTest, OnAScreenThatScalesThePictureIsShownAtTheScreensPixels) {
  Make();  // the toolkit comes up with the program
  const double ratio = QGuiApplication::primaryScreen()->devicePixelRatio();
  if (ratio == 1.0) {
    program_.reset();  // never started: nothing to close
    GTEST_SKIP() << "the screen does not scale";
  }
  QImage shown;
  int pane_width = 0;
  bool seen = false;
  Drive(
      [&] {
        QWidget* window = PictureWindow();
        if (!window || seen) return;
        seen = true;
        Type(window, kMakeFirstLevel, "12x9");
        shown = window->grab().toImage().convertToFormat(QImage::Format_RGB32);
        pane_width = ControlOf(window, kMakeTitle)->width();
        Press(window, kCommandCancel);
      },
      QMessageBox::Yes);
  Start("\"" + photo_.string() + "\"");
  driver_.reset();
  ASSERT_TRUE(seen);
  const int margin = qRound(kMakeMargin * ratio);
  const int column_line = margin + kPhotoWidth / 9;
  const QRgb inverted = kPhotoColour ^ 0xFFFFFF;
  EXPECT_TRUE(Near(shown.pixel(column_line, margin + 5), inverted));
  EXPECT_TRUE(Near(shown.pixel(column_line + 1, margin + 5), kPhotoColour));
  EXPECT_TRUE(Near(shown.pixel(column_line - 1, margin + 5), kPhotoColour));
  // The title's edit is as wide as at a ratio of 1, in logical pixels.
  EXPECT_GT(pane_width, 150);
}

// A picture on the clipboard as the program starts, and one copied while
// the game runs, are offered as new puzzles; a picture dropped on the
// table opens the picture window too.
TEST_F(MakePuzzleWindowTest, ClipboardPicturesAndDroppedFilesAreOffered) {
  Make();
  QImage copied(240, 180, QImage::Format_RGB32);
  copied.fill(0x808000);
  QApplication::clipboard()->setImage(copied);
  // Declined at start-up: the program goes on to the puzzle it was given.
  Drive([] {}, QMessageBox::No);
  Start("\"" + (directory_ / kSample).string() + "\"");
  driver_.reset();
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_NE(boxes_[0].find("clipboard"), std::string::npos) << boxes_[0];
  EXPECT_EQ(program_->puzzle()->file_path.view(), (directory_ / kSample).string());

  boxes_.clear();
  bool typed = false;
  Drive(
      [&] {
        QWidget* window = PictureWindow();
        if (!window) return;
        if (!typed) {
          typed = true;
          Type(window, kMakeTitle, "From the clipboard");
          Type(window, kMakeFirstLevel + 2, "4x3");
          Press(window, kCommandOk);
        }
      },
      QMessageBox::Yes);
  copied.fill(0x008080);
  QApplication::clipboard()->setImage(copied);
  for (int round = 0; round < 100 && !fs::exists(directory_ / "From the clipboard.puz"); ++round)
    QTest::qWait(20);
  driver_.reset();
  ASSERT_FALSE(boxes_.empty());
  EXPECT_NE(boxes_[0].find("clipboard"), std::string::npos) << boxes_[0];
  const fs::path made = directory_ / "From the clipboard.puz";
  ASSERT_TRUE(fs::exists(made));
  Thumb header;
  ASSERT_TRUE(header.Open(made.c_str(), false).ok());
  // The third edit was the only one filled: it is the first level.
  EXPECT_EQ(header.level_count, 1);
  EXPECT_EQ(header.level_rows[0], 4);
  EXPECT_EQ(header.level_columns[0], 3);

  boxes_.clear();
  bool seen = false;
  DriveToCancel(seen);
  Event dropped = MakeEvent(kEventFilesDropped, FilesPayload{{"notes.txt", photo_.string()}});
  program_->table()->Dispatch(dropped);
  driver_.reset();
  EXPECT_TRUE(seen);
  ASSERT_EQ(boxes_.size(), 1u);  // only the question whether to stop
  EXPECT_FALSE(fs::exists(directory_ / "Harbour.puz"));
}

// A title that a puzzle of the folder already has, in any case, replaces
// that puzzle's file once the player agrees.
TEST_F(MakePuzzleWindowTest, ASameTitleReplacesThatPuzzleWhenThePlayerAgrees) {
  fs::copy_file(fs::path(CBST_TEST_DATA) / "two_levels.puz", directory_ / "terrace.puz");
  Start("\"" + (directory_ / kSample).string() + "\"");
  int turn = 0;
  Drive(
      [&] {
        PickPhotoInTheFileDialog();
        QWidget* window = PictureWindow();
        if (!window || turn++ != 0) return;
        Type(window, kMakeTitle, "cAF");
        // A letter the test's keyboard does not have.
        qobject_cast<QLineEdit*>(ControlOf(window, kMakeTitle))
            ->insert(QString::fromUtf8("\u00e9"));
        Type(window, kMakeFirstLevel, "2x2");
        Press(window, kCommandOk);
      },
      QMessageBox::Ok);
  PressCtrlC();
  driver_.reset();
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_NE(boxes_[0].find("replace"), std::string::npos) << boxes_[0];
  EXPECT_FALSE(fs::exists(directory_ / "cAF\u00e9.puz"));
  Thumb header;
  ASSERT_TRUE(header.Open((directory_ / "terrace.puz").c_str(), false).ok());
  EXPECT_EQ(header.title.view(), "cAF\xe9");
  EXPECT_EQ(header.level_count, 1);
  EXPECT_EQ(header.level_rows[0], 2);
}

}  // namespace
}  // namespace cbst
