# frmText: the text formatting dialog.
target_sources(marquill_core PRIVATE ${CMAKE_CURRENT_LIST_DIR}/TextModel.cpp)
if(WIN32)
  target_sources(marquill PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/frmText.cpp
    ${CMAKE_CURRENT_LIST_DIR}/frmText.rc)
endif()
