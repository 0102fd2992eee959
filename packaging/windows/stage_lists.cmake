# Lists the staging folder for the installer: what the installer unpacks,
# what the uninstaller deletes (exactly these files, and their folders when
# they are empty), and the size Windows shows in its list of programs.
#
#   cmake -DSTAGING=<folder> -DLISTS=<folder> -P stage_lists.cmake
cmake_minimum_required(VERSION 3.25)

if(NOT IS_DIRECTORY "${STAGING}")
    message(FATAL_ERROR "KIRABILOG_WINDOWS_STAGING '${STAGING}' is not a folder")
endif()
# The program, the icon its entries show, and the help its Help menu opens.
foreach(required kirabilog.exe kirabilog.ico kirabilog.chm)
    if(NOT EXISTS "${STAGING}/${required}")
        message(FATAL_ERROR "The staging folder ${STAGING} has no ${required}")
    endif()
endforeach()
# The program keeps the user's diary in "data" beside itself: a staged
# "data" would be deleted by the uninstaller, and with it the user's files.
# Windows ignores case in names, so "Data" is the same folder.
file(GLOB top_names RELATIVE "${STAGING}" LIST_DIRECTORIES true "${STAGING}/*")
foreach(name IN LISTS top_names)
    string(TOLOWER "${name}" lower)
    if(lower STREQUAL "data")
        message(FATAL_ERROR "The staging folder ${STAGING} holds ${name}, the user's data folder")
    elseif(lower STREQUAL "uninstall.exe")
        message(FATAL_ERROR "The staging folder ${STAGING} holds ${name}, the installer's own")
    endif()
endforeach()

file(GLOB_RECURSE files RELATIVE "${STAGING}" "${STAGING}/*")
list(SORT files)

# Windows file names ignore case: two names that differ only in case would
# overwrite each other on installation.
set(seen "")
foreach(file IN LISTS files)
    string(TOLOWER "${file}" lower)
    if(lower IN_LIST seen)
        message(FATAL_ERROR "The staging folder ${STAGING} has names that differ only in case: ${file}")
    endif()
    list(APPEND seen "${lower}")
endforeach()

# A name in an NSIS string: "$" starts a variable, "/" is "\" on Windows.
function(nsis_path out path)
    string(REPLACE "$" "$$" path "${path}")
    string(REPLACE "/" "\\" path "${path}")
    set(${out} "${path}" PARENT_SCOPE)
endfunction()

set(install "")
set(uninstall "")
set(folders "")
set(bytes 0)
set(current_folder "-")
foreach(file IN LISTS files)
    get_filename_component(folder "${file}" DIRECTORY)
    if(NOT folder STREQUAL current_folder)
        set(current_folder "${folder}")
        set(out "$INSTDIR")
        if(NOT folder STREQUAL "")
            nsis_path(windows_folder "${folder}")
            string(APPEND out "\\${windows_folder}")
        endif()
        string(APPEND install "SetOutPath \"${out}\"\n")
    endif()
    while(NOT folder STREQUAL "" AND NOT folder IN_LIST folders)
        list(APPEND folders "${folder}")
        get_filename_component(folder "${folder}" DIRECTORY)
    endwhile()
    string(REPLACE "$" "$$" source "${STAGING}/${file}")
    string(APPEND install "File \"${source}\"\n")
    nsis_path(windows_file "${file}")
    string(APPEND uninstall "Delete \"$INSTDIR\\${windows_file}\"\n")
    file(SIZE "${STAGING}/${file}" size)
    math(EXPR bytes "${bytes} + ${size}")
endforeach()
# A folder's name sorts before its subfolders' names: in reverse, every
# folder is emptied before its parent is tried.
list(SORT folders)
list(REVERSE folders)
foreach(folder IN LISTS folders)
    nsis_path(windows_folder "${folder}")
    string(APPEND uninstall "RMDir \"$INSTDIR\\${windows_folder}\"\n")
endforeach()
math(EXPR kib "(${bytes} + 1023) / 1024")

list(LENGTH files count)
file(WRITE "${LISTS}/install_files.nsh" "${install}")
file(WRITE "${LISTS}/uninstall_files.nsh" "${uninstall}")
file(WRITE "${LISTS}/installed_size.nsh" "!define INSTALLED_KIB ${kib}\n")
message(STATUS "Installer: ${count} files, ${kib} KiB from ${STAGING}")
