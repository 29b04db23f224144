# The folder-picking dialog, shown offscreen and closed by the test.
target_sources(platform_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/QtFolderPickerTest.cpp)
