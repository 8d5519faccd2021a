# frmNaviA: the link dialog.
target_sources(marquill_core PRIVATE ${CMAKE_CURRENT_LIST_DIR}/NaviAModel.cpp)
if(WIN32)
  target_sources(marquill PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/frmNaviA.cpp
    ${CMAKE_CURRENT_LIST_DIR}/frmNaviA.rc)
endif()
