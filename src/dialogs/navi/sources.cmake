# The navigation attribute set shared by the link and action dialogs,
# and the page builder their windows share.
target_sources(marquill_core PRIVATE ${CMAKE_CURRENT_LIST_DIR}/NaviAttributeSet.cpp)
if(WIN32)
  target_sources(marquill PRIVATE ${CMAKE_CURRENT_LIST_DIR}/NaviView.cpp)
endif()
