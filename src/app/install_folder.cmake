# The installation folder: the registry lookup, the special folders and the folder choice.
target_sources(zpk_app PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/modRegSubs.cpp
  ${CMAKE_CURRENT_LIST_DIR}/InstallFolder.cpp)
