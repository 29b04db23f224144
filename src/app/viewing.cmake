# The resource commands and the Options page, on the launch and options layers.
target_sources(zpk_app PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/frmMain_Viewing.h
  ${CMAKE_CURRENT_LIST_DIR}/frmMain_Viewing.cpp)
target_link_libraries(zpk_app PUBLIC zpk_launch zpk_options)
