# Makes each sample puzzle that is missing or older than its picture.
# Called with TOOL (cbst-tool), PHOTOS, OUT, LEVELS and SAMPLES, a "^"
# separated list of "picture|title".
file(STRINGS ${PHOTOS}/LICENSES.txt licences)
string(REPLACE "^" ";" samples "${SAMPLES}")
foreach(sample ${samples})
  string(REPLACE "|" ";" fields "${sample}")
  list(GET fields 0 picture)
  list(GET fields 1 title)
  set(puzzle "${OUT}/${title}.puz")
  if(EXISTS "${puzzle}" AND NOT "${PHOTOS}/${picture}" IS_NEWER_THAN "${puzzle}")
    continue()
  endif()
  # The credit is the picture's attribution line in the licence file.
  set(credit "")
  foreach(line ${licences})
    if(line MATCHES "^${picture} +\\| *([^|]*[^ |]) *\\|")
      set(credit "${CMAKE_MATCH_1}")
    endif()
  endforeach()
  if(credit STREQUAL "")
    message(FATAL_ERROR "${picture} has no attribution line in LICENSES.txt")
  endif()
  execute_process(COMMAND ${TOOL} make "${PHOTOS}/${picture}" --title "${title}"
                          --levels "${LEVELS}" --reducible --credit "${credit}" --out "${puzzle}"
                  OUTPUT_QUIET RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    file(REMOVE "${puzzle}")
    message(FATAL_ERROR "cbst-tool could not make ${puzzle}")
  endif()
endforeach()
