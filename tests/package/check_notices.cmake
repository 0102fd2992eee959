# Checks the licence files of the Windows staging folder, which becomes both
# the ZIP and the installer: LICENSE.txt is the project's LICENSE, and
# THIRD-PARTY-NOTICES.txt names every DLL of the folder, plugins included,
# and carries the full texts that the GPL and LGPL ask to accompany them.
#
#   cmake -DSTAGING=<staging folder> -DLICENSE=<source>/LICENSE -P check_notices.cmake
cmake_minimum_required(VERSION 3.25)

if(NOT IS_DIRECTORY "${STAGING}")
    message(FATAL_ERROR "The staging folder '${STAGING}' does not exist: build windows_dist first")
endif()
set(problems "")

# Line ends do not count: the staged copies have Windows' own.
function(read_text file out)
    file(READ "${file}" text)
    string(REPLACE "\r\n" "\n" text "${text}")
    set(${out} "${text}" PARENT_SCOPE)
endfunction()

if(NOT EXISTS "${STAGING}/LICENSE.txt")
    list(APPEND problems "there is no LICENSE.txt")
else()
    read_text("${STAGING}/LICENSE.txt" staged)
    read_text("${LICENSE}" source)
    if(NOT staged STREQUAL source)
        list(APPEND problems "LICENSE.txt is not the text of ${LICENSE}")
    endif()
endif()

set(notices_file "${STAGING}/THIRD-PARTY-NOTICES.txt")
if(NOT EXISTS "${notices_file}")
    list(APPEND problems "there is no THIRD-PARTY-NOTICES.txt")
    set(notices "")
else()
    read_text("${notices_file}" notices)
    string(TOLOWER "${notices}" notices)
endif()

# A DLL is named when its whole file name stands in the notices: the name of
# libgcc_s_seh-1.dll does not name gcc_s_seh-1.dll. Windows ignores case.
file(GLOB_RECURSE dlls RELATIVE "${STAGING}" "${STAGING}/*.dll" "${STAGING}/*.DLL")
list(LENGTH dlls count)
if(count EQUAL 0)
    list(APPEND problems "the folder holds no DLL at all")
endif()
foreach(dll IN LISTS dlls)
    get_filename_component(name "${dll}" NAME)
    string(TOLOWER "${name}" name)
    string(REGEX REPLACE "([][.+*?^$()|\\\\])" "\\\\\\1" pattern "${name}")
    if(NOT notices MATCHES "(^|[^a-z0-9_.+-])${pattern}($|[^a-z0-9_+-])")
        list(APPEND problems "THIRD-PARTY-NOTICES.txt does not name ${dll}")
    endif()
endforeach()

# The full texts, not a reference to them.
foreach(required
        "gnu general public license\n                       version 3, 29 june 2007"
        "gnu lesser general public license\n                       version 3, 29 june 2007"
        "end of terms and conditions"
        "gcc runtime library exception")
    string(FIND "${notices}" "${required}" at)
    if(at EQUAL -1)
        string(REPLACE "\n" " " shown "${required}")
        string(REGEX REPLACE " +" " " shown "${shown}")
        list(APPEND problems "THIRD-PARTY-NOTICES.txt lacks the text \"${shown}\"")
    endif()
endforeach()

if(problems)
    list(JOIN problems "\n  " problems)
    message(FATAL_ERROR "The licence files of ${STAGING}:\n  ${problems}")
endif()
message(STATUS "${count} DLLs, each named in THIRD-PARTY-NOTICES.txt; LICENSE.txt is the project's")
