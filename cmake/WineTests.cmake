# The tests of the Windows build run under Wine: CTest starts every test
# program through wine-run, which this file writes into the build folder.
find_program(KIRABILOG_WINE wine REQUIRED)

# The MinGW runtime lies beside the compiler, Qt and libsodium in the
# prefix's bin folder; Wine takes Windows paths, and sees / as drive Z:.
function(kirabilog_windows_path unix_path out)
    string(REPLACE "/" "\\" windows "Z:${unix_path}")
    set(${out} "${windows}" PARENT_SCOPE)
endfunction()
set(runtime_folders ${KIRABILOG_MINGW_PREFIX}/bin)
foreach(dll libstdc++-6.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
        OUTPUT_VARIABLE found OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT IS_ABSOLUTE "${found}" OR NOT EXISTS "${found}")
        message(FATAL_ERROR "The MinGW runtime ${dll} is not found beside ${CMAKE_CXX_COMPILER}")
    endif()
    file(REAL_PATH ${found} found)
    get_filename_component(folder ${found} DIRECTORY)
    list(APPEND runtime_folders ${folder})
endforeach()
list(REMOVE_DUPLICATES runtime_folders)
set(KIRABILOG_RUNTIME_FOLDERS ${runtime_folders} CACHE INTERNAL "")
set(wine_path "")
foreach(folder IN LISTS runtime_folders)
    kirabilog_windows_path(${folder} windows)
    list(APPEND wine_path "${windows}")
endforeach()
list(JOIN wine_path ";" KIRABILOG_WINEPATH)
set(KIRABILOG_WINEPREFIX ${CMAKE_BINARY_DIR}/wine)

# Qt's offscreen platform on Windows reads its fonts from one folder and
# nothing else: the prefix's environment names one with the Japanese fonts
# the Linux tests measure with. Qt's Japanese translations come through a
# qt.conf beside the test programs.
find_file(KIRABILOG_CJK_FONT NotoSansCJK-Regular.ttc
    PATHS /usr/share/fonts/opentype/noto NO_CMAKE_FIND_ROOT_PATH)
find_file(KIRABILOG_QT_JA qtbase_ja.qm PATHS /usr/share/qt6/translations NO_CMAKE_FIND_ROOT_PATH)
set(offscreen ${CMAKE_BINARY_DIR}/offscreen-qt)
if(KIRABILOG_CJK_FONT)
    get_filename_component(font_folder ${KIRABILOG_CJK_FONT} DIRECTORY)
    file(GLOB cjk_fonts ${font_folder}/NotoSansCJK-Regular.ttc ${font_folder}/NotoSansCJK-Bold.ttc)
    file(COPY ${cjk_fonts} DESTINATION ${offscreen}/fonts)
else()
    message(WARNING "fonts-noto-cjk is missing: the tests under Wine will measure boxes, not text")
endif()
if(KIRABILOG_QT_JA)
    file(COPY ${KIRABILOG_QT_JA} DESTINATION ${offscreen}/translations)
endif()
kirabilog_windows_path(${offscreen}/fonts KIRABILOG_WINE_FONTDIR)
configure_file(${CMAKE_CURRENT_LIST_DIR}/wine-run.in ${CMAKE_BINARY_DIR}/wine-run
    @ONLY FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
    WORLD_READ WORLD_EXECUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run)
kirabilog_windows_path(${KIRABILOG_MINGW_PREFIX} windows_prefix)
kirabilog_windows_path(${offscreen}/translations windows_translations)
string(REPLACE "\\" "/" windows_prefix ${windows_prefix})
string(REPLACE "\\" "/" windows_translations ${windows_translations})
foreach(folder tests src)
    file(WRITE ${CMAKE_BINARY_DIR}/${folder}/qt.conf
        "[Paths]\nPrefix=${windows_prefix}\nTranslations=${windows_translations}\n")
endforeach()
