# The command-line splitter and the POSIX launcher, run against tests/launch/fake_viewer.
target_sources(platform_tests PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/CommandLineTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PosixLauncherTest.cpp)
target_compile_definitions(platform_tests PRIVATE ZPK_FAKE_VIEWER="$<TARGET_FILE:fake_viewer>")
add_dependencies(platform_tests fake_viewer)
