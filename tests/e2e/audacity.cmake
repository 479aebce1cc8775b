# Whole-program test of the Audacity integration: the stick-slip launch of
# the local copy (a stand-in script), the export watcher, the chart answered
# with xdotool, the workbook opened. Its own Xvfb and openbox.
if(NOT WIN32 AND TARGET quorva)
    add_test(NAME e2e.audacity
             COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/audacity/audacity_e2e.sh $<TARGET_FILE:quorva>
                     ${CMAKE_BINARY_DIR}/fic_quorva)
    set_tests_properties(e2e.audacity PROPERTIES LABELS e2e TIMEOUT 240)
endif()
