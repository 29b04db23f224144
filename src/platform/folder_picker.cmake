# The folder-picking dialog.
target_sources(zpk_platform PRIVATE ${CMAKE_CURRENT_LIST_DIR}/QtFolderPicker.cpp)
