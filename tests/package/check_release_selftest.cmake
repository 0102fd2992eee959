# Runs check_release.cmake on small release files that agree or disagree in
# one way each, and fails when it passes what it should refuse, refuses what
# it should pass, or refuses for another reason than the one made.
#
#   cmake -DCHECK=check_release.cmake -DWORK=<scratch folder> -P check_release_selftest.cmake
cmake_minimum_required(VERSION 3.25)

file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")

set(good_lists "cmake_minimum_required(VERSION 3.25)\nproject(kirabilog VERSION 1.2 LANGUAGES CXX)\n")
set(good_changelog "# Changelog

## [Unreleased]

### Added

- Something not released yet.

## [1.2] - 2027-03-01

### Fixed

- A fix.

## [1.1.5] - 2027-01-15

- An item.

## [1.0] - 2026-12-09

- The first release.

[1.2]: https://kirabilog.example.jp/1.2
")
set(good_metainfo "<?xml version=\"1.0\"?>
<component>
  <!-- <release version=\"9.0\" date=\"2030-01-01\"/> -->
  <releases>
    <release date=\"2027-03-01\" version=\"1.2\">
      <description><p>Fixes.</p></description>
    </release>
    <release version=\"1.1.5\" date=\"2027-01-15\"/>
    <release version=\"1.0\" date=\"2026-12-09\"/>
  </releases>
</component>
")

# expect: "pass", or a regular expression that the refusal must match.
function(check_case name expect lists changelog metainfo)
    set(dir "${WORK}/${name}")
    file(WRITE "${dir}/CMakeLists.txt" "${lists}")
    file(WRITE "${dir}/CHANGELOG.md" "${changelog}")
    file(WRITE "${dir}/metainfo.xml" "${metainfo}")
    execute_process(
        COMMAND ${CMAKE_COMMAND} -DCMAKE_LISTS=${dir}/CMakeLists.txt
            -DCHANGELOG=${dir}/CHANGELOG.md -DMETAINFO=${dir}/metainfo.xml -P ${CHECK}
        RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
    # CMake wraps its messages.
    string(REGEX REPLACE "[ \t\r\n]+" " " out "${out}")
    if(expect STREQUAL "pass")
        if(NOT status EQUAL 0)
            message(SEND_ERROR "${name}: refused files that agree: ${out}")
        else()
            message(STATUS "${name}: passed as it should be")
        endif()
    elseif(status EQUAL 0)
        message(SEND_ERROR "${name}: passed files that disagree")
    elseif(NOT out MATCHES "${expect}")
        message(SEND_ERROR "${name}: refused, but not because of '${expect}': ${out}")
    else()
        message(STATUS "${name}: refused as it should be")
    endif()
endfunction()

check_case(agree pass "${good_lists}" "${good_changelog}" "${good_metainfo}")
# CRLF line ends, as an editor on Windows leaves them.
string(REPLACE "\n" "\r\n" crlf_changelog "${good_changelog}")
check_case(crlf pass "${good_lists}" "${crlf_changelog}" "${good_metainfo}")

string(REPLACE "VERSION 1.2" "VERSION 1.3" lists "${good_lists}")
check_case(project_ahead "versions disagree" "${lists}" "${good_changelog}" "${good_metainfo}")

string(REPLACE "## [1.2] - 2027-03-01" "## [1.2.1] - 2027-03-01" changelog "${good_changelog}")
check_case(changelog_differs "versions disagree" "${good_lists}" "${changelog}" "${good_metainfo}")

string(REPLACE "version=\"1.2\"" "version=\"1.1.9\"" metainfo "${good_metainfo}")
check_case(appstream_differs "versions disagree" "${good_lists}" "${good_changelog}" "${metainfo}")

string(REPLACE "date=\"2027-03-01\"" "date=\"2027-03-02\"" metainfo "${good_metainfo}")
check_case(dates_differ "released on 2027-03-01" "${good_lists}" "${good_changelog}" "${metainfo}")

# The newest section last: the top section is not the newest version.
string(REPLACE "## [1.2] - 2027-03-01" "## [1.0.9] - 2027-03-01" changelog "${good_changelog}")
check_case(changelog_order "1.1.5 comes after 1.0.9" "${good_lists}" "${changelog}" "${good_metainfo}")

string(REPLACE "<release version=\"1.0\" date=\"2026-12-09\"/>"
    "<release version=\"1.3\" date=\"2026-12-09\"/>" metainfo "${good_metainfo}")
check_case(appstream_order "1.3 comes after 1.1.5" "${good_lists}" "${good_changelog}" "${metainfo}")

string(REPLACE "## [1.2] - 2027-03-01" "## 1.2 (March 2027)" changelog "${good_changelog}")
check_case(bad_heading "is not" "${good_lists}" "${changelog}" "${good_metainfo}")

string(REPLACE "date=\"2027-03-01\" " "" metainfo "${good_metainfo}")
check_case(no_date "has no date" "${good_lists}" "${good_changelog}" "${metainfo}")

check_case(only_unreleased "no released version" "${good_lists}"
    "# Changelog\n\n## [Unreleased]\n\n- Work.\n" "${good_metainfo}")

# A release only in a comment is no release.
check_case(commented_release "has no release" "${good_lists}" "${good_changelog}"
    "<component><!-- <releases><release version=\"1.2\" date=\"2027-03-01\"/></releases> --></component>")
