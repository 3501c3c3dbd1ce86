# The lines the suite's shared libraries have in common: the sources of the
# given folders (tests apart), the library installed, and the tests of those
# folders as one executable linked with the library. With PUBLIC_HEADERS the
# folders' headers are the library's interface: included from the folders
# while building, installed into include/brenmoor.
#   brenmoor_shared_library(<name> FOLDERS <dir>... [PUBLIC_HEADERS]
#                           [TESTS <executable>] [TEST_LIBRARIES <library>...])
function(brenmoor_shared_library name)
  cmake_parse_arguments(PARSE_ARGV 1 arg "PUBLIC_HEADERS" "TESTS" "FOLDERS;TEST_LIBRARIES")
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

  if(arg_PUBLIC_HEADERS)
    foreach(folder IN LISTS arg_FOLDERS)
      get_filename_component(include_folder ${folder} ABSOLUTE)
      target_include_directories(${name} PUBLIC $<BUILD_INTERFACE:${include_folder}>)
      file(GLOB headers CONFIGURE_DEPENDS ${folder}/*.h)
      install(FILES ${headers} DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/brenmoor)
    endforeach()
    target_include_directories(${name} PUBLIC $<INSTALL_INTERFACE:include/brenmoor>)
  endif()

  if(arg_TESTS AND tests)
    add_executable(${arg_TESTS} ${tests})
    target_link_libraries(${arg_TESTS} PRIVATE ${name} brenmoor_testsupport GTest::gtest_main
      ${arg_TEST_LIBRARIES})
    gtest_discover_tests(${arg_TESTS} DISCOVERY_TIMEOUT 30)
  endif()
endfunction()
