# The resource buttons and the Options page, with tests/launch/fake_viewer as the viewers.
target_sources(app_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/ViewingTest.cpp)
target_compile_definitions(app_tests PRIVATE ZPK_FAKE_VIEWER="$<TARGET_FILE:fake_viewer>")
add_dependencies(app_tests fake_viewer)
