# Runs check_notices.cmake on staging folders made up for it, with the
# project's own notices and licence, and fails when it passes a folder it
# should refuse, refuses one it should pass, or refuses for another reason.
#
#   cmake -DCHECK=check_notices.cmake -DNOTICES=<THIRD-PARTY-NOTICES.txt>
#         -DLICENSE=<LICENSE> -DWORK=<scratch folder> -P check_notices_selftest.cmake
cmake_minimum_required(VERSION 3.25)

file(REMOVE_RECURSE "${WORK}")
file(READ "${NOTICES}" notices)
file(READ "${LICENSE}" license)
string(REPLACE "\n" "\r\n" license_crlf "${license}")
string(REPLACE "\n" "\r\n" notices_crlf "${notices}")

# A staging folder as deploy.cmake leaves it, with the DLLs named by dlls.
function(make_staging dir dlls)
    file(MAKE_DIRECTORY "${dir}")
    file(WRITE "${dir}/kirabilog.exe" "MZ")
    file(WRITE "${dir}/LICENSE.txt" "${license_crlf}")
    file(WRITE "${dir}/THIRD-PARTY-NOTICES.txt" "${notices_crlf}")
    foreach(dll IN LISTS dlls)
        file(WRITE "${dir}/${dll}" "MZ")
    endforeach()
endfunction()

# expect: "pass", or a regular expression that the refusal must match.
function(check_case name expect)
    execute_process(
        COMMAND ${CMAKE_COMMAND} -DSTAGING=${WORK}/${name} -DLICENSE=${LICENSE} -P ${CHECK}
        RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
    string(REGEX REPLACE "[ \t\r\n]+" " " out "${out}")
    if(expect STREQUAL "pass")
        if(NOT status EQUAL 0)
            message(SEND_ERROR "${name}: refused a good folder: ${out}")
        else()
            message(STATUS "${name}: passed as it should be")
        endif()
    elseif(status EQUAL 0)
        message(SEND_ERROR "${name}: passed a folder it should refuse")
    elseif(NOT out MATCHES "${expect}")
        message(SEND_ERROR "${name}: refused, but not because of '${expect}': ${out}")
    else()
        message(STATUS "${name}: refused as it should be")
    endif()
endfunction()

set(bundled Qt6Core.dll Qt6Charts.dll libgcc_s_seh-1.dll libstdc++-6.dll libwinpthread-1.dll
    libsodium-23.dll plugins/platforms/qwindows.dll plugins/imageformats/qjpeg.dll)

make_staging(${WORK}/complete "${bundled}")
check_case(complete pass)

# Windows ignores case in names, and so does the check.
make_staging(${WORK}/upper_case "QT6CORE.DLL;plugins/styles/QWindowsVistaStyle.dll")
check_case(upper_case pass)

make_staging(${WORK}/new_plugin "${bundled};plugins/imageformats/qsvg.dll")
check_case(new_plugin "does not name plugins/imageformats/qsvg.dll")

# Part of a named DLL's name is not a name.
make_staging(${WORK}/lib_left_out "${bundled};gcc_s_seh-1.dll")
check_case(lib_left_out "does not name gcc_s_seh-1.dll")
make_staging(${WORK}/prefix_left_out "${bundled};Core.dll")
check_case(prefix_left_out "does not name Core.dll")

make_staging(${WORK}/no_license "${bundled}")
file(REMOVE ${WORK}/no_license/LICENSE.txt)
check_case(no_license "there is no LICENSE.txt")

make_staging(${WORK}/other_license "${bundled}")
string(REPLACE "The kirabilog developers" "Somebody else" other "${license_crlf}")
file(WRITE ${WORK}/other_license/LICENSE.txt "${other}")
check_case(other_license "LICENSE.txt is not the text of")

make_staging(${WORK}/no_notices "${bundled}")
file(REMOVE ${WORK}/no_notices/THIRD-PARTY-NOTICES.txt)
check_case(no_notices "there is no THIRD-PARTY-NOTICES.txt")

# A reference to the LGPL instead of its text.
make_staging(${WORK}/no_lgpl_text "${bundled}")
string(REPLACE "GNU LESSER GENERAL PUBLIC LICENSE" "See the GNU LGPL" without "${notices_crlf}")
file(WRITE ${WORK}/no_lgpl_text/THIRD-PARTY-NOTICES.txt "${without}")
check_case(no_lgpl_text "lacks the text \"gnu lesser general public license")

make_staging(${WORK}/no_dlls "")
check_case(no_dlls "holds no DLL")
