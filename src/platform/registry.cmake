# The registry: Win32 on Windows; elsewhere the registry files of the user's Wine prefix.
target_sources(zpk_platform PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/SystemRegistry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WineRegistryFile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WineRegistry.cpp)
if(WIN32)
  target_sources(zpk_platform PRIVATE ${CMAKE_CURRENT_LIST_DIR}/Win32Registry.cpp)
endif()
