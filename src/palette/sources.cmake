# The palette's shell commands: settings import, help, version box and the
# folder picker, with the file-system, shell and folder-browser ports they
# reach the system through.
target_sources(marquill_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/SettingsImport.cpp
  ${CMAKE_CURRENT_LIST_DIR}/HelpAndVersion.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../platform/Wildcard.cpp)
if(WIN32)
  target_sources(marquill_win32 PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/../platform/win32/Win32Shell.cpp)
  target_link_libraries(marquill_win32 PUBLIC shell32 ole32)
  target_sources(marquill PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/frmVersion.cpp
    ${CMAKE_CURRENT_LIST_DIR}/frmVersion.rc)
  target_link_libraries(marquill PRIVATE version)
else()
  target_sources(marquill_posix PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/../platform/posix/PosixFileSystem.cpp)
endif()
