# frmDeck: the deck dialog and its seconds calculator.
target_sources(marquill_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/SecCalc.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DeckModel.cpp)
