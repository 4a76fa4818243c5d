# SPDX-FileCopyrightText: 2026 The Quilvane developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Brings the translation files up to date with the program's texts, with
# lupdate (Debian package qt6-l10n-tools).
#
#   MODE=update  makes quilvane.ts (the template for a new language) anew
#                and adds new texts to, and drops vanished ones from, every
#                quilvane_<language>.ts in TS_DIR (`make translations`);
#   MODE=check   does the same to copies in WORK_DIR and fails when one
#                differs from its file in TS_DIR (a test).
#
# LUPDATE and LIST_TIPS (quilvane_list_tips) are the programs; TIPS the tips
# file; SOURCES the source folders, separated by "|"; TOP the top of the
# source tree.

foreach(_var LUPDATE LIST_TIPS TIPS SOURCES TOP TS_DIR WORK_DIR MODE)
  if(NOT DEFINED ${_var})
    message(FATAL_ERROR "lupdate.cmake: ${_var} is not set")
  endif()
endforeach()

file(MAKE_DIRECTORY ${WORK_DIR})
execute_process(COMMAND ${LIST_TIPS} ${TIPS} ${WORK_DIR}/TipTexts.cpp RESULT_VARIABLE _result)
if(NOT _result EQUAL 0)
  message(FATAL_ERROR "lupdate.cmake: the tips could not be listed")
endif()

# Sorted, so the template lists the texts in the same order on every machine.
string(REPLACE "|" ";" _folders "${SOURCES}")
set(_files)
foreach(_folder ${_folders})
  # As the layers are built: the programs in art/ and tools/ are left out.
  file(GLOB_RECURSE _found RELATIVE ${_folder} ${_folder}/*.cpp ${_folder}/*.h)
  list(FILTER _found EXCLUDE REGEX "^(art|tools)/")
  list(TRANSFORM _found PREPEND ${_folder}/)
  list(APPEND _files ${_found})
endforeach()
list(SORT _files)
list(APPEND _files ${WORK_DIR}/TipTexts.cpp)
# The sources include each other from the top of the tree; lupdate follows
# the includes to learn which class a tr() belongs to.
list(PREPEND _files "-I${TOP}")
list(JOIN _files "\n" _list)
file(WRITE ${WORK_DIR}/sources.lst "${_list}\n")

file(GLOB _languages ${TS_DIR}/quilvane_*.ts)
if(MODE STREQUAL "update")
  set(_out ${TS_DIR})
else()
  set(_out ${WORK_DIR}/ts)
  file(REMOVE_RECURSE ${_out})
  file(COPY ${_languages} DESTINATION ${_out})
endif()
file(REMOVE ${_out}/quilvane.ts)
set(_targets ${_out}/quilvane.ts)
foreach(_ts ${_languages})
  get_filename_component(_name ${_ts} NAME)
  list(APPEND _targets ${_out}/${_name})
endforeach()

execute_process(COMMAND ${LUPDATE} -silent -no-obsolete -locations none @${WORK_DIR}/sources.lst -ts ${_targets}
                RESULT_VARIABLE _result)
if(NOT _result EQUAL 0)
  message(FATAL_ERROR "lupdate.cmake: lupdate failed")
endif()

if(MODE STREQUAL "check")
  set(_stale)
  foreach(_ts ${_targets})
    get_filename_component(_name ${_ts} NAME)
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${_ts} ${TS_DIR}/${_name} RESULT_VARIABLE _differs)
    if(NOT _differs EQUAL 0)
      list(APPEND _stale ${_name})
    endif()
  endforeach()
  if(_stale)
    message(FATAL_ERROR "Not up to date with the program's texts: ${_stale}. Run `make translations` "
                        "and translate what it marks unfinished.")
  endif()
  message(STATUS "The translation files are up to date with the program's texts.")
endif()
