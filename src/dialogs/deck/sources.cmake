# frmDeck: the deck dialog and its seconds calculator.
target_sources(marquill_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/SecCalc.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DeckModel.cpp)
if(WIN32)
  target_sources(marquill PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/frmDeck.cpp
    ${CMAKE_CURRENT_LIST_DIR}/frmDeck.rc)
endif()
