// win_dlg.h: WinDlg, a dialog built from its template, modal or not.
//
// Templates are Designer files named by the dialog's number. An optional
// resource bundle beside the program (wres.rcc) may replace any of them.
// Each control carries its number as the dynamic property "id"; a list the
// dialog draws itself carries "ownerDraw" (its line height, 0 to be asked).
//
// A dialog class fills its controls through the item accessors when it is
// first shown (kEventShow), hears what the player does as command events
// (the control's id and a kNotify... code), kEventScroll, kEventDrawItem
// and kEventHelp, and ends with EndDialog or a closing command.
#pragma once

#include <string_view>
#include <vector>

#include "base/vstring.h"
#include "ui/window.h"

namespace cbst {

// The buttons that end a dialog, as commands.
inline constexpr std::uint32_t kCommandOk = 1;
inline constexpr std::uint32_t kCommandCancel = 2;

inline constexpr const char* kTemplateNotFound = "Dialog Resource !Found";

// The prompt for one line of text: its question and its edit.
inline constexpr int kPromptTemplate = 91;
inline constexpr int kPromptQuestion = 300;
inline constexpr int kPromptAnswer = 301;

class WinDlg : public Window {
 public:
  static const ClassInfo kClass;
  const char* ClassName() const override { return kClass.name; }
  const ClassInfo& Class() const override { return kClass; }

  explicit WinDlg(int template_id) : template_id_(template_id) {}
  int template_id() const { return template_id_; }

  // Builds the dialog owned by `parent` and shows it. Without a template,
  // the dialog is first asked with event 120 (it may build itself); only
  // when it does not answer is "Dialog Resource !Found" reported. With
  // kStyleChild it is a pane inside the parent's client area, at its top
  // left, instead of a window of its own.
  bool CreateDialog(Window* parent, std::uint32_t style = 0);

  // Buttons end the dialog with their command: OK and Cancel by default,
  // and those added with CloseOn; Enter and Esc are their keys. The close
  // request (command 13) cancels. F1 asks for help: the dialog is sent
  // kEventHelp with its help context and the focused control.
  void OnEvent(Event& event) override;

  // Ends the dialog; a modal one returns `result` from RunModalDialog.
  void EndDialog(int result) { Destroy(result); }
  // The button with this command ends the dialog too, with it as result.
  void CloseOn(std::uint32_t command) { closing_commands_.push_back(command); }

  int help_context() const { return help_context_; }
  void set_help_context(int context) { help_context_ = context; }

  // Gives control `id` the keyboard: an edit is typed over at once.
  void FocusItem(int id);
  // Makes the dialog as low as the controls it shows need, once some of its
  // template's controls were hidden; the width stays.
  void FitHeightToControls();

 private:
  int template_id_;
  int help_context_ = 0;
  std::vector<std::uint32_t> closing_commands_;
};

// Runs `dialog` (held by the application) modally over `parent` and returns
// the code its Destroy gave, or -1 when it could not be made.
int RunModalDialog(WinDlg* dialog, Window* parent);

// Shows `window` (made, held by the application) as the only window the
// player can use and returns the code its Destroy gave once it is gone.
int RunModalWindow(Window* window);

// Asks one line of text; OK puts it in `text` and returns true, Cancel
// leaves `text` as it was.
bool Prompt(Window* parent, std::string_view question, VString& text);

// Where the optional resource bundle's templates are looked for first.
inline constexpr char kBundleRoot[] = "/wres";
// Registers the bundle at `path` when there is one; false otherwise.
bool RegisterResourceBundle(const char* path);

}  // namespace cbst
