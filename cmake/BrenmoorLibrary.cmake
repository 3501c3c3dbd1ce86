# The lines the suite's shared libraries have in common: the sources of the
# given folders (tests apart), the library installed, and the tests of those
# folders as one executable linked with the library. With PUBLIC_HEADERS the
# headers under include/ beside the caller's CMakeLists are the library's
# interface, included as "brenmoor/<library>/<header>.h" while building and
# installed as they are; every other header stays in the source tree.
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
  # The suite's libraries change together: a host is built for one release.
  string(REGEX REPLACE "^brenmoor_" "" export_name ${name})
  set_target_properties(${name} PROPERTIES VERSION ${PROJECT_VERSION} SOVERSION ${PROJECT_VERSION}
    EXPORT_NAME ${export_name})
  install(TARGETS ${name} EXPORT ${BRENMOOR_EXPORT} LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
    COMPONENT ${BRENMOOR_LIBRARY_COMPONENT} NAMELINK_COMPONENT ${BRENMOOR_DEVELOPMENT_COMPONENT})

  if(arg_PUBLIC_HEADERS)
    target_include_directories(${name} PUBLIC
      $<BUILD_INTERFACE:${CMAKE_CURRENT_SOURCE_DIR}/include>
      $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}>)
    install(DIRECTORY include/ DESTINATION ${CMAKE_INSTALL_INCLUDEDIR} COMPONENT ${BRENMOOR_DEVELOPMENT_COMPONENT})
  endif()

  if(arg_TESTS AND tests)
    add_executable(${arg_TESTS} ${tests})
    target_link_libraries(${arg_TESTS} PRIVATE ${name} brenmoor_testsupport GTest::gtest_main
      ${arg_TEST_LIBRARIES})
    gtest_discover_tests(${arg_TESTS} DISCOVERY_TIMEOUT 30)
  endif()
endfunction()
