# The per-user settings store on QSettings.
target_sources(zpk_platform PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/QtSettingsStore.h
  ${CMAKE_CURRENT_LIST_DIR}/QtSettingsStore.cpp)
