# frmCE: the choice entries dialog.
target_sources(marquill_core PRIVATE ${CMAKE_CURRENT_LIST_DIR}/CEModel.cpp)
