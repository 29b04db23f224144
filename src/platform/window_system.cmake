# The Qt window system: beep, message boxes, busy pointer, pending events, active window.
target_sources(zpk_platform PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/QtWindowSystem.h
  ${CMAKE_CURRENT_LIST_DIR}/QtWindowSystem.cpp)
