# Fills the folder of the portable copy, which is also what the installer
# installs: kirabilog.exe, every DLL it loads that Windows does not have,
# the Qt plugins it uses, Qt's Japanese translations, a qt.conf that points
# Qt at them, the help, and the licence with the notices of every bundled
# part.
#
# cmake -DPROGRAM=... -DSTAGING=... -DSEARCH="dir|dir" -DSYSTEM_DLLS=dir
#       -DPLUGINS=dir -DTRANSLATIONS=dir -DHELP=dir -DCHM=file -DICON=file
#       -DLICENSE=file -DNOTICES=file -DOBJDUMP=... -DSTRIP=... -P deploy.cmake
cmake_minimum_required(VERSION 3.25)
string(REPLACE "|" ";" SEARCH "${SEARCH}")
file(REMOVE_RECURSE ${STAGING})
file(MAKE_DIRECTORY ${STAGING})

# The plugins of the window platform, the style, the pictures the editor
# shows. Printing needs none: Windows' printers are built into Qt's print
# support library.
set(plugins platforms/qwindows.dll styles/qwindowsvistastyle.dll
    imageformats/qgif.dll imageformats/qico.dll imageformats/qjpeg.dll)

function(stage_binary source destination)
    get_filename_component(folder ${destination} DIRECTORY)
    file(MAKE_DIRECTORY ${folder})
    execute_process(COMMAND ${STRIP} --strip-unneeded -o ${destination} ${source}
        RESULT_VARIABLE failed)
    if(failed)
        message(FATAL_ERROR "Cannot strip ${source} into ${destination}")
    endif()
endfunction()

# The DLLs a binary names in its import table.
function(imported_dlls binary out)
    execute_process(COMMAND ${OBJDUMP} -p ${binary} OUTPUT_VARIABLE dump RESULT_VARIABLE failed)
    if(failed)
        message(FATAL_ERROR "Cannot read the imports of ${binary}")
    endif()
    string(REGEX MATCHALL "DLL Name: [^\r\n]+" lines "${dump}")
    set(names "")
    foreach(line IN LISTS lines)
        string(REGEX REPLACE "DLL Name: " "" name "${line}")
        list(APPEND names "${name}")
    endforeach()
    set(${out} ${names} PARENT_SCOPE)
endfunction()

stage_binary(${PROGRAM} ${STAGING}/kirabilog.exe)
set(pending ${STAGING}/kirabilog.exe)
foreach(plugin IN LISTS plugins)
    if(NOT EXISTS ${PLUGINS}/${plugin})
        message(FATAL_ERROR "The Qt plugin ${PLUGINS}/${plugin} is missing")
    endif()
    stage_binary(${PLUGINS}/${plugin} ${STAGING}/plugins/${plugin})
    list(APPEND pending ${STAGING}/plugins/${plugin})
endforeach()

# Every DLL that a staged binary needs comes beside the program, unless it
# is one of Windows' own (as Wine names them, and the API sets that Windows
# 10 resolves by name); a DLL found nowhere stops the build rather than ship
# a copy that does not start.
set(staged "")
while(pending)
    list(POP_FRONT pending binary)
    imported_dlls(${binary} names)
    foreach(name IN LISTS names)
        string(TOLOWER "${name}" key)
        if(key IN_LIST staged)
            continue()
        endif()
        set(found "")
        foreach(folder IN LISTS SEARCH)
            if(EXISTS ${folder}/${name})
                set(found ${folder}/${name})
                break()
            endif()
        endforeach()
        if(found)
            stage_binary(${found} ${STAGING}/${name})
            list(APPEND pending ${STAGING}/${name})
        elseif(NOT EXISTS ${SYSTEM_DLLS}/${key} AND NOT key MATCHES "^(api|ext)-ms-win-")
            message(FATAL_ERROR "${binary} needs ${name}, which is neither built nor Windows' own")
        endif()
        list(APPEND staged ${key})
    endforeach()
endwhile()

file(COPY ${TRANSLATIONS}/qtbase_ja.qm DESTINATION ${STAGING}/translations)
file(WRITE ${STAGING}/qt.conf "[Paths]\nPrefix=.\nPlugins=plugins\nTranslations=translations\n")
file(COPY ${HELP} DESTINATION ${STAGING})
file(COPY ${CHM} ${ICON} DESTINATION ${STAGING})

# The licences travel with the program (MIT, and the LGPL and GPL of Qt and
# Qt Charts ask for their texts beside the libraries), with Windows' line
# ends and the .txt that Explorer opens.
function(stage_text source destination)
    if(NOT EXISTS "${source}")
        message(FATAL_ERROR "${source} is missing")
    endif()
    file(READ "${source}" text)
    string(REPLACE "\r\n" "\n" text "${text}")
    string(REPLACE "\n" "\r\n" text "${text}")
    file(WRITE "${destination}" "${text}")
endfunction()
stage_text(${LICENSE} ${STAGING}/LICENSE.txt)
stage_text(${NOTICES} ${STAGING}/THIRD-PARTY-NOTICES.txt)
list(LENGTH staged count)
message(STATUS "Staged kirabilog.exe with ${count} DLLs looked up in ${STAGING}")
