# frmImg: the image dialog, and the open-file chooser behind its browse button.
target_sources(marquill_core PRIVATE ${CMAKE_CURRENT_LIST_DIR}/ImgModel.cpp)
