# Whole-program test of the launcher menu and the section windows: the real
# quorva under its own Xvfb and openbox, with a stub xdg-open.
if(NOT WIN32 AND TARGET quorva)
    add_test(NAME e2e.lanceur COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/lanceur.sh $<TARGET_FILE:quorva>)
    set_tests_properties(e2e.lanceur PROPERTIES LABELS e2e TIMEOUT 120)
endif()
