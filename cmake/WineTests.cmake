# Running the x86_64 test binaries under wine64.
#
# The tests use a Wine prefix inside the build tree (never ~/.wine) and one
# persistent wineserver, started by the fixture test `wine.start` with its
# stdio on /dev/null and stopped by `wine.stop`, so that no wine child keeps
# ctest's pipes open. One wine process runs per test binary.
find_program(KN_WINE64 NAMES wine64 PATHS /usr/lib/wine NO_DEFAULT_PATH)
find_program(KN_WINE64 NAMES wine64)
find_program(KN_WINESERVER NAMES wineserver64 wineserver PATHS /usr/lib/wine NO_DEFAULT_PATH)
find_program(KN_WINESERVER NAMES wineserver)
if(NOT KN_WINE64 OR NOT KN_WINESERVER)
  message(FATAL_ERROR "wine64 and wineserver are needed to run the tests (scripts/setup.sh installs them)")
endif()

set(KN_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
configure_file(${CMAKE_SOURCE_DIR}/cmake/wine-env.sh.in ${CMAKE_BINARY_DIR}/wine-env.sh @ONLY)
foreach(script wine-run wine-start wine-stop)
  configure_file(${CMAKE_SOURCE_DIR}/cmake/${script}.sh.in ${CMAKE_BINARY_DIR}/${script}.sh
                 @ONLY FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
                 GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
endforeach()
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run.sh)

add_test(NAME wine.start COMMAND ${CMAKE_BINARY_DIR}/wine-start.sh)
set_tests_properties(wine.start PROPERTIES FIXTURES_SETUP Wine)
add_test(NAME wine.stop COMMAND ${CMAKE_BINARY_DIR}/wine-stop.sh)
set_tests_properties(wine.stop PROPERTIES FIXTURES_CLEANUP Wine)

# kn_add_wine_test(<target> [FIXTURES <name>...]): one test running the whole
# GoogleTest binary under wine64, after the Wine fixture (and any others).
function(kn_add_wine_test target)
  cmake_parse_arguments(ARG "" "" "FIXTURES" ${ARGN})
  add_test(NAME ${target} COMMAND ${target} --gtest_color=no
           WORKING_DIRECTORY $<TARGET_FILE_DIR:${target}>)
  set_tests_properties(${target} PROPERTIES FIXTURES_REQUIRED "Wine;${ARG_FIXTURES}" TIMEOUT 600)
endfunction()
