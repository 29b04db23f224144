target_sources(platform_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/QtFileDialogsTest.cpp)
