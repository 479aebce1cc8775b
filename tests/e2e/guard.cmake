# Whole-program tests of the program start: the X11 window layer on a real X
# server, and the single-instance guard of the real quorva binary. Each
# starts its own Xvfb on a free display (and openbox) and stops everything it
# started, by pid.
if(NOT WIN32)
    add_test(NAME e2e.fenetres_x11
             COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/fenetres_x11.sh $<TARGET_FILE:quorva_x11_tests>)
    set_tests_properties(e2e.fenetres_x11 PROPERTIES LABELS e2e TIMEOUT 120)
    if(TARGET quorva)
        add_test(NAME e2e.garde_instance_unique
                 COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/garde_instance_unique.sh $<TARGET_FILE:quorva>)
        set_tests_properties(e2e.garde_instance_unique PROPERTIES LABELS e2e TIMEOUT 180)
    endif()
endif()
