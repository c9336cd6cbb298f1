// make_from_picture.cpp: from a picture file or the clipboard to the
// picture window.
#include "app/make_from_picture.h"

#include <strings.h>

#include <algorithm>
#include <filesystem>

#include "app/saved_games.h"
#include "base/pathname.h"
#include "base/status_codes.h"
#include "gfx/toolkit_pictures.h"
#include "image/jpeg.h"
#include "platform/display.h"
#include "platform/message_box.h"
#include "platform/open_file_dialog.h"
#include "play/wpuz.h"
#include "text/traductor.h"
#include "ui/application.h"
#include "ui/progress_window.h"

namespace cbst {
namespace {

// Displays of this many bits a pixel or fewer show 16 colours.
constexpr int kSixteenColourBits = 4;
constexpr int kLeastPictureBits = 8;

bool& MakingPuzzle() {
  static bool making = false;
  return making;
}

class MakingGuard {
 public:
  MakingGuard() { MakingPuzzle() = true; }
  ~MakingGuard() { MakingPuzzle() = false; }
  MakingGuard(const MakingGuard&) = delete;
  MakingGuard& operator=(const MakingGuard&) = delete;
};

bool HasExtension(std::string_view path, std::string_view extension) {
  const VString found = PathName(std::string(path).c_str()).extension;
  return found.view().size() == extension.size() &&
         strncasecmp(found.c_str(), extension.data(), extension.size()) == 0;
}

// The game on the table is offered for saving; what the player answered
// stands, so opening the new puzzle does not ask again.
bool CloseGame(const MakeContext& context) {
  if (context.saver && !context.saver->MayCloseGame()) return false;
  if (context.places.puz) context.places.puz->state &= ~kGameChanged;
  return true;
}

Status LoadPictureFile(const char* file, Window* owner, PictureSource& source) {
  if (HasExtension(file, "gif")) {
    if (!ReadToolkitPicture(file, source.picture)) return Status(kStatusUnusablePicture, file);
    return Status();
  }
  ProgressWindow progress(owner);
  progress.SetText(Text(kTextLoadingPicture));
  File picture_file(file);
  Status loaded;
  const int kind = LoadPicture(source.picture, &progress, kPictureAny, picture_file, loaded);
  if (kind == 0) {
    loaded.MarkHandled();
    return Status(kStatusUnusablePicture, file);
  }
  if (kind == kPictureJpegFile) source.jpeg_file = file;
  return Status();
}

}  // namespace

bool IsPictureFile(std::string_view path) {
  for (const std::string_view extension : {"jpg", "jpe", "jpeg", "jfif", "bmp", "gif"}) {
    if (HasExtension(path, extension)) return true;
  }
  return false;
}

bool MakePuzzleFromPicture(const MakeContext& context, const char* file) {
  WPuz* table = context.places.table;
  PlatformWindow* owner = table ? table->platform_window() : nullptr;
  if (QueryDisplay().bit_count <= kSixteenColourBits) {
    ShowMessageBox(owner, kSixteenColours, kBoxOk | kBoxIconInformation | kBoxSystemModal);
    return false;
  }
  if (MakingPuzzle()) return false;
  const MakingGuard guard;

  PictureSource source;
  if (!file) {
    if (ShowMessageBox(owner, Text(kTextUseClipboard), kBoxYesNo | kBoxIconQuestion) != kAnswerYes)
      return false;
    if (!CloseGame(context)) return false;
    if (!TakeClipboardPicture(source.picture)) {
      Status(kStatusUnusablePicture).Report();
      return false;
    }
  } else {
    if (!CloseGame(context)) return false;
    if (Status loaded = LoadPictureFile(file, table, source); loaded.peek()) {
      loaded.Report();
      return false;
    }
  }
  const Dib& picture = source.picture;
  if (!picture.valid() || picture.header().planes * picture.bit_count() < kLeastPictureBits) {
    Status(kStatusUnusablePicture, file ? file : "").Report();
    return false;
  }

  Application* application = Application::Instance();
  if (!application) return false;
  auto* window = application->Make<WEdPuz>(std::move(source), context.places);
  if (!window->Open()) {
    application->Release(window);
    return false;
  }
  if (table) table->PauseClock();
  const int result = RunModalWindow(window);
  if (table) table->ResumeClock();
  return result == static_cast<int>(kCommandOk);
}

const ClassInfo WMakePuzzle::kClass = {&Window::kClass, "WMakePuzzle"};

void WMakePuzzle::PickPicture() {
  const Settings& settings = context_.places.places.settings;
  std::string start = settings.Read(kKeyLastImage, kHistorySection).c_str();
  if (start.empty()) start = "*.jpg";
  std::string chosen;
  WPuz* table = context_.places.table;
  if (!AskOpenFileName(table ? table->platform_window() : nullptr, kPickPictureTitle,
                       kPictureFilter, start, chosen))
    return;
  settings.Write(kKeyLastImage, chosen, kHistorySection);
  made_ = MakePuzzleFromPicture(context_, chosen.c_str());
}

void WMakePuzzle::OnEvent(Event& event) {
  if (event.code == kEventCommand) {
    if (const auto* command = event.as<CommandPayload>();
        command && command->id == kCommandPickPicture) {
      event.set_handled();
      PickPicture();
      return;
    }
  }
  if (event.code == kEventFilesDropped) {
    if (const auto* dropped = event.as<FilesPayload>()) {
      const auto picture =
          std::find_if(dropped->files.begin(), dropped->files.end(),
                       [](const std::string& path) { return IsPictureFile(path); });
      if (picture != dropped->files.end()) {
        event.set_handled();
        made_ = MakePuzzleFromPicture(context_, picture->c_str());
        return;
      }
    }
  }
  Window::OnEvent(event);
}

namespace {

// Runs `event` through an entry window made for it.
bool ThroughEntryWindow(const MakeContext& context, Event& event) {
  Application* application = Application::Instance();
  if (!application) return false;
  auto* entry = application->Make<WMakePuzzle>(context);
  entry->Dispatch(event);
  const bool made = entry->made();
  application->Release(entry);
  return made;
}

}  // namespace

bool PickAndMakePuzzle(const MakeContext& context) {
  Event pick = MakeEvent(kEventCommand, CommandPayload{kCommandPickPicture, 0});
  return ThroughEntryWindow(context, pick);
}

bool MakePuzzleFromDrop(const MakeContext& context, Event& dropped) {
  return ThroughEntryWindow(context, dropped);
}

}  // namespace cbst
