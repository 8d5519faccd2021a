# frmNaviAction: the soft-key action dialog.
target_sources(marquill_core PRIVATE ${CMAKE_CURRENT_LIST_DIR}/NaviActionModel.cpp)
