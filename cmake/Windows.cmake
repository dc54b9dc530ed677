# The Windows program: the core plus every win/ adapter and the resources.
enable_language(RC)
file(GLOB_RECURSE VANTOR_WIN_SOURCES CONFIGURE_DEPENDS
  ${CMAKE_SOURCE_DIR}/base/win/*.cpp ${CMAKE_SOURCE_DIR}/device/win/*.cpp
  ${CMAKE_SOURCE_DIR}/macro/win/*.cpp ${CMAKE_SOURCE_DIR}/app/win/*.cpp
  ${CMAKE_SOURCE_DIR}/ui/win/*.cpp ${CMAKE_SOURCE_DIR}/tilt/win/*.cpp)
file(GLOB VANTOR_RC_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/res/*.rc)

# Adapters without the program's entry point, so that tests can link them too.
set(VANTOR_WIN_ADAPTERS ${VANTOR_WIN_SOURCES})
list(FILTER VANTOR_WIN_ADAPTERS EXCLUDE REGEX "/app/win/WinMain\\.cpp$")
add_library(vantor_win STATIC ${VANTOR_WIN_ADAPTERS})
target_link_libraries(vantor_win PUBLIC vantor_core)
target_compile_definitions(vantor_win PUBLIC UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0A00)
vantor_warnings(vantor_win)
set(VANTOR_WIN_LIBS gdiplus gdi32 user32 comctl32 shell32 hid setupapi ole32 comdlg32 winmm advapi32 ws2_32 uuid)
target_link_libraries(vantor_win PUBLIC ${VANTOR_WIN_LIBS})

add_executable(Vantor3 WIN32 ${CMAKE_SOURCE_DIR}/app/win/WinMain.cpp ${VANTOR_RC_FILES})
target_link_libraries(Vantor3 PRIVATE vantor_win)
if(MINGW)
  target_link_options(Vantor3 PRIVATE -municode -static)
endif()
set_target_properties(Vantor3 PROPERTIES OUTPUT_NAME Vantor3)
vantor_warnings(Vantor3)

# The language files ship beside the program, where the registry value names them.
file(GLOB VANTOR_LANGUAGE_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/res/lang/*.ini)
add_custom_command(TARGET Vantor3 POST_BUILD
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${VANTOR_LANGUAGE_FILES} $<TARGET_FILE_DIR:Vantor3>)

# base/AtomicFile (core) calls its Win32 replace step in base/win: let the
# linker see the two archives as a cycle.
target_link_libraries(vantor_core PUBLIC vantor_win)
