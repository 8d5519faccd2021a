# frmCard: the card dialog.
target_sources(marquill_core PRIVATE ${CMAKE_CURRENT_LIST_DIR}/CardModel.cpp)
