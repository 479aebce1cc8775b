# A teacher's collected folder: the pupils' files kept byte for byte by the
# command line, and the class summary from the toolbar.
if(NOT WIN32 AND TARGET quorva AND TARGET quorva-convert AND TARGET quorva-rapport)
    add_test(NAME e2e.ramassage
        COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/ramassage.sh $<TARGET_FILE:quorva> $<TARGET_FILE:quorva-convert>
                ${PROJECT_SOURCE_DIR}/data/fic_quorva/TP/TP_patin_tracte/patin_tracte_demo.wav
                ${CMAKE_BINARY_DIR}/e2e-artefacts)
    set_tests_properties(e2e.ramassage PROPERTIES LABELS e2e TIMEOUT 120)
endif()
