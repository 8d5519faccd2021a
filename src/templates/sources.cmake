# Tag templates: the template file format, the library folder and frmTemplete.
target_sources(marquill_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/TagTemplate.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TempleteModel.cpp)
if(WIN32)
  target_sources(marquill PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/frmTemplete.cpp
    ${CMAKE_CURRENT_LIST_DIR}/frmTemplete.rc)
endif()
