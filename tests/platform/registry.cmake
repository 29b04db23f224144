# The registry: the Wine registry file parser, the drive mapping and the prefix's registry.
target_sources(platform_tests PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/WineRegistryFileTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WinePrefixTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WineRegistryTest.cpp)
