# frmCard: the card dialog.
target_sources(marquill_core PRIVATE ${CMAKE_CURRENT_LIST_DIR}/CardModel.cpp)
if(WIN32)
  target_sources(marquill PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/frmCard.cpp
    ${CMAKE_CURRENT_LIST_DIR}/frmCard.rc)
endif()
