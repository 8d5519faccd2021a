# The tag dialogs: one folder under dialogs/ each, a portable model for the
# core and a Win32 view for the program.
#
#   mq_dialog(<folder> [NAME <Name>] [CORE <file>...] [VIEW <file>...])
#
# NAME gives the usual three files: <Name>Model.cpp into the core,
# frm<Name>.cpp and frm<Name>.rc into the program. CORE and VIEW add
# further files of the folder to the core and to the program.
function(mq_dialog folder)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "NAME" "CORE;VIEW")
  if(arg_UNPARSED_ARGUMENTS)
    message(FATAL_ERROR "mq_dialog(${folder}): unknown arguments ${arg_UNPARSED_ARGUMENTS}")
  endif()
  set(core ${arg_CORE})
  set(view ${arg_VIEW})
  if(arg_NAME)
    list(PREPEND core ${arg_NAME}Model.cpp)
    list(PREPEND view frm${arg_NAME}.cpp frm${arg_NAME}.rc)
  endif()
  set(dir ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/${folder})
  list(TRANSFORM core PREPEND ${dir}/)
  list(TRANSFORM view PREPEND ${dir}/)
  if(core)
    target_sources(marquill_core PRIVATE ${core})
  endif()
  if(WIN32 AND view)
    target_sources(marquill PRIVATE ${view})
  endif()
endfunction()

mq_dialog(text NAME Text)
mq_dialog(img NAME Img)
mq_dialog(deck NAME Deck CORE SecCalc.cpp)
mq_dialog(card NAME Card)
# The navigation attribute set shared by the link and action dialogs, and
# the page builder their views share.
mq_dialog(navi CORE NaviAttributeSet.cpp VIEW NaviView.cpp)
mq_dialog(naviA NAME NaviA)
mq_dialog(naviAction NAME NaviAction)
mq_dialog(ce NAME CE)

# The open-file chooser behind the image dialog's browse button.
if(WIN32)
  target_sources(marquill_win32 PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/../platform/win32/Win32FileChooser.cpp)
  target_link_libraries(marquill_win32 PUBLIC comdlg32)
endif()
