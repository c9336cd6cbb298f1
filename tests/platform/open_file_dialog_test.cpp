// open_file_dialog_test.cpp: the open-file dialog's filter and the dialog
// driven as a player would: it starts where it was told and gives back the
// file picked, or nothing on Cancel.
#include <gtest/gtest.h>
#include <unistd.h>
#include <QApplication>
#include <QFileDialog>
#include <QRegularExpression>
#include <QTimer>

#include <filesystem>
#include <fstream>

#include "platform/open_file_dialog.h"

namespace cbst {
namespace {

namespace fs = std::filesystem;

constexpr char kFilter[] = "All supported images|*.jpg;*.jpeg;*.bmp|BitMap files|*.bmp;*.dib|";

// Whether `name` passes the first group of `filter` as the dialog reads it.
bool Passes(const std::string& filter, const QString& name) {
  const QString first = QString::fromStdString(filter).section(";;", 0, 0);
  const QString patterns = first.section('(', 1).chopped(1);
  for (const QString& pattern : patterns.split(' ')) {
    const QRegularExpression expression(QRegularExpression::wildcardToRegularExpression(pattern));
    if (expression.match(name).hasMatch()) return true;
  }
  return false;
}

TEST(OpenFileDialog, PicturesMatchWhateverTheCaseOfTheirNames) {
  const std::string filter = ToolkitFileFilter(kFilter);
  EXPECT_EQ(filter.substr(0, filter.find('(')), "All supported images ");
  EXPECT_NE(filter.find(";;BitMap files ("), std::string::npos);
  for (const char* name : {"photo.jpg", "IMG_0001.JPG", "Holiday.Jpeg", "scan.BMP"})
    EXPECT_TRUE(Passes(filter, name)) << name;
  for (const char* name : {"photo.png", "notes.txt", "jpg"})
    EXPECT_FALSE(Passes(filter, name)) << name;
}

TEST(OpenFileDialog, StartsInTheGivenFolderAndGivesBackThePick) {
  int argc = 1;
  char name[] = "platform_tests";
  char* argv[] = {name, nullptr};
  QApplication app(argc, argv);
  const fs::path folder = fs::temp_directory_path() / ("cbst_open_" + std::to_string(getpid()));
  fs::remove_all(folder);
  fs::create_directories(folder);
  std::ofstream(folder / "PHOTO.JPG") << "picture";

  QString started_in;
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    started_in = dialog->directory().absolutePath();
    dialog->selectFile("PHOTO.JPG");
    QMetaObject::invokeMethod(dialog, "accept");
  });
  std::string chosen = "untouched";
  EXPECT_TRUE(AskOpenFileName(nullptr, "Pick", kFilter, (folder / "last.jpg").string(), chosen));
  EXPECT_EQ(started_in.toStdString(), folder.string());
  EXPECT_EQ(chosen, (folder / "PHOTO.JPG").string());

  QTimer::singleShot(0, [] {
    if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget()))
      dialog->reject();
  });
  chosen = "untouched";
  EXPECT_FALSE(AskOpenFileName(nullptr, "Pick", kFilter, folder.string(), chosen));
  EXPECT_EQ(chosen, "untouched");
  fs::remove_all(folder);
}

}  // namespace
}  // namespace cbst
