# Starting programs and opening documents: the shell on Windows, posix_spawn elsewhere.
target_sources(zpk_platform PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/CommandLine.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PosixLauncher.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ChildReaper.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ShellLauncherWin.cpp)
if(NOT WIN32)
  find_package(Threads REQUIRED)
  target_link_libraries(zpk_platform PUBLIC Threads::Threads)
endif()
