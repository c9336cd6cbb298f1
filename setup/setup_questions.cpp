// setup_questions.cpp: the questions of setup as message boxes.
#include "setup/setup_questions.h"

#include "app/app_codes.h"
#include "platform/message_box.h"

namespace cbst {

int MessageBoxQuestions::Ask(std::string_view text, std::uint32_t style) {
  return ShowMessageBox(nullptr, text, style, kProductName);
}

}  // namespace cbst
