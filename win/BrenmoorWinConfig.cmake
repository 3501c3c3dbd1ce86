# libwin and the framework, grid, toolkit and utility libraries it is made of,
# as imported targets: a host links Brenmoor::win.
include("${CMAKE_CURRENT_LIST_DIR}/BrenmoorWinTargets.cmake")
