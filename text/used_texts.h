// used_texts.h: the texts the program takes from its dictionary, each with
// the printf conversions the program formats it with.
//
// The build makes the table from text/used_ids.md, the list the dictionary
// sources are checked against, so that a dictionary read at run time is
// checked against the same arguments.
#pragma once

#include <span>

namespace cbst {

struct UsedText {
  int type;
  int context;
  int id;
  const char* arguments;  // the conversions in order, separated by blanks; "" for none
};

std::span<const UsedText> UsedTexts();

}  // namespace cbst
