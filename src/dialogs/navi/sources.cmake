# The navigation attribute set shared by the link and action dialogs.
target_sources(marquill_core PRIVATE ${CMAKE_CURRENT_LIST_DIR}/NaviAttributeSet.cpp)
