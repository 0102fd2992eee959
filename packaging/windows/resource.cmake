# The Windows resources of the program: its icon and its version information.
#
#   include(${PROJECT_SOURCE_DIR}/packaging/windows/resource.cmake)
#   kirabilog_windows_resource(kirabilog)
#
# The target's language list must hold RC (enable_language(RC), which the
# MinGW toolchain's windres provides).
set(KIRABILOG_WINDOWS_FOLDER ${CMAKE_CURRENT_LIST_DIR})

function(kirabilog_windows_resource target)
    # Version resources take four numbers; the project names two or three
    # (unset parts expand to nothing), and zeros make up the rest.
    set(KIRABILOG_RC_VERSION ${PROJECT_VERSION_MAJOR} ${PROJECT_VERSION_MINOR}
        ${PROJECT_VERSION_PATCH} ${PROJECT_VERSION_TWEAK} 0 0 0)
    list(SUBLIST KIRABILOG_RC_VERSION 0 4 KIRABILOG_RC_VERSION)
    list(JOIN KIRABILOG_RC_VERSION "," KIRABILOG_RC_VERSION)
    set(KIRABILOG_RC_ICON ${KIRABILOG_WINDOWS_FOLDER}/kirabilog.ico)
    set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc)
    configure_file(${KIRABILOG_WINDOWS_FOLDER}/kirabilog.rc.in ${rc} @ONLY)
    target_sources(${target} PRIVATE ${rc})
    # A new icon must rebuild the resource, which names it only by path.
    set_property(SOURCE ${rc} APPEND PROPERTY OBJECT_DEPENDS ${KIRABILOG_RC_ICON})
endfunction()
