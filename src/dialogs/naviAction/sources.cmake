# frmNaviAction: the soft-key action dialog.
target_sources(marquill_core PRIVATE ${CMAKE_CURRENT_LIST_DIR}/NaviActionModel.cpp)
if(WIN32)
  target_sources(marquill PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/frmNaviAction.cpp
    ${CMAKE_CURRENT_LIST_DIR}/frmNaviAction.rc)
endif()
