# Each folder of the program is one static library, and its code may include
# only the folders of the layers below it. The build enforces that: for every
# library it lays out an include tree of its own under build/layers/<name>/
# holding links to just the folders it may use, and compiles the library with
# only that tree on its include path. An include that crosses the layering
# ("gfx/dc.h" from base/, say) then fails to compile.
#
#   cbst_layer(<folder> [USES <folder>...] [LIBRARIES <target>...]
#              [EXCLUDE <file>...])
#
# USES names every folder the code may include, not just the direct ones.
# EXCLUDE leaves out files a part of the folder builds (cbst_part).

function(cbst_include_tree tree)
  file(MAKE_DIRECTORY ${tree})
  foreach(folder ${ARGN})
    if(NOT EXISTS ${tree}/${folder})
      file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${folder} ${tree}/${folder} SYMBOLIC)
    endif()
  endforeach()
endfunction()

function(cbst_layer name)
  cmake_parse_arguments(arg "" "" "USES;LIBRARIES;EXCLUDE" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  file(GLOB headers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  foreach(file ${arg_EXCLUDE})
    list(REMOVE_ITEM sources ${CMAKE_CURRENT_SOURCE_DIR}/${file})
    list(REMOVE_ITEM headers ${CMAKE_CURRENT_SOURCE_DIR}/${file})
  endforeach()
  add_library(cbst_${name} STATIC ${sources} ${headers})

  set(tree ${PROJECT_BINARY_DIR}/layers/${name})
  cbst_include_tree(${tree} ${name} ${arg_USES})
  target_include_directories(cbst_${name} PRIVATE ${tree})

  set(links)
  foreach(folder ${arg_USES})
    list(APPEND links cbst_${folder})
  endforeach()
  target_link_libraries(cbst_${name} PUBLIC ${links} ${arg_LIBRARIES})
  set_property(GLOBAL PROPERTY cbst_uses_${name} ${name} ${arg_USES})
endfunction()

# A part of a folder kept apart from the rest of it: the library cbst_<name>
# of just FILES (in the current folder), whose include tree holds the
# folders of USES and, of its own folder, only its own headers. A file of
# the part that includes another header of the folder, or a folder outside
# USES, then fails to compile.
#
#   cbst_part(<name> FOLDER <folder> FILES <file>... [USES <folder>...])
function(cbst_part name)
  cmake_parse_arguments(arg "" "FOLDER" "FILES;USES" ${ARGN})
  set(sources)
  set(tree ${PROJECT_BINARY_DIR}/layers/${name})
  cbst_include_tree(${tree} ${arg_USES})
  file(MAKE_DIRECTORY ${tree}/${arg_FOLDER})
  foreach(file ${arg_FILES})
    list(APPEND sources ${CMAKE_CURRENT_SOURCE_DIR}/${file})
    if(file MATCHES "\\.h$" AND NOT EXISTS ${tree}/${arg_FOLDER}/${file})
      file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR}/${file} ${tree}/${arg_FOLDER}/${file} SYMBOLIC)
    endif()
  endforeach()
  add_library(cbst_${name} STATIC ${sources})
  target_include_directories(cbst_${name} PRIVATE ${tree})
  set(links)
  foreach(folder ${arg_USES})
    list(APPEND links cbst_${folder})
  endforeach()
  target_link_libraries(cbst_${name} PUBLIC ${links})
endfunction()

# A test or tool program that sees the folders of <layer> and everything that
# layer may use.
function(cbst_program_sees target layer)
  get_property(folders GLOBAL PROPERTY cbst_uses_${layer})
  set(tree ${PROJECT_BINARY_DIR}/layers/${target})
  cbst_include_tree(${tree} ${folders})
  target_include_directories(${target} PRIVATE ${tree})
  target_link_libraries(${target} PRIVATE cbst_${layer})
endfunction()
