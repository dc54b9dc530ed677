# The Windows program: the application layer (with every win/ adapter of the
# layers below it) and the resources.
enable_language(RC)
file(GLOB VANTOR_RC_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/res/*.rc)

add_executable(Vantor3 WIN32 ${CMAKE_SOURCE_DIR}/app/win/WinMain.cpp ${VANTOR_RC_FILES})
vantor_program(Vantor3 vantor_app)
if(MINGW)
  target_link_options(Vantor3 PRIVATE -municode -static)
endif()
set_target_properties(Vantor3 PROPERTIES OUTPUT_NAME Vantor3)

# The language files ship beside the program, where the registry value names them.
file(GLOB VANTOR_LANGUAGE_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/res/lang/*.ini)
add_custom_command(TARGET Vantor3 POST_BUILD
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${VANTOR_LANGUAGE_FILES} $<TARGET_FILE_DIR:Vantor3>)
