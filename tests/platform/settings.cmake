# The settings store on QSettings, writing a real file below a temporary XDG_CONFIG_HOME.
target_sources(platform_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/QtSettingsStoreTest.cpp)
