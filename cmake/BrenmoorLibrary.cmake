# The lines the suite's shared libraries have in common: the sources of the
# given folders (tests apart), the library installed, and the tests of those
# folders as one executable linked with the library.
#   brenmoor_shared_library(<name> FOLDERS <dir>... [TESTS <executable>]
#                           [TEST_LIBRARIES <library>...])
function(brenmoor_shared_library name)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "TESTS" "FOLDERS;TEST_LIBRARIES")
  set(sources)
  foreach(folder IN LISTS arg_FOLDERS)
    file(GLOB folder_sources CONFIGURE_DEPENDS ${folder}/*.cpp)
    list(APPEND sources ${folder_sources})
  endforeach()
  set(tests ${sources})
  list(FILTER sources EXCLUDE REGEX "_test\\.cpp$")
  list(FILTER tests INCLUDE REGEX "_test\\.cpp$")

  add_library(${name} SHARED ${sources})
  install(TARGETS ${name} LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR})

  if(arg_TESTS AND tests)
    add_executable(${arg_TESTS} ${tests})
    target_link_libraries(${arg_TESTS} PRIVATE ${name} brenmoor_testsupport GTest::gtest_main
      ${arg_TEST_LIBRARIES})
    gtest_discover_tests(${arg_TESTS} DISCOVERY_TIMEOUT 30)
  endif()
endfunction()
