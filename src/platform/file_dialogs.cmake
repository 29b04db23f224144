# The open and save file dialogs, shown with Qt's file dialog.
target_sources(zpk_platform PRIVATE ${CMAKE_CURRENT_LIST_DIR}/QtFileDialogs.cpp)
