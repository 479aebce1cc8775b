# The real Audacity in the loop (Debian's audacity package): the stick-slip
# and the wave-speed entries. Audacity's scripting pipes have one fixed name
# per user, so the two never run at once. Skipped (code 77) where the
# package is missing.
if(NOT WIN32 AND TARGET quorva)
    foreach(entree patin vitesse)
        add_test(NAME e2e.audacity_reelle.${entree}
                 COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/audacity_reelle/audacity_reelle.sh $<TARGET_FILE:quorva>
                         ${CMAKE_BINARY_DIR}/fic_quorva ${entree} ${CMAKE_BINARY_DIR}/e2e-artefacts)
        set_tests_properties(e2e.audacity_reelle.${entree} PROPERTIES LABELS e2e TIMEOUT 300
                             RESOURCE_LOCK audacity_script_pipe SKIP_RETURN_CODE 77)
    endforeach()
endif()
