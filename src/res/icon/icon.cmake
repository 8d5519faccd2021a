# The program's icon: pixel art in ProgramIcon.cpp, written as an .ico by
# make_icon. The native build compiles the generator like any other code
# (the unit tests check what it writes); the Windows build compiles it with
# the build machine's compiler and runs it, for the resource compiler.
set(MQ_ICON_DIR ${CMAKE_CURRENT_LIST_DIR})
if(NOT WIN32)
  add_library(marquill_icon STATIC ${MQ_ICON_DIR}/ProgramIcon.cpp)
  target_include_directories(marquill_icon PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
  target_compile_options(marquill_icon PRIVATE ${MQ_WARNINGS})
  add_executable(make_icon ${MQ_ICON_DIR}/make_icon.cpp)
  target_link_libraries(make_icon PRIVATE marquill_icon)
  target_compile_options(make_icon PRIVATE ${MQ_WARNINGS})
else()
  find_program(MQ_HOST_CXX NAMES g++ c++ REQUIRED
               DOC "The build machine's C++ compiler, for the icon generator")
  set(MQ_MAKE_ICON ${CMAKE_CURRENT_BINARY_DIR}/make_icon)
  set(MQ_ICON_FILE ${CMAKE_CURRENT_BINARY_DIR}/marquill.ico)
  add_custom_command(OUTPUT ${MQ_MAKE_ICON}
    COMMAND ${MQ_HOST_CXX} -std=c++20 -O1 ${MQ_WARNINGS} -I${CMAKE_CURRENT_SOURCE_DIR}
            -o ${MQ_MAKE_ICON} ${MQ_ICON_DIR}/ProgramIcon.cpp ${MQ_ICON_DIR}/make_icon.cpp
    DEPENDS ${MQ_ICON_DIR}/ProgramIcon.cpp ${MQ_ICON_DIR}/ProgramIcon.h ${MQ_ICON_DIR}/make_icon.cpp
    COMMENT "Building the icon generator for the build machine"
    VERBATIM)
  add_custom_command(OUTPUT ${MQ_ICON_FILE}
    COMMAND ${MQ_MAKE_ICON} ${MQ_ICON_FILE}
    DEPENDS ${MQ_MAKE_ICON}
    COMMENT "Drawing marquill.ico"
    VERBATIM)
  # marquill.rc names it as "marquill.ico", found through the include path.
  target_sources(marquill PRIVATE ${MQ_ICON_FILE})
  target_include_directories(marquill PRIVATE ${CMAKE_CURRENT_BINARY_DIR})
  set_property(SOURCE res/marquill.rc APPEND PROPERTY OBJECT_DEPENDS ${MQ_ICON_FILE})
endif()
