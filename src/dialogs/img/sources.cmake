# frmImg: the image dialog, and the open-file chooser behind its browse button.
target_sources(marquill_core PRIVATE ${CMAKE_CURRENT_LIST_DIR}/ImgModel.cpp)
if(WIN32)
  target_sources(marquill_win32 PRIVATE ${CMAKE_CURRENT_LIST_DIR}/../../platform/win32/Win32FileChooser.cpp)
  target_link_libraries(marquill_win32 PUBLIC comdlg32)
  target_sources(marquill PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/frmImg.cpp
    ${CMAKE_CURRENT_LIST_DIR}/frmImg.rc)
endif()
