# The settings file: INIAccessGlobal, the settings file's path and the
# palette's saved always-on-top state. The portable profile reader and
# writer is plain C++, so both builds get it: the native build uses it as
# its profile port, and the Windows build's tests hold it to the same
# contract as the system's profile functions.
target_sources(marquill_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/INIAccessGlobal.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SettingsFile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../platform/ProfileText.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../platform/posix/PosixProfile.cpp)
if(WIN32)
  target_sources(marquill_win32 PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/../platform/win32/Win32Profile.cpp)
endif()
