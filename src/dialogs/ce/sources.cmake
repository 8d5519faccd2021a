# frmCE: the choice entries dialog.
target_sources(marquill_core PRIVATE ${CMAKE_CURRENT_LIST_DIR}/CEModel.cpp)
if(WIN32)
  target_sources(marquill PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/frmCE.cpp
    ${CMAKE_CURRENT_LIST_DIR}/frmCE.rc)
endif()
