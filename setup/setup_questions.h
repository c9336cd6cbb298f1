// setup_questions.h: SetupQuestions, how installation and removal ask the
// player and tell what went wrong.
#pragma once

#include <cstdint>
#include <string_view>

namespace cbst {

class SetupQuestions {
 public:
  virtual ~SetupQuestions() = default;
  // A message box with the old style bits; the answer (kAnswerOk, ...).
  virtual int Ask(std::string_view text, std::uint32_t style) = 0;
};

// The real message boxes, captioned with the product's name.
class MessageBoxQuestions final : public SetupQuestions {
 public:
  int Ask(std::string_view text, std::uint32_t style) override;
};

}  // namespace cbst
