# used_texts_table.cmake: writes the table of used_texts.h from the rows of
# used_ids.md.
#
#   cmake -DUSED_IDS=<used_ids.md> -DOUTPUT=<file.cpp> -P used_texts_table.cmake
#
# Only the first four cells of a row are read (type, context, id and the
# arguments); the cells after them are free text.
file(READ "${USED_IDS}" content)
string(REGEX MATCHALL "\n\\|[ ]*[0-9][^|\n]*\\|[^|\n]*\\|[^|\n]*\\|[^|\n]*\\|" rows "${content}")
set(entries "")
set(count 0)
foreach(row IN LISTS rows)
  string(REGEX MATCH
         "^\n\\|[ ]*([0-9A-Fa-fx]+)[ ]*\\|[ ]*([0-9A-Fa-fx]+)[ ]*\\|[ ]*([0-9A-Fa-fx]+)[ ]*\\|([^|]*)\\|$"
         whole "${row}")
  if(NOT whole)
    message(FATAL_ERROR "${USED_IDS}: a row that does not read as type, context, id, arguments:${row}")
  endif()
  set(type ${CMAKE_MATCH_1})
  set(context ${CMAKE_MATCH_2})
  set(id ${CMAKE_MATCH_3})
  string(REPLACE "`" "" arguments "${CMAKE_MATCH_4}")
  string(STRIP "${arguments}" arguments)
  string(REGEX REPLACE "[ ]+" " " arguments "${arguments}")
  if(arguments STREQUAL "-")
    set(arguments "")
  endif()
  string(REPLACE "\\" "\\\\" arguments "${arguments}")
  string(REPLACE "\"" "\\\"" arguments "${arguments}")
  string(APPEND entries "    {${type}, ${context}, ${id}, \"${arguments}\"},\n")
  math(EXPR count "${count} + 1")
endforeach()
if(count EQUAL 0)
  message(FATAL_ERROR "${USED_IDS}: no rows")
endif()

set(text "// Made by the build from used_ids.md: edit that file instead.
#include \"text/used_texts.h\"

namespace cbst {
namespace {

constexpr UsedText kUsedTexts[] = {
${entries}};

}  // namespace

std::span<const UsedText> UsedTexts() {
  return kUsedTexts;
}

}  // namespace cbst
")
# Rewritten only when it changes, so that nothing is compiled again for
# a change of the free-text cells.
if(EXISTS "${OUTPUT}")
  file(READ "${OUTPUT}" before)
  if(before STREQUAL text)
    return()
  endif()
endif()
file(WRITE "${OUTPUT}" "${text}")
